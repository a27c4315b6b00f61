#!/usr/bin/env bash
# Preview of a saver whose first item is a 160 x 120 picture, in a 152 x 112 window:
# the window shows the picture scaled to 153 x 113 (cut to the window), pixel for
# pixel; the saver keeps running while the window is visible and ends once hidden.
set -euo pipefail
source "$(dirname "$0")/e2e-env.sh"

"$MAKER" preview "$RUNTIME" "$OUT/picture.scr" 160 120
"$MAKER" expect-preview 160 120 152 112 "$OUT/expected.bmp"
helper preview "$(scr_winpath "$OUT/picture.scr")" 152 112 "$(scr_winpath "$OUT")\\actual.bmp"
expect drawn 1
expect ended_while_visible 0 "(still running while the window is visible)"
expect ended_after_hide 1
# Nearest-pixel scaling done by the runtime itself, shown 1:1: no difference allowed.
if "$MAKER" compare "$OUT/actual.bmp" "$OUT/expected.bmp" 0; then
  echo "ok: pixels match"
else
  echo "FAIL: pixels differ: see $OUT/actual.bmp and $OUT/expected.bmp"
  FAILURES=$((FAILURES + 1))
fi
finish
