#!/usr/bin/env bash
# tools/package.sh on a built tree, signed with a throwaway root's code-signing certificate and
# unsigned: valid signatures that one changed byte breaks, no password on a command line or in an
# output, SHA256SUMS that checks, the same bytes on a second run.   release_test.sh MINGW_BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
source "$build/package/Package.env"
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
Fail() { echo "FAIL: $*" >&2; exit 1; }

openssl req -x509 -newkey rsa:2048 -noenc -keyout ca.key -out ca.pem -days 1 -subj /CN=Throwaway \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -newkey rsa:2048 -noenc -keyout sign.key -subj /CN=Tarnwell 2>/dev/null |
  openssl x509 -req -CA ca.pem -CAkey ca.key -days 1 -out sign.pem 2>/dev/null -extfile <(printf '%s\n' \
    basicConstraints=critical,CA:FALSE keyUsage=critical,digitalSignature extendedKeyUsage=codeSigning)
password=secret-$RANDOM$RANDOM && echo "$password" >password
openssl pkcs12 -export -inkey sign.key -in sign.pem -certfile ca.pem -passout file:password -out sign.pfx
# The osslsigncode that package.sh finds first keeps every command line it is given.
mkdir bin && printf '#!/bin/sh\necho "$@" >>%s/args\nexec %s "$@"\n' "$work" "$(command -v osslsigncode)" >bin/osslsigncode
chmod +x bin/osslsigncode && PATH=$work/bin:$PATH

Package() {  # Package NAME [SIGN]: the release into NAME/, signed if SIGN; the programs it holds beside
  env LUMI_BUILD_DIR="$build" LUMI_DIST="$work/$1" ${2:+LUMI_SIGN_PFX=sign.pfx LUMI_SIGN_PASSWORD_FILE=password} \
    bash "$root/tools/package.sh" >"$1.log" 2>&1 || { cat "$1.log"; Fail "package.sh for $1"; }
  (cd "$1" && sha256sum --quiet -c SHA256SUMS && [ "$(cut -c67- SHA256SUMS | sort)" = "$(ls -I SHA256SUMS)" ]) ||
    Fail "$1/SHA256SUMS does not list and match the packages"
  unzip -p "$1"/*.zip '*/Lumivale.scr' >"$1-zip.scr"
  msiextract -C "$1-msi" "$1"/*.msi >/dev/null && find "$1-msi" -name Lumivale.scr -exec mv {} "$1-msi.scr" \;
  cmp "$1-zip.scr" "$1-msi.scr" || Fail "$1: the zip and the MSI hold different programs"
}
Verify() {  # Verify FILE: signed under the throwaway root, naming the program and the maker's address
  osslsigncode verify -CAfile ca.pem "$1" >verify.out 2>&1 &&
    grep -q 'Text description: Lumivale$' verify.out && grep -qF "URL description: $LUMI_WEB_BASE" verify.out
}

Package unsigned; Package unsigned2; Package signed 1; Package signed2 1
cmp unsigned-zip.scr "$LUMI_SCR" || Fail "an unsigned release changes the program"
for run in unsigned signed; do diff -r $run ${run}2 || Fail "two $run releases differ"; done
for file in signed-zip.scr signed/*.msi; do Verify "$file" || Fail "$file: $(cat verify.out)"; done
! grep -rlF "$password" --exclude=password . || Fail "the password shows on a command line or in an output"
perl -0777 -pi -e 'substr($_, length($_) / 2, 1) ^= "\x01"' signed-zip.scr
! Verify signed-zip.scr || Fail "a changed byte keeps the program's signature valid"
echo "release: signed and unsigned packages verified"
