#!/usr/bin/env bash
# Run by wine-run.sh inside the test's prefix before Wine starts there: Wine reports the Windows 95
# family to win98_tests.exe. The value goes straight into the prefix's user registry file, which
# Wine reads when it starts, so that no Wine session is started for it alone.
set -e
printf '\n[Software\\\\Wine\\\\AppDefaults\\\\win98_tests.exe] %s\n"Version"="win98"\n' "$(date +%s)" >>"$WINEPREFIX/user.reg"
