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
  harness_provide_fonts
  # A wineserver that inherited our stdout would keep the caller waiting: detach it.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
  "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

# Windows always has Tahoma (the dialogs' font) and Marlett (the captions' buttons); a Wine
# prefix has them only where Wine finds its own fonts, which it does not always. Without Tahoma
# the dialogs fall back to a wider font and their controls overflow. The prefix gets Wine's
# copies (Debian's fonts-wine) where Windows keeps them.
harness_provide_fonts() {
  local from=/usr/share/wine/fonts to=$WINEPREFIX/drive_c/windows/Fonts name
  mkdir -p "$to"
  for name in tahoma.ttf tahomabd.ttf marlett.ttf; do
    if [ ! -f "$from/$name" ]; then
      echo "harness: $from/$name is missing (Debian's fonts-wine): run tools/bootstrap.sh" >&2
      continue
    fi
    cmp -s "$from/$name" "$to/$name" || cp "$from/$name" "$to/$name"
  done
}

# The DPI Wine reports to the programs of the prefix started afterwards (96 when unset). It is
# prefix-wide: whoever changes it runs alone and puts the previous value back.
harness_dpi_key='HKCU\Control Panel\Desktop'
harness_get_dpi() {   # prints the DPI set, nothing when none is
  local value
  value=$("$WINE" reg query "$harness_dpi_key" /v LogPixels 2>/dev/null | tr -d '\r' |
          awk '$1 == "LogPixels" { print $3 }')
  if [ -n "$value" ]; then printf '%d\n' "$value"; fi
}
harness_set_dpi() {   # DPI, or nothing to remove the setting
  if [ -n "${1:-}" ]; then
    "$WINE" reg add "$harness_dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  else
    "$WINE" reg delete "$harness_dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
  fi
}

harness_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [ -n "$harness_xvfb_pid" ]; then
    kill "$harness_xvfb_pid" >/dev/null 2>&1 || true
    wait "$harness_xvfb_pid" 2>/dev/null || true
  fi
}
