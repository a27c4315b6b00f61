#!/usr/bin/env bash
# Makes a saver with every setting given on the command line and checks that
# `scrtool inspect --json` reports each of them, the items and the accessors.
set -euo pipefail
scrtool=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"

python3 - <<'PY'
import struct
def bmp(w, h, bgr):
    row = bytes(bgr) * w
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pix = row * h
    return (b"BM" + struct.pack("<IHHI", 54 + len(pix), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pix), 0, 0, 0, 0) + pix)
open("one.bmp", "wb").write(bmp(3, 2, (0, 0, 255)))
open("two.bmp", "wb").write(bmp(5, 4, (0, 255, 0)))
open("cover.bmp", "wb").write(bmp(7, 7, (255, 0, 0)))
open("runtime.exe", "wb").write(b"MZ" + b"\x90" * 4094)
open("tune.mid", "wb").write(b"MThd" + bytes(range(60)))
open("empty.wav", "wb").write(b"")
open("movie.swf", "wb").write(b"FWS\x06" + bytes(30))
open("hook.dll", "wb").write(b"MZ" + bytes(100))
PY

"$scrtool" make -o saver.scr --runtime runtime.exe --preview cover.bmp \
  --picture one.bmp --picture two.bmp --sound tune.mid --sound empty.wav --movie movie.swf --hook hook.dll \
  --effects 5,7,120 --title "The Title" --author "An Author" --email me@example.invalid \
  --web http://example.invalid/ --text "Caption, with comma" --interval 4500ms \
  --descriptions '"first one",second,' \
  --set Background=clMenuBar --set lRandomStyle=True --set lRandomPic=true --set lClearOldImage=1 \
  --set lStretch=True --set SoundRandom=3 --set lSoundLoop=True --set lMute=True \
  --set lExitMouseMove=True --set lExitMouseClick=True --set lExitKeyPress=True \
  --set lShowMouseCursor=True --set lExitFSCommandQuit=True --set Ver=flash \
  --set TextFont.Charset=GREEK_CHARSET --set TextFont.Color='$00336699' --set TextFont.Height=-40 \
  --set TextFont.Name="Times New Roman" --set TextFont.Pitch=fpVariable \
  --set 'TextFont.Style=[fsBold,fsUnderline,fsStrikeOut]' --set Tag=12 >make.log

"$scrtool" inspect saver.scr >inspect.txt
"$scrtool" inspect saver.scr --json >inspect.json

python3 - <<'PY'
import json, os
d = json.load(open("inspect.json"))
s = d["settings"]
expect = {
    "Tag": 12, "Text": "Caption, with comma", "Background": 0xFF00001E,
    "lRandomStyle": True, "lRandomPic": True, "lClearOldImage": True, "lStretch": True,
    "Interval": 4500, "SoundRandom": 3, "lSoundLoop": True, "lMute": True,
    "lExitMouseMove": True, "lExitMouseClick": True, "lExitKeyPress": True,
    "lShowMouseCursor": True, "lExitFSCommandQuit": True,
    "Title": "The Title", "Author": "An Author", "Email": "me@example.invalid",
    "Web": "http://example.invalid/", "Ver": "flash", "HookSize": 102,
    "EffectCommaList": ["5", "7", "120"], "PicFileNamesCommaList": ["one.bmp", "two.bmp"],
    "SndFileNamesCommaList": ["tune.mid", "empty.wav"], "SndSizesCommaList": ["64", "0"],
    "FlashFileNamesCommaList": ["movie.swf"], "FlashSizesCommaList": ["34"],
    "DescriptCommaList": ["first one", "second", ""],
}
font = {"Charset": 161, "Color": 0x00336699, "Height": -40, "Name": "Times New Roman",
        "Pitch": "fpVariable", "Size": 30, "Style": ["fsBold", "fsUnderline", "fsStrikeOut"]}
bad = [f"{k}: {s.get(k)!r} != {v!r}" for k, v in expect.items() if s.get(k) != v]
bad += [f"TextFont.{k}: {s['TextFont'].get(k)!r} != {v!r}" for k, v in font.items() if s["TextFont"].get(k) != v]

a = d["accessors"]
if a["EffectCount"] != 3 or a["Effect"] != [5, 7, 120]: bad.append(f"effects {a}")
if a["PicCount"] != 2 or a["SndCount"] != 2 or a["FlashCount"] != 1: bad.append(f"counts {a}")
if a["SndFileName"] != ["tune.mid", "empty.wav"] or a["SndSize"] != [64, 0]: bad.append(f"sounds {a}")

size = os.path.getsize("saver.scr")
if d["fileSize"] != size: bad.append("file size")
t = d["trailer"]
if t["PackageStart"] != 4096 or t["PackageLength"] != size - 40 - 4096: bad.append(f"trailer {t}")
if t["SettingsOffset"] + d["settingsLength"] != size - 40: bad.append("settings do not end at the trailer")

items = d["items"]
kinds = [i["kind"] for i in items]
if kinds != ["preview", "picture", "picture", "sound", "sound", "movie", "hook"]: bad.append(f"kinds {kinds}")
if items[0].get("picture") != "TBitmap 7x7" or items[0]["position"] != 4096: bad.append(f"preview {items[0]}")
if items[1].get("picture") != "TBitmap 3x2" or items[2].get("picture") != "TBitmap 5x4": bad.append("pictures")
if not all(i["inside"] for i in items): bad.append("an item outside the file")
if a["PicPosition"][0] != items[0]["position"] + items[0]["size"]: bad.append("pictures follow the preview")

text = open("inspect.txt").read()
for needle in ("clMenuBar", "GREEK_CHARSET", "[fsBold,fsUnderline,fsStrikeOut]", "\"first one\",second,"):
    if needle not in text: bad.append(f"text output lacks {needle}")

if bad:
    print("\n".join(bad))
    raise SystemExit(1)
print("all settings, items and accessors found")
PY

# A damaged settings stream: the reader's message and a non-zero exit.
python3 - <<'PY'
d = bytearray(open("saver.scr", "rb").read())
off = int(d[-20:].decode().strip())
d[off:off + 4] = b"XXXX"
open("broken.scr", "wb").write(d)
PY
if "$scrtool" inspect broken.scr --json >broken.out 2>broken.err; then
  echo "inspect accepted a broken saver" >&2
  exit 1
fi
grep -q "Invalid stream format" broken.err
# Unknown settings are refused by make.
if "$scrtool" make -o x.scr --runtime runtime.exe --set NoSuchSetting=1 2>/dev/null; then
  echo "make accepted an unknown setting" >&2
  exit 1
fi
echo ok
