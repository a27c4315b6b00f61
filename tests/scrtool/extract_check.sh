#!/usr/bin/env bash
# extract -> make --manifest gives the same settings and items; check passes a good
# saver and reports a cut-off item, a damaged JPEG, an effect number 200 and an unsafe
# name each with the item it concerns; the exit statuses of usage and work errors.
set -euo pipefail
scrtool=$1
work=$2
rm -rf "$work"
mkdir -p "$work/in/sub"
cd "$work"

printf 'MZ%04094d' 0 >runtime.exe
vips black in/a.png 64 48 --bands 4
vips gaussnoise in/sub/b.jpg 120 90
vips gaussnoise big.jpg 400 300
printf 'RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x40\x1f\0\0\1\0\x08\0data\0\0\0\0' >in/tune.wav
printf 'FWS\x06\x20\0\0\0' >movie.swf
printf 'MZ hook' >hook.dll

"$scrtool" make -o saver.scr --runtime runtime.exe --hook hook.dll --preview in/sub/b.jpg --movie movie.swf \
  --text 'Zoé — ça va? 日本' --descriptions 'one,"two, three"' --set TextFont.Color='#ffcc00' in >make.log 2>&1

# extract and rebuild: the same bytes, so the same settings and items.
"$scrtool" extract saver.scr out >/dev/null
"$scrtool" make --manifest out/saver.toml -o rebuilt.scr >/dev/null 2>&1
cmp saver.scr rebuilt.scr
grep -q "name = 'a.png'" out/saver.toml
test -f out/a.png.jpg -a -f out/tune.wav -a -f out/movie.swf -a -f out/preview.jpg

# inspect shows the stored text as typed, in text and JSON.
"$scrtool" inspect saver.scr | grep -q 'Zoé — ça va? 日本'
"$scrtool" inspect saver.scr --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
assert d["settings"]["Text"] == "Zoé — ça va? 日本", d["settings"]["Text"]
assert d["settings"]["DescriptCommaList"] == ["one", "two, three"]
'

"$scrtool" check saver.scr >check.txt
grep -q "no problems" check.txt

# Faults made by hand in copies of the saver, each by overwriting bytes in place.
"$scrtool" inspect saver.scr --json >saver.json
python3 - <<'PY'
import json, re
d = json.load(open("saver.json"))
data = bytearray(open("saver.scr", "rb").read())
pic = next(i for i in d["items"] if i["kind"] == "picture" and i["name"] == "b.jpg")

# A damaged JPEG: the middle of b.jpg's scan overwritten.
bad = bytearray(data)
mid = pic["position"] + pic["size"] * 2 // 3
bad[mid:mid + 40] = b"\xff\xd9" * 20
open("damaged.scr", "wb").write(bad)

# A cut-off item: the sound's listed position (same number of digits) moved past the end.
data = bytearray(open("saver.scr", "rb").read())
off = int(data[-20:].decode().strip())
settings = bytes(data[off:-40])
m = re.search(rb"SndCommaList\x06.(\d+)", settings, re.S)
position = m.group(1)
assert 10 ** len(position) > len(data)
start = off + m.start(1)
data[start:start + len(position)] = b"9" * len(position)
open("cutoff.scr", "wb").write(data)

# Effect 200 and an unsafe name: replace text of the same length.
data = bytearray(open("saver.scr", "rb").read())
settings = bytes(data[off:-40])
i = off + settings.index(b"0,1,2,", settings.index(b"EffectCommaList"))
data[i:i + 6] = b"200,1,"
n = settings.index(b"tune.wav")
data[off + n:off + n + 8] = b"../x.wav"
open("faults.scr", "wb").write(data)
PY

status=0
"$scrtool" check damaged.scr >damaged.txt || status=$?
test "$status" = 1
grep -q 'picture 1 "b.jpg": is damaged' damaged.txt

status=0
"$scrtool" check cutoff.scr >cutoff.txt || status=$?
test "$status" = 1
grep -q 'sound 0 "tune.wav": lies outside the file' cutoff.txt

