#!/usr/bin/env bash
# scrtool record end to end: an MP4 of a three-picture saver with a wave track checked
# with ffprobe and against the frame the saver composes; the mute choices; the WebP
# and PNG outputs; one round by default; an interrupted recording leaves no file;
# movie savers and wrong usage refused.
# usage: record_saver.sh SCRTOOL SAVERDEMO MAKE_RECORD_SAVER OUTDIR
set -euo pipefail
scrtool=$1 saverdemo=$2 make_saver=$3 out=$4
rm -rf "$out"
mkdir -p "$out/muted"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$make_saver" pictures "$out/show.scr"
"$scrtool" record "$out/show.scr" -o "$out/show.mp4" --size 640x360 --seconds 4 --fps 25

video=$(ffprobe -v error -select_streams v -show_entries stream=codec_name,width,height,r_frame_rate,pix_fmt \
  -of default=noprint_wrappers=1 "$out/show.mp4")
for want in codec_name=h264 width=640 height=360 r_frame_rate=25/1 pix_fmt=yuv420p; do
  grep -qx "$want" <<<"$video" || fail "video stream lacks $want: $video"
done
audio=$(ffprobe -v error -select_streams a -show_entries stream=codec_name -of csv=p=0 "$out/show.mp4")
[ "$audio" = aac ] || fail "expected one AAC stream, got '$audio'"
# The wave track is heard, not an empty stream.
volume=$(ffmpeg -v info -i "$out/show.mp4" -vn -af volumedetect -f null - 2>&1 | sed -n 's/.*mean_volume: \(-*[0-9.]*\) dB.*/\1/p')
awk -v v="$volume" 'BEGIN { exit !(v != "" && v + 0 > -40) }' || fail "the music is silent (mean volume '$volume' dB)"
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$out/show.mp4")
awk -v d="$duration" 'BEGIN { exit !(d >= 4 - 0.04 && d <= 4 + 0.04) }' || fail "duration $duration is not 4 s within a frame"

# Two seconds in, the first transition has ended and the first picture is shown whole.
"$saverdemo" frame "$out/show.scr" "$out/expected.bmp" 0 640 360
ffmpeg -v error -y -ss 2.0 -i "$out/show.mp4" -frames:v 1 "$out/at2s.png"
psnr=$(ffmpeg -v info -i "$out/at2s.png" -i "$out/expected.bmp" \
  -lavfi "[0:v]format=rgb24[a];[1:v]format=rgb24[b];[a][b]psnr" -f null - 2>&1 |
  sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p')
echo "PSNR of the frame at 2 s against the composed frame: $psnr dB"
awk -v p="$psnr" 'BEGIN { exit !(p == "inf" || p + 0 >= 30) }' || fail "PSNR $psnr dB is below 30"

# --mute, and the user's stored mute choice beside the saver, leave the music out.
"$scrtool" record "$out/show.scr" -o "$out/mute.mp4" --size 320x180 --seconds 2 --mute
[ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$out/mute.mp4")" ] ||
  fail "--mute recording has an audio stream"
cp "$out/show.scr" "$out/muted/show.scr"
printf '[Setup]\r\nmute=1\r\n' >"$out/muted/CONTROL.INI"
"$scrtool" record "$out/muted/show.scr" -o "$out/muted/show.mp4" --size 320x180 --seconds 2
[ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$out/muted/show.mp4")" ] ||
  fail "a saver muted in its CONTROL.INI was recorded with music"

# Animated WebP and numbered PNG frames, in one run.
"$scrtool" record "$out/show.scr" -o "$out/show.webp" --frames "$out/frames" --size 160x90 --seconds 2 --fps 10
[ "$(head -c 4 "$out/show.webp")" = RIFF ] && [ "$(dd if="$out/show.webp" bs=1 skip=8 count=4 2>/dev/null)" = WEBP ] ||
  fail "show.webp is not a WebP file"
frames=$(find "$out/frames" -name 'frame-*.png' | wc -l)
[ "$frames" -eq 20 ] || fail "expected 20 PNG frames, found $frames"
[ -f "$out/frames/frame-000000.png" ] && [ -f "$out/frames/frame-000019.png" ] || fail "PNG frames misnumbered"

# By default one full round: three pictures, each with its transition and two-second
# interval, so at least six seconds, and not a second round.
"$scrtool" record "$out/show.scr" --frames "$out/round" --size 64x36 --fps 10 >"$out/round.log"
frames=$(find "$out/round" -name 'frame-*.png' | wc -l)
[ "$frames" -ge 60 ] && [ "$frames" -lt 120 ] || fail "one round took $frames frames at 10 a second: $(cat "$out/round.log")"

# SIGINT (Ctrl-C) or SIGTERM during a recording: no file, and no half-written one
# beside it; a file that was there before stays as it was.
interrupt() {  # interrupt SIGNAL OUT.mp4: the recording's exit status
  "$scrtool" record "$out/show.scr" -o "$2" --size 1280x720 --seconds 600 >/dev/null 2>&1 &
  local pid=$! name
  name=$(basename "$2" .mp4)
  for _ in $(seq 200); do
    compgen -G "$out/.$name.*.part.mp4" >/dev/null && break
    sleep 0.1
  done
  sleep 0.5
  kill "-$1" "$pid"
  wait "$pid" && return 0 || return $?
}
interrupt INT "$out/cut.mp4" && code=0 || code=$?
[ "$code" -eq 130 ] || fail "SIGINT: exit status $code, not 130"
[ ! -e "$out/cut.mp4" ] || fail "an interrupted recording left its file"
cp "$out/mute.mp4" "$out/old.mp4"
interrupt TERM "$out/old.mp4" && code=0 || code=$?
[ "$code" -eq 143 ] || fail "SIGTERM: exit status $code, not 143"
cmp -s "$out/mute.mp4" "$out/old.mp4" || fail "an interrupted recording changed the file that was there"
[ -z "$(find "$out" -maxdepth 1 -name '.*.part.*')" ] || fail "a temporary file was left: $(ls -a "$out")"

# A movie saver is refused with a clear message and no output.
"$make_saver" movie "$out/movie.scr"
set +e
message=$("$scrtool" record "$out/movie.scr" -o "$out/movie.mp4" 2>&1)
code=$?
"$scrtool" record "$out/show.scr" -o "$out/bad.mp4" --size 641x360 2>/dev/null
odd=$?
"$scrtool" record "$out/show.scr" -o "$out/bad.avi" 2>/dev/null
avi=$?
set -e
[ "$code" -eq 1 ] && grep -q "movie saver" <<<"$message" || fail "movie saver not refused clearly ($code: $message)"
[ ! -e "$out/movie.mp4" ] || fail "a refused recording left a file"
[ "$odd" -eq 2 ] && [ "$avi" -eq 2 ] || fail "wrong usage did not exit 2 ($odd, $avi)"
echo "record tests passed"
