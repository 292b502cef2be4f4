#!/usr/bin/env bash
# `make demo`: installs the sample product from its setup folder under Wine, shows what landed
# where, uninstalls it again and shows what is left.
#
#   ORVELIN_DEMO_INTERACTIVE=1  you click through both programs yourself (needs a display);
#                               the default when DISPLAY is set. =0 forces the automatic run.
#   ORVELIN_SCREENSHOTS=1       automatic run that also saves both windows, in English and in
#                               Arabic (user locale from LC_ALL=ar_SA.UTF-8), and the installer
#                               in both at 144 DPI, to docs/screenshots/.
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

setup_win='C:\OrvelinSetup'
setup_unix=$drive_c/OrvelinSetup
# The shipped programs are 32-bit; where this machine cannot run 32-bit code the demo runs the
# 64-bit build of the same sources, which sees the 64-bit registry view and program files.
if [ "$ORVELIN_ARCH" = i686 ]; then reg_view=/reg:32 view_name=32-bit; else reg_view=/reg:64 view_name=64-bit; fi

unix_path() { local p=${1//\\//}; printf '%s' "$drive_c/${p#C:/}"; }

# Where an install of the sample puts things on this machine, as the programs work it out.
learn_places() {
  local line name value
  application_folders=()
  while IFS= read -r line; do
    line=${line%$'\r'}
    name=${line%%=*} value=${line#*=}
    case $name in
      guid) guid=$value ;;
      uninstall_key) uninstall_key=$value ;;
      user_key) user_key=$value ;;
      uninstall_folder) uninstall_win=$value uninstall_unix=$(unix_path "$value") ;;
      installer_bin) installer_bin=$(unix_path "$value") ;;
      group_folder) group_unix=$(unix_path "$value") ;;
      group_shortcut) group_link=$(unix_path "$value") ;;
      desktop_shortcut) desktop_link=$(unix_path "$value") ;;
      application_folder) application_folders+=("$(unix_path "$value")") ;;
    esac
  done < <("$WINE" "$bin/demo_driver.exe" where "$(windows_path "$built_setup")" 2>/dev/null)
  [ -n "${guid:-}" ] && [ -n "${uninstall_key:-}" ] || fail "the sample's setup.ini names no GUID or program"
}

wine_quiet() { "$WINE" "$@" 2>/dev/null; }
key_exists() { wine_quiet reg query "$uninstall_key" "$reg_view" >/dev/null; }

# Whatever an earlier, interrupted demo left would make the installer refuse.
remove_leftovers() {
  wine_quiet reg delete "$uninstall_key" /f "$reg_view" >/dev/null || true
  wine_quiet reg delete "$user_key" /f >/dev/null || true
  rm -rf "${application_folders[@]}" "$uninstall_unix" "$group_unix" "$desktop_link" "$setup_unix"
}

