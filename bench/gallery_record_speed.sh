#!/usr/bin/env bash
# How long `scrtool gallery` takes for the whole page, and how fast `scrtool record`
# renders a saver run at 1920 x 1080 against real time (wall clock and processor time).
# Not a test: timings depend on the machine and on what else it runs.
# usage: bench/gallery_record_speed.sh [BUILD_DIR]   (default build/native)
set -euo pipefail
build=${1:-build/native}
scrtool=$build/tools/scrtool/scrtool
make_saver=$build/tests/record/make_record_saver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {  # label, command...: prints wall and processor seconds, leaves them in $work/time
  local label=$1
  shift
  /usr/bin/time -f "%e %U %S" "$@" >/dev/null 2>"$work/time" || {
    cat "$work/time" >&2
    return 1
  }
  read -r wall user sys < <(tail -1 "$work/time")
  echo "$label: $wall s wall, $user s user + $sys s system"
}

echo "processors: $(nproc), load: $(cut -d' ' -f1-3 /proc/loadavg)"
measure "gallery, 128 clips at 320x180" "$scrtool" gallery "$work/gallery"
echo "gallery size: $(du -sh "$work/gallery" | cut -f1)"
"$make_saver" pictures "$work/show.scr"
seconds=20
measure "record ${seconds} s at 1920x1080, 25 fps, MP4 with music" \
  "$scrtool" record "$work/show.scr" -o "$work/show.mp4" --size 1920x1080 --seconds $seconds
awk -v s=$seconds -v w="$wall" -v u="$user" -v y="$sys" \
  'BEGIN { printf "record speed: %.2f x real time by the clock, %.2f x per processor second\n", s / w, s / (u + y) }'
echo "MP4 size: $(du -h "$work/show.mp4" | cut -f1)"
