#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: when all is in place it returns in well under a second.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/.deps"
pugixml_dir="$deps/pugixml"

# fonts-wine: Wine's Tahoma and Marlett, which the harness gives every prefix (a recommendation of
# wine's, left out by --no-install-recommends).
packages=(wine wine64 wine32:i386 fonts-wine g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          xvfb xauth cmake ninja-build googletest liblnk-utils osslsigncode openssl)

have_all() {
  command -v i686-w64-mingw32-g++-posix >/dev/null &&
  command -v x86_64-w64-mingw32-g++-posix >/dev/null &&
  command -v wine >/dev/null && command -v Xvfb >/dev/null &&
  command -v cmake >/dev/null && command -v ninja >/dev/null &&
  command -v lnkinfo >/dev/null && command -v osslsigncode >/dev/null && command -v openssl >/dev/null &&
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed' &&
  [ -f /usr/share/wine/fonts/tahoma.ttf ] &&
  [ -d /usr/src/googletest/googletest ]
}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

apt_update() {
  # A mirror caught mid-sync makes one index fail; apt then keeps going with the rest,
  # which is all this script needs, so the exit code is not trusted either way.
  as_root apt-get update -q >/dev/null 2>&1 || true
}

install_packages() {
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  apt_update
  if as_root apt-get install -y -q --no-install-recommends "${packages[@]}"; then
    return 0
  fi
  # When the security suite's i386 index could not be read, amd64 libraries from that suite
  # have no i386 twin of the same version. Prefer the main suite and let apt step back.
  echo "bootstrap: retrying with the security suite pinned low" >&2
  as_root tee /etc/apt/preferences.d/99-orvelin-security-low >/dev/null <<'PIN'
Package: *
Pin: release l=Debian-Security
Pin-Priority: 100
PIN
  apt_update
  # Installed multi-arch libraries whose version exists only in the security suite must be
  # named with their main-suite version, or apt will not step them back.
  local stepback=()
  while read -r pkg ver; do
    local main
    main=$(apt-cache madison "$pkg" 2>/dev/null | awk -F'|' '$3 !~ /security/ {gsub(/ /,"",$2); print $2; exit}')
    if [ -n "$main" ] && [ "$main" != "$ver" ] &&
       ! apt-cache madison "$pkg" | awk -F'|' '$3 !~ /security/ {gsub(/ /,"",$2); print $2}' | grep -qx "$ver"; then
      stepback+=("$pkg=$main")
    fi
  done < <(dpkg-query -W -f='${Package}:${Architecture} ${Version} ${Multi-Arch}\n' |
           awk '$3 == "same" && $1 ~ /:amd64$/ {sub(/:amd64$/, "", $1); print $1, $2}')
  as_root apt-get install -y -q --no-install-recommends --allow-downgrades "${packages[@]}" "${stepback[@]}"
}

fetch_pugixml() {
  [ -f "$pugixml_dir/src/pugixml.cpp" ] && return 0
  # Source entries are switched on in the machine's own apt source definition.
  local list=/etc/apt/sources.list.d/debian.sources
  if [ -f "$list" ] && ! grep -q 'deb-src' "$list"; then
    as_root sed -i 's/^Types: deb$/Types: deb deb-src/' "$list"
    apt_update
  elif [ ! -f "$list" ] && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    as_root sed -i 's/^deb \(.*\)$/deb \1\ndeb-src \1/' /etc/apt/sources.list
    apt_update
  fi
  local tmp
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source --download-only -q pugixml >/dev/null)
  mkdir -p "$pugixml_dir"
  tar -xzf "$tmp"/pugixml_*.orig.tar.gz -C "$pugixml_dir" --strip-components=1
  rm -rf "$tmp"
  [ -f "$pugixml_dir/src/pugixml.cpp" ]
}


if ! have_all; then
  install_packages
fi
fetch_pugixml
