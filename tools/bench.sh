#!/usr/bin/env bash
# Runs every benchmark program under Wine, with one wineserver, and prints their figures.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
bash "$(dirname "$0")/configure-build.sh" "$ORVELIN_BUILD"
harness_start
trap harness_stop EXIT
# The figures are only comparable with the machine and the build they came from.
echo "machine: cores=$(nproc) uname_m=$(uname -m) build=$ORVELIN_ARCH $("$WINE" --version 2>/dev/null)"
rc=0
for program in "$ORVELIN_BUILD"/bin/*_bench.exe; do
  [ -e "$program" ] || continue
  echo "== $(basename "$program" .exe)"
  "$WINE" "$program" || rc=1
done
harness_stop
trap - EXIT
exit $rc
