#!/usr/bin/env bash
# Runs a Windows program under Wine on its own virtual X display, in a private copy of a Wine
# prefix that is made once (per LUMI_WINE_TEMPLATE) by `wineboot -i`. Exits with the program's code.
#   LUMI_WINE_TEMPLATE  where the template prefix lives (required)
#   LUMI_WINE_SETUP     optional script run with WINEPREFIX set, before the program starts
#   LUMI_SCREEN         virtual screen, default 1024x768x24
#   LUMI_KEEP_PREFIX    when set, the prefix copy is kept and its path printed
set -u
template=${LUMI_WINE_TEMPLATE:?LUMI_WINE_TEMPLATE must name the template prefix}
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
prefix=$(mktemp -d /tmp/lumi-wine.XXXXXX)
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix
# Xvfb picks a free display itself (-displayfd), so parallel runs never race for one.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${LUMI_SCREEN:-1024x768x24}" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$displayfile")"
rm -f "$displayfile"
if [ -n "${LUMI_WINE_SETUP:-}" ]; then bash "$LUMI_WINE_SETUP" || { kill "$xvfb"; exit 1; }; fi
wine "$@"
rc=$?
wineserver -k 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
if [ -n "${LUMI_KEEP_PREFIX:-}" ]; then echo "prefix kept: $prefix" >&2; else rm -rf "$prefix"; fi
exit $rc
