// The Play view: a saver file opened or dropped, its details from the show's own
// reader, and the show itself, full screen or in the page.
import { newModule, putFile, wake } from './module.js';
import { createHost } from './host.js';

const $ = (id) => document.getElementById(id);
const kSaverPath = '/saver/SAVER.SCR';

// Shift bits as the show takes them.
const kShift = 1, kAlt = 2, kCtrl = 4, kLeft = 8, kRight = 16, kMiddle = 32;

let current = null;  // { file, info }
let running = null;  // { mod, full }

export function showMessage(text, kind = 'error') {
  const box = $('message');
  box.textContent = text;
  box.className = `message ${kind === 'info' ? 'info' : ''}`;
  box.hidden = false;
}

function clearMessage() {
  $('message').hidden = true;
}

function sizeText(bytes) {
  const units = ['bytes', 'KB', 'MB', 'GB'];
  let v = bytes, u = 0;
  while (v >= 1024 && u < units.length - 1) { v /= 1024; u++; }
  return u === 0 ? `${bytes} bytes` : `${v.toFixed(1)} ${units[u]} (${bytes.toLocaleString('en')} bytes)`;
}

async function readInfo(file) {
  const mod = await newModule();
  putFile(mod, kSaverPath, new Uint8Array(await file.arrayBuffer()));
  const info = JSON.parse(mod.UTF8ToString(mod.ccall('scr_web_inspect', 'number', ['string'], [kSaverPath])));
  if (info.ok && info.preview) {
    const { width, height } = info.preview;
    const ptr = mod._scr_web_picture();
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(mod.HEAPU8.slice(ptr, ptr + width * height * 4).buffer), width, height), 0, 0);
    info.previewUrl = canvas.toDataURL();
  }
  return info;  // the module goes with this call
}

export async function openSaver(file) {
  clearMessage();
  $('details').hidden = true;
  current = null;
  // A saver file never holds more than 2147483647 bytes: a larger file is not read.
  if (file.size > 2147483647) {
    showMessage(`${file.name}: larger than any saver file can be`);
    return;
  }
  try {
    const info = await readInfo(file);
    if (!info.ok) {
      showMessage(`${file.name}: ${info.error}`);
      return;
    }
    current = { file, info };
    $('d-title').textContent = info.title || '(no title)';
    $('d-author').textContent = info.author || '(no author)';
    $('d-pictures').textContent = info.pictures;
    $('d-sounds').textContent = info.sounds;
    $('d-movies').textContent = info.movies;
    $('d-size').textContent = sizeText(info.size);
    $('preview').hidden = !info.previewUrl;
    if (info.previewUrl) $('preview').src = info.previewUrl;
    $('mute').checked = info.muted;
    $('movie-note').hidden = !info.movie;
    $('play-full').disabled = $('play-page').disabled = info.movie;
    $('details').hidden = false;
  } catch (e) {
    showMessage(`${file.name}: ${e.message}`);
  }
}

function shiftBits(e) {
  return (e.shiftKey ? kShift : 0) | (e.altKey ? kAlt : 0) | (e.ctrlKey ? kCtrl : 0) |
    (e.buttons & 1 ? kLeft : 0) | (e.buttons & 2 ? kRight : 0) | (e.buttons & 4 ? kMiddle : 0);
}

// Canvas coordinates of a pointer event (the canvas may be scaled and letterboxed).
function canvasPoint(canvas, e) {
  const r = canvas.getBoundingClientRect();
  const scale = Math.min(r.width / canvas.width, r.height / canvas.height);
  const ox = (r.width - canvas.width * scale) / 2, oy = (r.height - canvas.height * scale) / 2;
  return [Math.floor((e.clientX - r.left - ox) / scale), Math.floor((e.clientY - r.top - oy) / scale)];
}

function stopShow() {
  if (!running) return;
  running.mod._scr_web_quit();
  wake(running.mod);
}

