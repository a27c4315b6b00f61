#!/usr/bin/env bash
# The player full screen on two monitors (Xorg's dummy driver, two RandR outputs side
# by side): with the other displays black the second one is covered and a move there
# ends the player; with the same show the second one shows the composed frame too, and
# switching its output off leaves the primary's show whole.
source "$(dirname "$0")/scrplay-env.sh"
FIRST_X=$SCR_XVFB_PID
source "$(dirname "$0")/../two-monitors-x.sh"
trap 'stop_player; kill $SCR_XVFB_PID $FIRST_X 2>/dev/null || true' EXIT

primary() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+0+0 +repage "BMP3:$1"; }
side() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+1024+0 +repage "BMP3:$1"; }
brightest() { /usr/bin/convert "$1" -format '%[fx:int(255*maxima)]' info:; }

make_saver black --effects 0 --interval 60000ms --set lExitMouseMove=True
xdotool mousemove 300 300
start_player "$OUT/black.scr"
shot() { primary "$1"; }
wait_frame "$OUT/black-frame0.bmp" 15 "black: the primary display shows the frame"
sleep 1
side "$OUT/side-black.bmp"
check '[ "$(brightest "$OUT/side-black.bmp")" = 0 ]' "black: the second display is covered"
xdotool mousemove 1500 300
sleep 0.3
xdotool mousemove 1600 400
wait_gone 10 "black: a move on the second display ends the player"

make_saver same --effects 0 --interval 60000ms --monitors same --set lExitKeyPress=True
start_player "$OUT/same.scr"
shot() { primary "$1"; }
wait_frame "$OUT/same-frame0.bmp" 15 "same: the primary display shows the frame"
shot() { side "$1"; }
wait_frame "$OUT/same-frame0.bmp" 15 "same: the second display shows the same frame"
xrandr --output DUMMY1 --off
xrandr --fb 1024x768
sleep 2
shot() { primary "$1"; }
wait_frame "$OUT/same-frame0.bmp" 10 "same: with the second output off the show stays whole"
check running "same: the player goes on after the change"
stop_player
report
