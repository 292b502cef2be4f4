#!/usr/bin/env bash
# `make release`: the shipped 32-bit programs (the installer, the uninstaller and the catalogue
# tool) and the Arabic modules, signed when a certificate is given, in one folder.
#
#   ORVELIN_SIGN_CERT      the code-signing certificate (PEM)
#   ORVELIN_SIGN_KEY       its private key (PEM)
#   ORVELIN_TIMESTAMP_URL  a timestamp server (RFC 3161), optional
#   ORVELIN_RELEASE_DIR    where the programs go; default <build>/release
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVELIN_BUILD:-$root/build}
bash "$root/tools/configure-build.sh" "$build"
if [ "$(bash "$root/tools/test-arch.sh")" = i686 ]; then shipped=$build/bin; else shipped=$build/shipped-i686/bin; fi
out=${ORVELIN_RELEASE_DIR:-$build/release}
rm -rf "$out"
mkdir -p "$out"

files=(install.exe install.ARA uninstall.exe uninstall.ARA catalog.exe)
cert=${ORVELIN_SIGN_CERT:-} key=${ORVELIN_SIGN_KEY:-} timestamp=${ORVELIN_TIMESTAMP_URL:-}
if [ -z "$cert" ] || [ -z "$key" ]; then
  for file in "${files[@]}"; do cp "$shipped/$file" "$out/"; done
  echo "release: no certificate given (ORVELIN_SIGN_CERT and ORVELIN_SIGN_KEY): the programs in $out are NOT signed"
  exit 0
fi
for file in "${files[@]}"; do
  osslsigncode sign -certs "$cert" -key "$key" -h sha256 -n "Orvelin" ${timestamp:+-ts "$timestamp"} \
    -in "$shipped/$file" -out "$out/$file" >/dev/null
  echo "release: signed $out/$file${timestamp:+ (timestamped by $timestamp)}"
done
