#!/usr/bin/env bash
# The player's music through SDL's disk audio output: a saver with a wave track is
# heard; with --mute, and with mute=1 in the CONTROL.INI beside the saver, it is not.
source "$(dirname "$0")/scrplay-env.sh"
MUSIC="$SCR_NATIVE_BUILD_DIR/tests/music/make_music_saver"
[ -x "$MUSIC" ] || { echo "missing $MUSIC (build the native tree first)"; exit 1; }
"$MUSIC" files "$OUT"

# play NAME ARGS...: the saver runs a few seconds, then SIGTERM ends it.
play() {
  local name=$1
  shift
  rm -f "$OUT/audio.raw"
  start_player "$OUT/$name.scr" "$@"
  wait_frame "$OUT/$name-frame0.bmp" 15 "$name runs"
  sleep 2
  kill -TERM "$PLAYER_PID"
  wait_gone 10 "$name ends on SIGTERM"
}

make_saver tune --effects 0 --interval 60000ms --sound tone.wav --set lMute=False
play tune
check audio_heard "a wave track is heard"
check '[ "$(private_folders)" = 0 ]' "the private folder with the track is gone"

play tune --mute
check '! audio_heard' "--mute: silence"

mkdir -p "$OUT/stored"
cp "$OUT/tune.scr" "$OUT/tune-frame0.bmp" "$OUT/stored/"
printf '[Setup]\r\nmute=1\r\n' >"$OUT/stored/CONTROL.INI"
rm -f "$OUT/audio.raw"
start_player "$OUT/stored/tune.scr"
wait_frame "$OUT/stored/tune-frame0.bmp" 15 "the saver beside its CONTROL.INI runs"
sleep 2
kill -TERM "$PLAYER_PID"
wait_gone 10 "it ends on SIGTERM"
check '! audio_heard' "mute=1 in CONTROL.INI: silence"
report
