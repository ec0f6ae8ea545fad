#!/usr/bin/env bash
# Builds Lumivale's Windows Installer package from package/Lumivale.wxs with wixl, byte for byte
# the same on every run for the same inputs.
#   make-msi.sh OUT.msi VERSION PRODUCT_CODE LUMIVALE_SCR
# SOURCE_DATE_EPOCH (seconds) dates the package and the file inside it; default 1980-01-01.
set -euo pipefail
out=$1 version=$2 productCode=$3 scr=$4
root=$(cd "$(dirname "$0")/.." && pwd)
epoch=${SOURCE_DATE_EPOCH:-315532800}
export TZ=UTC

# The package code names this exact package: it follows the version and the file's contents.
hash=$( (echo "$version"; sha256sum <"$scr") | sha256sum | tr a-f A-F)
packageCode="{${hash:0:8}-${hash:8:4}-5${hash:13:3}-8${hash:17:3}-${hash:20:12}}"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The cabinet records the file's modification time; wixl stamps the package with the clock, which
# faketime -f stops at that date (plain faketime starts it there and lets it run, so a package
# that took over a second to make carried a later time).
install -m 644 "$scr" "$stage/Lumivale.scr"
install -m 644 "$root/pictures/Lumivale.ico" "$stage/Lumivale.ico"
touch -d "@$epoch" "$stage/Lumivale.scr" "$stage/Lumivale.ico"
(cd "$stage" && faketime -f "$(date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" \
  wixl -a x64 -D Version="$version" -D ProductCode="$productCode" \
       -D ScrFile=Lumivale.scr -D IconFile=Lumivale.ico -o package.msi "$root/package/Lumivale.wxs")
# wixl leaves the file's version out and gives the package a random code: set both. The version
# lets Windows Installer replace an unversioned copy that a user installed by hand.
msibuild "$stage/package.msi" \
  -q "UPDATE \`File\` SET \`Version\` = '$version.0' WHERE \`File\` = 'LumivaleScr'" \
  -s "Lumivale photo screen saver" Tarnwell "x64;1033" "$packageCode"
mkdir -p "$(dirname "$out")"
mv "$stage/package.msi" "$out"
