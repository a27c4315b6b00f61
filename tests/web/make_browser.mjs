// The Make view's tests in headless Chromium: the site served from its build folder by
// a small static server, downloads sent to a folder, console errors collected.
import { createServer } from 'node:http';
import { createReadStream, existsSync, statSync } from 'node:fs';
import { readdir } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { extname, join, normalize } from 'node:path';

const require = createRequire(import.meta.url);
const puppeteer = require(process.env.SCR_PUPPETEER || 'puppeteer-core');

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.json': 'application/json' };

// Serves `root` on a free port of 127.0.0.1; resolves with { url, close }.
export function serve(root) {
  const server = createServer((req, res) => {
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    let file = join(root, path);
    if (existsSync(file) && statSync(file).isDirectory()) file = join(file, 'index.html');
    if (!file.startsWith(root) || !existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': kTypes[extname(file)] || 'application/octet-stream' });
    createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() })));
}

// Chromium with a page on `url`, downloads into `downloads`; `errors` collects the
// page's uncaught errors and console errors.
export async function openPage(url, downloads) {
  const browser = await puppeteer.launch({ executablePath: process.env.SCR_CHROMIUM || '/usr/bin/chromium',
    headless: true, args: ['--no-sandbox', '--disable-gpu'] });
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, eventsEnabled: true });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  return { browser, page, errors };
}

// Waits for a finished download whose name ends with `suffix`; resolves with its path.
export async function downloaded(folder, suffix, timeout = 60000) {
  const end = Date.now() + timeout;
  while (Date.now() < end) {
    const done = (await readdir(folder)).find((n) => n.endsWith(suffix));
    if (done) return join(folder, done);
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error(`no download ending in ${suffix} within ${timeout} ms`);
}

// Hands files to the Make view as a person picking them would.
export async function addFiles(page, files) {
  const input = await page.$('#pick-files');
  await input.uploadFile(...files);
  await page.waitForFunction((n) => window.scrMake.state.pictures.length + window.scrMake.state.sounds.length +
    window.scrMake.state.others.length >= n && !window.scrMake.state.pictures.some((p) => p.working), {}, files.length);
}
