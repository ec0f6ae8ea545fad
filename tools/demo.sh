#!/usr/bin/env bash
# Installs what is missing, builds Lumivale.scr and runs the full-screen slideshow under Wine.
# With a display it runs there until you end it (a key or a mouse movement); without one it runs
# on a virtual display for SECONDS_TO_RUN (default 40), saves screenshots to shots/ every 5 s and
# then ends it with a key.
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
  # Ended as a user ends it, with a key: it then deletes its page files and puts back the browser
  # settings it changed, and the prefix is left as after any real session.
  xdotool key space
  timeout 20 tail -s 0.2 --pid=$pid -f /dev/null || { echo "the slideshow did not end on a key" >&2; wineserver -k; }
  wait $pid; rc=$?
  wineserver -w
  exit $rc
' "$scr" "$seconds"
