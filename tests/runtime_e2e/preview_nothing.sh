#!/usr/bin/env bash
# Preview of a saver whose first item is a Flash movie, and of the bare runtime with no
# package: nothing is drawn and the saver ends at once, while the window is visible.
set -euo pipefail
source "$(dirname "$0")/e2e-env.sh"

"$MAKER" flash "$RUNTIME" "$OUT/flash.scr"
cp "$RUNTIME" "$OUT/bare.scr"
for saver in flash bare; do
  helper preview "$(scr_winpath "$OUT/$saver.scr")" 120 90 "$(scr_winpath "$OUT")\\$saver.bmp"
  expect drawn 0 "($saver)"
  expect ended_while_visible 1 "($saver)"
done
finish
