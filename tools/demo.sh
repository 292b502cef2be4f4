#!/usr/bin/env bash
# `make demo`: installs the sample product from its setup folder under Wine, shows what landed
# where, uninstalls it again and shows what is left.
#
#   ORVELIN_DEMO_INTERACTIVE=1  you click through both programs yourself (needs a display);
#                               the default when DISPLAY is set. =0 forces the automatic run.
#   ORVELIN_SCREENSHOTS=1       automatic run that also saves both windows, in English and in
#                               Arabic (user locale from LC_ALL=ar_SA.UTF-8), to docs/screenshots/.
#
# Without a display the run is automatic under Xvfb, driven by demo_driver.exe. Exits non-zero
# as soon as a step fails.
set -uo pipefail
source "$(dirname "$0")/harness.sh"

root=$orvelin_root
bin=$ORVELIN_BUILD/bin
built_setup=$ORVELIN_BUILD/sample-setup
drive_c=$WINEPREFIX/drive_c
screenshots=${ORVELIN_SCREENSHOTS:-0}

bold() { printf '\n\033[1m== %s\033[0m\n' "$*"; }
fail() { printf '\ndemo: %s\n' "$*" >&2; exit 1; }
ini_value() { sed -n "s/^$1=\\(.*\\)\\r\\?\$/\\1/p" "$built_setup/setup.ini" | tr -d '\r' | head -n 1; }
windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
seconds_since() { awk -v s="$1" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }'; }

for needed in "$built_setup/install.exe" "$bin/demo_driver.exe"; do
  [ -f "$needed" ] || fail "$needed is missing: build first (make build)"
done

if [ "$screenshots" = 1 ]; then
  interactive=0
elif [ -n "${ORVELIN_DEMO_INTERACTIVE:-}" ]; then
  interactive=$ORVELIN_DEMO_INTERACTIVE
elif [ -n "${DISPLAY:-}" ]; then
  interactive=1
else
  interactive=0
fi
if [ "$interactive" = 1 ] && [ -z "${DISPLAY:-}" ]; then
  fail "ORVELIN_DEMO_INTERACTIVE=1 needs a display (DISPLAY is not set)"
fi
[ "$interactive" = 1 ] || export ORVELIN_FORCE_XVFB=${ORVELIN_FORCE_XVFB:-$([ -n "${DISPLAY:-}" ] && echo 0 || echo 1)}

guid=$(ini_value GuidId)
exe_name=$(ini_value ApplicExeName)
app=${exe_name%.*}
display_name=$(ini_value DisplayName)
shortcut_name=$(ini_value DskTopShortCutName)
[ -n "$guid" ] && [ -n "$app" ] || fail "the sample's setup.ini names no GUID or program"

setup_win='C:\OrvelinSetup'
# The shipped programs are 32-bit; where this machine cannot run 32-bit code the demo runs the
# 64-bit build of the same sources, which sees the 64-bit registry view and program files.
if [ "$ORVELIN_ARCH" = i686 ]; then
  reg_view=/reg:32 view_name=32-bit installer_bin="$drive_c/Program Files (x86)/ORVELIN/install/Bin"
else
  reg_view=/reg:64 view_name=64-bit installer_bin="$drive_c/Program Files/ORVELIN/install/Bin"
fi
setup_unix=$drive_c/OrvelinSetup
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$guid"
uninstall_unix=$drive_c/ProgramData/ORVELIN/install/$guid
group_unix="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ORVELIN/$display_name"
desktop_link="$drive_c/users/Public/Desktop/$shortcut_name.LNK"
application_folders=("$drive_c/Program Files (x86)/ORVELIN/$app" "$drive_c/Program Files/ORVELIN/$app"
                     "$drive_c/ProgramData/ORVELIN/$app")

wine_quiet() { "$WINE" "$@" 2>/dev/null; }
key_exists() { wine_quiet reg query "$uninstall_key" "$reg_view" >/dev/null; }
roaming_folders() { compgen -G "$drive_c/users/*/AppData/Roaming/ORVELIN/$app" || true; }

# Whatever an earlier, interrupted demo left would make the installer refuse.
remove_leftovers() {
  wine_quiet reg delete "$uninstall_key" /f "$reg_view" >/dev/null || true
  wine_quiet reg delete "HKCU\\Software\\ORVELIN\\$app" /f >/dev/null || true
  local folder
  while IFS= read -r folder; do rm -rf "$folder"; done < <(roaming_folders)
  rm -rf "${application_folders[@]}" "$uninstall_unix" "$group_unix" "$desktop_link" "$setup_unix"
}

show_files() {
  local folders=("${application_folders[@]}") folder any=0
  mapfile -t -O "${#folders[@]}" folders < <(roaming_folders)
  folders+=("$uninstall_unix")
  for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    any=1
    echo "  ${folder#$drive_c/}"
    (cd "$folder" && find . -mindepth 1 | sort | sed 's|^\./|      |')
  done
  [ "$any" = 1 ] || echo "  (no ORVELIN folder of $app)"
}

show_shortcut() {
  local link=$1
  if [ ! -f "$link" ]; then
    echo "  ${link#$drive_c/}: none"
    return
  fi
  echo "  ${link#$drive_c/}"
  lnkinfo "$link" 2>/dev/null | grep -E 'Local path|Working directory' | tr -s '\t ' ' ' |
    sed 's/^ */      /' || echo "      (lnkinfo could not read it)"
}

