#!/usr/bin/env bash
# A movie-mode saver of the win32 build under Wine whose hook library cannot load (the
# package carries bytes that are no library): the saver reports "Could not load DLL:
# nuvscrhook", then the failed hook installation, and when it is closed afterwards
# (Alt+F4 on its window) the process ends with exit code -1.
set -euo pipefail
source "$(dirname "$0")/../runtime_e2e/e2e-env.sh"
MOVIE_MAKER="$SCR_NATIVE_BUILD_DIR/tests/movie/make_movie_saver"
[ -e "$MOVIE_MAKER" ] || { echo "missing $MOVIE_MAKER (build the native tree first)"; exit 1; }

printf 'this is not a library' >"$OUT/broken.dll"
"$MOVIE_MAKER" "$RUNTIME" "$OUT/broken.dll" "$OUT/hookless.scr"

# The helper runs the saver and reports its exit code as the system gives it.
wine "$HELPER" run 60000 "$(scr_winpath "$OUT/hookless.scr")" /s >"$OUT/last.txt" 2>"$OUT/last.err" &
HELPER_PID=$!

# answer NAME-REGEX KEY WHAT: waits for the window of that name, focuses it and
# presses the key.
answer() {
  local deadline=$((SECONDS + 20)) w=""
  while [ -z "$w" ] && [ "$SECONDS" -le "$deadline" ]; do
    w=$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] || sleep 0.2
  done
  check '[ -n "$w" ]' "$3"
  [ -n "$w" ] && xdotool windowfocus --sync "$w" key "$2"
  sleep 0.5
}

answer '^Error$' Return "the box about the library that did not load"
answer '^hookless\.scr$' Return "the report of the failed hook installation"
answer '^frmScrn$' alt+F4 "the saver window, closed with Alt+F4"

wait "$HELPER_PID" || true
sed 's/^/  /' "$OUT/last.txt"
expect ended 1
expect exit_code 4294967295 "(-1)"
finish
