#!/usr/bin/env bash
# Runs every test on a fresh machine: installs what is needed, builds the native, the
# sanitizer and the 32-bit Windows trees, runs the fuzz targets briefly, then all of
# CTest (unit tests natively, Wine tests against the Windows build). Run as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

bash scripts/install-deps.sh
bash scripts/build-libjpeg-win32.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
# The site: the show compiled to WebAssembly and the page; its tests (label web) run
# with the native tree's CTest below.
if [ -z "${SCR_SKIP_WEB:-}" ]; then
  JOBS=$jobs bash scripts/web.sh --build-only
fi

if [ -z "${SCR_SKIP_ASAN:-}" ]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$jobs"
  LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" ctest --test-dir build/asan -L unit -j "$jobs" --output-on-failure --timeout 600
fi

# The picture show control's run and its workers under the thread sanitizer; only the
# target holding those tests is built.
if [ -z "${SCR_SKIP_TSAN:-}" ]; then
  cmake --preset tsan >/dev/null
  cmake --build --preset tsan --target transition_run_test -j "$jobs"
  ctest --test-dir build/tsan -L unit -R '^(ViewDestruction|ViewRunTable|ViewFreeRun|WorkerRegistry)\.' -j "$jobs" \
    --output-on-failure --timeout 600
fi

if [ -z "${SCR_SKIP_FUZZ:-}" ] && [ -f fuzz/CMakeLists.txt ]; then
  # Every fuzz target gets its share of at most three minutes in all.
  fuzz_seconds=${SCR_FUZZ_SECONDS:-140}
  [ "$fuzz_seconds" -le 180 ] || fuzz_seconds=180
  bash scripts/run-fuzz.sh "$fuzz_seconds"
fi

ctest --test-dir build/native -j "$jobs" --output-on-failure --timeout 900
