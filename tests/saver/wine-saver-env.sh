#!/usr/bin/env bash
# Sourced by the saver's Wine tests: the Wine prefix and a 1024 x 768 display, savers
# made with scrtool from generated pictures, the saver started with /s, screenshots
# compared with the frames the native build composes. Every Wine process of the
# prefix and the display end with the test.
source "$(dirname "${BASH_SOURCE[0]}")/../wine/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
HOOK="$SCR_WIN32_BUILD_DIR/hook/nuvscrhook.dll"
SCRTOOL="$SCR_NATIVE_BUILD_DIR/tools/scrtool/scrtool"
DEMO="$SCR_NATIVE_BUILD_DIR/tools/saverdemo/saverdemo"
for f in "$RUNTIME" "$HOOK" "$SCRTOOL" "$DEMO"; do
  [ -e "$f" ] || { echo "missing $f (build the win32 and native trees first)"; exit 1; }
done

OUT="$SCR_NATIVE_BUILD_DIR/test-output/$(basename "$0" .sh)"
rm -rf "$OUT"
mkdir -p "$OUT"
"$DEMO" pictures "$OUT"
WINE_TEMP=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | grep -v /Public/ | head -n 1)
# The bottom rows where the caption is: another text renderer draws it under Wine.
BAND=48

# make_saver NAME SCRTOOL-ARGS...: $OUT/NAME.scr of three pictures with a caption,
# which no key, move or click ends unless the arguments say so,
# and the frames the native build composes for them ($OUT/NAME-frameN.bmp).
make_saver() {
  local name=$1
  shift
  (cd "$OUT" && "$SCRTOOL" make -o "$name.scr" --runtime "$RUNTIME" --hook "$HOOK" --fill colour --pan-zoom 0 --caption-fixed \
    --picture small.bmp --picture huge.bmp --picture wide.bmp --text "Caption of the test" \
    --set TextFont.Size=16 --set TextFont.Color=clYellow --set Background=clNavy \
    --set lExitKeyPress=False --set lExitMouseMove=False --set lExitMouseClick=False "$@" >/dev/null)
  local i
  for i in 0 1 2; do "$DEMO" frame "$OUT/$name.scr" "$OUT/$name-frame$i.bmp" "$i"; done
}

# start_saver NAME: runs the saver full screen.
start_saver() {
  wine "$OUT/$1.scr" /s >"$OUT/$1.log" 2>&1 &
  SAVER_PID=$!
}

running() { kill -0 "$SAVER_PID" 2>/dev/null; }

source "$(dirname "${BASH_SOURCE[0]}")/../screen-checks.sh"

finish() {
  wineserver -k >/dev/null 2>&1 || true
  report
}
