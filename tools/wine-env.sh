# Sourced by the harness scripts: which Wine, which prefix, and quiet defaults.
orvelin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ORVELIN_BUILD=${ORVELIN_BUILD:-$orvelin_root/build}
# A Wine built in WoW64 mode by the bootstrap wins over Debian's (see build-wine-wow64.sh).
export ORVELIN_WINE_WOW64=/opt/orvelin-wine
if [ -x "$ORVELIN_WINE_WOW64/bin/wine" ]; then
  export WINE="$ORVELIN_WINE_WOW64/bin/wine" WINESERVER="$ORVELIN_WINE_WOW64/bin/wineserver"
else
  export WINE=/usr/bin/wine WINESERVER=/usr/lib/wine/wineserver
fi
export WINEPREFIX=${WINEPREFIX:-$ORVELIN_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop-menu integration on the host, no Mono or Gecko download prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
