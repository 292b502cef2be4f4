# Sourced by the harness scripts: which Wine, which prefix, and quiet defaults.
orvelin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ORVELIN_BUILD=${ORVELIN_BUILD:-$orvelin_root/build}
export ORVELIN_ARCH=${ORVELIN_ARCH:-$(bash "$orvelin_root/tools/test-arch.sh")}
if [ "$ORVELIN_ARCH" = i686 ]; then
  export WINE=/usr/bin/wine
else
  export WINE=/usr/lib/wine/wine64
fi
export WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${WINEPREFIX:-$ORVELIN_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop-menu integration on the host, no Mono or Gecko download prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
