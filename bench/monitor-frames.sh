#!/usr/bin/env bash
# Frames a second that Lumivale.scr shows under Wine while it cross-fades: the program's writes to
# its X connection (one for each frame a window presents), counted with strace for 25 s and
# printed second by second. With LUMI_MONITORS=2 (root) on two monitors: a fade there is two
# windows' frames. With a compositor's stand-in (tests/standins/Dwmapi.c) as the second argument,
# on a desktop that composes at LUMI_DWM_HZ (default 60).
#   bench/monitor-frames.sh [Lumivale.scr] [standin-dwmapi.dll]
#   e.g. LUMI_MONITORS=2 bench/monitor-frames.sh build/mingw/app/Lumivale.scr build/mingw/tests/standins/standin-dwmapi.dll
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scr=$(realpath "${1:-$root/build/mingw/app/Lumivale.scr}")
compositor=${2:+$(realpath "$2")}
export LUMI_WINE_TEMPLATE=${LUMI_WINE_TEMPLATE:-$root/build/mingw/wine-template}
work=$(mktemp -d /tmp/lumi-frames.XXXXXX)
trap 'rm -rf "$work"' EXIT
# Effect 23 is the cross-fade. The program runs from the run's own folder, so that it is found.
cat >"$work/setup.sh" <<'SETUP'
wine reg add 'HKCU\Software\Tarnwell\Tarnwell - Lumivale' /v Effect /t REG_DWORD /d 23 /f >/dev/null 2>&1
SETUP
cp "$scr" "$work/Lumivale.scr"
env LUMI_WINE_SETUP="$work/setup.sh" ${compositor:+LUMI_COMPOSITOR="$compositor"} bash "$root/tools/wine-run.sh" \
  "Z:$work/Lumivale.scr" /s >/dev/null 2>&1 &
runner=$!
pid=
for _ in $(seq 300); do
  for f in $(grep -l -a -- "$(basename "$work")" /proc/[0-9]*/cmdline 2>/dev/null); do
    grep -q '^Name:.*Lumivale' "${f%/cmdline}/status" 2>/dev/null && { pid=${f#/proc/}; pid=${pid%/cmdline}; break; }
  done
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "monitor-frames.sh: the program did not start" >&2; exit 1; }
sleep 2
timeout 25 strace -f -yy -e trace=writev -ttt -p "$pid" -o "$work/trace" 2>/dev/null
kill "$pid"
wait "$runner" 2>/dev/null
echo "writes to the X server, second by second:"
grep 'writev([0-9]*<UNIX-STREAM' "$work/trace" | awk '{ print int($2) }' | uniq -c | awk '{ print $1 }' | tr '\n' ' '
echo
