#!/usr/bin/env bash
# Installs what building and testing Lumivale needs on Debian 12 (as root); quick when all is there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev libstb-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nasm dpkg-dev
  wine wine64 xvfb xauth imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then echo "missing packages (run as root): ${missing[*]}" >&2; exit 1; fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