show_files() {
  local folders=("${application_folders[@]}" "$uninstall_unix") folder any=0
  for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    any=1
    echo "  ${folder#$drive_c/}"
    (cd "$folder" && find . -mindepth 1 | sort | sed 's|^\./|      |')
  done
  [ "$any" = 1 ] || echo "  (none of the application's folders)"
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

install_and_uninstall() {   # label; screenshot suffix (empty: none); windows to take (default both)
  local label=$1 suffix=${2:-} windows=${3:-install uninstall} shot_install= shot_uninstall=
  if [ -n "$suffix" ]; then
    mkdir -p "$root/docs/screenshots"
    [[ " $windows " == *" install "* ]] && shot_install=$(windows_path "$root/docs/screenshots/install-$suffix.png")
    [[ " $windows " == *" uninstall "* ]] && shot_uninstall=$(windows_path "$root/docs/screenshots/uninstall-$suffix.png")
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
  show_shortcut "$group_link"
  show_shortcut "$desktop_link"
  echo "Uninstall key ($view_name registry view):"
  show_key
  echo "Setup programs that ran:"
  cat "$setup_unix"/FILES/*/*/*/setup-runs.log 2>/dev/null | tr -d '\r' | sed 's/^/  /' || true
  compgen -G "$setup_unix/FILES/*/*/*/setup-runs.log" >/dev/null || echo "  none"

  bold "$label: uninstalling ($uninstall_win\\uninstall.exe)"
  start=$(date +%s.%N)
  run_program uninstall "$uninstall_win" "$shot_uninstall" ||
    fail "the uninstall did not succeed"
  uninstall_seconds=$(seconds_since "$start")
  if key_exists; then fail "the Uninstall key is still there"; fi

  bold "$label: what is left"
  echo "Files:"
  show_files
  echo "Shortcuts:"
  show_shortcut "$group_link"
  show_shortcut "$desktop_link"
  echo "Uninstall key:"
  show_key
  printf '\n%s took %s s to install and %s s to uninstall (wall time, including the clicks)\n' \
    "$label" "$install_seconds" "$uninstall_seconds"
}

# As a deployment tool runs the programs: no window at all, exit codes read, logs kept.
unattended_round_trip() {
  local log_win='C:\OrvelinSetup\install.log' log_unix=$setup_unix/install.log code
  bold "Unattended: install.exe /quiet /log $log_win, as a deployment tool runs it"
  remove_leftovers
  cp -r "$built_setup" "$setup_unix" || fail "cannot copy the setup folder"
  "$WINE" "$bin/demo_driver.exe" run "$setup_win" install.exe /quiet /log "$log_win" 2>/dev/null ||
    fail "the quiet install did not succeed"
  key_exists || fail "no Uninstall key after the quiet install"
  echo "  the log, $(wc -l < "$log_unix") lines; its first and last:"
  sed -n '1,2p;$p' "$log_unix" | sed 's/^\xEF\xBB\xBF//; s/^/    /'
  echo "Uninstall key, as Windows' list of programs and detection rules read it:"
  show_key

  bold "Unattended: install.exe /quiet again: already installed"
  "$WINE" "$bin/demo_driver.exe" run "$setup_win" install.exe /quiet 2>/dev/null && fail "a second install succeeded"
  bold "Unattended: uninstall.exe /quiet"
  "$WINE" "$bin/demo_driver.exe" run "$uninstall_win" uninstall.exe /quiet 2>/dev/null ||
    fail "the quiet uninstall did not succeed"
  if key_exists; then fail "the Uninstall key is still there"; fi
  bold "Unattended: install.exe /bogus: a bad command line"
  "$WINE" "$bin/demo_driver.exe" run "$setup_win" install.exe /quiet /bogus 2>/dev/null && fail "a bad command line ran"
  rm -rf "$setup_unix"
  return 0
}

harness_start
trap harness_stop EXIT
learn_places
echo "demo: $ORVELIN_ARCH programs, Wine prefix $WINEPREFIX, display $DISPLAY ($([ "$interactive" = 1 ] && echo "you drive" || echo "driven by demo_driver.exe"))"

if [ "$screenshots" = 1 ]; then
  use_own_desktop
  trap 'drop_own_desktop; harness_stop' EXIT
  export LC_ALL=C.UTF-8
  install_and_uninstall "English" en
  export LC_ALL=ar_SA.UTF-8
  install_and_uninstall "Arabic" ar
  # The installer once more in both languages on a display at 150 % (144 DPI).
  previous_dpi=$(harness_get_dpi)
  trap 'harness_set_dpi "$previous_dpi"; drop_own_desktop; harness_stop' EXIT
  harness_set_dpi 144
  export LC_ALL=C.UTF-8
  install_and_uninstall "English at 144 DPI" en-144dpi install
  export LC_ALL=ar_SA.UTF-8
  install_and_uninstall "Arabic at 144 DPI" ar-144dpi install
  harness_set_dpi "$previous_dpi"
  rm -rf "$setup_unix"
  bold "screenshots"
  ls -1 "$root"/docs/screenshots/*.png | sed "s|^$root/|  |"
else
  install_and_uninstall "Sample"
  unattended_round_trip
fi
echo
echo "demo: done"
