#!/usr/bin/env bash
# Text as typed under Wine: the saver's caption "Zażółć gęślą jaźń — Ελληνικά —
# Кириллица", stored as UTF-8, shows on the screen exactly as the probe draws the same
# string through the wide-character functions (and not as the '?' of a single-byte
# rendition); text stored single-byte shows through the code page as before; the setup
# dialog's caption and title line read back as typed. Screenshots stay in
# test-output/text/ (caption-as-typed.png, setup-as-typed.png).
set -euo pipefail
source "$SCR_SOURCE_DIR/tests/wine/wine-env.sh"
RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
PROBE="$SCR_WIN32_BUILD_DIR/tests/text/text_probe.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/text/make_text_saver"
scr_require "$RUNTIME" "$PROBE" "$MAKER"
OUT="$SCR_NATIVE_BUILD_DIR/test-output/text"
rm -rf "$OUT"
mkdir -p "$OUT"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

TEXT='Zażółć gęślą jaźń — Ελληνικά — Кириллица'
LATIN='Zoé — ça va? 50 €'
printf '%s' "$TEXT" >"$OUT/text.txt"
printf '%s' "$LATIN" >"$OUT/latin.txt"
"$MAKER" "$RUNTIME" "$OUT/text.scr" "$OUT/text.txt" utf8
"$MAKER" "$RUNTIME" "$OUT/latin.scr" "$OUT/latin.txt" single-byte
SIZE=$(xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) .*/\1/p')
SIZE=${SIZE:-1024x768}
FAILURES=0
check() {
  if eval "$1"; then echo "ok: $2"; else echo "FAIL: $2"; FAILURES=$((FAILURES + 1)); fi
}
shot() { xwd -root -silent | /usr/bin/convert xwd:- "$1"; }
differing() { /usr/bin/compare -metric AE "$1" "$2" null: 2>&1 || true; }

probe_draw() {  # probe_draw TEXT-FILE OUT.bmp [--ansi]
  wine "$PROBE" draw "$(scr_winpath "$1")" Arial -24 FFFFFF 204060 "$SIZE" "$(scr_winpath "$2")" ${3:-} >/dev/null 2>&1
}

# wait_same NAME EXPECTED.bmp: the screen shows the expected picture within 20 s.
wait_same() {
  local deadline=$((SECONDS + 20)) n=""
  while [ "$SECONDS" -le "$deadline" ]; do
    shot "$OUT/$1.png"
    n=$(differing "$OUT/$1.png" "$2")
    [ "$n" = 0 ] && return 0
    sleep 0.3
  done
  echo "$1: $n pixels differ from $(basename "$2")"
  return 1
}

# 1. The caption stored as UTF-8, beside the probe's wide and single-byte renditions.
probe_draw "$OUT/text.txt" "$OUT/wide.bmp"
probe_draw "$OUT/text.txt" "$OUT/single-byte.bmp" --ansi
check '[ "$(differing "$OUT/wide.bmp" "$OUT/single-byte.bmp")" != 0 ]' \
  "the single-byte rendition differs from the wide one (the code page lacks the letters)"
wine "$OUT/text.scr" /s >"$OUT/text.log" 2>&1 &
check 'wait_same caption-as-typed "$OUT/wide.bmp"' "the caption shows as the wide-character functions draw it"
wineserver -k >/dev/null 2>&1 || true

# 2. Text stored single-byte reads through the code page: the same as typed.
probe_draw "$OUT/latin.txt" "$OUT/latin-wide.bmp"
wine "$OUT/latin.scr" /s >"$OUT/latin.log" 2>&1 &
check 'wait_same latin-as-typed "$OUT/latin-wide.bmp"' "a single-byte caption shows through the code page"
wineserver -k >/dev/null 2>&1 || true

# 3. The setup dialog: its caption and title line as typed.
rm -f "$OUT/go"
wine "$PROBE" dialog "$(scr_winpath "$OUT/text.scr")" "$(scr_winpath "$OUT")\\go" >"$OUT/dialog.txt" 2>/dev/null &
PROBE_PID=$!
for _ in $(seq 300); do
  grep -q '^ready=1' "$OUT/dialog.txt" 2>/dev/null && break
  sleep 0.1
done
shot "$OUT/setup-as-typed.png"
touch "$OUT/go"
wait $PROBE_PID || true
dialog="$(tr -d '\r' <"$OUT/dialog.txt")"
echo "$dialog"
check 'grep -qxF "caption=Setup [$TEXT]" <<<"$dialog"' "the dialog's caption shows the title as typed"
check 'grep -qxF "control=Title:$TEXT" <<<"$dialog"' "the title line shows the title as typed"

if [ "$FAILURES" -ne 0 ]; then
  echo "wine_text_as_typed: $FAILURES check(s) failed; files in $OUT"
  exit 1
fi
echo "wine_text_as_typed: all checks passed; screenshots in $OUT"
