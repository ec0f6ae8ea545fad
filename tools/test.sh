#!/usr/bin/env bash
# Installs what is missing, builds both flavours and runs every test (native unit tests, also
# built with the address and undefined-behaviour sanitizers, the in-process Windows tests and the
# end-to-end tests under Wine on a virtual display).
#
# Most of the time goes to compiling, which keeps both cores busy. What would leave a core idle
# runs beside it: the Wine prefix is made while the Windows flavour builds, and the Wine tests
# that count no frames and measure no time (the soak, which waits on its own frames, the password
# libraries, the installer and the packages) run while the native flavours build and test. The
# view's and the end-to-end tests run alone afterwards: their timings stay those of a quiet machine.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
logs=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$logs"' EXIT
bash tools/wine-template.sh "$PWD/build/mingw/wine-template" &
bash tools/build.sh mingw || exit 1
wineTests=(ctest --test-dir build/mingw --output-on-failure)
beside='^(soak|release_packages|install_tests|win98_tests)$'
"${wineTests[@]}" -j2 -R "$beside" >"$logs/beside" 2>&1 &
besideJob=$!
bash tools/build.sh native || exit 1
bash tools/build.sh asan || exit 1
rc=0
ctest --test-dir build/native --output-on-failure -j2 || rc=1
ctest --test-dir build/asan --output-on-failure -j2 || rc=1
wait "$besideJob" || rc=1
cat "$logs/beside"
"${wineTests[@]}" -E "$beside" || rc=1
exit $rc
