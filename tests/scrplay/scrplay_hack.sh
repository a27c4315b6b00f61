#!/usr/bin/env bash
# Hack mode: -root (the daemons' spelling) draws the composed frame into the root window and ends on SIGTERM
# with status 0, its private folder gone; a movie saver exits 3 with its message.
source "$(dirname "$0")/scrplay-env.sh"

make_saver root --effects 0 --interval 60000ms --set lExitKeyPress=True
start_player "$OUT/root.scr" -root
wait_frame "$OUT/root-frame0.bmp" 15 "-root: the frame is drawn into the root window"
xdotool key a
sleep 1
check running "input belongs to the daemon: a key leaves it running"
kill -TERM "$PLAYER_PID"
wait_gone 10 "SIGTERM ends it"
wait "$PLAYER_PID" && status=0 || status=$?
check '[ "$status" = 0 ]' "exit status 0"
check '[ "$(private_folders)" = 0 ]' "the private folder is gone"

# The daemon's way: the window id in XSCREENSAVER_WINDOW (the root window here,
# cleared first), SIGHUP to end it.
xsetroot -solid red
ROOT_ID=$(xwininfo -root | awk '/Window id:/ {print $4}')
XSCREENSAVER_WINDOW=$ROOT_ID start_player "$OUT/root.scr"
wait_frame "$OUT/root-frame0.bmp" 15 "the frame is drawn into the window XSCREENSAVER_WINDOW names"
kill -HUP "$PLAYER_PID"
wait_gone 10 "SIGHUP ends it"

make_movie_saver
"$SCRPLAY" "$OUT/movie.scr" --root 2>"$OUT/movie.err" && status=0 || status=$?
check '[ "$status" = 3 ] && [ "$(wc -l <"$OUT/movie.err")" = 1 ] && grep -q "movie saver" "$OUT/movie.err"' \
  "a movie saver in hack mode: status 3 and one line why"
report
