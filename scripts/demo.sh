#!/usr/bin/env bash
# The main job: installs what is needed, builds everything, and runs the Windows build
# under Wine on a generated picture, printing where its output is. Run as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

bash scripts/install-deps.sh
bash scripts/build-libjpeg-win32.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"

export SCR_NATIVE_BUILD_DIR="$root/build/native" SCR_WIN32_BUILD_DIR="$root/build/win32"
source tests/wine/wine-env.sh
scr_wine_prefix
out="$root/build/demo"
mkdir -p "$out"
build/native/tools/jpegsmoke/make_test_jpeg "$out/picture.jpg" 640 480 85
wine build/win32/tools/jpegsmoke/jpeg2bmp.exe "$(scr_winpath "$out/picture.jpg")" "$(scr_winpath "$out")\\picture.bmp"
echo "demo: the Windows build decoded $out/picture.jpg into $out/picture.bmp"
