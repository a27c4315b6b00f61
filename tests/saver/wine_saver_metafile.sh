#!/usr/bin/env bash
# A metafile picture under Windows is played through GDI: the saver shows the
# metafile's filled rectangle in the middle of the screen on the background colour.
set -euo pipefail
source "$(dirname "$0")/wine-saver-env.sh"
"$DEMO" emf "$OUT/fill.emf" 400 300 20C040
(cd "$OUT" && "$SCRTOOL" make -o meta.scr --runtime "$RUNTIME" --hook "$HOOK" --fill colour --pan-zoom 0 --picture fill.emf \
  --effects 0 --interval 60s --set Background=clNavy >/dev/null)
start_saver meta
deadline=$((SECONDS + 20))
centre=""
while [ "$SECONDS" -le "$deadline" ]; do
  shot "$OUT/shot.bmp"
  centre=$("$DEMO" pixel "$OUT/shot.bmp" 512 384)
  [ "$centre" = "20C040" ] && break
  sleep 0.2
done
check '[ "$centre" = "20C040" ]' "the metafile's fill in the middle of the screen (got $centre)"
check '[ "$("$DEMO" pixel "$OUT/shot.bmp" 250 200)" = "000080" ]' "the background around the picture"
check '[ "$("$DEMO" pixel "$OUT/shot.bmp" 320 240)" = "20C040" ]' "the fill reaches the picture's corner"
finish
