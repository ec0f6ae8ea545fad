#!/usr/bin/env bash
# Runs a Windows program under Wine on its own virtual X display, in a private copy of a Wine
# prefix that is made once (per LUMI_WINE_TEMPLATE) by tools/wine-template.sh. Exits with the
# program's code.
# As root the copy is an overlay over the template in a mount namespace of the run's own (no
# 700 MB to copy, and no mount outlives the run); elsewhere, and with LUMI_KEEP_PREFIX, a copy.
#   LUMI_WINE_TEMPLATE  where the template prefix lives (required)
#   LUMI_WINE_SETUP     optional script run with WINEPREFIX set, before the program starts
#   LUMI_SCREEN         virtual screen, default 1024x768x24
#   LUMI_MONITORS       2: instead of Xvfb, an Xorg with the dummy driver and two monitors side by
#                       side, a 1024x768 primary and an 800x600 one to its right (needs root)
#   LUMI_KEEP_PREFIX    when set, the prefix copy is kept and its path printed
set -u
if [ -z "${LUMI_WINE_NAMESPACE:-}" ] && [ -z "${LUMI_KEEP_PREFIX:-}" ] && [ "$(id -u)" = 0 ] &&
  unshare --mount --propagation private true 2>/dev/null; then
  LUMI_WINE_NAMESPACE=1 exec unshare --mount --propagation private bash "$0" "$@"
fi
template=${LUMI_WINE_TEMPLATE:?LUMI_WINE_TEMPLATE must name the template prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bash "$(dirname "$0")/wine-template.sh" "$template"
run=$(mktemp -d /tmp/lumi-wine.XXXXXX)
prefix=$run/prefix
mkdir -p "$prefix" "$run/upper" "$run/work"
if [ -z "${LUMI_WINE_NAMESPACE:-}" ] ||
  ! mount -t overlay overlay -o "lowerdir=$template,upperdir=$run/upper,workdir=$run/work" "$prefix" 2>/dev/null; then
  cp -a "$template/." "$prefix/"
fi
export WINEPREFIX=$prefix
# The X server picks a free display itself (-displayfd), so parallel runs never race for one.
displayfile=$(mktemp)
if [ "${LUMI_MONITORS:-1}" = 2 ]; then
  # Xvfb has one monitor only; the dummy driver's outputs are monitors that xrandr arranges.
  xconf=$prefix/xorg-dummy.conf
  cat >"$xconf" <<'EOF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1024x768"
    Virtual 2048 1024
  EndSubSection
EndSection
EOF
  Xorg -noreset -nolisten tcp -config "$xconf" -logfile "$prefix/xorg.log" -displayfd 3 3>"$displayfile" >/dev/null 2>&1 &
else
  Xvfb -displayfd 3 -screen 0 "${LUMI_SCREEN:-1024x768x24}" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
fi
xvfb=$!
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$displayfile")"
rm -f "$displayfile"
watcher=
if [ "${LUMI_MONITORS:-1}" = 2 ]; then
  xrandr --addmode DUMMY1 800x600 && xrandr --output DUMMY1 --mode 800x600 --right-of DUMMY0 ||
    { echo "wine-run.sh: no second monitor" >&2; kill "$xvfb"; exit 1; }
  # Wine reads the monitors once they are all listed; right after the change they may not be yet.
  for _ in $(seq 100); do [ "$(xrandr --listmonitors | head -n1)" = "Monitors: 2" ] && break; sleep 0.05; done
  # A test changes the monitors' layout by writing xrandr's arguments to C:\lumi-xrandr; the
  # file goes once they have been applied.
  request=$prefix/drive_c/lumi-xrandr
  while kill -0 "$xvfb" 2>/dev/null; do
    if [ -f "$request" ]; then
      # shellcheck disable=SC2046
      xrandr $(cat "$request") || echo "wine-run.sh: xrandr $(cat "$request") failed" >&2
      rm -f "$request"
    fi
    sleep 0.1
  done &
  watcher=$!
fi
if [ -n "${LUMI_WINE_SETUP:-}" ]; then bash "$LUMI_WINE_SETUP" || { kill "$xvfb"; exit 1; }; fi
wine "$@"
rc=$?
wineserver -k 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
[ -n "$watcher" ] && wait "$watcher" 2>/dev/null
if [ -n "${LUMI_KEEP_PREFIX:-}" ]; then
  echo "prefix kept: $prefix" >&2
else
  mountpoint -q "$prefix" && umount -R "$prefix"  # with what a test mounted inside
  rm -rf "$run"
fi
exit $rc
