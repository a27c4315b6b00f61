#!/usr/bin/env bash
# A movie-mode saver of the win32 build under Wine whose hook library cannot load (the
# package carries bytes that are no library): the saver reports "Could not load DLL:
# nuvscrhook", then the failed hook installation, and when it is closed afterwards
# (Alt+F4 on its window) the process ends with exit code -1.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
HELPER="$SCR_WIN32_BUILD_DIR/tests/runtime_e2e/scrhelper.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/movie/make_movie_saver"
for f in "$RUNTIME" "$HELPER" "$MAKER"; do
  [ -e "$f" ] || { echo "missing $f (build the win32 and native trees first)"; exit 1; }
done
OUT="$SCR_NATIVE_BUILD_DIR/test-output/wine_hook_exit_code"
rm -rf "$OUT"
mkdir -p "$OUT"
FAILURES=0
check() {
  if eval "$1"; then echo "ok: $2"; else echo "FAIL: $2"; FAILURES=$((FAILURES + 1)); fi
}

printf 'this is not a library' >"$OUT/broken.dll"
"$MAKER" "$RUNTIME" "$OUT/broken.dll" "$OUT/hookless.scr"

# scrhelper runs the saver and reports its exit code as the system gives it.
wine "$HELPER" run 60000 "$(scr_winpath "$OUT/hookless.scr")" /s >"$OUT/run.txt" 2>"$OUT/run.err" &
HELPER_PID=$!

# find_window NAME-REGEX SECONDS: the first X window of that name, or nothing.
find_window() {
  local deadline=$((SECONDS + $2)) w=""
  while [ "$SECONDS" -le "$deadline" ]; do
    w=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
}
# answer NAME-REGEX KEY WHAT: focuses the window and presses the key.
answer() {
  local w
  w=$(find_window "$1" 20)
  if [ -z "$w" ]; then
    echo "FAIL: $3: no window named $1"
    FAILURES=$((FAILURES + 1))
    return 0
  fi
  echo "ok: $3"
  xdotool windowfocus --sync "$w" key "$2"
  sleep 0.5
}

answer '^Error$' Return "the box about the library that did not load"
answer '^hookless\.scr$' Return "the report of the failed hook installation"
answer '^frmScrn$' alt+F4 "the saver window, closed with Alt+F4"

wait "$HELPER_PID" || true
tr -d '\r' <"$OUT/run.txt" | tee "$OUT/run-clean.txt"
check 'grep -qx "ended=1" "$OUT/run-clean.txt"' "the saver ended"
check 'grep -qx "exit_code=4294967295" "$OUT/run-clean.txt"' "its exit code is -1 (0xFFFFFFFF)"

if [ "$FAILURES" -ne 0 ]; then
  echo "wine_hook_exit_code: $FAILURES check(s) failed; files in $OUT"
  exit 1
fi
echo "wine_hook_exit_code: all checks passed"
