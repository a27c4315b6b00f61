#!/usr/bin/env bash
# What make does with what a person gives it: the order of pictures (natural, given,
# date) shown by --dry-run, --interval's units, the command line over the manifest,
# damaged pictures (an error, or left out with --skip-bad), names the runtime can
# always write, colours through ICC profiles, CMYK, 16 bits and grey compared with
# libvips' own conversion, a large BMP shrunk, the 2 GiB limit met before writing,
# extract's refusal to overwrite, and savers written by the tests' own builder
# rebuilt byte for byte; check reports names the Windows runtime cannot create.
set -euo pipefail
scrtool=$1
work=$2
maker=$3
rm -rf "$work"
mkdir -p "$work"
cd "$work"
printf 'MZ%04094d' 0 >runtime.exe
run() { "$scrtool" make --runtime runtime.exe --no-hook "$@"; }
expect_status() {
  local want=$1
  shift
  local got=0
  "$@" >status.out 2>status.err || got=$?
  if [ "$got" != "$want" ]; then
    echo "exit $got, not $want: $*" >&2
    cat status.err >&2
    exit 1
  fi
}

# --- order, shown by --dry-run, which writes nothing
mkdir -p order
for n in IMG_10 IMG_9 img_2 B; do vips black order/$n.png 8 8; done
run --dry-run -o order.scr order >dry.txt
test ! -e order.scr
grep -q "Nothing was written" dry.txt
got=$(sed -n 's/^  picture .* bytes  order\/\(.*\)\.png$/\1/p' dry.txt | tr '\n' ' ')
test "$got" = "B img_2 IMG_9 IMG_10 " || { echo "natural order: $got" >&2; exit 1; }
grep -q "picture .* [0-9]\+ bytes  order/B.png" dry.txt
run --dry-run -o order.scr --order given order/IMG_9.png order/B.png >given.txt
got=$(sed -n 's/^  picture .* bytes  order\/\(.*\)\.png$/\1/p' given.txt | tr '\n' ' ')
test "$got" = "IMG_9 B " || { echo "given order: $got" >&2; exit 1; }
touch -d '2020-01-03' order/B.png
touch -d '2020-01-01' order/IMG_10.png
touch -d '2020-01-02' order/img_2.png order/IMG_9.png
run --dry-run -o order.scr --order date order >date.txt
got=$(sed -n 's/^  picture .* bytes  order\/\(.*\)\.png$/\1/p' date.txt | tr '\n' ' ')
test "$got" = "IMG_10 img_2 IMG_9 B " || { echo "date order: $got" >&2; exit 1; }
expect_status 2 run --dry-run -o order.scr --order size order

# --- --interval takes a unit
expect_status 2 run -o i.scr --interval 5 order
grep -q "5s" status.err && grep -q "5000ms" status.err
run -o i.scr --interval 0s order >/dev/null 2>zero.err
grep -q "never changes its picture" zero.err
run -o i.scr --interval 1.5s order >/dev/null
"$scrtool" inspect i.scr --json | python3 -c 'import json,sys; assert json.load(sys.stdin)["settings"]["Interval"] == 1500'

# --- the command line wins over the manifest, the manifest over the defaults
vips gaussnoise big.jpg 200 100
cat >m.toml <<'TOML'
output = "from-manifest.scr"
runtime = "runtime.exe"
hook = false
pictures = ["big.jpg"]
Text = "from the manifest"
Title = "kept"
keep_originals = true
max_size = 0
TOML
"$scrtool" make --manifest m.toml >/dev/null
"$scrtool" make --manifest m.toml -o typed.scr --text "typed" --max-size 50x50 --quality 70 >/dev/null
test -f from-manifest.scr
"$scrtool" inspect typed.scr --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
assert d["settings"]["Text"] == "typed", d["settings"]["Text"]
assert d["settings"]["Title"] == "kept"
pics = [i["picture"] for i in d["items"] if i["kind"] == "picture"]
assert pics == ["TJPEGImage 50x25"], pics'
"$scrtool" inspect from-manifest.scr --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
assert [i["picture"] for i in d["items"] if i["kind"] == "picture"] == ["TJPEGImage 200x100"]'

