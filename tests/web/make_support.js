// What the Make view's tests share beyond the site's own support: downloads caught in
// a folder, files handed to the view, the view's state read back.
import { readdir } from 'node:fs/promises';
import { join } from 'node:path';

// The Make view of the site at `url`, ready, downloads sent to `folder`.
export async function openMakeView(browser, url, folder) {
  const page = await browser.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(e.message));
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await page.goto(`${url}make/`, { waitUntil: 'load' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  return { page, errors };
}

// Waits for a finished download whose name ends with `suffix`.
export async function downloaded(folder, suffix, timeout = 120000) {
  const end = Date.now() + timeout;
  while (Date.now() < end) {
    const done = (await readdir(folder)).find((n) => n.endsWith(suffix));
    if (done) return join(folder, done);
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error(`no download ending in ${suffix} within ${timeout} ms`);
}

// Hands files to the view through its file picker and waits until each is listed and
// no picture is still being converted.
export async function addFiles(page, files, timeout = 120000) {
  const input = await page.$('#pick-files');
  await input.uploadFile(...files);
  await page.waitForFunction((n) => {
    const s = window.scrMake.state;
    return s.pictures.length + s.sounds.length + s.others.length >= n &&
      s.pictures.every((p) => p.error || p.stored);
  }, { timeout }, files.length);
}

// Each listed picture's name, message and stored size, in the view's order.
export function listed(page) {
  return page.evaluate(() => window.scrMake.state.pictures.map((p) => ({
    name: p.name, error: p.error || '', width: p.width, height: p.height, converted: !!p.converted })));
}

export async function setField(page, name, value) {
  await page.$eval(`#settings [name="${name}"]`, (field, v) => {
    field.value = v;
    field.dispatchEvent(new Event('input', { bubbles: true }));
  }, value);
}
