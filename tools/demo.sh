#!/usr/bin/env bash
# Installs what is missing, builds Lumivale.scr and runs the full-screen slideshow under Wine.
# With a display it runs there until you end it (a key or a mouse movement); without one it runs
# on a virtual display for SECONDS (default 40) and saves screenshots to shots/.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
bash tools/build.sh mingw >/dev/null || exit 1
scr=$PWD/build/mingw/app/Lumivale.scr
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$PWD/build/demo-prefix}
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$scr" /s
fi
seconds=${SECONDS_TO_RUN:-40}
mkdir -p shots
rm -f shots/demo-*.png
xvfb-run -a -s "-screen 0 ${LUMI_SCREEN:-1280x800x24} -nolisten tcp" bash -c '
  wine wineboot -i >/dev/null 2>&1
  wine "$0" /s & pid=$!
  for t in $(seq 5 5 "$1"); do
    sleep 5
    import -window root "shots/demo-$(printf %03d "$t")s.png" 2>/dev/null && echo "shots/demo-$(printf %03d "$t")s.png"
  done
  wineserver -k; wait $pid 2>/dev/null
' "$scr" "$seconds"
