#!/usr/bin/env bash
# Configures and builds one flavour: `build.sh native` (build/native), `build.sh mingw`
# (build/mingw) or `build.sh asan` (build/asan: the native unit tests with the address and
# undefined-behaviour sanitizers); names after the flavour build just those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:?native, mingw or asan}
shift
args=()
targets=("$@")
case "$flavour" in
  native) ;;
  mingw)
    # The tool chain is read only when a tree is first configured; given again, CMake warns that
    # the variable was not used.
    [ -f build/mingw/CMakeCache.txt ] || args+=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake) ;;
  asan) args+=(-DLUMI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug); [ ${#targets[@]} -eq 0 ] && targets=(unit_tests) ;;
  *) echo "unknown flavour: $flavour (native, mingw or asan)" >&2; exit 2 ;;
esac
cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$flavour" ${targets[@]:+--target "${targets[@]}"}
