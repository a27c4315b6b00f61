#!/usr/bin/env bash
# Builds libjpeg-turbo for 32-bit Windows (static, with its SIMD code) from Debian's
# source package into build/win32-deps. Skips the work when the prefix is complete.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix="$root/build/win32-deps"
work="$root/build/win32-deps-src"

# The C flags: each function in a section of its own, so the runtime links only the
# decoder it uses; no unwind tables, which would keep every function (libjpeg leaves
# its errors through longjmp, never through a C++ exception). A prefix built with other
# flags is built again.
cflags="-msse2 -mfpmath=sse -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables"
if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ] &&
   [ "$(cat "$prefix/cflags" 2>/dev/null)" = "$cflags" ]; then
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source -q libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo
src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$src" ] || { echo "build-libjpeg-win32: no source tree" >&2; exit 1; }

cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS="$cflags" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_JPEG8=OFF -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >"$work/configure.log"
cmake --build "$work/build" --target jpeg-static >"$work/build.log"
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$src/jpeglib.h" "$src/jerror.h" "$src/jmorecfg.h" "$work/build/jconfig.h" "$prefix/include/"
echo "$cflags" >"$prefix/cflags"
echo "build-libjpeg-win32: installed into $prefix"
