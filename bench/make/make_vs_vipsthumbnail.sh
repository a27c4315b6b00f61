#!/usr/bin/env bash
# Packaging benchmark: twenty 12-megapixel JPEGs packaged by `scrtool make` at the
# default largest size (3840x2160) against libvips' own vipsthumbnail shrinking the
# same files to the same size. Prints both wall-clock times, the CPU time of each
# (user + system; more than the wall-clock time means more than one core worked) and
# their ratio.
#   bash bench/make/make_vs_vipsthumbnail.sh [SCRTOOL] [WORKDIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scrtool=${1:-$here/build/native/tools/scrtool/scrtool}
work=${2:-$here/build/bench-make}
count=20
mkdir -p "$work/photos" "$work/thumbs"

# Photograph-like pictures: smooth noise, so the JPEGs have the size of real ones.
if [ "$(ls "$work/photos" | wc -l)" != "$count" ]; then
  vips gaussnoise "$work/noise.v" 500 375 --sigma 60
  for i in $(seq -w 1 $count); do
    vips resize "$work/noise.v" "$work/big.v" 8 --kernel cubic
    vips gaussblur "$work/big.v" "$work/photos/photo-$i.jpg[Q=92]" 1.5
    vips gaussnoise "$work/noise.v" 500 375 --sigma 60
  done
  rm -f "$work/noise.v" "$work/big.v"
fi
printf 'MZ%04094d' 0 >"$work/runtime.exe"
echo "inputs: $count JPEGs, $(vipsheader "$work/photos/photo-01.jpg" | cut -d' ' -f2), $(du -sh "$work/photos" | cut -f1)"

# Runs a command three times and prints the best wall-clock and its CPU seconds.
measure() {
  local best="" cpu=""
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %U %S' -o "$work/time.txt" "$@" >/dev/null 2>&1
    read -r wall user sys <"$work/time.txt"
    if [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}"; then
      best=$wall
      cpu=$(awk "BEGIN{print $user + $sys}")
    fi
  done
  echo "$best $cpu"
}

read -r make_wall make_cpu < <(measure "$scrtool" make -o "$work/bench.scr" --runtime "$work/runtime.exe" --no-hook \
  "$work/photos")
read -r thumb_wall thumb_cpu < <(measure vipsthumbnail "$work"/photos/*.jpg --size 3840x2160 \
  -o "$work/thumbs/%s.jpg[Q=90]")
echo "scrtool make:   ${make_wall} s wall, ${make_cpu} s CPU"
echo "vipsthumbnail:  ${thumb_wall} s wall, ${thumb_cpu} s CPU"
awk "BEGIN{printf \"ratio make / vipsthumbnail: %.2f\n\", $make_wall / $thumb_wall}"
