#!/usr/bin/env bash
# The player full screen: after the first transition the screen shows exactly the
# frame composed for the first picture, after the interval the second; a key press ends
# it when lExitKeyPress is set and not otherwise; a diagonal mouse move ends it with
# lExitMouseMove; SIGTERM ends it; its private folder is gone every time. A movie saver
# in a window asks for the missing control, and Yes hands the download page to the
# desktop's handler (a stand-in for xdg-open here).
source "$(dirname "$0")/scrplay-env.sh"

make_saver show --effects 5 --interval 2500ms --set lExitKeyPress=True
start_player "$OUT/show.scr"
wait_frame "$OUT/show-frame0.bmp" 15 "first picture composed on the screen"
check '[ "$(private_folders)" = 1 ] && [ "$(stat -c %a "$OUT"/tmp/scrplay.*)" = 700 ]' \
  "a private folder of mode 0700 while it runs"
wait_frame "$OUT/show-frame1.bmp" 10 "second picture after the interval"
xdotool key a
wait_gone 10 "a key press ends it with lExitKeyPress"
check '[ "$(private_folders)" = 0 ]' "the private folder is gone after the end"

make_saver keys --effects 0 --interval 60000ms
start_player "$OUT/keys.scr"
wait_frame "$OUT/keys-frame0.bmp" 15 "the saver runs"
xdotool key a
sleep 1.5
check running "a key press without lExitKeyPress leaves it running"
kill -TERM "$PLAYER_PID"
wait_gone 10 "SIGTERM ends it"
wait "$PLAYER_PID" && status=0 || status=$?
check '[ "$status" = 0 ]' "exit status 0 after SIGTERM"
check '[ "$(private_folders)" = 0 ]' "the private folder is gone after SIGTERM"

make_saver mouse --effects 0 --interval 60000ms --set lExitMouseMove=True
xdotool mousemove 512 384
start_player "$OUT/mouse.scr"
wait_frame "$OUT/mouse-frame0.bmp" 15 "the saver runs"
xdotool mousemove 520 390
sleep 0.3
xdotool mousemove 700 600
sleep 0.3
xdotool mousemove 300 200
wait_gone 10 "a diagonal mouse move ends it with lExitMouseMove"

make_movie_saver
mkdir -p "$OUT/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened.txt"\n' "$OUT" >"$OUT/bin/xdg-open"
chmod +x "$OUT/bin/xdg-open"
PATH="$OUT/bin:$PATH" start_player "$OUT/movie.scr" --window 640x480
box=""
for _ in $(seq 50); do
  box=$(xwininfo -root -tree | awk '/"Information"/ {print $1}' | head -n 1)
  [ -n "$box" ] && break
  sleep 0.2
done
check '[ -n "$box" ]' "a movie saver in a window asks for the movie player control"
[ -z "$box" ] || { xdotool windowfocus "$box"; sleep 0.3; xdotool key Return; }
wait_gone 10 "the answer ends it"
check 'grep -qx "http://www.example.com/go/getflashplayer/" "$OUT/opened.txt"' \
  "Yes opens the download page with the desktop's handler"

printf 'just some bytes' >"$OUT/junk.scr"
"$SCRPLAY" "$OUT/junk.scr" 2>"$OUT/junk.err" && status=0 || status=$?
check '[ "$status" = 1 ] && grep -q "Not a saver file" "$OUT/junk.err"' "a file that is no saver: status 1 and why"
"$SCRPLAY" "$OUT/show.scr" --window 0x5 2>/dev/null && status=0 || status=$?
check '[ "$status" = 2 ]' "wrong usage: status 2"
report
