#!/usr/bin/env bash
# Input and the exit rules of the running saver: a key press does nothing without
# lExitKeyPress; a diagonal mouse move ends it with lExitMouseMove (Wine's own move when
# the window appears is the one that only records the point).
set -euo pipefail
source "$(dirname "$0")/wine-saver-env.sh"
make_saver keys --effects 0 --interval 60s
start_saver keys
wait_frame "$OUT/keys-frame0.bmp" 20 "the saver runs"
xdotool key a
sleep 1.5
check running "a key press without lExitKeyPress leaves the saver running"
wineserver -k >/dev/null 2>&1 || true
wait_gone 10 "the saver was ended from outside"

make_saver mouse --effects 0 --interval 60s --set lExitMouseMove=True
xdotool mousemove 512 384
start_saver mouse
wait_frame "$OUT/mouse-frame0.bmp" 20 "the saver runs"
xdotool mousemove 700 600
sleep 0.3
xdotool mousemove 300 200
wait_gone 10 "a diagonal mouse move ends the saver"
finish
