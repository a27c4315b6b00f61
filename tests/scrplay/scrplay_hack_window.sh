#!/usr/bin/env bash
# Hack mode in a window of another program's, as the screen saver daemons hand one
# over: --window-id and -window-id draw the frame into it; a part uncovered again is
# repainted at once (the window has no background of its own, so nothing else would
# clear what covered it); a window that changes its size gets frames of the new size.
source "$(dirname "$0")/scrplay-env.sh"
WINDOW="$SCR_NATIVE_BUILD_DIR/tests/scrplay/x11_test_window"
[ -x "$WINDOW" ] || { echo "missing $WINDOW (build the native tree first)"; exit 1; }
HELPERS=()
trap 'stop_player; kill "${HELPERS[@]}" $SCR_XVFB_PID 2>/dev/null || true' EXIT

# open_window NAME W H X Y [RRGGBB]: a window of x11_test_window; its id in $OUT/NAME.id.
open_window() {
  local name=$1
  shift
  "$WINDOW" "$@" >"$OUT/$name.id" &
  HELPERS+=($!)
  for _ in $(seq 50); do
    [ -s "$OUT/$name.id" ] && return 0
    sleep 0.1
  done
  echo "x11_test_window did not start"
  exit 1
}

# wait_window_frame ID EXPECTED.bmp SECONDS WHAT: the window's content equals the frame.
wait_window_frame() {
  local deadline=$((SECONDS + $3)) result=""
  while [ "$SECONDS" -le "$deadline" ]; do
    xwd -id "$1" -silent | /usr/bin/convert xwd:- "BMP3:$OUT/shot.bmp"
    if result=$("$DEMO" compare "$OUT/shot.bmp" "$2" "$BAND"); then
      echo "ok: $4 ($result)"
      return 0
    fi
    sleep 0.2
  done
  cp "$OUT/shot.bmp" "$OUT/failed-$(basename "$2")"
  echo "FAIL: $4: $result (screenshot in $OUT/failed-$(basename "$2"))"
  FAILURES=$((FAILURES + 1))
}

make_saver still --effects 0 --interval 60000ms
open_window target 1024 768 0 0
ID=$(cat "$OUT/target.id")
start_player "$OUT/still.scr" --window-id "$ID"
wait_window_frame "$ID" "$OUT/still-frame0.bmp" 15 "--window-id: the frame is drawn into the window"

# A red cover over part of it, then gone: the frame is whole again long before the
# next picture (a minute away) would bring it back.
open_window cover 400 300 200 150 ff0000
sleep 1
kill "${HELPERS[-1]}"
wait_window_frame "$ID" "$OUT/still-frame0.bmp" 5 "the part uncovered again is repainted"
stop_player
check '[ "$(private_folders)" = 0 ]' "the private folder is gone"

# The window made smaller while it plays: the next pictures fill the new size.
make_saver brisk --effects 0 --interval 1500ms
for i in 0 1 2; do "$DEMO" frame "$OUT/brisk.scr" "$OUT/brisk-small$i.bmp" "$i" 800 600; done
start_player "$OUT/brisk.scr" -window-id "$ID"
wait_window_frame "$ID" "$OUT/brisk-frame0.bmp" 15 "-window-id: the frame is drawn into the window"
xdotool windowsize "$ID" 800 600
wait_window_frame "$ID" "$OUT/brisk-small1.bmp" 15 "after the resize the frames have the window's new size"
stop_player
report
