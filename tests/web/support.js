// What the site's tests share: the built site served by a small static server, Debian's
// Chromium driven by puppeteer-core, test savers made with the native tools, frames
// read off the page's canvas and compared with the frames the headless backend composes.
import { execFileSync } from 'node:child_process';
import { createServer } from 'node:http';
import { existsSync, mkdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

export const siteDir = process.env.SCR_WEB_SITE ?? '';
export const outDir = process.env.SCR_WEB_TEST_OUT ?? '/tmp/scr-web-tests';
const scrtool = process.env.SCRTOOL ?? '';
const saverdemo = process.env.SAVERDEMO ?? '';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.json': 'application/json' };

// Serves dir on 127.0.0.1 at a free port; resolves to { url, close }.
export function serve(dir) {
  const server = createServer((req, res) => {
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    let file = join(dir, path);
    if (existsSync(file) && statSync(file).isDirectory()) file = join(file, 'index.html');
    if (!existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' });
    res.end(readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() });
  }));
}

export function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-default-apps', '--disable-extensions',
      '--disable-sync', '--no-first-run', '--disable-dev-shm-usage', '--mute-audio',
      '--autoplay-policy=no-user-gesture-required', '--disable-renderer-backgrounding',
      '--disable-background-timer-throttling'],
  });
}

// A view of the site (Play unless told) with its console errors and uncaught errors gathered in errors.
export async function openSite(browser, url, hash = '#play') {
  const page = await browser.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  await page.setViewport({ width: 1280, height: 900 });
  await page.goto(url + hash, { waitUntil: 'load' });
  return { page, errors };
}

// The demo's generated pictures (small.bmp, wide.bmp, tall.bmp, huge.bmp) in outDir.
export function pictures() {
  const dir = join(outDir, 'pictures');
  if (!existsSync(join(dir, 'small.bmp'))) {
    mkdirSync(dir, { recursive: true });
    execFileSync(saverdemo, ['pictures', dir]);
  }
  return dir;
}

// A short mono wave file of a tone.
export function waveFile(seconds = 3) {
  const file = join(outDir, `tone${seconds}.wav`);
  const rate = 8000, n = rate * seconds;
  const b = Buffer.alloc(44 + n * 2);
  b.write('RIFF', 0); b.writeUInt32LE(36 + n * 2, 4); b.write('WAVEfmt ', 8);
  b.writeUInt32LE(16, 16); b.writeUInt16LE(1, 20); b.writeUInt16LE(1, 22); b.writeUInt32LE(rate, 24);
  b.writeUInt32LE(rate * 2, 28); b.writeUInt16LE(2, 32); b.writeUInt16LE(16, 34); b.write('data', 36);
  b.writeUInt32LE(n * 2, 40);
  for (let i = 0; i < n; i++) b.writeInt16LE(Math.round(8000 * Math.sin((2 * Math.PI * 440 * i) / rate)), 44 + i * 2);
  writeFileSync(file, b);
  return file;
}

// A saver made by `scrtool make` from inputs with settings (NAME=VALUE strings). The
// page never runs the Windows runtime, so a stand-in one is enough.
export function makeSaver(name, inputs, settings = [], extra = []) {
  mkdirSync(outDir, { recursive: true });
  const runtime = join(outDir, 'runtime-standin.bin');
  if (!existsSync(runtime)) writeFileSync(runtime, Buffer.from('MZ stand-in runtime for the page tests'));
  const out = join(outDir, name);
  // The still look of older savers, so frames compare with the composed ones.
  const args = ['make', '-o', out, '--runtime', runtime, '--fill', 'colour', '--pan-zoom', '0', '--caption-fixed', ...extra];
  for (const s of settings) args.push('--set', s);
  execFileSync(scrtool, [...args, ...inputs], { stdio: ['ignore', 'ignore', 'inherit'] });
  return out;
}

// The frame the headless backend composes for picture index of the saver at w x h,
// as { width, height, rgb } (rows top-down, 3 bytes a pixel).
export function composedFrame(saver, index, w, h) {
  mkdirSync(outDir, { recursive: true });
  const file = join(outDir, `${saver.split('/').pop()}-${index}-${w}x${h}.bmp`);
  execFileSync(saverdemo, ['frame', saver, file, String(index), String(w), String(h)]);
  const b = readFileSync(file);
  const offset = b.readUInt32LE(10), width = b.readInt32LE(18), rawHeight = b.readInt32LE(22);
  const height = Math.abs(rawHeight), stride = (width * 3 + 3) & ~3;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; y++) {
    const src = offset + (rawHeight > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; x++) {
      rgb[(y * width + x) * 3] = b[src + x * 3 + 2];
      rgb[(y * width + x) * 3 + 1] = b[src + x * 3 + 1];
      rgb[(y * width + x) * 3 + 2] = b[src + x * 3];
    }
  }
  return { width, height, rgb };
}

// The stage canvas's pixels as { width, height, rgba }.
export async function stagePixels(page) {
  const r = await page.evaluate(() => {
    const c = document.getElementById('stage');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 8192) s += String.fromCharCode(...d.subarray(i, i + 8192));
    return { width: c.width, height: c.height, data: btoa(s) };
  });
  return { width: r.width, height: r.height, rgba: Buffer.from(r.data, 'base64') };
}

// Pixels that differ between the canvas and a composed frame, rows from band
// upwards left out (the caption's band, drawn by another text renderer).
export function differingPixels(canvas, frame, band = 0) {
  if (canvas.width !== frame.width || canvas.height !== frame.height) return Infinity;
  let n = 0;
  for (let y = 0; y < frame.height - band; y++)
    for (let x = 0; x < frame.width; x++) {
      const c = (y * frame.width + x) * 4, f = (y * frame.width + x) * 3;
      if (canvas.rgba[c] !== frame.rgb[f] || canvas.rgba[c + 1] !== frame.rgb[f + 1] || canvas.rgba[c + 2] !== frame.rgb[f + 2]) n++;
    }
  return n;
}

// Polls fn until it returns a truthy value, or fails after ms.
export async function waitFor(fn, ms, what) {
  const end = Date.now() + ms;
  for (;;) {
    const v = await fn();
    if (v) return v;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

// Opens a file with the Play view's file input and waits for its details or message.
export async function openSaverFile(page, file) {
  await page.evaluate(() => {
    document.getElementById('details').hidden = true;
    document.getElementById('message').hidden = true;
  });
  const input = await page.$('#file');
  await input.uploadFile(file);
  await page.waitForFunction(() => !document.getElementById('details').hidden || !document.getElementById('message').hidden);
}
