# Sourced: starts and stops what Windows programs need here: a display, the prefix and
# one wineserver kept alive for the whole session.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

harness_xvfb_pid=
harness_start() {
  if [ -z "${DISPLAY:-}" ] || [ "${ORVELIN_FORCE_XVFB:-0}" = 1 ]; then
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    harness_xvfb_pid=$!
    for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$fdfile")"
    rm -f "$fdfile"
  fi
  # A server still running for the prefix (the build runs catalog.exe; an interrupted run) would
  # keep the persistent one from starting; stopped, it writes the prefix's registry out.
  if [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "harness: creating the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  # A wineserver that inherited our stdout would keep the caller waiting: detach it.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
  "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

harness_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [ -n "$harness_xvfb_pid" ]; then
    kill "$harness_xvfb_pid" >/dev/null 2>&1 || true
    wait "$harness_xvfb_pid" 2>/dev/null || true
  fi
}
