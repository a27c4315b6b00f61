#!/usr/bin/env bash
# Sourced by the Wine tests: a Wine prefix kept in the native build tree (made once,
# under a lock), quiet Wine, no window-manager stalls, and an X display (Xvfb) for
# programs that open windows.
set -euo pipefail
: "${SCR_NATIVE_BUILD_DIR:?}"
export WINEPREFIX="$SCR_NATIVE_BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32

scr_wine_prefix() {
  local lock="$SCR_NATIVE_BUILD_DIR/wineprefix.lock"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.scr-ready" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$WINEPREFIX/.scr-ready"
    fi
  ) 9>"$lock"
}

# Starts an Xvfb for this test when no display is given: 1024 x 768 x 24, or the
# screen given as WIDTHxHEIGHTxDEPTH.
scr_display() {
  if [ -n "${SCR_KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n screen=${1:-1024x768x24}
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
      SCR_XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      trap 'kill $SCR_XVFB_PID 2>/dev/null || true' EXIT
      return 0
    fi
  done
  echo "no free X display" >&2
  return 1
}

# Converts a Unix path into the Z: path Wine gives it.
scr_winpath() { echo "Z:$(realpath "$1" | sed 's#/#\\#g')"; }

# scr_require FILE...: ends the test when a program of the build trees is missing.
scr_require() {
  local f
  for f in "$@"; do
    [ -e "$f" ] || { echo "missing $f (build the win32 and native trees first)"; exit 1; }
  done
}

# scr_fresh_output NAME: sets OUT to an empty folder for the test's files.
scr_fresh_output() {
  OUT="$SCR_NATIVE_BUILD_DIR/test-output/$1"
  rm -rf "$OUT"
  mkdir -p "$OUT"
}
