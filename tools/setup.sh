#!/usr/bin/env bash
# Installs what building and testing Lumivale needs on Debian 12 (as root); quick when all is there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev libstb-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nasm dpkg-dev
  wine wine64 xvfb xauth imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  wixl msitools faketime zip unzip osslsigncode openssl xdotool
)
bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
