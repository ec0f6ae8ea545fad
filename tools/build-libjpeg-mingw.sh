#!/usr/bin/env bash
# Builds libjpeg-turbo for MinGW-w64 (static, SIMD with nasm) from Debian's own source package.
# Usage: build-libjpeg-mingw.sh CACHE_DIR   -> CACHE_DIR/install/{include,lib/libjpeg.a}
# A second call with the same CACHE_DIR finds the installed library and does nothing.
set -euo pipefail
cache=$(realpath -m "$1")
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$cache/install/lib/libjpeg.a" ] && exit 0
mkdir -p "$cache"
cd "$cache"
src=$(ls -d libjpeg-turbo-*/ 2>/dev/null | head -n1 || true)
if [ -z "$src" ]; then
  if ! apt-get source --only-source -qq libjpeg-turbo >/dev/null 2>&1; then
    [ "$(id -u)" = 0 ] || { echo "apt-get source libjpeg-turbo failed; run tools/setup.sh as root" >&2; exit 1; }
    bash "$here/add-deb-src.sh"
    apt-get source --only-source -qq libjpeg-turbo >/dev/null
  fi
  src=$(ls -d libjpeg-turbo-*/ | head -n1)
fi
rm -rf build
cmake -S "$src" -B build -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/install" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF \
  -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
# The library alone, not its command-line tools: the library and its four public headers are
# all that is installed.
cmake --build build --target jpeg-static >/dev/null
mkdir -p install/lib install/include
cp build/libjpeg.a install/lib/
cp build/jconfig.h "$src"/{jerror.h,jmorecfg.h,jpeglib.h} install/include/
