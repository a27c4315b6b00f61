#!/usr/bin/env bash
# Under the screen saver daemon one copy runs per monitor: of two copies started with
# XSCREENSAVER_WINDOW only the first plays the music (a lock in $XDG_RUNTIME_DIR); the
# second stays silent even after the first ends, and a copy started after that plays.
source "$(dirname "$0")/scrplay-env.sh"
MUSIC="$SCR_NATIVE_BUILD_DIR/tests/music/make_music_saver"
[ -x "$MUSIC" ] || { echo "missing $MUSIC (build the native tree first)"; exit 1; }
"$MUSIC" files "$OUT"
mkdir -m 700 -p "$OUT/run"
export XDG_RUNTIME_DIR="$OUT/run"
ROOT_ID=$(xwininfo -root | awk '/Window id:/ {print $4}')
make_saver tune --effects 0 --interval 60000ms --sound tone.wav --set lMute=False --monitors different

heard() { [ -s "$1" ] && ! cmp -s -n "$(stat -c %s "$1")" "$1" /dev/zero; }
# copy NAME: a copy in hack mode with its own disk audio file $OUT/NAME.raw.
copy() {
  rm -f "$OUT/$1.raw"
  SDL_DISKAUDIOFILE="$OUT/$1.raw" XSCREENSAVER_WINDOW=$ROOT_ID "$SCRPLAY" "$OUT/tune.scr" >>"$OUT/player.log" 2>&1 &
}
copy first
FIRST=$!
sleep 2
copy second
SECOND=$!
sleep 3
check 'heard "$OUT/first.raw"' "the first copy plays the music"
check '! heard "$OUT/second.raw"' "the second copy is silent"
kill -TERM "$FIRST"
wait "$FIRST" || true
sleep 2
check '! heard "$OUT/second.raw"' "the second copy stays silent after the first ended"
copy third
THIRD=$!
sleep 3
check 'heard "$OUT/third.raw"' "a copy started after the first ended plays the music"
kill -TERM "$SECOND" "$THIRD"
wait "$SECOND" "$THIRD" || true
report
