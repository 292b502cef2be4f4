#!/usr/bin/env bash
# Runs every test program under Wine, with one wineserver for the whole run.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
bash "$(dirname "$0")/configure-build.sh" "$ORVELIN_BUILD"
harness_start
trap harness_stop EXIT
ctest --test-dir "$ORVELIN_BUILD" --output-on-failure --timeout 900 -j "$(nproc)" "$@"
rc=$?
harness_stop
trap - EXIT
exit $rc
