#!/usr/bin/env bash
# A worker-driven picture show control on a Win32 screen window runs to its end while
# the program sits in its own message loop, and the control goes cleanly afterwards.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

PROBE="$SCR_WIN32_BUILD_DIR/tests/wine/worker_run_probe.exe"
scr_require "$PROBE"
scr_fresh_output wine_worker_run

FAILURES=0
check() {
  if eval "$1"; then echo "ok: ${2:-$1}"; else echo "FAIL: ${2:-$1}"; FAILURES=$((FAILURES + 1)); fi
}
value() { grep -m1 "^$2=" "$1" | cut -d= -f2- | tr -d '\r'; }

timeout 60 wine "$PROBE" >"$OUT/probe.txt" 2>"$OUT/probe.err" || true
sed 's/^/  /' "$OUT/probe.txt"
p="$OUT/probe.txt"
check '[ "$(value "$p" timed_out)" = 0 ]' "the run ended before the time limit"
check '[ "$(value "$p" completes)" = 1 ]' "OnComplete came once"
check '[ "$(value "$p" steps)" = 25 ]' "every step of 4 ran (25 OnProgress)"
check '[ "$(value "$p" progress)" = 100 ] && [ "$(value "$p" busy)" = 0 ]' "the control ended at 100, not busy"
check '[ "$(value "$p" ended)" = 1 ]' "the control went without a hang or a crash"
exit $((FAILURES > 0))