show_key() {
  if key_exists; then
    wine_quiet reg query "$uninstall_key" "$reg_view" | tr -d '\r' | sed '/^$/d; s/^/  /'
  else
    echo "  ${uninstall_key}: none"
  fi
}

run_program() {   # what: install|uninstall; folder (Windows); screenshot (Windows path or empty)
  local what=$1 folder=$2 shot=${3:-}
  if [ "$interactive" = 1 ]; then
    echo "  $what.exe is open on $DISPLAY: please go through it (the demo waits)"
    "$WINE" "$folder\\$what.exe" 2>/dev/null
    return 0
  fi
  if [ -n "$shot" ]; then "$WINE" "$bin/demo_driver.exe" "$what" "$folder" "$shot" 2>/dev/null
  else "$WINE" "$bin/demo_driver.exe" "$what" "$folder" 2>/dev/null; fi
}

# This Wine does not always find its own fonts (Debian's fonts-wine): without Tahoma the
# dialogs fall back to a wider font and lose their right-hand controls. The prefix gets copies.
provide_wine_fonts() {
  local fonts=$drive_c/windows/Fonts name
  for name in tahoma.ttf tahomabd.ttf marlett.ttf; do
    if [ ! -f "$fonts/$name" ] && [ -f "/usr/share/wine/fonts/$name" ]; then
      cp "/usr/share/wine/fonts/$name" "$fonts/"
    fi
  done
}

# Without a window manager (Xvfb) nothing draws the title bars; on a desktop of its own Wine
# draws them itself, so the screenshots show whole windows.
use_own_desktop() {
  wine_quiet reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d OrvelinDemo /f >/dev/null
  wine_quiet reg add 'HKCU\Software\Wine\Explorer\Desktops' /v OrvelinDemo /d 1024x768 /f >/dev/null
}
drop_own_desktop() {
  wine_quiet reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null || true
  wine_quiet reg delete 'HKCU\Software\Wine\Explorer\Desktops' /v OrvelinDemo /f >/dev/null || true
}

install_and_uninstall() {   # label; screenshot suffix (empty: none)
  local label=$1 suffix=${2:-} shot_install= shot_uninstall=
  if [ -n "$suffix" ]; then
    mkdir -p "$root/docs/screenshots"
    shot_install=$(windows_path "$root/docs/screenshots/install-$suffix.png")
    shot_uninstall=$(windows_path "$root/docs/screenshots/uninstall-$suffix.png")
  fi

  bold "$label: copying the sample setup folder to $setup_win"
  remove_leftovers
  cp -r "$built_setup" "$setup_unix" || fail "cannot copy the setup folder"
  # The installer's message dictionary ships with it into its own Bin folder.
  mkdir -p "$installer_bin"
  cp "$ORVELIN_BUILD/sample-dictionary/MsgFile.XML" "$installer_bin/"
  (cd "$setup_unix" && find . -mindepth 1 | sort | sed 's|^\./|      |')

  bold "$label: installing ($setup_win\\install.exe)"
  local start
  start=$(date +%s.%N)
  run_program install "$setup_win" "$shot_install" || fail "the install did not succeed"
  install_seconds=$(seconds_since "$start")
  key_exists || fail "no Uninstall key after the install"

  bold "$label: what was installed"
  echo "Files:"
  show_files
  echo "Shortcuts:"
  show_shortcut "$group_unix/$shortcut_name.LNK"
  show_shortcut "$desktop_link"
  echo "Uninstall key ($view_name registry view):"
  show_key
  echo "Setup programs that ran:"
  cat "$setup_unix"/FILES/*/*/*/setup-runs.log 2>/dev/null | tr -d '\r' | sed 's/^/  /' || true
  compgen -G "$setup_unix/FILES/*/*/*/setup-runs.log" >/dev/null || echo "  none"

  bold "$label: uninstalling (C:\\ProgramData\\ORVELIN\\install\\$guid\\uninstall.exe)"
  start=$(date +%s.%N)
  run_program uninstall "C:\\ProgramData\\ORVELIN\\install\\$guid" "$shot_uninstall" ||
    fail "the uninstall did not succeed"
  uninstall_seconds=$(seconds_since "$start")
  if key_exists; then fail "the Uninstall key is still there"; fi

  bold "$label: what is left"
  echo "Files:"
  show_files
  echo "Shortcuts:"
  show_shortcut "$group_unix/$shortcut_name.LNK"
  show_shortcut "$desktop_link"
  echo "Uninstall key:"
  show_key
  printf '\n%s took %s s to install and %s s to uninstall (wall time, including the clicks)\n' \
    "$label" "$install_seconds" "$uninstall_seconds"
}

harness_start
trap harness_stop EXIT
provide_wine_fonts
echo "demo: $ORVELIN_ARCH programs, Wine prefix $WINEPREFIX, display $DISPLAY ($([ "$interactive" = 1 ] && echo "you drive" || echo "driven by demo_driver.exe"))"

if [ "$screenshots" = 1 ]; then
  use_own_desktop
  trap 'drop_own_desktop; harness_stop' EXIT
  export LC_ALL=C.UTF-8
  install_and_uninstall "English" en
  export LC_ALL=ar_SA.UTF-8
  install_and_uninstall "Arabic" ar
  rm -rf "$setup_unix"
  bold "screenshots"
  ls -1 "$root"/docs/screenshots/*.png | sed "s|^$root/|  |"
else
  install_and_uninstall "Sample"
fi
echo
echo "demo: done"
