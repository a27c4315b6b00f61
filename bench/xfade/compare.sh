#!/usr/bin/env bash
# Per-frame cost of FFmpeg's xfade transitions beside the corresponding styles of the
# picture show control, single-threaded, in one run; prints one table with both costs
# and their ratio (xfade / ours).
#
#   bench/xfade/compare.sh [--dry-run] [--frames N] [--build DIR] [--work DIR]
#
# xfade's cost per frame is the CPU time (user + system, as ffmpeg -benchmark reports
# it) of a run whose transition covers every one of N frames, minus that of the same
# run whose transition covers none, divided by N. Both runs decode the two pictures
# once, convert them to planar gbrp once and loop them, with one thread everywhere.
# Ours is the composition benchmark (transition_view_bench) of the native build: one
# frame of a manual run, at the best time of each of the positions 2, 6, ..., 98.
#
# --dry-run runs the same pipeline on tiny pictures with a few frames (for the tests).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build/native"
work=""
frames=50
dry=0
while [ $# -gt 0 ]; do
  case "$1" in
    --dry-run) dry=1 ;;
    --frames) frames="$2"; shift ;;
    --build) build="$2"; shift ;;
    --work) work="$2"; shift ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "compare.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
case "$frames" in ''|*[!0-9]*|0) echo "compare.sh: --frames needs a positive number" >&2; exit 2 ;; esac

if [ "$dry" = 1 ]; then
  sizes="64x36"
  frames=4
else
  sizes="1920x1080 3840x2160"
fi
[ -n "$work" ] || work="$build/xfade"
mkdir -p "$work"

if ! command -v ffmpeg >/dev/null; then
  echo "compare.sh: installing ffmpeg" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends ffmpeg >&2 ||
    { apt-get update >&2 && apt-get install -y --no-install-recommends ffmpeg >&2; }
fi
bench="$build/bench/transition_view_bench"
if [ ! -x "$bench" ]; then
  cmake --build "$build" --target transition_view_bench -j2 >&2
fi

# xfade transition, our style, and what our style does.
pairs=(
  "fade 118 cross-fade"
  "wipeleft 5 wipe"
  "slideleft 4 slide"
  "circleopen 84 iris"
  "dissolve 127 scatter"
  "squeezeh 1 squeeze"
  "zoomin 51 zoom"
)

make_pictures() {  # size
  local s=$1
  [ -s "$work/a-$s.png" ] || ffmpeg -hide_banner -nostdin -loglevel error -y -f lavfi -i "testsrc2=s=$s" \
    -frames:v 1 "$work/a-$s.png"
  [ -s "$work/b-$s.png" ] || ffmpeg -hide_banner -nostdin -loglevel error -y -f lavfi -i "gradients=s=$s:seed=3" \
    -frames:v 1 "$work/b-$s.png"
}

# CPU seconds of one xfade run: transition, size, frames of the second input, its
# duration and offset in seconds (25 frames a second).
xfade_cpu() {
  local t=$1 s=$2 second=$3 duration=$4 offset=$5 log
  log=$(ffmpeg -hide_banner -nostdin -benchmark -threads 1 -filter_threads 1 -filter_complex_threads 1 \
    -i "$work/a-$s.png" -i "$work/b-$s.png" -filter_complex \
    "[0]format=gbrp,loop=loop=$((frames - 1)):size=1,setpts=N/25/TB[a];[1]format=gbrp,loop=loop=$((second - 1)):size=1,setpts=N/25/TB[b];[a][b]xfade=transition=$t:duration=$duration:offset=$offset" \
    -f null - 2>&1) || { echo "$log" >&2; return 1; }
  echo "$log" | sed -n 's/.*bench: utime=\([0-9.]*\)s stime=\([0-9.]*\)s.*/\1 \2/p' | awk '{ printf "%.6f", $1 + $2 }'
}

seconds() { awk -v n="$1" 'BEGIN { printf "%.4f", n / 25 }'; }

# Our milliseconds per frame for every style and size: lines "style size ms".
styles=$(for p in "${pairs[@]}"; do set -- $p; printf '%03d|' "$2"; done)
size_args=()
for s in $sizes; do size_args+=("--size=$s"); done
ours=$("$bench" "${size_args[@]}" --benchmark_filter="^style(${styles%|})/" --benchmark_format=csv 2>/dev/null |
  awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "\"ms_best\"") col = i }
    /^"style/ && col {
      gsub(/"/, "", $1); split($1, n, "/"); sub(/^style0*/, "", n[1]); if (n[1] == "") n[1] = 0
      print n[1], n[2], $col }')
[ -n "$ours" ] || { echo "compare.sh: no figures from $bench" >&2; exit 1; }

printf '%-10s %-11s %9s   %-18s %9s %8s  %s\n' size xfade "ms/frame" ours "ms/frame" ratio "goal 5x"
for s in $sizes; do
  make_pictures "$s"
  total=$(seconds "$frames")
  one=$(seconds 1)
  for p in "${pairs[@]}"; do
    set -- $p
    t=$1 style=$2 what=$3
    every=$(xfade_cpu "$t" "$s" "$frames" "$total" 0)
    # The second input is one frame that starts after the first ends: nothing blends.
    none=$(xfade_cpu "$t" "$s" 1 "$one" "$total")
    mine=$(echo "$ours" | awk -v st="$style" -v sz="$s" '$1 == st && $2 == sz { print $3 }')
    awk -v s="$s" -v t="$t" -v st="$style" -v w="$what" -v a="$every" -v b="$none" -v n="$frames" -v m="$mine" \
      'BEGIN {
        x = (a - b) / n * 1000; if (x < 0) x = 0
        r = (m > 0) ? x / m : 0
        printf "%-10s %-11s %9.2f   %-18s %9.3f %8.1f  %s\n", s, t, x, st " " w, m, r, (r >= 5 ? "met" : "not met")
      }'
  done
done
