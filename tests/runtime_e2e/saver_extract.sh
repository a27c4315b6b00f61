#!/usr/bin/env bash
# A saver run copies its sound files and its movie into the temporary directory and the
# hook library into the system directory, and deletes the sound files when it ends (the
# movie and the library stay). A sound named "..\evil.txt" is never written and brings no
# message box: the track is skipped, the show runs on, and nothing is written outside
# the temporary directory.
set -euo pipefail
source "$(dirname "$0")/e2e-env.sh"
[ -n "$WINE_TEMP" ] || { echo "no temporary directory in the prefix"; exit 1; }
temp_win=$(scr_winpath "$WINE_TEMP")

rm -f "$WINE_TEMP/a.mid" "$WINE_TEMP/b c.wav" "$WINE_TEMP/clip.swf" "$WINE_SYSTEM/nuvscrhook.dll" \
  "$WINE_TEMP/../evil.txt"
"$MAKER" media "$RUNTIME" "$OUT/media.scr" a.mid "b c.wav"
helper saver "$(scr_winpath "$OUT/media.scr")" "$temp_win\\clip.swf" "$temp_win\\a.mid" "$temp_win\\b c.wav"
expect file_seen 1
expect size_0 800 "(a.mid written while the saver runs)"
expect size_1 800 "(b c.wav written while the saver runs)"
expect dialog ""
expect ended 1
# While it ran, each file held its item's bytes; afterwards the sounds are gone.
check '[ ! -e "$WINE_TEMP/a.mid" ] && [ ! -e "$WINE_TEMP/b c.wav" ]' "sound files deleted at the end"
check '[ "$(head -c 6 "$WINE_TEMP/clip.swf" 2>/dev/null)" = "movie " ] && [ "$(stat -c %s "$WINE_TEMP/clip.swf")" = 300 ]' \
  "movie stays in the temporary directory with its bytes"
check '[ "$(head -c 5 "$WINE_SYSTEM/nuvscrhook.dll" 2>/dev/null)" = "hook " ] && [ "$(stat -c %s "$WINE_SYSTEM/nuvscrhook.dll")" = 320 ]' \
  "hook library in the system directory with its bytes"

"$MAKER" media "$RUNTIME" "$OUT/evil.scr" '..\evil.txt'
helper saver "$(scr_winpath "$OUT/evil.scr")" "$temp_win\\..\\evil.txt"
expect file_seen 0
expect dialog ""
expect ended 1
check '[ ! -e "$WINE_TEMP/../evil.txt" ] && [ ! -e "$WINE_TEMP/evil.txt" ]' "nothing written for the refused name"
finish
