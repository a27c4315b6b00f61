#!/usr/bin/env bash
# The setup dialog of the win32 runtime under Wine, used from the keyboard alone
# (xdotool keys): Tab moves the focus to OK and Space presses it; Shift+Tab comes back
# to the check box, Space toggles it, Enter and Esc do nothing, Alt+O presses OK and
# stores the choice; the plain letter O does the same.
set -euo pipefail
source "$SCR_SOURCE_DIR/tests/wine/wine-env.sh"

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/setup/make_setup_saver"
OUT="$SCR_NATIVE_BUILD_DIR/test-output/setup_keys"
for f in "$RUNTIME" "$MAKER"; do
  [ -e "$f" ] || { echo "missing $f" >&2; exit 1; }
done
rm -rf "$OUT"
mkdir -p "$OUT"

scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-0} 2>/dev/null || true' EXIT

"$MAKER" "$RUNTIME" "$OUT/saver.scr"
failures=0
check() {
  if eval "$1"; then echo "ok: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); fi
}
ini_value() { [ -f "$OUT/CONTROL.INI" ] && tr -d '\r' <"$OUT/CONTROL.INI" | sed -n 's/^mute=//p'; }
running() { kill -0 "$DIALOG_PID" 2>/dev/null; }
gone_within() {  # gone_within SECONDS: the dialog's process ends in time
  local deadline=$((SECONDS + $1))
  while running && [ "$SECONDS" -le "$deadline" ]; do sleep 0.1; done
  ! running
}

# open_dialog: starts the saver with /c and gives its dialog the keyboard focus.
open_dialog() {
  wine "$OUT/saver.scr" /c >"$OUT/dialog.log" 2>&1 &
  DIALOG_PID=$!
  DIALOG=""
  for _ in $(seq 200); do
    DIALOG=$(xdotool search --onlyvisible --name 'Setup \[' 2>/dev/null | head -n 1 || true)
    [ -n "$DIALOG" ] && break
    sleep 0.1
  done
  [ -n "$DIALOG" ] || { echo "FAIL: the dialog never showed"; exit 1; }
  xdotool windowfocus --sync "$DIALOG"
  sleep 0.5
}
keys() {
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.3
  done
}

open_dialog
keys Tab space
check 'gone_within 10' "Tab then Space presses OK and ends the dialog"
check '[ ! -e "$OUT/CONTROL.INI" ]' "nothing was changed, nothing stored"
wineserver -k >/dev/null 2>&1 || true

open_dialog
keys Tab shift+Tab space Return Escape
sleep 1
check running "Enter and Esc leave the dialog open"
keys alt+o
check 'gone_within 10' "Alt+O presses OK"
check '[ "$(ini_value)" = 1 ]' "the box toggled by Space is stored (mute=$(ini_value))"
wineserver -k >/dev/null 2>&1 || true

open_dialog
keys space o
check 'gone_within 10' "the letter O alone presses OK"
check '[ "$(ini_value)" = 0 ]' "the stored choice shown checked, toggled back, is stored (mute=$(ini_value))"

wineserver -k >/dev/null 2>&1 || true
if [ "$failures" -ne 0 ]; then
  echo "setup_keys: $failures check(s) failed; files in $OUT"
  exit 1
fi
echo "setup_keys: all checks passed"
