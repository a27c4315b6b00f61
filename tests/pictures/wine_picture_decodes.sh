#!/usr/bin/env bash
# A saver file built natively holds pictures of every kind; the Windows build of the
# package readers and picture decoders, run under Wine, reads and decodes each one to
# exactly the pixels the native build gives.
set -euo pipefail
source "$SCR_SOURCE_DIR/tests/wine/wine-env.sh"
scr_wine_prefix
out="$SCR_NATIVE_BUILD_DIR/test-output/wine_picture_decodes"
rm -rf "$out"
mkdir -p "$out/native" "$out/wine"
"$SCR_NATIVE_BUILD_DIR/tests/pictures/picture_samples" "$out/pictures.scr"
native=$("$SCR_NATIVE_BUILD_DIR/tests/pictures/picture_dump" "$out/pictures.scr" "$out/native")
wine "$SCR_WIN32_BUILD_DIR/tests/pictures/picture_dump.exe" "$(scr_winpath "$out/pictures.scr")" \
  "$(scr_winpath "$out/wine")" >/dev/null
[ "$native" -ge 10 ]
for ((i = 0; i < native; i++)); do
  cmp "$out/native/picture$i.bmp" "$out/wine/picture$i.bmp"
done
echo "wine_picture_decodes: $native pictures decode identically on Windows and natively"
