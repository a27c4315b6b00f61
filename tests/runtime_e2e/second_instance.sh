#!/usr/bin/env bash
# While one instance of a saver file runs (a preview), a second start of the same file
# ends at once in every mode but password change; the first goes on until its window
# is hidden.
set -euo pipefail
source "$(dirname "$0")/e2e-env.sh"

"$MAKER" preview "$RUNTIME" "$OUT/saver.scr" 64 48
saver=$(scr_winpath "$OUT/saver.scr")
for args in "/s" "/c" "" "/p 0"; do
  # shellcheck disable=SC2086
  helper second "$saver" $args
  expect first_drawn 1 "(second: '$args')"
  expect second_ended 1 "(second: '$args')"
  expect first_running 1 "(second: '$args')"
  expect first_ended 1 "(second: '$args')"
done
finish
