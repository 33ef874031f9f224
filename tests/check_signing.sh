#!/usr/bin/env bash
# Signing as whoever ships Norvane would do it, with a throwaway self-signed
# certificate made here: the build's signing step on copies of the shipped
# programs and the samples, and the build's setup command, which signs the
# uninstaller and the setup. Every signature must verify against that
# certificate. The uninstaller exists only once the setup writes it: the
# 64-bit setup installs into a scratch folder under Wine and uninstalls
# again.
# Usage: check_signing.sh SOURCE_DIR MAKE_SETUP WINE_EXEC X86_BIN X64_BIN
set -euo pipefail
source_dir=$1 make_setup=$2 wine_exec=$3 x86=$4 x64=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Norvane signing test" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export NORVANE_SIGN_PASS="pass $RANDOM"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
  -passout env:NORVANE_SIGN_PASS
export NORVANE_SIGN_PFX="$work/sign.pfx"

status=0
verify() {
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; then
    echo "ok: $(basename "$1") is signed"
  else
    echo "FAIL: $1 carries no valid signature"
    status=1
  fi
}

mkdir "$work/x86" "$work/x64"
cp "$x86/Norvane.exe" "$x86/_Norvane.scr" "$work/x86/"
cp "$x64/Norvane.exe" "$x64/_Norvane.scr" "$x64/savers/Starfield.scr" "$x64/savers/Aurora.scr" \
  "$work/x64/"
"$source_dir/scripts/sign" "$work"/x86/* "$work"/x64/*
for f in "$work"/x86/* "$work"/x64/*; do verify "$f"; done

"$make_setup" "$work/NorvaneSetup.exe" >/dev/null
verify "$work/NorvaneSetup.exe"
"$make_setup" "$work/NorvaneSetup64.exe" -DAMD64_STUB >/dev/null
verify "$work/NorvaneSetup64.exe"

folder="$work/installed"
"$wine_exec" "$work/NorvaneSetup64.exe" /S "/D=Z:${folder//\//\\}" >/dev/null 2>&1 || true
if [ -f "$folder/Uninstall.exe" ]; then
  verify "$folder/Uninstall.exe"
  "$wine_exec" "$folder/Uninstall.exe" /S "_?=Z:${folder//\//\\}" >/dev/null 2>&1 || true
else
  echo "FAIL: the signed setup wrote no uninstaller"
  status=1
fi
exit $status
