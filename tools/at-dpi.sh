#!/usr/bin/env bash
# Runs one Windows program as it runs on a display of DPI (e.g. 144 for 150 %), then puts the
# prefix's setting back. Programs of the prefix started meanwhile see that DPI too: run alone
# (CTest: RUN_SERIAL). Exit code: the program's (modulo 256, as Wine passes it on).
# Usage: at-dpi.sh DPI PROGRAM [ARGUMENTS...]
set -uo pipefail
source "$(dirname "$0")/harness.sh"
dpi=$1
shift
previous=$(harness_get_dpi)
trap 'harness_set_dpi "$previous"' EXIT
harness_set_dpi "$dpi" || { echo "at-dpi: cannot set the DPI to $dpi" >&2; exit 1; }
bash "$(dirname "$0")/wine-run" "$@"
