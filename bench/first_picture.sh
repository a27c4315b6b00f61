#!/usr/bin/env bash
# Time to the first picture for 12-, 24- and 48-megapixel JPEGs at 1920x1080 and
# 3840x2160: natively, and under Wine when the win32 tree has the benchmark.
#
#   bench/first_picture.sh [--native DIR] [--win32 DIR] [--work DIR]
#
# The pictures are a test pattern with grain (about 2.8 bits a pixel, as a camera's
# JPEG of fine quality), made once with ffmpeg (installed when missing).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
native="$root/build/native"
win32="$root/build/win32"
work=""
while [ $# -gt 0 ]; do
  case "$1" in
    --native) native="$2"; shift ;;
    --win32) win32="$2"; shift ;;
    --work) work="$2"; shift ;;
    *) echo "first_picture.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
[ -n "$work" ] || work="$native/first-picture"
mkdir -p "$work"

if ! command -v ffmpeg >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends ffmpeg >&2 ||
    { apt-get update >&2 && apt-get install -y --no-install-recommends ffmpeg >&2; }
fi
pictures=()
for size in 4000x3000 6000x4000 8000x6000; do
  out="$work/grain-$size.jpg"
  [ -s "$out" ] || ffmpeg -hide_banner -nostdin -loglevel error -y -f lavfi -i "testsrc2=s=$size,noise=alls=14" \
    -frames:v 1 -q:v 3 "$out"
  pictures+=("$out")
done

[ -x "$native/bench/first_picture_bench" ] || cmake --build "$native" --target first_picture_bench -j2 >&2
echo "== native"
"$native/bench/first_picture_bench" "${pictures[@]}"

exe="$win32/bench/first_picture_bench.exe"
if [ -f "$exe" ]; then
  echo "== Windows build under Wine"
  export SCR_NATIVE_BUILD_DIR="$native"
  # shellcheck source=../tests/wine/wine-env.sh
  source "$root/tests/wine/wine-env.sh"
  scr_wine_prefix
  scr_display
  winpics=()
  for p in "${pictures[@]}"; do winpics+=("$(scr_winpath "$p")"); done
  wine "$exe" "${winpics[@]}" | tr -d '\r'
fi
