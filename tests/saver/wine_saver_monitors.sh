#!/usr/bin/env bash
# The saver on two monitors under Wine: Xorg's dummy driver with two outputs side by
# side (1024 x 768 each, the primary on the left), the desktop painted magenta. While
# the saver runs, the primary shows its frame and the second monitor is black all
# over; mouse movement on the second monitor ends the saver, and afterwards the second
# monitor shows the desktop again.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"

source "$(dirname "$0")/../two-monitors-x.sh"

source "$(dirname "$0")/wine-saver-env.sh"

# shot FILE: the primary monitor; side FILE: the second one.
shot() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+0+0 +repage "BMP3:$1"; }
side() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+1024+0 +repage "BMP3:$1"; }
# brightest FILE: the largest channel value in the picture (0 for all black).
brightest() { /usr/bin/convert "$1" -format '%[fx:int(255*maxima)]' info:; }
# mean_red FILE: the mean of the red channel (magenta: 255).
mean_red() { /usr/bin/convert "$1" -format '%[fx:int(255*mean.r)]' info:; }

side "$OUT/side-before.bmp"
check '[ "$(mean_red "$OUT/side-before.bmp")" -gt 200 ]' "the second monitor shows the desktop before"

make_saver mon --effects 0 --interval 60000ms --set lExitMouseMove=True
xdotool mousemove 1500 300
start_saver mon
wait_frame "$OUT/mon-frame0.bmp" 30 "the primary monitor shows the saver's frame"
sleep 0.5
side "$OUT/side-running.bmp"
check '[ "$(brightest "$OUT/side-running.bmp")" = 0 ]' \
  "the second monitor is black while the saver runs (Wine sees two monitors)"
xdotool mousemove 1600 400
wait_gone 10 "a diagonal move on the second monitor ends the saver"
sleep 0.5
side "$OUT/side-after.bmp"
check '[ "$(mean_red "$OUT/side-after.bmp")" -gt 200 ]' "the second monitor shows the desktop again"
finish
