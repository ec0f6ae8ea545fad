#!/usr/bin/env bash
# Private bytes of a full-screen session under Wine at 1024 x 768, 1920 x 1080 and 3840 x 2160:
# before, during and after its first transition, and the large regions it then holds.
#   bash bench/session-memory.sh [EFFECT]    (default 23, the cross-fade; 5 is a wipe)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/mingw --target Lumivale session_memory >/dev/null
export LUMI_WINE_TEMPLATE=$PWD/build/mingw/wine-template
scr="Z:$(realpath build/mingw/app/Lumivale.scr | tr / '\\')"
for screen in 1024x768 1920x1080 3840x2160; do
  LUMI_SCREEN=${screen}x24 bash tools/wine-run.sh build/mingw/bench/session_memory.exe "$scr" "${1:-23}"
  echo
done
