#!/usr/bin/env bash
# Does Wine deliver journal-record events? The probe enables the component with a
# full-screen window of its own under the pointer; xdotool then moves the mouse, clicks
# and presses keys. The test fails only on a crash, a hang or wrong forwarding; whether
# events arrived is reported.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
scr_wine_prefix
scr_display
probe="$SCR_WIN32_BUILD_DIR/tests/hook/hook_probe.exe"
sys="$WINEPREFIX/drive_c/windows/system32"
out="$SCR_NATIVE_BUILD_DIR/test-output/hook_events"
rm -rf "$out"
mkdir -p "$out"
trap 'rm -f "$sys/nuvscrhook.dll"; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT
cp "$SCR_WIN32_BUILD_DIR/hook/nuvscrhook.dll" "$sys/nuvscrhook.dll"

wine "$probe" events "$(scr_winpath "$out")\\ready" "$(scr_winpath "$out")\\done" "$(scr_winpath "$out")\\result" &
pid=$!
for _ in $(seq 300); do
  [ -e "$out/ready" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
[ -e "$out/ready" ] || { echo "the probe never became ready"; wait $pid || true; exit 1; }
sleep 0.5
win=$(xdotool search --name '^hook probe$' 2>/dev/null | head -1 || true)
[ -n "$win" ] && xdotool windowfocus "$win" 2>/dev/null || true
for xy in "100 100" "300 200" "500 400" "700 300"; do
  # shellcheck disable=SC2086
  xdotool mousemove $xy
  sleep 0.1
done
xdotool click 1
sleep 0.1
xdotool key a
sleep 0.1
xdotool key b
sleep 0.5
touch "$out/done"
status=0
wait $pid || status=$?
echo "probe: $(cat "$out/result" 2>/dev/null || echo 'no result')"
grep -q '^hook=delivered' "$out/result" && echo "Wine delivers journal-record events"
grep -q '^hook=silent' "$out/result" && echo "Wine installs the journal-record hook but delivers no events to it"
grep -q '^hook=refused' "$out/result" && echo "Wine refuses the journal-record hook"
exit $status