status=0
"$scrtool" check faults.scr --json >faults.json || status=$?
test "$status" = 1
python3 - <<'PY'
import json
d = json.load(open("faults.json"))
assert not d["ok"]
problems = {p["item"]: p["problem"] for p in d["problems"]}
assert "'200' is not an effect number" in problems.get("effect 0", ""), problems
assert "not a plain file name" in problems.get('sound 0 "../x.wav"', ""), problems
PY
# extract refuses the unsafe name: the sound goes out under a made-up name.
"$scrtool" extract faults.scr faults-out >/dev/null 2>extract.err
grep -q 'not a plain\|holds a path' extract.err
test ! -e x.wav -a -f faults-out/sound-0

# Captions from the pictures' own names; a word that is no source and captions given
# twice are usage errors.
"$scrtool" make -o captions.scr --runtime runtime.exe --no-hook --captions name in/a.png in/sub/b.jpg >/dev/null 2>&1
"$scrtool" inspect captions.scr --json | python3 -c '
import json, sys
d = json.load(sys.stdin)
assert d["settings"]["DescriptCommaList"] == ["a", "b"], d["settings"]["DescriptCommaList"]
'
"$scrtool" make -o none.scr --runtime runtime.exe --no-hook --captions none in/a.png >/dev/null 2>&1
"$scrtool" inspect none.scr --json | python3 -c '
import json, sys
assert json.load(sys.stdin)["settings"]["DescriptCommaList"] == []
'
for bad in "--captions exif" "--captions name --descriptions x"; do
  status=0
  # shellcheck disable=SC2086
  "$scrtool" make -o bad.scr --runtime runtime.exe --no-hook $bad in/a.png >/dev/null 2>&1 || status=$?
  test "$status" = 2
done

# A saver whose text is stored single-byte, as older savers are: extract and make give
# the same bytes again; the maker's own savers store such text as UTF-8.
"$scrtool" make -o latin.scr --runtime runtime.exe --no-hook --text 'Zoé à Noël' in/a.png >/dev/null 2>&1
python3 - <<'PY'
data = bytearray(open("latin.scr", "rb").read())
text = "Zoé à Noël".encode()
utf8 = b"\x04Text\x14" + len(text).to_bytes(4, "little") + text
assert utf8 in data, "the maker stores the caption as UTF-8"
single = "Zoé à Noël".encode("cp1252")
data = data.replace(utf8, b"\x04Text\x06" + bytes([len(single)]) + single)
length = int(data[-40:-20].decode().strip()) - (len(utf8) - 7 - len(single))
data[-40:-20] = str(length).ljust(20).encode()
open("latin-old.scr", "wb").write(data)
PY
"$scrtool" inspect latin-old.scr | grep -q 'Zoé à Noël'
"$scrtool" extract latin-old.scr latin-out >/dev/null
grep -q 'single_byte_text = true' latin-out/saver.toml
"$scrtool" make --manifest latin-out/saver.toml -o latin-again.scr >/dev/null 2>&1
cmp latin-old.scr latin-again.scr

# Not a saver at all.
status=0
"$scrtool" inspect big.jpg 2>notsaver.txt || status=$?
test "$status" = 1
grep -q "big.jpg: not a saver file" notsaver.txt
status=0
"$scrtool" check big.jpg >notsaver2.txt || status=$?
test "$status" = 1
grep -q "not a saver file" notsaver2.txt

