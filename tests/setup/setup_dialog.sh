#!/usr/bin/env bash
# The setup dialog of the win32 runtime under Wine: started with /c and with no
# argument it shows the saver's information and the stored mute choice; a click on the
# check box and on OK stores the choice in CONTROL.INI beside the saver; the language
# file replaces the texts; a CONTROL.INI that cannot be written (a folder of that name)
# is reported with its path and the dialog stays open. A screenshot of the dialog is
# kept in test-output/setup/.
set -euo pipefail
source "$SCR_SOURCE_DIR/tests/wine/wine-env.sh"

RUNTIME="$SCR_WIN32_BUILD_DIR/app/runtime.scr"
PROBE="$SCR_WIN32_BUILD_DIR/tests/setup/setup_probe.exe"
MAKER="$SCR_NATIVE_BUILD_DIR/tests/setup/make_setup_saver"
OUT="$SCR_NATIVE_BUILD_DIR/test-output/setup"
for f in "$RUNTIME" "$PROBE" "$MAKER"; do
  [ -e "$f" ] || { echo "missing $f" >&2; exit 1; }
done

mkdir -p "$OUT"
WORK="$(mktemp -d "$OUT/run.XXXXXX")"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WORK"
}
trap cleanup EXIT

scr_wine_prefix
scr_display
# scr_display's trap ends Xvfb; keep ours too.
trap 'cleanup; kill ${SCR_XVFB_PID:-0} 2>/dev/null || true' EXIT

"$MAKER" "$RUNTIME" "$WORK/saver.scr"
SAVER="$(scr_winpath "$WORK/saver.scr")"
INI_WIN="$(scr_winpath "$WORK")\\CONTROL.INI"
failures=0

probe() { wine "$PROBE" "$SAVER" "$@" 2>/dev/null | tr -d '\r'; }

expect_line() {  # expect_line OUTPUT LINE: the output holds exactly this line
  if ! grep -qxF -- "$2" <<<"$1"; then
    echo "FAIL: expected line: $2" >&2
    failures=$((failures + 1))
  fi
}
expect_match() {  # expect_match OUTPUT REGEX
  if ! grep -qE -- "$2" <<<"$1"; then
    echo "FAIL: expected a line matching: $2" >&2
    failures=$((failures + 1))
  fi
}
ini_value() { tr -d '\r' <"$WORK/CONTROL.INI" | sed -n 's/^mute=//p'; }

# 1. /c: the dialog with the saver's information; a screenshot; the box checked and OK
#    stores "1".
rm -f "$WORK/go"
# Straight into the file (no filter that would hold the lines back), so "ready" is seen
# while the dialog waits.
wine "$PROBE" "$SAVER" /c --pause "$(scr_winpath "$WORK")\\go" --toggle --ok >"$WORK/first.txt" 2>/dev/null &
PROBE_PID=$!
for _ in $(seq 300); do
  grep -q '^ready=1' "$WORK/first.txt" 2>/dev/null && break
  sleep 0.1
done
grep -q '^ready=1' "$WORK/first.txt" || { echo "FAIL: the dialog never became ready" >&2; failures=$((failures + 1)); }
xwd -root -silent | /usr/bin/convert xwd:- "$OUT/setup-dialog.png"
touch "$WORK/go"
wait $PROBE_PID
first="$(tr -d '\r' <"$WORK/first.txt")"
echo "--- /c:"; echo "$first"
expect_line "$first" "dialog=1"
expect_line "$first" "caption=Setup [Lake Views]"
expect_line "$first" "client=305x359"
expect_line "$first" "sysmenu=0"
expect_match "$first" '^control=TScrPanel\|\|0,0,305,145$'
expect_match "$first" '^control=TScrPanel\|\|0,145,305,159$'
expect_match "$first" '^control=TScrPanel\|\|0,304,305,55$'
expect_match "$first" '^control=TScrLabel\|Title:Lake Views\|29,23,[0-9]+,[0-9]+$'
expect_match "$first" '^control=TScrLabel\|Author:Ann Author\|29,44,'
expect_match "$first" '^control=TScrLabel\|ann@example.invalid\|29,106,'
expect_match "$first" '^control=TScrLabel\|www.example.invalid/lake\|29,127,'
expect_line "$first" "control=Button|Mute music|24,72,97,17|checked=0"
expect_line "$first" "control=Button|&Ok|216,16,75,25"
expect_line "$first" "checked=1"
expect_line "$first" "ended=1"
[ "$(ini_value)" = "1" ] || { echo "FAIL: CONTROL.INI holds mute=$(ini_value), not 1" >&2; failures=$((failures + 1)); }

# The dialog is centred and its panels show the form's colour RGB(255, 247, 231).
origin="$(sed -n 's/^client_origin=//p' <<<"$first")"
window="$(sed -n 's/^window=//p' <<<"$first")"
IFS=, read -r wx wy ww wh <<<"$window"
[ $(( (1024 - ww) / 2 )) -eq "$wx" ] && [ $(( (768 - wh) / 2 )) -eq "$wy" ] ||
  { echo "FAIL: not centred: $window" >&2; failures=$((failures + 1)); }
IFS=, read -r ox oy <<<"$origin"
pixel="$(/usr/bin/convert "$OUT/setup-dialog.png" -format "%[pixel:p{$((ox + 150)),$((oy + 220))}]" info:)"
case "$pixel" in
  "srgb(255,247,231)" | "rgb(255,247,231)") ;;
  *) echo "FAIL: Panel2 shows $pixel" >&2; failures=$((failures + 1)) ;;
esac

# 2. No argument: a stored value of 1 (written "$1") shows checked, and OK writes "1".
printf '[Setup]\r\nmute=$1\r\n' >"$WORK/CONTROL.INI"
second="$(probe none --ok)"
echo "--- no argument:"; echo "$second"
expect_line "$second" "caption=Setup [Lake Views]"
expect_line "$second" "control=Button|Mute music|24,72,97,17|checked=1"
expect_line "$second" "ended=1"
[ "$(ini_value)" = "1" ] || { echo "FAIL: mute=$(ini_value) after the second run" >&2; failures=$((failures + 1)); }

# 3. A language file, and a CONTROL.INI that cannot be written: the error box names the
#    file and the dialog stays open.
rm -f "$WORK/CONTROL.INI"
mkdir "$WORK/CONTROL.INI"
printf '[Language]\r\nTitle=Titel:\r\nbtnOK=Fertig\r\nMuteMusic=Ohne Musik\r\n' >"$WORK/nuvscr.ini"
third="$(probe /C --toggle --ok)"
echo "--- unwritable:"; echo "$third"
expect_match "$third" '^control=TScrLabel\|Titel:Lake Views\|29,23,'
expect_match "$third" '^control=TScrLabel\|Author:Ann Author\|29,44,'
expect_line "$third" "control=Button|Ohne Musik|24,72,97,17|checked=0"
expect_line "$third" "control=Button|Fertig|216,16,75,25"
expect_line "$third" "error=Unable to write to $INI_WIN"
expect_line "$third" "dialog_open=1"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "setup dialog: all checks passed"
