#!/usr/bin/env bash
# The player's music through SDL's disk audio output: a saver with a wave track is
# heard; with --mute, and with mute=1 in the CONTROL.INI beside the saver (in any
# letter case), it is not; MP3, OGG, FLAC and MIDI tracks are heard; a damaged track
# is reported and the next one heard.
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

# The stored choice beside the saver is found whatever the case of its name.
mv "$OUT/stored/CONTROL.INI" "$OUT/stored/control.ini"
rm -f "$OUT/audio.raw"
start_player "$OUT/stored/tune.scr"
wait_frame "$OUT/stored/tune-frame0.bmp" 15 "the saver beside its control.ini runs"
sleep 2
kill -TERM "$PLAYER_PID"
wait_gone 10 "it ends on SIGTERM"
check '! audio_heard' "mute=1 in control.ini: silence"

# Every kind of track is heard: MP3, OGG Vorbis and FLAC made by ffmpeg, and a MIDI
# tune played with the General MIDI sound font.
for kind in mp3 ogg flac; do
  ffmpeg -v error -y -f lavfi -i "sine=frequency=440:duration=4" -ac 2 "$OUT/tone.$kind"
done
# One track, middle C held for four seconds (96 ticks a quarter note, 120 a minute).
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\20\0\300\0\0\220\74\144\206\0\200\74\100\0\377\57\0' \
  >"$OUT/tune.mid"
for track in tone.mp3 tone.ogg tone.flac tune.mid; do
  name=track-${track%.*}-${track#*.}
  make_saver "$name" --effects 0 --interval 60000ms --sound "$track" --set lMute=False
  play "$name"
  check audio_heard "$track is heard"
done

# A damaged track (a wave header and nothing that decodes) is reported with SDL's
# reason, and the next track plays.
head -c 12 "$OUT/tone.wav" >"$OUT/broken.wav"
head -c 4000 /dev/urandom >>"$OUT/broken.wav"
make_saver damaged --effects 0 --interval 60000ms --sound broken.wav --sound tone.ogg --set lMute=False
: >"$OUT/player.log"
play damaged
check 'grep -q "cannot play .*broken.wav: ." "$OUT/player.log"' "the damaged track is reported on stderr"
check audio_heard "the track after the damaged one is heard"
report
