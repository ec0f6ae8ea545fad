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
    WINEPREFIX="$template" xvfb-run -a wine wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
) 9>"$template.lock"
prefix=$(mktemp -d /tmp/lumi-wine.XXXXXX)
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix
if [ -n "${LUMI_WINE_SETUP:-}" ]; then bash "$LUMI_WINE_SETUP" || exit 1; fi
xvfb-run -a -s "-screen 0 ${LUMI_SCREEN:-1024x768x24} -nolisten tcp" wine "$@"
rc=$?
wineserver -k 2>/dev/null
if [ -n "${LUMI_KEEP_PREFIX:-}" ]; then echo "prefix kept: $prefix" >&2; else rm -rf "$prefix"; fi
exit $rc
