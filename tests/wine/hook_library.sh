#!/usr/bin/env bash
# The hook library under Wine, loaded from the system directory as the saver loads it:
# its exports' results, the table shared between two processes, and the component's
# failure when the library is missing.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
scr_wine_prefix
scr_display
probe="$SCR_WIN32_BUILD_DIR/tests/hook/hook_probe.exe"
sys="$WINEPREFIX/drive_c/windows/system32"
trap 'rm -f "$sys/nuvscrhook.dll"; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT
cp "$SCR_WIN32_BUILD_DIR/hook/nuvscrhook.dll" "$sys/nuvscrhook.dll"

status=0
echo "== table"
wine "$probe" table || status=1
echo "== missing"
rm -f "$sys/nuvscrhook.dll"
wine "$probe" missing || status=1
exit $status