# --- a damaged JPEG that would go in byte for byte
vips gaussnoise good.jpg 120 90
python3 -c '
d = open("good.jpg", "rb").read()
open("damaged.jpg", "wb").write(d[: len(d) * 2 // 3])'
expect_status 1 run -o bad.scr good.jpg damaged.jpg
grep -q "damaged.jpg" status.err && grep -q -- "--skip-bad" status.err
test ! -e bad.scr
ls | grep -q "\.tmp" && { echo "a temporary file was left" >&2; exit 1; }
run -o bad.scr --skip-bad good.jpg damaged.jpg >skip.out 2>skip.err
grep -q "damaged.jpg.*left out" skip.err
"$scrtool" inspect bad.scr --json | python3 -c '
import json, sys
assert [i["name"] for i in json.load(sys.stdin)["items"] if i["kind"] == "picture"] == ["good.jpg"]'

# --- music names: plain ASCII, unique, each renaming shown
mkdir -p songs/a songs/b
printf 'RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\0\0\0\0' >songs/a/x.wav
cp songs/a/x.wav songs/b/x.wav
cp songs/a/x.wav "songs/Łódź?.wav"
run -o songs.scr good.jpg songs >/dev/null 2>songs.err
grep -q 'stored as "Lodz_.wav"' songs.err
grep -q 'stored as "x-2.wav"' songs.err
"$scrtool" inspect songs.scr --json | python3 -c '
import json, sys
names = json.load(sys.stdin)["settings"]["SndFileNamesCommaList"]
assert names == ["x.wav", "x-2.wav", "Lodz_.wav"], names'
"$scrtool" check songs.scr >/dev/null

# --- check reads names as the runtime does: text stored as UTF-8 stays as typed
"$maker" names runtime.exe names.scr
expect_status 1 "$scrtool" check names.scr
grep -q 'sound 1 "what?.wav": .*cannot write it' status.out
! grep -q 'Łódź.wav' status.out
! grep -q 'fine.wav' status.out

# --- colours: profiles, CMYK, 16 bits and grey, against libvips' own conversion
vips xyz xy.v 96 64
vips linear xy.v ramp.v "2 3" "10 20" --uchar
vips extract_band ramp.v r0.v 0
vips bandjoin "ramp.v r0.v" rgb.v
vips copy rgb.v rgb.png --interpretation srgb
vips icc_transform rgb.png p3.jpg p3 --input-profile srgb
vips icc_export rgb.png cmyk.jpg --output-profile cmyk
vips colourspace rgb.png rgb16.png rgb16
vips colourspace rgb.png grey.png b-w
mean_difference() {  # OURS REFERENCE: mean absolute difference per channel
  vips subtract "$1" "$2" d.v
  vips abs d.v a.v
  vips avg a.v
}
for picture in p3.jpg cmyk.jpg rgb16.png grey.png; do
  run -o colour.scr --quality 100 $picture >/dev/null
  rm -rf colour
  "$scrtool" extract colour.scr colour >/dev/null
  case $picture in
    grey.png | rgb16.png) vips colourspace $picture ref.v srgb ;;
    *) vips icc_transform $picture ref.v srgb --embedded ;;
  esac
  vips cast ref.v ref8.v uchar
  ours=$(ls colour/*.jpg | head -n 1)
  vips colourspace "$ours" ours.v srgb
  diff=$(mean_difference ours.v ref8.v)
  python3 -c "import sys; d = float('$diff'); print('$picture: mean difference', d); sys.exit(0 if d < 1 else 1)"
done

# --- a 6000x4000 BMP is shrunk like any picture
python3 - <<'PY'
import struct
w, h = 6000, 4000
row = (w * 3 + 3) // 4 * 4
with open("huge.bmp", "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", 54 + row * h, 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, row * h, 0, 0, 0, 0))
    f.write(bytes([40, 80, 160]) * w + b"\0" * (row - w * 3))
    f.seek(54 + row * h - 1)
    f.write(b"\0")
PY
run -o huge.scr --max-size 600x600 huge.bmp >/dev/null
"$scrtool" inspect huge.scr --json | python3 -c '
import json, sys
assert [i["picture"] for i in json.load(sys.stdin)["items"] if i["kind"] == "picture"] == ["TJPEGImage 600x400"]'

# --- a saver past 2 GiB stops before anything is written, saying what to change
mkdir -p large
for n in 1 2 3; do
  printf '\xff\xd8\xff\xe0' >large/photo$n.jpg
  truncate -s 800M large/photo$n.jpg   # sparse: takes no room on the disk
done
expect_status 1 run -o large.scr --keep-originals large
grep -q "would pass 2 GiB" status.err
grep -q -- "--max-size" status.err && grep -q -- "--quality" status.err && grep -q "fewer pictures" status.err
test ! -e large.scr
rm -rf large

# --- extract does not overwrite unless told; savers made elsewhere rebuild byte for byte
"$maker" unusual runtime.exe unusual.scr
"$scrtool" check unusual.scr >/dev/null
"$scrtool" extract unusual.scr un >/dev/null
"$scrtool" make --manifest un/saver.toml -o unusual-again.scr >/dev/null 2>&1
cmp unusual.scr unusual-again.scr
expect_status 1 "$scrtool" extract unusual.scr un
grep -q "already holds" status.err && grep -q -- "--force" status.err && grep -q "saver.toml" status.err
"$scrtool" extract --force unusual.scr un >/dev/null
echo ok
