#!/usr/bin/env bash
# Packaging at scale: `scrtool make` on N pictures of 12 megapixels (4000x3000 JPEGs,
# photograph-like) at the default largest size, for each N given (default 50 200 500).
# Prints, per N, the wall-clock time, the time per picture (linear time: about the
# same for every N) and the peak memory of the process (bounded: about the same for
# every N). The N pictures are links to a few distinct files, so the disk holds only
# those; the maker converts each link as a picture of its own.
#   bash bench/make/make_scaling.sh [SCRTOOL] [WORKDIR] [N...]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scrtool=${1:-$here/build/native/tools/scrtool/scrtool}
work=${2:-$here/build/bench-make-scaling}
shift $(($# > 2 ? 2 : $#))
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(50 200 500)
distinct=8
mkdir -p "$work/originals"
printf 'MZ%04094d' 0 >"$work/runtime.exe"

if [ "$(ls "$work/originals" | wc -l)" != "$distinct" ]; then
  for i in $(seq 1 $distinct); do
    vips gaussnoise "$work/noise.v" 500 375 --sigma 60
    vips resize "$work/noise.v" "$work/big.v" 8 --kernel cubic
    vips gaussblur "$work/big.v" "$work/originals/photo-$i.jpg[Q=92]" 1.5
  done
  rm -f "$work/noise.v" "$work/big.v"
fi
echo "pictures: $(vipsheader "$work/originals/photo-1.jpg" | cut -d' ' -f2), about $(du -k "$work/originals/photo-1.jpg" | cut -f1) KiB each"
printf '%6s %10s %14s %14s %10s\n' pictures "wall s" "ms/picture" "peak MiB" "saver MiB"
for n in "${counts[@]}"; do
  rm -rf "$work/photos"
  mkdir -p "$work/photos"
  for i in $(seq -w 1 "$n"); do
    ln "$work/originals/photo-$(((10#$i - 1) % distinct + 1)).jpg" "$work/photos/photo-$i.jpg"
  done
  /usr/bin/time -f '%e %M' -o "$work/time.txt" "$scrtool" make -o "$work/bench.scr" --runtime "$work/runtime.exe" \
    --no-hook "$work/photos" >/dev/null 2>&1
  read -r wall peak_kib <"$work/time.txt"
  awk -v n="$n" -v w="$wall" -v k="$peak_kib" -v s="$(stat -c %s "$work/bench.scr")" \
    'BEGIN{printf "%6d %10.1f %14.0f %14.0f %10.0f\n", n, w, 1000 * w / n, k / 1024, s / 1048576}'
done
rm -rf "$work/photos" "$work/bench.scr"
