#!/usr/bin/env bash
# Sourced by the tests that look at an X display: screenshots, waiting for a frame to
# show or a process to end, and a tally of the checks. The sourcing test sets OUT (its
# folder), DEMO (saverdemo), BAND (the caption's rows, drawn by another text renderer)
# and defines running (whether the program under test still runs).
FAILURES=0

shot() { xwd -root -silent | /usr/bin/convert xwd:- "BMP3:$1"; }

# wait_frame EXPECTED.bmp SECONDS WHAT: a screenshot equals the frame within the time.
wait_frame() {
  local deadline=$((SECONDS + $2)) result=""
  while [ "$SECONDS" -le "$deadline" ]; do
    shot "$OUT/shot.bmp"
    if result=$("$DEMO" compare "$OUT/shot.bmp" "$1" "$BAND"); then
      echo "ok: $3 ($result)"
      return 0
    fi
    sleep 0.2
  done
  cp "$OUT/shot.bmp" "$OUT/failed-$(basename "$1")"
  echo "FAIL: $3: $result (screenshot in $OUT/failed-$(basename "$1"))"
  FAILURES=$((FAILURES + 1))
}

# wait_gone SECONDS WHAT: the program ends within the time.
wait_gone() {
  local deadline=$((SECONDS + $1))
  while running && [ "$SECONDS" -le "$deadline" ]; do sleep 0.1; done
  if running; then
    echo "FAIL: $2"
    FAILURES=$((FAILURES + 1))
  else
    echo "ok: $2"
  fi
}

check() {
  if eval "$1"; then echo "ok: ${2:-$1}"; else echo "FAIL: ${2:-$1}"; FAILURES=$((FAILURES + 1)); fi
}

# The tally: exit 1 when a check failed.
report() {
  if [ "$FAILURES" -ne 0 ]; then
    echo "$(basename "$0" .sh): $FAILURES check(s) failed; files in $OUT"
    exit 1
  fi
  echo "$(basename "$0" .sh): all checks passed"
}
