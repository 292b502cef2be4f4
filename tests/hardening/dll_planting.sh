#!/usr/bin/env bash
# Planted DLLs: a setup folder and an uninstall folder hold a DLL under the name of every DLL
# the programs load (as Wine's trace of loaded DLLs names them). Wine is told to prefer a DLL
# found beside the program to its own for every name Windows does not take from its system
# folder whatever the search order (its KnownDLLs; Wine has no such list). Each planted DLL
# records being loaded; none may be. A control program that loads by name with the default
# search shows that the planted DLLs would be loaded otherwise.
# Runs inside the test harness (display, prefix, wineserver): usage dll_planting.sh <build>.
set -uo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine-env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
run() {  # run <folder> <program> <args...>: the program's exit code
  (cd "$1" && "$WINE" "./$2" "${@:3}" >/dev/null 2>&1); echo $?
}
uninstall_folder() {
  "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{'"$guid"'}' /v InstallLocation 2>/dev/null |
    tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}

guid=$(sed -n 's/^GuidId={\(.*\)}.*/\1/p' "$build/sample-setup/setup.ini" | tr -d '\r')
setup="$work/setup"
cp -r "$build/sample-setup" "$setup"
export ORVELIN_PLANTED_LOG
ORVELIN_PLANTED_LOG=$(winpath "$work/planted.log")

# What the programs load, with their windows up: install, then uninstall, in a clean state.
(cd "$setup" && WINEDEBUG=+loaddll "$WINE" ./install.exe /passive /setups no 2>"$work/install.trace" >/dev/null)
folder=$(uninstall_folder)
[ -n "$folder" ] || { echo "FAILED: the traced install did not complete"; exit 1; }
unix_folder=$("$WINE" winepath -u "$folder" 2>/dev/null | tr -d '\r')
(cd "$unix_folder" && WINEDEBUG=+loaddll "$WINE" ./uninstall.exe /passive 2>"$work/uninstall.trace" >/dev/null)
# Not Wine's core, which cannot be replaced by a native DLL, nor what Wine's own DLLs import
# while the process starts, before any of the program's code, where Windows' DLLs import no
# such thing: zlib1 (which Windows does not have) and version (Wine's user32 imports it,
# Windows' does not; the programs themselves never load it).
names=$(cat "$work/install.trace" "$work/uninstall.trace" | grep -o 'Loaded L"[^"]*\.dll"' |
  sed 's/.*\\\\//; s/"$//' | tr 'A-Z' 'a-z' | sort -u |
  grep -vxE 'ntdll\.dll|kernel32\.dll|kernelbase\.dll|win32u\.dll|zlib1\.dll|version\.dll')
[ -n "$names" ] || { echo "FAILED: the trace named no DLL"; exit 1; }
echo "planted under the names of: $(echo $names)"
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of Windows 10 and 11, and
# ucrtbase: Windows' system DLLs reach it through API sets, always in the system folder, where
# Wine's own DLLs import it by name while the process starts.
known='advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt
normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 ucrtbase'
is_known() { echo " $known " | tr '\n' ' ' | grep -q " ${1%.dll} "; }
searched=$(for name in $names; do is_known "$name" || echo "$name"; done)
always_system=$(for name in $names; do is_known "$name" && echo "$name"; done)
echo "searched for on Windows, so native first here: $(echo $searched)"
# Known DLLs come from the system folder whatever the search order: Wine's own here.
overrides="$(echo $searched | tr ' ' ',')=n,b;$(echo $always_system | tr ' ' ',')=b"

plant() { for name in $names; do cp "$build/bin/planted_dll.dll" "$1/$name"; done; }
planted() { [ -s "$work/planted.log" ] && iconv -f UTF-16LE -t UTF-8 < "$work/planted.log"; }

# The control: a program that does not restrict its search loads them.
control="$work/control"
mkdir -p "$control" && cp "$build/bin/load_by_name.exe" "$control/" && plant "$control"
WINEDLLOVERRIDES=$overrides run "$control" load_by_name.exe $names >/dev/null
if [ -n "$(planted)" ]; then
  echo "ok: a program searching its own folder first loads the planted DLLs ($(planted | wc -l) of them)"
else
  fail "the control loaded no planted DLL: this Wine cannot show planting"
fi
rm -f "$work/planted.log"

plant "$setup"
code=$(WINEDLLOVERRIDES=$overrides run "$setup" install.exe /passive /setups no)
[ "$code" = 0 ] || fail "install.exe with planted DLLs ended with $code"
if [ -n "$(planted)" ]; then fail "install.exe loaded planted DLLs:"; planted; else echo "ok: install.exe loaded no planted DLL"; fi

folder=$(uninstall_folder)
unix_folder=$("$WINE" winepath -u "$folder" 2>/dev/null | tr -d '\r')
if [ -d "$unix_folder" ]; then
  plant "$unix_folder"
  rm -f "$work/planted.log"
  code=$(WINEDLLOVERRIDES=$overrides run "$unix_folder" uninstall.exe /passive)
  [ "$code" = 0 ] || fail "uninstall.exe with planted DLLs ended with $code"
  if [ -n "$(planted)" ]; then fail "uninstall.exe loaded planted DLLs:"; planted; else echo "ok: uninstall.exe loaded no planted DLL"; fi
  for name in $names; do rm -f "$unix_folder/$name"; done
else
  fail "the install with planted DLLs left no uninstall folder"
fi
exit $failed
