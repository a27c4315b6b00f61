#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target (one per decoder, plus the
# component stream and the whole saver file) for SECONDS in total, split evenly,
# starting from seeds the project's own writers make in build/fuzz/corpus plus the
# kept inputs in fuzz/corpus/<target>/ (every input that once broke something stays
# there, one file per fault). Exits non-zero when a target crashes; the crashing input
# is left in build/fuzz/artifacts/.
#   scripts/run-fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
total=${1:-60}
build=build/fuzz

cmake --preset fuzz >/dev/null
cmake --build "$build" --target fuzz_all -j "${SCR_JOBS:-2}"

corpus=$build/corpus
artifacts=$build/artifacts
mkdir -p "$corpus" "$artifacts"
"$build/fuzz/make_fuzz_seeds" "$corpus"

mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
if [ "${#targets[@]}" -eq 0 ]; then
  echo "run-fuzz: no fuzz targets built" >&2
  exit 1
fi
each=$(( total / ${#targets[@]} ))
[ "$each" -ge 1 ] || each=1

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
status=0
for t in "${targets[@]}"; do
  mkdir -p "$corpus/$t"
  dirs=("$corpus/$t")
  [ -d "fuzz/corpus/$t" ] && dirs+=("fuzz/corpus/$t")
  echo "run-fuzz: $t for ${each}s"
  if ! "$build/fuzz/$t" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts/$t-" -print_final_stats=1 "${dirs[@]}" >"$artifacts/$t.log" 2>&1; then
    echo "run-fuzz: $t failed; see $artifacts/$t.log" >&2
    tail -n 40 "$artifacts/$t.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$artifacts/$t.log" | tail -n 2 || true
  fi
done
exit "$status"
