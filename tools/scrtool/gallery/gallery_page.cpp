#include "tools/scrtool/gallery/gallery_page.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "transition/effect_catalog.h"

namespace scr::tool {

namespace {

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Transition effects</title>
<style>
body { margin: 0; font: 14px/1.4 system-ui, sans-serif; background: #16181d; color: #e8e8e8; }
header { position: sticky; top: 0; z-index: 1; padding: 10px 16px; background: #22252c; box-shadow: 0 2px 6px #0008; }
h1 { margin: 0 0 8px; font-size: 18px; font-weight: 600; }
.families button { margin: 0 4px 4px 0; padding: 3px 10px; border: 1px solid #555; border-radius: 12px; background: #2c3038; color: inherit; cursor: pointer; }
.families button.active { background: #4a7bd0; border-color: #4a7bd0; color: #fff; }
.marked { display: flex; gap: 6px; align-items: center; margin-top: 6px; }
.marked input { flex: 1; padding: 4px 6px; font: 14px monospace; background: #111; color: #9fe29f; border: 1px solid #555; }
.marked button { padding: 4px 10px; cursor: pointer; }
main { display: grid; grid-template-columns: repeat(auto-fill, minmax(var(--tile), 1fr)); gap: 14px; padding: 16px; }
figure { margin: 0; padding: 6px; background: #22252c; border-radius: 6px; border: 2px solid transparent; }
figure.chosen { border-color: #9fe29f; }
figure.hidden { display: none; }
figure img { display: block; width: 100%; height: auto; cursor: zoom-in; image-rendering: auto; background: #000; }
figcaption { display: flex; gap: 6px; align-items: baseline; margin-top: 4px; }
figcaption .number { font-weight: 700; min-width: 2.2em; }
figcaption .family { color: #9ab; font-size: 12px; }
figcaption .name { flex: 1; }
#viewer { position: fixed; inset: 0; display: none; align-items: center; justify-content: center; flex-direction: column; background: #000d; z-index: 2; cursor: zoom-out; }
#viewer.open { display: flex; }
#viewer img { max-width: 92vw; max-height: 82vh; min-width: min(92vw, 960px); object-fit: contain; }
#viewer p { margin: 10px; font-size: 16px; }
</style>
</head>
<body>
<header>
<h1>Transition effects</h1>
<div class="families" id="families"></div>
<div class="marked"><label for="marked">Marked:</label><input id="marked" readonly placeholder="tick effects to list their numbers here"><button id="copy" type="button">Copy</button><button id="clear" type="button">Clear</button></div>
</header>
)";

constexpr std::string_view kTail = R"(<div id="viewer" role="dialog"><img alt=""><p></p></div>
<script>
(function () {
  'use strict';
  var tiles = Array.prototype.slice.call(document.querySelectorAll('figure'));
  var families = ['all'];
  tiles.forEach(function (t) { if (families.indexOf(t.dataset.family) < 0) families.push(t.dataset.family); });
  var bar = document.getElementById('families');
  families.forEach(function (f) {
    var b = document.createElement('button');
    b.type = 'button';
    b.textContent = f;
    b.dataset.family = f;
    if (f === 'all') b.className = 'active';
    b.addEventListener('click', function () {
      bar.querySelectorAll('button').forEach(function (o) { o.classList.toggle('active', o === b); });
      tiles.forEach(function (t) { t.classList.toggle('hidden', f !== 'all' && t.dataset.family !== f); });
    });
    bar.appendChild(b);
  });

  var marked = document.getElementById('marked');
  function updateMarked() {
    var numbers = [];
    tiles.forEach(function (t) {
      var on = t.querySelector('input').checked;
      t.classList.toggle('chosen', on);
      if (on) numbers.push(Number(t.dataset.number));
    });
    numbers.sort(function (a, b) { return a - b; });
    marked.value = numbers.join(',');
  }
  tiles.forEach(function (t) { t.querySelector('input').addEventListener('change', updateMarked); });
  document.getElementById('clear').addEventListener('click', function () {
    tiles.forEach(function (t) { t.querySelector('input').checked = false; });
    updateMarked();
  });
  document.getElementById('copy').addEventListener('click', function () {
    marked.select();
    if (navigator.clipboard && window.isSecureContext) {
      navigator.clipboard.writeText(marked.value).catch(function () { document.execCommand('copy'); });
    } else {
      document.execCommand('copy');
    }
  });

  var viewer = document.getElementById('viewer');
  var big = viewer.querySelector('img');
  var caption = viewer.querySelector('p');
  tiles.forEach(function (t) {
    t.querySelector('img').addEventListener('click', function () {
      big.src = this.src;
      big.alt = this.alt;
      caption.textContent = t.querySelector('figcaption').textContent.replace(/\s+/g, ' ').trim();
      viewer.classList.add('open');
    });
  });
  function close() { viewer.classList.remove('open'); }
  viewer.addEventListener('click', close);
  document.addEventListener('keydown', function (e) { if (e.key === 'Escape') close(); });
  updateMarked();
})();
</script>
</body>
</html>
)";

}  // namespace

std::string ClipFileName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "effect-%03d.webp", number);
  return name;
}

std::string GalleryPage(int width, int height) {
  std::string page(kHead);
  page += "<main style=\"--tile: " + std::to_string(std::min(width, 360)) + "px\">\n";
  for (const TEffectInfo& e : EffectCatalog()) {
    const std::string number = std::to_string(e.number);
    const std::string family = Escape(e.family), name = Escape(e.name);
    page += "<figure data-number=\"" + number + "\" data-family=\"" + family + "\">";
    page += "<img src=\"" + ClipFileName(e.number) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
            std::to_string(height) + "\" alt=\"effect " + number + ": " + name + "\">";
    page += "<figcaption><input type=\"checkbox\" title=\"mark\" aria-label=\"mark effect " + number +
            "\"><span class=\"number\">" + number + "</span><span class=\"name\">" + name +
            "</span><span class=\"family\">" + family + "</span></figcaption></figure>\n";
  }
  page += "</main>\n";
  page += kTail;
  return page;
}

}  // namespace scr::tool
