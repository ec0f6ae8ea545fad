#!/usr/bin/env bash
# Makes the Wine prefix that tools/wine-run.sh lays each run over, once: `wineboot -i` in TEMPLATE,
# unless TEMPLATE/.ready says it is there. A run that needs it meanwhile waits for it.
#   wine-template.sh TEMPLATE
set -u
template=${1:?the template prefix to make}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$template")"
(
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" wine wineboot -i >/dev/null 2>&1
    # With no window manager on the virtual display, Wine waits 2 s whenever a managed window is
    # hidden; unmanaged windows make the tests fast and change nothing the program relies on.
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
) 9>"$template.lock"
