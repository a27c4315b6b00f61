#!/usr/bin/env bash
# The frame path on a full-screen window: the Windows build's present_bench under Wine
# on an Xvfb screen of 3840x2160x24 (big enough for both sizes), and the native one on
# the program's default backend.
#
#   bench/present.sh [--native DIR] [--win32 DIR] [--frames N]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
native="$root/build/native"
win32="$root/build/win32"
frames=50
while [ $# -gt 0 ]; do
  case "$1" in
    --native) native="$2"; shift ;;
    --win32) win32="$2"; shift ;;
    --frames) frames="$2"; shift ;;
    *) echo "present.sh: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done

# A screen of its own, big enough for 3840x2160.
display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "present.sh: no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 3840x2160x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY="$display"

if [ -x "$native/bench/present_bench" ]; then
  echo "== native"
  "$native/bench/present_bench" --frames="$frames"
fi

exe="$win32/bench/present_bench.exe"
if [ -f "$exe" ]; then
  echo "== Windows build under Wine"
  export SCR_NATIVE_BUILD_DIR="$native" SCR_KEEP_DISPLAY=1
  # shellcheck source=../tests/wine/wine-env.sh
  source "$root/tests/wine/wine-env.sh"
  scr_wine_prefix
  wine "$exe" --frames="$frames" | tr -d '\r'
fi
