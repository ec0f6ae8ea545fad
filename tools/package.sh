#!/usr/bin/env bash
# Makes the release in dist/: Lumivale-<version>.zip (the saver, the user guide and the picture
# credits, for installing by hand) and Lumivale-<version>.msi (for double-click and msiexec).
# Installs what is missing and builds Lumivale.scr first. Two runs on the same commit give the
# same bytes: every file is dated the commit's time (or SOURCE_DATE_EPOCH).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh mingw Lumivale >/dev/null
# Version, package name and product code, made by CMake from the project's version.
source build/mingw/package/Package.env
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH TZ=UTC

mkdir -p dist
msi=dist/$LUMI_PACKAGE.msi zip=dist/$LUMI_PACKAGE.zip
bash tools/make-msi.sh "$msi" "$LUMI_VERSION" "$LUMI_PRODUCT_CODE" "$LUMI_SCR"

# The zip holds one folder; fixed names, order, modes and times, and no extra attributes.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir=$stage/$LUMI_PACKAGE
mkdir -m 755 "$dir"
install -m 644 "$LUMI_SCR" "$dir/Lumivale.scr"
install -m 644 docs/user-guide.md "$dir/USER-GUIDE.md"
install -m 644 docs/config-dialog.png "$dir/config-dialog.png"
install -m 644 pictures/CREDITS.md "$dir/CREDITS.md"
touch -d "@$SOURCE_DATE_EPOCH" "$dir" "$dir"/*
rm -f "$zip"
(cd "$stage" && zip -q -X -9 "$OLDPWD/$zip" "$LUMI_PACKAGE/" \
  "$LUMI_PACKAGE/Lumivale.scr" "$LUMI_PACKAGE/USER-GUIDE.md" "$LUMI_PACKAGE/config-dialog.png" \
  "$LUMI_PACKAGE/CREDITS.md")
sha256sum "$zip" "$msi"
