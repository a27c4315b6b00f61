#!/usr/bin/env bash
# The per-family figures: the native program, then the web module in headless Chromium,
# same frames, same size; and the site's download size (gzip). Builds what is missing.
#   bench/web/run.sh [WIDTHxHEIGHT]     (default 1920x1080)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=${1:-1920x1080}
cd "$root"
export NODE_PATH=/usr/share/nodejs
cmake --build build/native --target family_bench >/dev/null
cmake --build build/web --target family_bench_web scrweb site >/dev/null

# The same frames first: every style's frames hashed at a small size by both builds.
check=640x360
if ! diff <(build/native/bench/web/family_bench "${check%x*}" "${check#*x}" frames) \
  <(node bench/web/run-in-chromium.mjs build/web/bench-web "$check" frames) >/tmp/family-frames.diff; then
  echo "the web module composes other frames than the native build:"
  head -20 /tmp/family-frames.diff
  exit 1
fi
echo "== same frames: every style's frames at $check hash alike natively and in the browser"
echo "== native"
build/native/bench/web/family_bench "${size%x*}" "${size#*x}" | sed -n '/^$/,$p'
echo "== headless Chromium"
node bench/web/run-in-chromium.mjs build/web/bench-web "$size" | sed -n '/^$/,$p'
echo "== site download (gzip -9 of each file, bytes)"
total=0
for f in build/web/site/scrweb.wasm build/web/site/scrweb.js build/web/site/index.html build/web/site/style.css \
  build/web/site/sw.js build/web/site/js/*.js; do
  n=$(gzip -9c "$f" | wc -c)
  total=$((total + n))
  printf '%8d %s\n' "$n" "${f#build/web/site/}"
done
printf '%8d in all\n' "$total"
