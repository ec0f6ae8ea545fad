#!/usr/bin/env bash
# Run by wine-run.sh inside the test's prefix: Wine reports the Windows 95 family to win98_tests.exe.
set -e
wine reg add 'HKCU\Software\Wine\AppDefaults\win98_tests.exe' /v Version /t REG_SZ /d win98 /f >/dev/null
