#!/usr/bin/env bash
# Builds libjpeg-turbo for WebAssembly (static, plain C: no SIMD) from Debian's source
# package with emscripten into build/web-deps. Skips the work when the prefix is complete.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$root/build/web-deps"
work="$root/build/web-deps-src"
export NODE_PATH=/usr/share/nodejs

if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source -q libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo
src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$src" ] || { echo "build-libjpeg-web: no source tree" >&2; exit 1; }

# The type-size checks cannot run a wasm test program: wasm32 sizes are given.
emcmake cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
  -DWITH_JPEG8=OFF \
  -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4 >"$work/configure.log"
cmake --build "$work/build" --target jpeg-static >"$work/build.log"
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$src/jpeglib.h" "$src/jerror.h" "$src/jmorecfg.h" "$work/build/jconfig.h" "$prefix/include/"
echo "build-libjpeg-web: installed into $prefix"
