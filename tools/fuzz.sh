#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build/fuzz) and runs one for a given time from its seed
# corpus in fuzz/corpus/TARGET: `fuzz.sh TARGET SECONDS [libFuzzer options...]`, TARGET one of
# page_reader, picture_pipeline, jpeg_header, command_line, registry_value. What it finds goes to
# build/fuzz/findings/TARGET (crash-* files); the corpus it grows to build/fuzz/corpus/TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?target: page_reader, picture_pipeline, jpeg_header, command_line or registry_value}
seconds=${2:?seconds to run}
shift 2
bash tools/install-packages.sh clang libclang-rt-dev cmake ninja-build libjpeg62-turbo-dev
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DLUMI_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz --target "fuzz_$target"
seeds=fuzz/corpus/$target
[ -d "$seeds" ] || { echo "no seed corpus $seeds" >&2; exit 2; }
grown=build/fuzz/corpus/$target
findings=build/fuzz/findings/$target
mkdir -p "$grown" "$findings"
exec "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$findings/" "$@" "$grown" "$seeds"
