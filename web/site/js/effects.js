// The Effects view: every style of the picture show control running live on the real
// engine, on built-in pictures or two dropped ones; a family filter, a larger view, and
// the ticked effects as the list `scrtool make --effects` takes.
import { newModule } from './module.js';

const $ = (id) => document.getElementById(id);
const kCellWidth = 160, kCellHeight = 120;
const kBigWidth = 480, kBigHeight = 360;
const kStep = 4;
const kRunMs = 2000, kHoldMs = 600;
// Cells composed per animation frame, in turn, so the page stays responsive.
const kCellsPerFrame = 12;

let engine = null;      // module of the cells
let bigEngine = null;   // module of the larger view
let catalog = null;
let dropped = null;     // two ImageBitmaps, or null for the built-in pictures
const cells = [];
const visible = new Set();
let turn = 0;
let started = false;
let active = false;
let bigStyle = -1;

// A built-in picture: a gradient, rings and a letter.
function builtInPicture(w, h, which) {
  const c = document.createElement('canvas');
  c.width = w; c.height = h;
  const g = c.getContext('2d');
  const grad = g.createLinearGradient(0, 0, w, h);
  if (which === 0) { grad.addColorStop(0, '#1d3f8f'); grad.addColorStop(1, '#43c6d8'); }
  else { grad.addColorStop(0, '#f2a93b'); grad.addColorStop(1, '#c2304f'); }
  g.fillStyle = grad;
  g.fillRect(0, 0, w, h);
  g.strokeStyle = which === 0 ? 'rgba(255,255,255,.5)' : 'rgba(40,0,30,.45)';
  g.lineWidth = Math.max(2, w / 60);
  for (let r = w / 10; r < w; r += w / 8) {
    g.beginPath();
    g.arc(which === 0 ? w * .3 : w * .7, h * .5, r, 0, Math.PI * 2);
    g.stroke();
  }
  g.fillStyle = '#fff';
  g.font = `bold ${Math.round(h * .55)}px sans-serif`;
  g.textAlign = 'center';
  g.textBaseline = 'middle';
  g.fillText(which === 0 ? 'A' : 'B', w / 2, h / 2);
  return g.getImageData(0, 0, w, h).data;
}

function droppedPicture(bitmap, w, h) {
  const c = document.createElement('canvas');
  c.width = w; c.height = h;
  const g = c.getContext('2d');
  // Cover the cell, centred.
  const s = Math.max(w / bitmap.width, h / bitmap.height);
  g.drawImage(bitmap, (w - bitmap.width * s) / 2, (h - bitmap.height * s) / 2, bitmap.width * s, bitmap.height * s);
  return g.getImageData(0, 0, w, h).data;
}

function setPictures(mod, w, h) {
  const a = dropped ? droppedPicture(dropped[0], w, h) : builtInPicture(w, h, 0);
  const b = dropped ? droppedPicture(dropped[1], w, h) : builtInPicture(w, h, 1);
  const pa = mod._malloc(a.length), pb = mod._malloc(b.length);
  mod.HEAPU8.set(a, pa);
  mod.HEAPU8.set(b, pb);
  mod._scr_web_effect_pictures(pa, pb, w, h);
  mod._free(pa);
  mod._free(pb);
}

function progressAt(now, offset) {
  const t = (now + offset) % (kRunMs + kHoldMs);
  return Math.min(100, Math.floor((t / kRunMs) * 100));
}

function drawFrame(mod, canvas, style, progress, w, h) {
  const ptr = mod._scr_web_effect_frame(style, progress, kStep);
  if (!ptr) throw new Error(`Effect ${style} drew no frame`);
  const image = new ImageData(new Uint8ClampedArray(mod.HEAPU8.slice(ptr, ptr + w * h * 4).buffer), w, h);
  canvas.getContext('2d').putImageData(image, 0, 0);
}

