#!/usr/bin/env bash
# Sourced by the player's tests on Xvfb: a 1024 x 768 display of their own, SDL's x11
# video driver and disk audio output, savers made with scrtool from generated pictures
# (any bytes serve as the runtime here), the frames the headless backend composes for
# them, and the player started with its own private temporary folders under $OUT/tmp.
set -euo pipefail
: "${SCR_NATIVE_BUILD_DIR:?}"

OUT="$SCR_NATIVE_BUILD_DIR/test-output/$(basename "$0" .sh)"
rm -rf "$OUT"
mkdir -p "$OUT/tmp"

# A display of its own: Xvfb picks a free number itself (-displayfd), so tests that
# start at the same time never share one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$OUT/display" >/dev/null 2>&1 &
SCR_XVFB_PID=$!
trap 'kill $SCR_XVFB_PID 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -s "$OUT/display" ] && break
  sleep 0.1
done
[ -s "$OUT/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$OUT/display")"

SCRPLAY="$SCR_NATIVE_BUILD_DIR/tools/scrplay/scrplay"
SCRTOOL="$SCR_NATIVE_BUILD_DIR/tools/scrtool/scrtool"
DEMO="$SCR_NATIVE_BUILD_DIR/tools/saverdemo/saverdemo"
for f in "$SCRPLAY" "$SCRTOOL" "$DEMO"; do
  [ -x "$f" ] || { echo "missing $f (build the native tree first)"; exit 1; }
done

"$DEMO" pictures "$OUT"
printf 'not a real runtime' >"$OUT/runtime.bin"
BAND=48
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$OUT/audio.raw" TMPDIR="$OUT/tmp"
PLAYER_PID=""
running() { [ -n "$PLAYER_PID" ] && kill -0 "$PLAYER_PID" 2>/dev/null; }
source "$(dirname "${BASH_SOURCE[0]}")/../screen-checks.sh"

stop_player() {
  if running; then kill -TERM "$PLAYER_PID" 2>/dev/null || true; fi
  [ -z "$PLAYER_PID" ] || wait "$PLAYER_PID" 2>/dev/null || true
}
trap 'stop_player; kill $SCR_XVFB_PID 2>/dev/null || true' EXIT

# make_saver NAME SCRTOOL-ARGS...: $OUT/NAME.scr of three pictures with a caption,
# which no key, move or click ends unless the arguments say so, and
# the frames composed for them at 1024 x 768 ($OUT/NAME-frameN.bmp).
make_saver() {
  local name=$1
  shift
  (cd "$OUT" && "$SCRTOOL" make -o "$name.scr" --runtime runtime.bin --no-hook --fill colour --pan-zoom 0 --caption-fixed \
    --picture small.bmp --picture huge.bmp --picture wide.bmp --text "Caption of the test" \
    --set TextFont.Size=16 --set TextFont.Color=clYellow --set Background=clNavy \
    --set lExitKeyPress=False --set lExitMouseMove=False --set lExitMouseClick=False "$@" >/dev/null)
  local i
  for i in 0 1 2; do "$DEMO" frame "$OUT/$name.scr" "$OUT/$name-frame$i.bmp" "$i"; done
}

# make_movie_saver: $OUT/movie.scr, a movie saver (its movie is no real one).
make_movie_saver() {
  printf 'not a movie' >"$OUT/clip.swf"
  (cd "$OUT" && "$SCRTOOL" make -o movie.scr --runtime runtime.bin --no-hook --movie clip.swf --flash >/dev/null)
}

# start_player ARGS...: scrplay in the background, its output in $OUT/player.log.
start_player() {
  "$SCRPLAY" "$@" >>"$OUT/player.log" 2>&1 &
  PLAYER_PID=$!
}

# The private temporary folders that exist now.
private_folders() { find "$OUT/tmp" -mindepth 1 -maxdepth 1 -name 'scrplay.*' | wc -l; }

# Whether the disk audio output holds anything but silence (zero samples).
audio_heard() { [ -s "$OUT/audio.raw" ] && ! cmp -s -n "$(stat -c %s "$OUT/audio.raw")" "$OUT/audio.raw" /dev/zero; }
