#!/usr/bin/env bash
# The monitor modes under Wine on two monitors (Xorg's dummy driver, two outputs side
# by side): with the same show on every monitor both show the composed frame; when the
# second output is switched off while the saver runs, the primary goes on showing the
# whole frame with nothing left over it, in the same mode and in the black one.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"
source "$(dirname "$0")/../two-monitors-x.sh"
source "$(dirname "$0")/wine-saver-env.sh"

primary() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+0+0 +repage "BMP3:$1"; }
side() { xwd -root -silent | /usr/bin/convert xwd:- -crop 1024x768+1024+0 +repage "BMP3:$1"; }

two_outputs() {
  xrandr --fb 2048x768
  xrandr --output DUMMY1 --mode 1024x768 --pos 1024x0
  sleep 1
}
one_output() {
  xrandr --output DUMMY1 --off
  xrandr --fb 1024x768
}

for mode in same black; do
  two_outputs
  make_saver "$mode" --effects 0 --interval 60000ms --monitors "$mode" --set lExitKeyPress=True
  start_saver "$mode"
  shot() { primary "$1"; }
  wait_frame "$OUT/$mode-frame0.bmp" 30 "$mode: the primary monitor shows the composed frame"
  if [ "$mode" = same ]; then
    shot() { side "$1"; }
    wait_frame "$OUT/$mode-frame0.bmp" 10 "$mode: the second monitor shows the same composed frame"
  fi
  one_output
  sleep 2
  shot() { primary "$1"; }
  wait_frame "$OUT/$mode-frame0.bmp" 10 "$mode: with the second output off nothing is left over the show"
  check 'running' "$mode: the saver goes on after the change"
  xdotool key a
  wait_gone 10 "$mode: a key ends the saver"
done
finish