function animate(now) {
  if (!active) return;
  const list = [...visible];
  for (let i = 0; i < Math.min(kCellsPerFrame, list.length); i++) {
    const cell = list[(turn + i) % list.length];
    drawFrame(engine, cell.canvas, cell.style, progressAt(now, cell.style * 97), kCellWidth, kCellHeight);
    cell.frames++;
  }
  turn += kCellsPerFrame;
  if (bigStyle >= 0) drawFrame(bigEngine, $('enlarged-canvas'), bigStyle, progressAt(now, 0), kBigWidth, kBigHeight);
  requestAnimationFrame(animate);
}

function updateList() {
  const picked = cells.filter((c) => c.tick.checked).map((c) => c.style).sort((a, b) => a - b);
  $('picked').textContent = picked.length ? `${picked.length} effect${picked.length > 1 ? 's' : ''} ticked` : 'No effects ticked';
  $('effect-list').textContent = picked.length ? `--effects ${picked.join(',')}` : '';
  $('copy-list').disabled = picked.length === 0;
}

function applyFamily() {
  const family = $('family').value;
  for (const c of cells) c.element.hidden = family !== 'all' && c.family !== family;
}

function enlarge(cell) {
  bigStyle = cell.style;
  $('enlarged-name').textContent = `${cell.style}: ${cell.name} (${cell.family})`;
  $('enlarged').showModal();
}

async function start() {
  engine = await newModule();
  bigEngine = await newModule();
  catalog = JSON.parse(engine.UTF8ToString(engine._scr_web_effect_catalog()));
  setPictures(engine, kCellWidth, kCellHeight);
  setPictures(bigEngine, kBigWidth, kBigHeight);
  for (const f of catalog.families) $('family').append(new Option(f, f));
  const observer = new IntersectionObserver((entries) => {
    for (const e of entries) {
      const cell = e.target.cell;
      if (e.isIntersecting) visible.add(cell); else visible.delete(cell);
    }
  });
  const grid = $('effects-grid');
  for (const e of catalog.effects) {
    const element = document.createElement('div');
    element.className = 'cell';
    element.dataset.effect = e.number;
    element.dataset.family = e.family;
    const canvas = document.createElement('canvas');
    canvas.width = kCellWidth;
    canvas.height = kCellHeight;
    canvas.title = 'Click to enlarge';
    const label = document.createElement('label');
    const tick = document.createElement('input');
    tick.type = 'checkbox';
    tick.value = e.number;
    label.append(tick, `${e.number} ${e.name}`);
    element.append(canvas, label);
    grid.append(element);
    const cell = { style: e.number, family: e.family, name: e.name, element, canvas, tick, frames: 0 };
    element.cell = cell;
    cells.push(cell);
    // The first frame right away, so every effect shows even before it scrolls into view.
    drawFrame(engine, canvas, e.number, 50, kCellWidth, kCellHeight);
    canvas.addEventListener('click', () => enlarge(cell));
    tick.addEventListener('change', updateList);
    observer.observe(element);
  }
  $('family').addEventListener('change', applyFamily);
  $('enlarged').addEventListener('close', () => { bigStyle = -1; });
  $('copy-list').addEventListener('click', async () => {
    const text = $('effect-list').textContent.replace(/^--effects /, '');
    try {
      await navigator.clipboard.writeText(text);
      $('picked').textContent = 'Copied';
    } catch {
      getSelection().selectAllChildren($('effect-list'));
    }
  });
  const view = $('view-effects');
  view.addEventListener('dragover', (e) => e.preventDefault());
  view.addEventListener('drop', async (e) => {
    e.preventDefault();
    const files = [...e.dataTransfer.files].filter((f) => f.type.startsWith('image/'));
    if (files.length < 2) {
      $('picked').textContent = 'Drop two pictures at once';
      return;
    }
    dropped = await Promise.all(files.slice(0, 2).map((f) => createImageBitmap(f)));
    setPictures(engine, kCellWidth, kCellHeight);
    setPictures(bigEngine, kBigWidth, kBigHeight);
  });
  document.body.dataset.effects = 'ready';
}

export async function showEffects(on) {
  active = on;
  if (on && !started) {
    started = true;
    await start();
  }
  if (on) requestAnimationFrame(animate);
}

// For tests: how many frames each effect has drawn since the view started.
export function effectFrames() {
  return cells.map((c) => ({ style: c.style, frames: c.frames, hidden: c.element.hidden }));
}
