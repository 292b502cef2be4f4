#!/usr/bin/env bash
# Prints the Windows architecture whose programs Wine can run on this machine: i686 where the
# kernel runs 32-bit x86 code; x86_64 where it cannot (some virtual machines refuse even the
# 32-bit code segment), and the tests then run a 64-bit build of the same sources.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
