#!/usr/bin/env bash
# Configures and builds one flavour: `build.sh native` (build/native) or `build.sh mingw` (build/mingw);
# names after the flavour build just those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:?native or mingw}
args=()
[ "$flavour" = mingw ] && args+=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$flavour" ${2:+--target "${@:2}"}
