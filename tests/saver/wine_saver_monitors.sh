#!/usr/bin/env bash
# The saver on two monitors under Wine: Xorg's dummy driver with two outputs side by
# side (1024 x 768 each, the primary on the left), the desktop painted magenta. While
# the saver runs, the primary shows its frame and the second monitor is black all
# over; mouse movement on the second monitor ends the saver, and afterwards the second
# monitor shows the desktop again.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"

for n in $(seq 150 190); do [ -e "/tmp/.X$n-lock" ] || break; done
XDIR="$SCR_NATIVE_BUILD_DIR/test-output/wine_saver_monitors-x"
rm -rf "$XDIR"
mkdir -p "$XDIR"
cat >"$XDIR/dummy.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3000 1200
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF
Xorg ":$n" -noreset -nolisten tcp -config "$XDIR/dummy.conf" -logfile "$XDIR/xorg.log" >/dev/null 2>&1 &
SCR_XVFB_PID=$!
export DISPLAY=":$n" SCR_KEEP_DISPLAY=1 SCR_XVFB_PID
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$n" ] && xrandr >/dev/null 2>&1 && break
  sleep 0.1
done
xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary
xrandr --addmode DUMMY1 1024x768
xrandr --output DUMMY1 --mode 1024x768 --pos 1024x0
xrandr --fb 2048x768
xrandr --listmonitors
xsetroot -solid magenta

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
