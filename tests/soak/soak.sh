#!/usr/bin/env bash
# A minute of the saver under Wine on a 1920 x 1080 display: six pictures, one of 12
# megapixels, a new one every 100 ms through every effect 0..126. Its private memory
# at the end stays within 10 % of what it was in the first 10 seconds, its GDI objects
# do not grow (where the system counts them), no message box ever appears, and a key
# press ends it. The figures go to the log and to $OUT/measured.txt.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"
scr_wine_prefix
scr_display 1920x1080x24
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
PROBE="$SCR_WIN32_BUILD_DIR/tests/soak/soak_probe.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/soak/make_soak_saver"
scr_require "$RUNTIME" "$PROBE" "$MAKER"
scr_fresh_output wine_soak
SECONDS_RUN=${SCR_SOAK_SECONDS:-60}
FIRST=10
FAILURES=0
check() {
  if eval "$1"; then echo "ok: ${2:-$1}"; else echo "FAIL: ${2:-$1}"; FAILURES=$((FAILURES + 1)); fi
}
value() { grep -m1 "^$1=" "$OUT/probe.txt" | cut -d= -f2- | tr -d '\r'; }

"$MAKER" "$RUNTIME" "$OUT/soak.scr"
xdotool mousemove 960 540
echo "+ soak_probe run soak.scr $SECONDS_RUN $FIRST"
wine "$PROBE" run "$(scr_winpath "$OUT/soak.scr")" "$SECONDS_RUN" "$FIRST" >"$OUT/probe.txt" 2>"$OUT/probe.err" &
probe_pid=$!
deadline=$((SECONDS + SECONDS_RUN + 30))
until grep -q '^measured=1' "$OUT/probe.txt" 2>/dev/null; do
  if ! kill -0 "$probe_pid" 2>/dev/null || [ "$SECONDS" -gt "$deadline" ]; then break; fi
  sleep 0.5
done
xwd -root -silent | /usr/bin/convert xwd:- "$OUT/last-frame.png" 2>/dev/null || true
xdotool key space
wait "$probe_pid" || true
sed 's/^/  /' "$OUT/probe.txt"
tail -n 4 "$OUT/probe.err" | sed 's/^/  /'

# Memory swings by a whole decoded picture from one moment to the next, so each point
# is the median of the samples of five seconds: those up to the ${FIRST}s mark and the
# last ones.
first=$(value first_private_kb)
last=$(value last_private_kb)
growth=$(awk -v a="${first:-0}" -v b="${last:-0}" 'BEGIN { if (a > 0) printf "%+.1f", (b - a) * 100 / a; else print "n/a" }')
gdi_first=$(value first_gdi_largest)
gdi_last=$(value last_gdi_largest)
{
  echo "private memory at ${FIRST}s: ${first} kB; at the end: ${last} kB (${growth} %)"
  echo "  least and largest: $(value first_private_kb_least)..$(value first_private_kb_largest) kB;" \
    "$(value last_private_kb_least)..$(value last_private_kb_largest) kB"
  echo "working set at ${FIRST}s: $(value first_working_set_kb) kB; at the end: $(value last_working_set_kb) kB"
  if [ "$gdi_first" = -1 ]; then
    echo "GDI objects: not counted (GetGuiResources gives no answer here)"
  else
    echo "GDI objects, largest at ${FIRST}s and at the end: $gdi_first, $gdi_last;" \
      "USER objects: $(value first_user_largest), $(value last_user_largest)"
  fi
  echo "message boxes: $(value boxes); ended by the key press: $(value ended) after $(value end_wait_ms) ms"
} | tee "$OUT/measured.txt"

check '[ "$(value running)" = 1 ]' "the saver runs for the whole ${SECONDS_RUN}s"
check '[ "$(value covered)" = 1 ]' "its window covers the screen"
check '[ "$(value boxes)" = 0 ]' "no message box appears ($(value box))"
check '[ -n "$first" ] && [ "$first" -gt 0 ] && [ "$last" -le $((first + first / 10)) ] && [ "$last" -ge $((first - first / 10)) ]' \
  "private memory at the end within 10 % of that at ${FIRST}s"
if [ "$gdi_first" != -1 ]; then
  check '[ "$gdi_last" -le "$gdi_first" ]' "GDI objects do not grow"
fi
check '[ "$(value ended)" = 1 ]' "a key press ends it"

if [ "$FAILURES" -ne 0 ]; then
  echo "wine_soak: $FAILURES check(s) failed; files in $OUT"
  exit 1
fi
echo "wine_soak: all checks passed"
