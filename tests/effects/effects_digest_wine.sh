#!/usr/bin/env bash
# The Windows build of effectdigest, run under Wine, lists the same frame digests as the
# native one: every region and pixel effect draws identical frames in both builds.
set -euo pipefail
source "$SCR_SOURCE_DIR/tests/wine/wine-env.sh"
scr_wine_prefix
out="$SCR_NATIVE_BUILD_DIR/test-output/effects_digest"
rm -rf "$out"
mkdir -p "$out"
"$SCR_NATIVE_BUILD_DIR/tools/effectdigest/effectdigest" > "$out/native.txt"
wine "$SCR_WIN32_BUILD_DIR/tools/effectdigest/effectdigest.exe" | tr -d '\r' > "$out/wine.txt"
diff "$out/native.txt" "$out/wine.txt"
echo "effects_digest: $(wc -l < "$out/native.txt") run digests identical in both builds"
