# Gives the end-to-end cases a small volume of their own, C:\small (4 MB of tmpfs), where the
# run has a mount namespace of its own (as root). Run by tools/wine-run.sh before the tests.
if [ -n "${LUMI_WINE_NAMESPACE:-}" ]; then
  mkdir -p "$WINEPREFIX/drive_c/small" && mount -t tmpfs -o size=4m tmpfs "$WINEPREFIX/drive_c/small"
fi
exit 0
