#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test (native unit tests, also
# built with the address and undefined-behaviour sanitizers, the in-process Windows tests and the
# end-to-end tests under Wine on a virtual display).
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
bash tools/build.sh native || exit 1
bash tools/build.sh asan || exit 1
bash tools/build.sh mingw || exit 1
rc=0
ctest --test-dir build/native --output-on-failure -j2 || rc=1
ctest --test-dir build/asan --output-on-failure -j2 || rc=1
# The Wine layers run one at a time: their timings stay those of a quiet machine.
ctest --test-dir build/mingw --output-on-failure || rc=1
exit $rc
