#!/usr/bin/env bash
# scrtool gallery end to end: the page with its 128 clips loads in headless Chromium
# from the local folder with no error and every clip decoded; filtering by family and
# marking tiles work; a screenshot of the page stays in OUTDIR/gallery.png.
# usage: gallery_page.sh SCRTOOL OUTDIR
set -euo pipefail
scrtool=$1 out=$2
rm -rf "$out"
mkdir -p "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$scrtool" gallery "$out/gallery"
clips=$(find "$out/gallery" -name 'effect-[0-9][0-9][0-9].webp' | wc -l)
[ "$clips" -eq 128 ] || fail "expected 128 clips, found $clips"

# A copy of the page with a probe first in its head: it collects errors and console
# errors, then after loading checks every clip, filters by one family and marks two
# tiles, and writes what it found into the page for --dump-dom.
probe='<script>
window.probeErrors = [];
window.addEventListener("error", function (e) { probeErrors.push(e.message || (e.target && (e.target.src || e.target.href)) || "error"); }, true);
(function () { var original = console.error; console.error = function () { probeErrors.push([].join.call(arguments, " ")); original.apply(console, arguments); }; })();
window.addEventListener("load", function () { setTimeout(function () {
  var clips = [].filter.call(document.images, function (i) { return /effect-\d{3}\.webp$/.test(i.src); });
  var undecoded = clips.filter(function (i) { return !(i.complete && i.naturalWidth > 0); }).length;
  var button = document.querySelector("#families button[data-family=wipes]");
  button.click();
  var shown = [].filter.call(document.querySelectorAll("figure"), function (f) { return getComputedStyle(f).display !== "none"; });
  var wrong = shown.filter(function (f) { return f.dataset.family !== "wipes"; }).length;
  [21, 3].forEach(function (n) { var box = document.querySelector("figure[data-number=\"" + n + "\"] input"); box.checked = true; box.dispatchEvent(new Event("change")); });
  document.querySelector("figure[data-number=\"5\"] img").click();
  var enlarged = document.getElementById("viewer").classList.contains("open");
  var pre = document.createElement("pre");
  pre.textContent = "PROBE clips=" + clips.length + " undecoded=" + undecoded + " wipes=" + shown.length + " wrong=" + wrong +
    " marked=" + document.getElementById("marked").value + " enlarged=" + enlarged + " errors=" + probeErrors.length + " " + probeErrors.join("|");
  document.body.appendChild(pre);
}, 0); });
</script>'
PROBE="$probe" awk '{ print } /<head>/ { print ENVIRON["PROBE"] }' "$out/gallery/index.html" >"$out/gallery/probe.html"

chrome() {
  local profile
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
    --disable-sync --no-first-run --user-data-dir="$profile" "$@"
  rm -rf "$profile"
}
chrome --enable-logging=stderr --v=0 --virtual-time-budget=10000 --dump-dom "file://$out/gallery/probe.html" \
  >"$out/dom.html" 2>"$out/chromium.log" || fail "chromium failed: $(tail -5 "$out/chromium.log")"
result=$(grep -o '<pre>PROBE [^<]*' "$out/dom.html" || true)
echo "$result"
[ -n "$result" ] || fail "the probe did not report (see $out/chromium.log)"
grep -q 'clips=128 undecoded=0 ' <<<"$result" || fail "not every clip decoded: $result"
grep -q ' wrong=0 ' <<<"$result" && ! grep -q ' wipes=0 ' <<<"$result" && ! grep -q ' wipes=128 ' <<<"$result" ||
  fail "the family filter does not work: $result"
grep -q ' marked=3,21 ' <<<"$result" || fail "marked tiles are not listed in order: $result"
grep -q ' enlarged=true ' <<<"$result" || fail "a clicked tile is not enlarged: $result"
grep -q ' errors=0 ' <<<"$result" || fail "the page reported errors: $result"
if grep -E 'CONSOLE.*(Uncaught|Error)' "$out/chromium.log"; then fail "console errors in $out/chromium.log"; fi

chrome --window-size=1280,1400 --screenshot="$out/gallery.png" "file://$out/gallery/index.html" >/dev/null 2>&1 ||
  fail "no screenshot"
[ -s "$out/gallery.png" ] || fail "empty screenshot"
echo "gallery page test passed; screenshot in $out/gallery.png"