// Esc always ends the show, whatever the saver's own rules say.
function onKeyDown(e) {
  if (!running) return;
  e.preventDefault();
  if (e.key === 'Escape') {
    stopShow();
    return;
  }
  if (e.repeat) return;
  running.mod._scr_web_key(e.keyCode, shiftBits(e));
  wake(running.mod);
}

function onPointer(e) {
  if (!running) return;
  const [x, y] = canvasPoint($('stage'), e);
  if (e.type === 'mousemove') running.mod._scr_web_mouse_move(x, y, shiftBits(e));
  else running.mod._scr_web_mouse_down(e.button, x, y, shiftBits(e));
  wake(running.mod);
}

function onFullscreenChange() {
  if (running && running.full && !document.fullscreenElement) stopShow();
}

export async function play(full, size) {
  if (!current || running) return;
  clearMessage();
  const box = $('stage-box');
  const canvas = $('stage');
  const host = createHost({
    canvas,
    onMessage: (caption, text) => showMessage(`${caption}: ${text}`),
    onNotice: (text) => showMessage(text, 'info'),
  });
  let width = size?.width, height = size?.height;
  box.hidden = false;
  box.classList.toggle('full', full);
  if (full) {
    try {
      await box.requestFullscreen();
    } catch {
      // Without the Fullscreen API the stage still covers the window.
    }
    // The stage takes the pixels of what it covers: the screen, or the window when full
    // screen was refused (the screen's own size may differ, as in a headless browser).
    await new Promise((r) => requestAnimationFrame(r));
    width ??= Math.round(innerWidth * devicePixelRatio);
    height ??= Math.round(innerHeight * devicePixelRatio);
  } else {
    width ??= 640;
    height ??= 480;
  }
  canvas.width = width;
  canvas.height = height;
  let mod;
  try {
    mod = await newModule(host);
    host.module = mod;
    putFile(mod, kSaverPath, new Uint8Array(await current.file.arrayBuffer()));
    running = { mod, full, host };
    document.body.dataset.show = 'running';
    canvas.focus({ preventScroll: true });
    if (!full) box.scrollIntoView({ block: 'nearest' });
    const mute = $('mute').checked === current.info.muted ? -1 : $('mute').checked ? 1 : 0;
    await mod.ccall('scr_web_play', 'number', ['string', 'number', 'number', 'number'],
      [kSaverPath, width, height, mute], { async: true });
  } catch (e) {
    showMessage(`The show stopped: ${e.message}`);
  } finally {
    host.closeAll();
    running = null;
    document.body.dataset.show = 'ended';
    if (document.fullscreenElement) await document.exitFullscreen().catch(() => {});
    box.classList.remove('full');
    box.hidden = true;
  }
}

export function initPlay() {
  const drop = $('drop');
  $('file').addEventListener('change', (e) => {
    if (e.target.files[0]) openSaver(e.target.files[0]);
    e.target.value = '';
  });
  drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  drop.addEventListener('drop', (e) => {
    e.preventDefault();
    drop.classList.remove('over');
    const file = e.dataTransfer.files[0];
    if (file) openSaver(file);
  });
  // Savers served beside the page, listed in savers.json (scripts/web.sh puts the
  // demo's there).
  fetch('savers.json').then((r) => r.json()).then((names) => {
    if (!names.length) return;
    $('demo').hidden = false;
    $('demo').addEventListener('click', async () => {
      const response = await fetch(names[0]);
      if (!response.ok) throw new Error(`Cannot load ${names[0]} (${response.status})`);
      openSaver(new File([await response.blob()], names[0]));
    });
  }).catch(() => {});
  $('play-full').addEventListener('click', () => play(true));
  $('play-page').addEventListener('click', () => play(false));
  document.addEventListener('keydown', onKeyDown, true);
  const canvas = $('stage');
  canvas.addEventListener('mousemove', onPointer);
  canvas.addEventListener('mousedown', onPointer);
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  document.addEventListener('fullscreenchange', onFullscreenChange);
}

// For tests and the page's own checks: the running show's host (audio elements).
export function runningShow() {
  return running;
}
