#!/usr/bin/env bash
# Takes the user guide's screenshot of the configuration dialog (docs/config-dialog.png):
# `Lumivale.scr /c` under Wine on a virtual display, switched to its Options page (a click on the
# tab: the dialog always opens on Tips), cropped to the dialog.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/install-packages.sh xdotool
bash tools/build.sh mingw Lumivale >/dev/null
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/lumi-shot.XXXXXX)
trap 'rm -rf "$WINEPREFIX"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
  wine wineboot -i >/dev/null 2>&1
  # Wine draws the caption itself: no window manager runs on the virtual display.
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine "$0" /c & pid=$!
  sleep "${SHOT_WAIT:-8}"
  import -window root "$1.first.png"
  # The dialog stands on a black desktop: its trimmed box gives where it is.
  read -r x y < <(convert "$1.first.png" -trim -format "%X %Y" info: | tr -d +)
  xdotool mousemove $((x + 37)) $((y + 37)) click 1
  sleep 2
  import -window root "$1.raw.png"
  wineserver -k; wait $pid 2>/dev/null || true
' build/mingw/app/Lumivale.scr "$WINEPREFIX/shot"
# The desktop around the dialog is plain black: trimming leaves the dialog with its frame.
convert "$WINEPREFIX/shot.raw.png" -trim +repage -strip docs/config-dialog.png
echo docs/config-dialog.png
