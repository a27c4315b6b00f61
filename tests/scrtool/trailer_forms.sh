#!/usr/bin/env bash
# inspect, check and extract read a trailer as the runtime does: leading spaces and
# tabs, a zero byte after the digits, hexadecimal and a field that is not a number
# (read as 0) are all accepted where the runtime plays the saver; check warns that such
# a trailer is not in the writer's form; a file the runtime cannot read is "not a saver
# file" with the reader's own words after it.
set -euo pipefail
scrtool=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"

printf 'MZ%04094d' 0 >runtime.exe
vips black pic.png 32 24
"$scrtool" make -o saver.scr --runtime runtime.exe --no-hook pic.png >/dev/null

python3 - <<'PY'
data = open("saver.scr", "rb").read()
body, tail = data[:-40], data[-40:]
length, offset = int(tail[:20].decode().strip()), int(tail[20:].decode().strip())
def field(text):
    raw = text.encode("latin-1") if isinstance(text, str) else text
    assert len(raw) <= 20
    return raw + b" " * (20 - len(raw))
forms = {
    "spaces": (field("  \t" + str(length)), field("\t " + str(offset) + "\t")),
    "zero": (field(str(length).encode() + b"\0junk"), field(str(offset).encode() + b"\0" + b"9" * 5)),
    "hex": (field("$%X" % length), field("0x%x" % offset)),
    "notnumber": (field("twelve"), field(str(offset))),    # PackageLength reads as 0
    "badoffset": (field(str(length)), field("nothing")),   # SettingsOffset reads as 0
}
for name, (a, b) in forms.items():
    open(name + ".scr", "wb").write(body + a + b)
PY

"$scrtool" inspect saver.scr --json >plain.json
for form in spaces zero hex notnumber; do
  "$scrtool" inspect $form.scr --json >$form.json
  python3 - "$form" <<'PY'
import json, sys
form = sys.argv[1]
plain, d = json.load(open("plain.json")), json.load(open(form + ".json"))
assert d["trailer"]["SettingsOffset"] == plain["trailer"]["SettingsOffset"], d["trailer"]
assert d["settings"] == plain["settings"], form
if form == "notnumber":
    assert d["trailer"]["PackageLength"] == 0
    assert [i["kind"] for i in d["items"]][0] == "picture", d["items"]
else:
    assert d["trailer"] == plain["trailer"], d["trailer"]
    assert d["items"] == plain["items"], form
PY
  status=0
  "$scrtool" check $form.scr >$form.check || status=$?
  grep -q "trailer: warning: .*not in the form savers are written with" $form.check
  "$scrtool" extract $form.scr $form-out >/dev/null
  test -f $form-out/saver.toml
done
"$scrtool" check spaces.scr >/dev/null   # a warning alone is no problem
"$scrtool" check saver.scr >saver.check
! grep -q warning saver.check

# The runtime fails on these too: the friendly sentence, then the reader's words.
status=0
"$scrtool" inspect badoffset.scr 2>bad.err || status=$?
test "$status" = 1
grep -q "badoffset.scr: not a saver file: .*: Invalid stream format" bad.err
python3 -c '
d = bytearray(open("saver.scr", "rb").read())
d[-20:] = b"-5".ljust(20)     # before the start of the file
open("cut.scr", "wb").write(d)'
status=0
"$scrtool" check cut.scr >cut.txt || status=$?
test "$status" = 1
grep -q "not a saver file: .*Stream read error" cut.txt
echo ok
