#!/usr/bin/env bash
# The saver started with /s: after the first transition the screen shows exactly the
# frame composed for the first picture, after the interval the second; a key press
# ends it (lExitKeyPress set), and the sound file it extracted is gone afterwards.
set -euo pipefail
source "$(dirname "$0")/wine-saver-env.sh"
printf 'not really music' >"$OUT/tune.mid"
make_saver show --effects 5 --interval 1500ms --sound "$OUT/tune.mid" --set lExitKeyPress=True
rm -f "$WINE_TEMP/tune.mid"
start_saver show
wait_frame "$OUT/show-frame0.bmp" 20 "first picture composed on the screen"
check '[ -e "$WINE_TEMP/tune.mid" ]' "the sound file waits in the temporary directory"
wait_frame "$OUT/show-frame1.bmp" 10 "second picture after the interval"
xdotool key a
wait_gone 10 "a key press ends the saver"
check '[ ! -e "$WINE_TEMP/tune.mid" ]' "the extracted sound file is gone"
finish
