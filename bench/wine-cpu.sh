#!/usr/bin/env bash
# CPU time that Lumivale.scr takes under Wine while it cross-fades and between its transitions,
# full screen on a virtual display of each size given: utime + stime of the program's process
# (and of the X server, which puts each frame on its screen) read from /proc every 50 ms. A
# fade window starts when the program rewrites its page file and lasts the fade's 3 s; the
# time between is the rest, less half a second around each change. Figures are % of one core.
#   bench/wine-cpu.sh [Lumivale.scr] [WxH ...]     (default build/mingw/app/Lumivale.scr,
#                                                    1920x1080 and 3840x2160)
#   LUMI_SECONDS      how long each size runs (default 60)
#   LUMI_WINE_TEMPLATE the template prefix (default build/mingw/wine-template, made when missing)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scr=$(realpath "${1:-$root/build/mingw/app/Lumivale.scr}")
[ $# -gt 0 ] && shift
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1920x1080 3840x2160)
seconds=${LUMI_SECONDS:-60}
export LUMI_WINE_TEMPLATE=${LUMI_WINE_TEMPLATE:-$root/build/mingw/wine-template}
name=$(basename "$scr" | cut -c1-15)
ticks=$(getconf CLK_TCK)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Effect 23 is the cross-fade.
cat >"$work/setup.sh" <<'SETUP'
wine reg add 'HKCU\Software\Tarnwell\Tarnwell - Lumivale' /v Effect /t REG_DWORD /d 23 /f >/dev/null 2>&1
SETUP

cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

printf '%-10s %12s %12s %12s %12s %6s\n' screen "fade %" "between %" "X fade %" "X between %" fades
for size in "${sizes[@]}"; do
  LUMI_WINE_SETUP=$work/setup.sh LUMI_SCREEN=${size}x24 bash "$root/tools/wine-run.sh" "$scr" /s \
    >/dev/null 2>&1 &
  runner=$!
  # The program is the runner's child named after the file (cut to 15 characters, as the
  # system keeps names); the X server is its Xvfb.
  pid= xvfb=
  for _ in $(seq 600); do
    for child in $(pgrep -P "$runner"); do
      case $(cat "/proc/$child/comm" 2>/dev/null) in
        "$name") pid=$child ;;
        Xvfb) xvfb=$child ;;
      esac
    done
    [ -n "$pid" ] && [ -n "$xvfb" ] && break
    sleep 0.1
  done
  if [ -z "$pid" ]; then
    echo "$size: $scr did not start" >&2
    for child in $(pgrep -P "$runner"); do kill "$child" 2>/dev/null; done
    wait "$runner" 2>/dev/null
    continue
  fi
  prefix=$(tr '\0' '\n' <"/proc/$pid/environ" | sed -n 's/^WINEPREFIX=//p')
  page=
  start=$(date +%s.%N)
  : >"$work/samples"
  while :; do
    now=$(date +%s.%N)
    awk -v n="$now" -v s="$start" -v l="$seconds" 'BEGIN { exit !(n - s < l) }' || break
    [ -z "$page" ] && page=$(find "$prefix/drive_c/users" -name 'ins*.htm' 2>/dev/null | head -n1)
    changed=0
    [ -n "$page" ] && changed=$(stat -c %.9Y "$page" 2>/dev/null || echo 0)
    echo "$now $(cpu "$pid") $(cpu "$xvfb") $changed" >>"$work/samples"
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  wait "$runner" 2>/dev/null
  # Each sample's CPU since the previous one goes to the fade window when it lies within 3 s
  # after the page's last rewrite, to "between" when it lies 0.5 s clear of every change.
  awk -v ticks="$ticks" -v size="$size" '
    { t[NR] = $1; p[NR] = $2; x[NR] = $3; m[NR] = $4 }
    END {
      for (i = 2; i <= NR; i++) if (m[i] != m[i - 1] && m[i - 1] != 0) change[++n] = m[i]
      # Fades are the changes after the first picture; ignore samples before that picture is in.
      for (i = 2; i <= NR; i++) {
        dt = t[i] - t[i - 1]; dp = (p[i] - p[i - 1]) / ticks; dx = (x[i] - x[i - 1]) / ticks
        inFade = 0; near = 0
        for (k = 1; k <= n; k++) {
          if (t[i - 1] >= change[k] && t[i] <= change[k] + 3) inFade = 1
          if (t[i] > change[k] - 0.5 && t[i - 1] < change[k] + 3.5) near = 1
        }
        if (m[i - 1] == 0) continue
        if (inFade) { fadeT += dt; fadeP += dp; fadeX += dx }
        else if (!near) { idleT += dt; idleP += dp; idleX += dx }
      }
      printf "%-10s %12.1f %12.1f %12.1f %12.1f %6d\n", size,
             fadeT ? 100 * fadeP / fadeT : 0, idleT ? 100 * idleP / idleT : 0,
             fadeT ? 100 * fadeX / fadeT : 0, idleT ? 100 * idleX / idleT : 0, n
    }' "$work/samples"
done
