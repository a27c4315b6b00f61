#!/usr/bin/env bash
# The password-change switch with and without a handle, and preview switches with a
# handle that is missing or not a number: each run ends by itself, quietly.
set -euo pipefail
source "$(dirname "$0")/e2e-env.sh"

"$MAKER" preview "$RUNTIME" "$OUT/saver.scr" 32 24
saver=$(scr_winpath "$OUT/saver.scr")
for args in "/a" "/a 0" "-A 0" "/p" "/p panel"; do
  # shellcheck disable=SC2086
  helper run 5000 "$saver" $args
  expect ended 1 "($args)"
  expect exit_code 0 "($args)"
done
finish
