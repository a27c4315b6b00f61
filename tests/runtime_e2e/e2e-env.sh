#!/usr/bin/env bash
# Sourced by the runtime's Wine tests: the Wine prefix and an X display, the built
# runtime and helpers, a fresh output folder per test, and checks of the helper's
# key=value findings. Every Wine process of the prefix is ended when the test ends.
source "$(dirname "${BASH_SOURCE[0]}")/../wine/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
HELPER="$SCR_WIN32_BUILD_DIR/tests/runtime_e2e/scrhelper.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/runtime_e2e/make_test_saver"
scr_require "$RUNTIME" "$HELPER" "$MAKER"
scr_fresh_output "$(basename "$0" .sh)"

# The prefix's temporary and system directories, as Unix paths.
WINE_TEMP=$(ls -d "$WINEPREFIX"/drive_c/users/*/Temp 2>/dev/null | grep -v /Public/ | head -n 1)
WINE_SYSTEM="$WINEPREFIX/drive_c/windows/system32"

FAILURES=0

# helper ARGS...: runs the helper, its findings into $OUT/last.txt (and the log).
helper() {
  echo "+ scrhelper $*"
  wine "$HELPER" "$@" >"$OUT/last.txt" 2>"$OUT/last.err" || true
  sed 's/^/  /' "$OUT/last.txt" "$OUT/last.err"
}

# expect KEY VALUE [what]: the last helper run found KEY=VALUE.
expect() {
  local got
  got=$(grep -m1 "^$1=" "$OUT/last.txt" | cut -d= -f2- | tr -d '\r')
  if [ "$got" = "$2" ]; then
    echo "ok: $1=$2 ${3:-}"
  else
    echo "FAIL: $1 is '$got', expected '$2' ${3:-}"
    FAILURES=$((FAILURES + 1))
  fi
}

check() {
  if eval "$1"; then echo "ok: ${2:-$1}"; else echo "FAIL: ${2:-$1}"; FAILURES=$((FAILURES + 1)); fi
}

finish() {
  if [ "$FAILURES" -ne 0 ]; then
    echo "$(basename "$0" .sh): $FAILURES check(s) failed; files in $OUT"
    exit 1
  fi
  echo "$(basename "$0" .sh): all checks passed"
}
