#!/usr/bin/env bash
# `make release` with a throwaway self-signed certificate: every shipped file comes out signed
# and verifies against that certificate; without a certificate the files come out unsigned and
# the script says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Orvelin test signing/O=ORVELIN EST KSA" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

ORVELIN_SIGN_CERT=$work/cert.pem ORVELIN_SIGN_KEY=$work/key.pem ORVELIN_RELEASE_DIR=$work/signed \
  bash "$root/tools/release.sh" > "$work/signed.txt"
failed=0
for file in install.exe install.ARA uninstall.exe uninstall.ARA catalog.exe; do
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed/$file" > "$work/verify.txt" 2>&1 &&
     grep -q "Signature verification: ok" "$work/verify.txt"; then
    echo "ok: $file is signed and verifies"
  else
    echo "FAILED: $file does not verify"; cat "$work/verify.txt"; failed=1
  fi
done

ORVELIN_RELEASE_DIR=$work/unsigned bash "$root/tools/release.sh" > "$work/unsigned.txt"
if grep -q "NOT signed" "$work/unsigned.txt" && [ -f "$work/unsigned/install.exe" ] &&
   ! osslsigncode verify -in "$work/unsigned/install.exe" >/dev/null 2>&1; then
  echo "ok: without a certificate the programs come out unsigned, and the script says so"
else
  echo "FAILED: the unsigned release"; cat "$work/unsigned.txt"; failed=1
fi
exit $failed
