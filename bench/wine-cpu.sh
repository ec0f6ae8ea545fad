#!/usr/bin/env bash
# CPU time that Lumivale.scr takes under Wine while it cross-fades and between its transitions,
# full screen on a virtual display of each size given: utime + stime of the program's process
# (and of the X server, which puts each frame on its screen) read from /proc every 50 ms. A
# fade window starts when the program rewrites its page file and lasts the fade's 3 s; the
# time between is the rest, less half a second around each change. Figures are % of one core.
# Where perf may count system calls, the program's writes to its X connection are counted too:
# between transitions there are none, and each frame of a fade is one, so "ms/frame" is the
# program's CPU per frame shown, above its idle.
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
# pgrep, ss and perf; Wine and Xvfb come with tools/setup.sh.
bash "$root/tools/install-packages.sh" procps iproute2 linux-perf || exit 1
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

# Starts counting the program's writes to the X server (its sockets whose peers are the
# server's), once it has them: perf prints each 50 ms's count with the seconds since it began.
count_writes() {
  counted=1
  local filter
  filter=$(ss -xp 2>/dev/null | awk -v p="pid=$pid," '
      $5 ~ /^@\/tmp\/\.X11-unix\// { server[$8] = 1 }
      index($0, p) { own[$6] = $0 }
      END { for (i in own) if (i in server && match(own[i], p "fd=[0-9]+"))
              f = f (f ? " || " : "") "fd == " substr(own[i], RSTART + length(p) + 3, RLENGTH - length(p) - 3)
            print f }')
  [ -n "$filter" ] && command -v perf >/dev/null || return
  countStart=$(date +%s.%N)
  perf stat -x, -I 50 -e syscalls:sys_enter_writev --filter "$filter" -p "$pid" -o "$work/writes" >/dev/null 2>&1 &
  counter=$!
}

printf '%-10s %8s %10s %9s %11s %10s %13s %9s %6s\n' screen "fade %" "between %" "X fade %" \
  "X between %" "frames/s" "idle writes/s" "ms/frame" fades
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
  : >"$work/samples"
  : >"$work/writes"
  start=$(date +%s.%N)
  counter= counted= countStart=
  while :; do
    now=$(date +%s.%N)
    awk -v n="$now" -v s="$start" -v l="$seconds" 'BEGIN { exit !(n - s < l) }' || break
    [ -z "$page" ] && page=$(find "$prefix/drive_c/users" -name 'ins*.htm' 2>/dev/null | head -n1)
    [ -n "$page" ] && [ -z "$counted" ] && count_writes
    changed=0
    [ -n "$page" ] && changed=$(stat -c %.9Y "$page" 2>/dev/null || echo 0)
    echo "$now $(cpu "$pid") $(cpu "$xvfb") $changed" >>"$work/samples"
    sleep 0.05
  done
  [ -n "${counter:-}" ] && kill -INT "$counter" 2>/dev/null && wait "$counter" 2>/dev/null
  counter=
  kill "$pid" 2>/dev/null
  wait "$runner" 2>/dev/null
  # Each sample's CPU since the previous one goes to the fade window when it lies within 3 s
  # after the page's last rewrite, to "between" when it lies 0.5 s clear of every change; so do
  # the counted writes (perf's lines: seconds since start, count).
  awk -v ticks="$ticks" -v size="$size" -v start="${countStart:-0}" '
    FNR == NR { t[NR] = $1; p[NR] = $2; x[NR] = $3; m[NR] = $4; samples = NR; next }
    /^ *[0-9]/ { split($0, f, ","); wt[++writes] = start + f[1]; wc[writes] = f[2] + 0 }
    function window(from, to,    k, r) {  # 1: in a fade, 2: between, 0: neither
      r = 2
      for (k = 1; k <= n; k++) {
        if (from >= change[k] && to <= change[k] + 3) return 1
        if (to > change[k] - 0.5 && from < change[k] + 3.5) r = 0
      }
      return r
    }
    END {
      # Fades are the changes after the first picture; samples before that picture are left out.
      for (i = 2; i <= samples; i++) if (m[i] != m[i - 1] && m[i - 1] != 0) change[++n] = m[i]
      for (i = 1; i <= samples && !first; i++) first = m[i]
      for (i = 2; i <= samples; i++) {
        if (m[i - 1] == 0) continue
        w = window(t[i - 1], t[i])
        time[w] += t[i] - t[i - 1]; cpu[w] += (p[i] - p[i - 1]) / ticks; xcpu[w] += (x[i] - x[i - 1]) / ticks
      }
      for (i = 2; i <= writes; i++) {
        if (wt[i - 1] < first) continue
        w = window(wt[i - 1], wt[i])
        wtime[w] += wt[i] - wt[i - 1]; count[w] += wc[i]
      }
      fade = time[1] ? 100 * cpu[1] / time[1] : 0; idle = time[2] ? 100 * cpu[2] / time[2] : 0
      rate = wtime[1] ? count[1] / wtime[1] : 0; idleRate = wtime[2] ? count[2] / wtime[2] : 0
      perFrame = rate > idleRate ? 10 * (fade - idle) / (rate - idleRate) : 0
      printf "%-10s %8.1f %10.1f %9.1f %11.1f %10.1f %13.1f %9.2f %6d\n", size, fade, idle,
             time[1] ? 100 * xcpu[1] / time[1] : 0, time[2] ? 100 * xcpu[2] / time[2] : 0,
             rate - idleRate, idleRate, perFrame, n
    }' "$work/samples" "$work/writes"
done
