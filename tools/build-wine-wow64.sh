#!/usr/bin/env bash
# Builds Debian's Wine source package in the WoW64 mode that runs 32-bit Windows programs
# inside a 64-bit Linux process. Needed on machines whose kernel cannot execute 32-bit
# Linux binaries, where Debian's wine32:i386 cannot start at all.
# Usage: build-wine-wow64.sh PREFIX   (idempotent: does nothing when PREFIX/bin/wine exists)
set -euo pipefail
prefix=${1:?prefix}
[ -x "$prefix/bin/wine" ] && exit 0

export DEBIAN_FRONTEND=noninteractive
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
as_root apt-get build-dep -y -q wine >/dev/null
as_root apt-get install -y -q --no-install-recommends fonts-wine >/dev/null

src_root="$prefix/src"
mkdir -p "$src_root"
if ! ls -d "$src_root"/wine-*/ >/dev/null 2>&1; then
  (cd "$src_root" && apt-get source -q wine >/dev/null)
fi
src=$(ls -d "$src_root"/wine-*/ | head -n 1)
cd "$src"

# The generated files that Debian's rules regenerate before configuring.
if [ ! -x configure ]; then
  ./debian/scripts/generate server/trace.generated make_requests
  ./debian/scripts/generate server/request.generated make_requests
  ./tools/make_unicode
  ./tools/make_requests
  (cd dlls/dsound && ./make_fir)
  (cd dlls/opengl32 && ./make_opengl)
  (cd dlls/winevulkan && ./make_vulkan -x /usr/share/vulkan/registry/vk.xml)
  ln -sf /usr/share/misc/config.sub tools
  ln -sf /usr/share/misc/config.guess tools
  # Same icon sources as Debian's rules link in.
  while read -r from to; do ln -sf "$from" "$to"; done <<'LINKS'
../../dlls/user32/resources/oic_hand.svg dlls/display.drv16/oic_hand.svg
../../dlls/user32/resources/oic_bang.svg dlls/comctl32/idi_tt_warn_sm.svg
../../dlls/user32/resources/oic_note.svg dlls/comctl32/idi_tt_info_sm.svg
../../dlls/user32/resources/oic_hand.svg dlls/comctl32/idi_tt_error_sm.svg
../../dlls/shell32/resources/move.svg dlls/comctl32/idi_dragarrow.svg
../../dlls/shell32/resources/image.svg programs/regedit/bin.svg
../../dlls/shell32/resources/folder.svg programs/regedit/folder.svg
../../dlls/shell32/resources/document.svg programs/regedit/string.svg
../../dlls/shell32/resources/mycomputer.svg programs/regedit/computer.svg
../../dlls/shell32/resources/folder_open.svg programs/regedit/folderopen.svg
../../dlls/shell32/resources/window.svg programs/taskmgr/window.svg
../../dlls/shell32/resources/window.svg programs/taskmgr/windowsm.svg
../../dlls/shell32/resources/drive.svg dlls/comdlg32/hdisk.svg
../../dlls/shell32/resources/folder.svg dlls/comdlg32/folder.svg
../../dlls/shell32/resources/network.svg dlls/comdlg32/network.svg
../../dlls/shell32/resources/folder_open.svg dlls/comdlg32/folder2.svg
../../dlls/shell32/resources/disk_drive.svg dlls/comdlg32/floppy.svg
../../dlls/shell32/resources/optical_drive.svg dlls/comdlg32/cdrom.svg
LINKS
  rm -rf libs/zlib
  autoreconf -f
fi

build="$src_root/build"
mkdir -p "$build"
cd "$build"
if [ ! -f Makefile ]; then
  "$src/configure" --prefix="$prefix" --enable-archs=i386,x86_64 --disable-tests \
    --without-oss --without-sane --without-netapi --without-cups --without-gphoto \
    --without-capi --without-pcap --without-v4l2 --without-gstreamer \
    ZLIB_PE_LIBS=z CFLAGS="-O1 -g0" CROSSCFLAGS="-O1 -g0" >configure.log 2>&1
fi
# Only what a 64-bit prefix and these programs use is built (both architectures): a full
# build takes hours on two cores. Wine runs from its build tree; missing modules are simply
# absent.
modules="loader server nls fonts
  dlls/ntdll dlls/wow64 dlls/wow64win dlls/wow64cpu dlls/kernel32 dlls/kernelbase dlls/advapi32 dlls/sechost
  dlls/ucrtbase dlls/msvcrt dlls/user32 dlls/win32u dlls/gdi32 dlls/winex11.drv dlls/imm32 dlls/setupapi
  dlls/shell32 dlls/shlwapi dlls/ole32 dlls/oleaut32 dlls/combase dlls/rpcrt4 dlls/uxtheme dlls/comctl32
  dlls/version dlls/userenv dlls/cfgmgr32 dlls/wintrust dlls/crypt32 dlls/bcrypt dlls/ws2_32 dlls/iphlpapi
  dlls/nsi dlls/nsiproxy.sys dlls/dnsapi dlls/mpr dlls/secur32 dlls/dwmapi dlls/propsys dlls/shcore
  dlls/msimg32 dlls/usp10 dlls/windowscodecs dlls/winspool.drv dlls/mlang dlls/mountmgr.sys
  dlls/ntoskrnl.exe dlls/hal dlls/netapi32 dlls/msctf dlls/oleacc dlls/sspicli dlls/rsaenh dlls/cryptbase
  dlls/apphelp dlls/newdev dlls/winmm dlls/msacm32 dlls/dbghelp dlls/comdlg32 dlls/shdocvw dlls/actxprxy
  dlls/riched20 dlls/msxml3 dlls/xmllite dlls/urlmon dlls/wininet dlls/winhttp dlls/light.msstyles
  dlls/explorerframe dlls/psapi dlls/powrprof dlls/wtsapi32 dlls/dxgi dlls/opengl32 dlls/wldap32 dlls/msv1_0
  programs/wineboot programs/services programs/winedevice programs/plugplay programs/explorer programs/rpcss
  programs/svchost programs/conhost programs/cmd programs/start programs/rundll32 programs/regsvr32
  programs/reg programs/winedbg programs/winemenubuilder"
targets=$(for m in $modules; do grep -q "^$m/all:" Makefile && echo "$m/all"; done)
# A parallel build can race on a generated header; a second pass finishes it.
# shellcheck disable=SC2086
make -j"$(nproc)" $targets >make.log 2>&1 || make -j"$(nproc)" $targets >>make.log 2>&1

# Debian ships Wine's own fonts (Tahoma and the rest) in fonts-wine.
cp -n /usr/share/wine/fonts/* fonts/ 2>/dev/null || true
mkdir -p "$prefix/bin"
for tool in wine wineserver; do
  real="$build/loader/wine"
  [ "$tool" = wineserver ] && real="$build/server/wineserver"
  printf '#!/bin/sh\nexec "%s" "$@"\n' "$real" >"$prefix/bin/$tool"
  chmod +x "$prefix/bin/$tool"
done
