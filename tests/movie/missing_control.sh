#!/usr/bin/env bash
# A movie-mode saver of the win32 build under Wine, where no movie control is
# installed: the hook starts, creating the control fails, and the information box asks
# the built-in question (or the language file's); answering No ends the saver without
# its window ever covering the screen.
set -euo pipefail
source "$(dirname "$0")/../wine/wine-env.sh"
scr_wine_prefix
scr_display
trap 'wineserver -k >/dev/null 2>&1 || true; kill ${SCR_XVFB_PID:-} 2>/dev/null || true' EXIT

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
HOOK="$SCR_WIN32_BUILD_DIR/hook/nuvscrhook.dll"
PROBE="$SCR_WIN32_BUILD_DIR/tests/movie/movie_probe.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/movie/make_movie_saver"
scr_require "$RUNTIME" "$HOOK" "$PROBE" "$MAKER"
scr_fresh_output movie_missing_control
mkdir -p "$OUT/plain" "$OUT/translated"
FAILURES=0

probe() {
  echo "+ movie_probe $*"
  wine "$PROBE" "$@" >"$OUT/last.txt" 2>"$OUT/last.err" || true
  sed 's/^/  /' "$OUT/last.txt" "$OUT/last.err"
}
expect() {
  local got
  got=$(grep -m1 "^$1=" "$OUT/last.txt" | cut -d= -f2- | tr -d '\r')
  if [ "$got" = "$2" ]; then echo "ok: $1=$2 ${3:-}"; else
    echo "FAIL: $1 is '$got', expected '$2' ${3:-}"
    FAILURES=$((FAILURES + 1))
  fi
}

"$MAKER" "$RUNTIME" "$HOOK" "$OUT/plain/movie.scr"
probe question "$(scr_winpath "$OUT/plain/movie.scr")" 15000
expect question 1
expect text "Please install the Macromedia Flash Player ActiveX control." "(built-in question)"
expect buttons "&Yes|&No"
expect other_dialogs "" "(the hook library loaded and installed)"
expect questions 1 "(asked once)"
expect ended 1 "(No closes the saver)"
expect exit_code 0
expect fullscreen 0 "(set-up went no further)"

cp "$OUT/plain/movie.scr" "$OUT/translated/movie.scr"
printf '[Language]\r\nDownloadSWF=Bitte den Spieler installieren.\r\n' >"$OUT/translated/nuvscr.ini"
probe question "$(scr_winpath "$OUT/translated/movie.scr")" 15000
expect text "Bitte den Spieler installieren." "(the language file's question)"
expect ended 1

if [ "$FAILURES" -ne 0 ]; then
  echo "missing_control: $FAILURES check(s) failed; files in $OUT"
  exit 1
fi
echo "missing_control: all checks passed"
