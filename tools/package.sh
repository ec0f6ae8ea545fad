#!/usr/bin/env bash
# Makes the release in dist/: Lumivale-<version>.zip (the saver, the user guide and the picture
# credits, for installing by hand), Lumivale-<version>.msi (for double-click and msiexec) and
# SHA256SUMS listing both (`cd dist && sha256sum -c SHA256SUMS`). Installs what is missing and
# builds Lumivale.scr first. Two runs on the same commit give the same bytes: every file is dated
# the commit's time (or SOURCE_DATE_EPOCH).
#
# Signing, when a code-signing certificate is given:
#   LUMI_SIGN_PFX            PKCS#12 file with the signing key and its certificate chain
#   LUMI_SIGN_PASSWORD_FILE  file holding that file's password (it never goes on a command line)
#   LUMI_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping service
# Lumivale.scr is then signed (Authenticode, SHA-256) before it goes into the zip and the MSI,
# and the MSI is signed in turn. Without the first two the packages are unsigned.
# Also: LUMI_BUILD_DIR, a MinGW tree where Lumivale is already built (then nothing is installed
# or built), and LUMI_DIST, the folder for the packages.
set -euo pipefail
for var in LUMI_SIGN_PFX LUMI_SIGN_PASSWORD_FILE LUMI_BUILD_DIR LUMI_DIST; do
  if [ -n "${!var:-}" ]; then declare "$var=$(realpath -m -- "${!var}")"; fi
done
cd "$(dirname "$0")/.."
signing=
if [ -n "${LUMI_SIGN_PFX:-}${LUMI_SIGN_PASSWORD_FILE:-}" ]; then
  [ -n "${LUMI_SIGN_PFX:-}" ] && [ -n "${LUMI_SIGN_PASSWORD_FILE:-}" ] ||
    { echo "package.sh: signing needs both LUMI_SIGN_PFX and LUMI_SIGN_PASSWORD_FILE" >&2; exit 2; }
  signing=1
fi
build=${LUMI_BUILD_DIR:-build/mingw}
if [ -z "${LUMI_BUILD_DIR:-}" ]; then
  bash tools/setup.sh
  bash tools/build.sh mingw Lumivale >/dev/null
fi
# Version, package name, product code and the maker's web address, made by CMake.
source "$build/package/Package.env"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH TZ=UTC

# The signature carries the program's name and the maker's address. Without a time stamp its
# signing time is the release's date, not the clock's, so that it is the same on every run with
# the same key (an RSA signature has no random part). A time stamp is the service's own signed
# statement of the moment: the signing time is then the clock's, and each run's bytes differ.
Sign() {  # Sign IN OUT
  local when=(-time "$SOURCE_DATE_EPOCH")
  [ -n "${LUMI_SIGN_TIMESTAMP_URL:-}" ] && when=(-ts "$LUMI_SIGN_TIMESTAMP_URL")
  osslsigncode sign -pkcs12 "$LUMI_SIGN_PFX" -readpass "$LUMI_SIGN_PASSWORD_FILE" -h sha256 \
    -n Lumivale -i "$LUMI_WEB_BASE" "${when[@]}" -in "$1" -out "$2" >/dev/null
}

dist=${LUMI_DIST:-$PWD/dist}
mkdir -p "$dist"
msi=$LUMI_PACKAGE.msi zip=$LUMI_PACKAGE.zip
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
scr=$stage/Lumivale.scr
if [ -n "$signing" ]; then
  Sign "$LUMI_SCR" "$scr"
  bash tools/make-msi.sh "$stage/unsigned.msi" "$LUMI_VERSION" "$LUMI_PRODUCT_CODE" "$scr"
  Sign "$stage/unsigned.msi" "$dist/$msi"
else
  cp "$LUMI_SCR" "$scr"
  bash tools/make-msi.sh "$dist/$msi" "$LUMI_VERSION" "$LUMI_PRODUCT_CODE" "$scr"
fi

# The zip holds one folder; fixed names, order, modes and times, and no extra attributes.
dir=$stage/$LUMI_PACKAGE
mkdir -m 755 "$dir"
install -m 644 "$scr" "$dir/Lumivale.scr"
install -m 644 docs/user-guide.md "$dir/USER-GUIDE.md"
install -m 644 docs/config-dialog.png "$dir/config-dialog.png"
install -m 644 pictures/CREDITS.md "$dir/CREDITS.md"
touch -d "@$SOURCE_DATE_EPOCH" "$dir" "$dir"/*
rm -f "$dist/$zip"
(cd "$stage" && zip -q -X -9 "$dist/$zip" "$LUMI_PACKAGE/" \
  "$LUMI_PACKAGE/Lumivale.scr" "$LUMI_PACKAGE/USER-GUIDE.md" "$LUMI_PACKAGE/config-dialog.png" \
  "$LUMI_PACKAGE/CREDITS.md")
(cd "$dist" && sha256sum "$zip" "$msi" >SHA256SUMS && cat SHA256SUMS)