# Exit statuses: wrong usage 2, failed work 1; help and version 0.
expect() {
  local want=$1
  shift
  local got=0
  "$@" >/dev/null 2>&1 || got=$?
  if [ "$got" != "$want" ]; then
    echo "exit $got, not $want: $*" >&2
    exit 1
  fi
}
expect 2 "$scrtool" make -o x.scr --runtime runtime.exe --effects fade,wipe in
expect 2 "$scrtool" make -o x.scr --runtime runtime.exe --interval -5 in
expect 2 "$scrtool" make -o x.scr --runtime runtime.exe --set Stretch=yes in
expect 2 "$scrtool" make --runtime runtime.exe in
expect 2 "$scrtool" frame in/a.png in/sub/b.jpg --style 200 --progress 50 -o f.png
expect 2 "$scrtool" nosuchcommand
expect 1 "$scrtool" make -o x.scr --runtime runtime.exe nosuchfolder
expect 0 "$scrtool" help make
expect 0 "$scrtool" check --help
expect 0 "$scrtool" --version
"$scrtool" help make | grep -q "Examples:"
# Every command answers help and wrong usage alike: its own help with examples, and an
# unknown option as "scrtool NAME: ..." with exit status 2.
for name in $("$scrtool" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p'); do
  expect 0 "$scrtool" help "$name"
  "$scrtool" help "$name" | grep -q "^Examples:" || { echo "no examples in: scrtool help $name" >&2; exit 1; }
  "$scrtool" "$name" --help | grep -q "^  scrtool $name" || { echo "no example of $name in its --help" >&2; exit 1; }
  expect 2 "$scrtool" "$name" --no-such-option
  { "$scrtool" "$name" --no-such-option 2>&1 || true; } | grep -q "^scrtool $name: " ||
    { echo "scrtool $name does not name itself in a usage error" >&2; exit 1; }
done
expect 2 "$scrtool" frame in/a.png in/sub/b.jpg --style 5 --progress 50 -o f.png --size 0x480
{ "$scrtool" frame in/a.png in/sub/b.jpg --style 5 --progress 50 -o f.png --size 640 2>&1 || true; } |
  grep -q "^scrtool frame: --size takes WxH, each side 1 to 7680, not '640'"
{ "$scrtool" make -o x.scr --set Stretch=yes in 2>&1 || true; } | grep -q "did you mean lStretch"
# Warnings: no pictures, descriptions that do not match, --flash without movies.
"$scrtool" make -o w.scr --runtime runtime.exe --flash --descriptions a,b,c in/tune.wav >/dev/null 2>warn.txt
grep -q "no pictures" warn.txt
grep -q "3 descriptions for 0 pictures" warn.txt
grep -q "flash without movies" warn.txt

# The show's defaults for new savers, each switched off, and the range refusals.
show() { "$scrtool" inspect "$1" --json | python3 -c '
import json, sys
s = json.load(sys.stdin)["settings"]
print(s["FillMode"], s["PanZoom"], s["lNoRepeat"], s["lPairPortraits"], s["lCaptionScaled"])'; }
"$scrtool" make -o d.scr --runtime runtime.exe in >/dev/null 2>&1
test "$(show d.scr)" = "1 8 False False True"
"$scrtool" make -o r.scr --runtime runtime.exe --set lRandomPic=yes --pair-portraits --fill crop in >/dev/null 2>&1
test "$(show r.scr)" = "2 8 True True True"
"$scrtool" make -o o.scr --runtime runtime.exe --set lRandomPic=yes --repeat --fill colour --pan-zoom 0 \
  --caption-fixed --no-pair-portraits in >/dev/null 2>&1
test "$(show o.scr)" = "0 0 False False False"
# Switched off, the presentation settings stay out of the stream: the classic saver.
if grep -qa "FillMode\|PanZoom\|lNoRepeat\|lCaptionScaled" o.scr; then echo "default settings written" >&2; exit 1; fi
"$scrtool" extract r.scr r-out >/dev/null
"$scrtool" make --manifest r-out/saver.toml -o r-again.scr >/dev/null 2>&1
cmp r.scr r-again.scr
expect 2 "$scrtool" make -o x.scr --pan-zoom 31 in
expect 2 "$scrtool" make -o x.scr --fill stripes in
expect 2 "$scrtool" make -o x.scr --repeat --no-repeat in
{ "$scrtool" make -o x.scr --set FillMode=3 in 2>&1 || true; } | grep -q "give 0 (colour), 1 (blur) or 2 (crop)"
echo ok
