#!/usr/bin/env bash
# Music under Wine. First a probe plays a wave, a MIDI and an MP3 file through the
# runtime's media player and records what the system's devices answered (in
# $OUT/probe*.txt). Then a saver with two short wave tracks runs, once with Wine's
# audio as it is and once with every audio driver disabled: either way it keeps
# running without a message box, and when it is stopped its sound files are gone
# from the temporary directory (the device is closed before they are deleted).
# Without audio output each play fails at once; the saver then tries each track once
# and stops the music rather than cycling through the list without pause. Last, a
# saver made by scrtool from songs with non-Latin names plays them.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
PROBE="$SCR_WIN32_BUILD_DIR/tests/music/music_probe.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/music/make_music_saver"
scr_require "$RUNTIME" "$PROBE" "$MAKER"
scr_fresh_output wine_music
WINE_TEMP=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | grep -v /Public/ | head -n 1)
[ -n "$WINE_TEMP" ] || { echo "no temporary directory in the prefix"; exit 1; }
temp_win=$(scr_winpath "$WINE_TEMP")
NO_AUDIO="$WINEDLLOVERRIDES;winealsa.drv,winepulse.drv,wineoss.drv=d"

FAILURES=0
check() {
  if eval "$1"; then echo "ok: ${2:-$1}"; else echo "FAIL: ${2:-$1}"; FAILURES=$((FAILURES + 1)); fi
}
# value FILE KEY: the first KEY=... of FILE.
value() { grep -m1 "^$2=" "$1" | cut -d= -f2- | tr -d '\r'; }

"$MAKER" files "$OUT"
tracks=(music-test-1.wav music-test-2.wav)
"$MAKER" saver "$RUNTIME" "$OUT/music.scr" "${tracks[@]}"

probe_files=()
for f in tone.wav tune.mid quiet.mp3; do probe_files+=("$(scr_winpath "$OUT/$f")"); done
echo "+ music_probe play (audio as it is)"
wine "$PROBE" play "${probe_files[@]}" >"$OUT/probe.txt" 2>"$OUT/probe.err" || true
sed 's/^/  /' "$OUT/probe.txt"
check '[ "$(grep -c "^file=" "$OUT/probe.txt")" = 3 ]' "the probe answered for all three files"
echo "+ music_probe play (audio drivers disabled)"
WINEDLLOVERRIDES="$NO_AUDIO" wine "$PROBE" play "${probe_files[0]}" >"$OUT/probe-noaudio.txt" 2>&1 || true
sed 's/^/  /' "$OUT/probe-noaudio.txt"
check 'grep -q "^file=" "$OUT/probe-noaudio.txt"' "the probe answered without audio drivers"

watch_saver() {  # LABEL [OPENS]: runs the saver for 4 s and stops it
  local label=$1 opens=${2:-}
  rm -f "$WINE_TEMP/${tracks[0]}" "$WINE_TEMP/${tracks[1]}"
  echo "+ music_probe watch ($label)"
  # The multimedia trace shows every open the saver sends.
  WINEDEBUG=-all,trace+mci wine "$PROBE" watch "$(scr_winpath "$OUT/music.scr")" 4000 "$temp_win\\${tracks[0]}" "$temp_win\\${tracks[1]}" \
    >"$OUT/watch-$label.txt" 2>"$OUT/watch-$label.err" || true
  sed 's/^/  /' "$OUT/watch-$label.txt"
  local w="$OUT/watch-$label.txt"
  check '[ "$(value "$w" running)" = 1 ]' "$label: the saver keeps running with its music"
  check '[ -z "$(value "$w" dialog)" ] && grep -q "^dialog=" "$w"' "$label: no message box"
  check '[ "$(value "$w" seen)" = 2 ]' "$label: both tracks were extracted"
  check '[ "$(value "$w" ended)" = 1 ]' "$label: the stop message ends it"
  check '[ "$(value "$w" left)" = 0 ] && [ ! -e "$WINE_TEMP/${tracks[0]}" ] && [ ! -e "$WINE_TEMP/${tracks[1]}" ]' \
    "$label: the sound files are deleted at the end"
  local sent
  sent=$(grep -c 'MCI_Open lpstrElementName=.*music-test-' "$OUT/watch-$label.err" || true)
  echo "  track opens: $sent"
  if [ -n "$opens" ]; then
    check '[ "$sent" = "$opens" ]' "$label: each track is tried once when the device fails every play"
  fi
}
watch_saver audio
WINEDLLOVERRIDES="$NO_AUDIO" watch_saver noaudio 2

# Songs whose names hold letters outside the Western code page: the maker stores them
# under plain ASCII names, so the saver writes both files and plays them.
SCRTOOL="$SCR_NATIVE_BUILD_DIR/tools/scrtool/scrtool"
if [ -x "$SCRTOOL" ]; then
  mkdir -p "$OUT/songs"
  cp "$OUT/tone.wav" "$OUT/songs/Łódź piosenka.wav"
  cp "$OUT/tone.wav" "$OUT/songs/Ромашка.wav"
  vips black "$OUT/black.png" 64 48
  "$SCRTOOL" make -o "$OUT/names.scr" --runtime "$RUNTIME" --no-hook --interval 700ms --set lExitKeyPress=no \
    --set lExitMouseMove=no --set lExitMouseClick=no --set SoundRandom=1 "$OUT/black.png" "$OUT/songs" \
    >"$OUT/names-make.txt" 2>&1
  stored=("Lodz piosenka.wav" "_______.wav")
  check 'grep -q "stored as \"${stored[0]}\"" "$OUT/names-make.txt"' "the maker shows the renaming"
  rm -f "$WINE_TEMP/${stored[0]}" "$WINE_TEMP/${stored[1]}"
  echo "+ music_probe watch (non-Latin song names)"
  WINEDEBUG=-all,trace+mci wine "$PROBE" watch "$(scr_winpath "$OUT/names.scr")" 4000 "$temp_win\\${stored[0]}" \
    "$temp_win\\${stored[1]}" >"$OUT/watch-names.txt" 2>"$OUT/watch-names.err" || true
  sed 's/^/  /' "$OUT/watch-names.txt"
  w="$OUT/watch-names.txt"
  check '[ "$(value "$w" running)" = 1 ]' "non-Latin names: the saver runs"
  check '[ -z "$(value "$w" dialog)" ] && grep -q "^dialog=" "$w"' "non-Latin names: no message box"
  check '[ "$(value "$w" seen)" = 2 ]' "non-Latin names: both songs were written"
  check 'grep -q "MCI_Open lpstrElementName=.*Lodz piosenka.wav" "$OUT/watch-names.err"' "non-Latin names: the song is played"
else
  echo "skipped: the non-Latin song names need $SCRTOOL"
fi

if [ "$FAILURES" -ne 0 ]; then
  echo "wine_music: $FAILURES check(s) failed; files in $OUT"
  exit 1
fi
echo "wine_music: all checks passed"
