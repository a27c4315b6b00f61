#!/usr/bin/env bash
# The Windows build of jpeg2bmp, run under Wine, decodes the same pixels as the native one.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
scr_wine_prefix
out="$SCR_NATIVE_BUILD_DIR/test-output/jpeg_smoke"
rm -rf "$out"
mkdir -p "$out"
"$SCR_NATIVE_BUILD_DIR/tools/jpegsmoke/make_test_jpeg" "$out/in.jpg" 203 97 80
"$SCR_NATIVE_BUILD_DIR/tools/jpegsmoke/jpeg2bmp" "$out/in.jpg" "$out/native.bmp"
wine "$SCR_WIN32_BUILD_DIR/tools/jpegsmoke/jpeg2bmp.exe" "$(scr_winpath "$out/in.jpg")" "$(scr_winpath "$out")\\wine.bmp"
cmp "$out/native.bmp" "$out/wine.bmp"
echo "jpeg_smoke: Windows and native decodes are identical ($(stat -c %s "$out/wine.bmp") bytes)"
