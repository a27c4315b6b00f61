// The Make view end to end in headless Chromium: pictures and music in, a saver out
// that the native tools accept, whose bytes `scrtool make` reproduces from the saved
// project; bad files get their messages while the saver is still made.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { siteDir, outDir, serve, launch } from './support.js';
import { openMakeView, downloaded, addFiles, listed, setField } from './make_support.js';
import { makePicture, makeTransparentPng, makeWav, withMetadata, withOrientation } from './make_fixtures.mjs';

const scrtool = process.env.SCRTOOL;
const saverdemo = process.env.SAVERDEMO;
let server;
let browser;

before(async () => {
  mkdirSync(outDir, { recursive: true });
  server = await serve(siteDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

const downloadsNamed = async (folder) => readdirSync(folder);
const picturesOf = (folder) => readdirSync(folder).filter((n) => /\.jpg$/.test(n)).sort().map((n) => join(folder, n));
const size = (file) => execFileSync('vipsheader', ['-f', 'width', file]).toString().trim() + 'x' +
  execFileSync('vipsheader', ['-f', 'height', file]).toString().trim();

// Saves the view's project, unpacks it in work and builds it with `scrtool make
// --manifest`; the path of the saver made.
async function remadeFromProject(page, downloads, work) {
  await page.click('#save-project');
  const unpacked = join(work, 'project');
  execFileSync('python3', ['-m', 'zipfile', '-e', await downloaded(downloads, '.zip'), unpacked]);
  const remade = join(work, 'remade.scr');
  execFileSync(scrtool, ['make', '--manifest', join(unpacked, 'saver.toml'), '-o', remade,
    '--runtime', join(siteDir, 'runtime.scr'), '--hook', join(siteDir, 'nuvscrhook.dll')]);
  return remade;
}

test('five pictures and a song make a saver the tools accept, and the saved project makes the same bytes', async () => {
  const work = mkdtempSync(join(outDir, 'make-five-'));
  const inputs = join(work, 'in');
  mkdirSync(inputs);
  const turned = withOrientation(makePicture(inputs, 'a-turned.jpg', 60, 40, '[Q=90]'));
  const clear = makeTransparentPng(inputs, 'b-clear.png', 64, 48);
  const huge = makePicture(inputs, 'c-huge.jpg', 6000, 4000, '[Q=85]');
  const heic = join(inputs, 'd-phone.heic');
  writeFileSync(heic, Buffer.concat([Buffer.from('\0\0\0\x18ftypheic\0\0\0\0mif1heic', 'latin1'), Buffer.alloc(200, 7)]));
  const small = makePicture(inputs, 'e-small.jpg', 80, 60, '[Q=90]');
  const song = makeWav(inputs, 'song.wav');

  const downloads = join(work, 'downloads');
  mkdirSync(downloads);
  const { page, errors } = await openMakeView(browser, server.url, downloads);
  await addFiles(page, [turned, clear, huge, heic, small, song]);
  const pictures = await listed(page);
  assert.deepEqual(pictures.map((p) => p.name), ['a-turned.jpg', 'b-clear.png', 'c-huge.jpg', 'd-phone.heic', 'e-small.jpg']);
  assert.match(pictures[3].error, /cannot read HEIC\/HEIF.*scrtool make/);
  assert.deepEqual(pictures.filter((p) => p.error).length, 1);

  const caption = 'Zoé — ça va?';
  await setField(page, 'Title', 'Zoé album');
  await setField(page, 'Text', caption);
  await setField(page, 'EffectCommaList', 'wipes');
  await setField(page, 'Interval', '3');
  await page.click('#download');
  const saver = await downloaded(downloads, '.scr');
  assert.equal(saver, join(downloads, 'Zoé album.scr'));

  execFileSync(scrtool, ['check', saver]);
  const info = JSON.parse(execFileSync(scrtool, ['inspect', '--json', saver]).toString());
  const text = JSON.stringify(info);
  assert.ok(text.includes(caption), 'the caption as typed');
  assert.match(text, /"Interval":\s*"?3000/);
  const extracted = join(work, 'extracted');
  execFileSync(scrtool, ['extract', saver, extracted]);
  const stored = picturesOf(extracted);
  assert.equal(stored.length, 4);
  assert.equal(size(stored[0]), '40x60', 'the turned picture stands upright');
  assert.equal(size(stored[2]), '3240x2160', 'the large picture fits 3840x2160');
  assert.ok(readFileSync(stored[3]).equals(readFileSync(small)), 'the small JPEG goes in byte for byte');
  const left = execFileSync('vips', ['getpoint', stored[1], '2', '24']).toString().trim().split(/\s+/).map(Number);
  assert.ok(left.every((v) => v < 8), `transparency flattened onto the black background (${left})`);
  if (saverdemo) execFileSync(saverdemo, ['frame', saver, join(work, 'frame.bmp'), '0', '320', '240']);

  await page.click('#preview');
  const player = await page.waitForFrame((f) => f.url().includes('index.html'), { timeout: 30000 });
  await player.waitForFunction(() => !!window.scrPage?.runningShow(), { timeout: 60000 });

  const remade = await remadeFromProject(page, downloads, work);
  assert.ok(readFileSync(remade).equals(readFileSync(saver)), 'scrtool make --manifest writes the same bytes');
  assert.deepEqual(errors, []);
  await page.close();
});

test('an empty picture and a damaged JPEG are listed with their messages and the saver is still made', async () => {
  const work = mkdtempSync(join(outDir, 'make-bad-'));
  const empty = join(work, 'empty.jpg');
  writeFileSync(empty, '');
  const good = makePicture(work, 'good.jpg', 50, 40, '[Q=90]');
  const damaged = join(work, 'damaged.jpg');
  writeFileSync(damaged, readFileSync(good).subarray(0, 300));
  const noise = join(work, 'noise.jpg');
  writeFileSync(noise, Buffer.concat([Buffer.from([0xff, 0xd8, 0xff, 0xe0]), Buffer.alloc(400, 0x5a), Buffer.from([0xff, 0xd9])]));
  const { page, errors } = await openMakeView(browser, server.url, work);
  await addFiles(page, [empty, good, damaged, noise]);
  const byName = Object.fromEntries((await listed(page)).map((p) => [p.name, p.error]));
  assert.match(byName['empty.jpg'], /empty \(0 bytes\)/);
  assert.match(byName['damaged.jpg'], /cut off or damaged/);
  assert.match(byName['noise.jpg'], /damaged|cannot be read/);
  assert.equal(byName['good.jpg'], '');
  const shown = await page.$$eval('#pictures li[data-status="error"] .message', (els) => els.length);
  assert.equal(shown, 3, 'each message is shown next to its file');
  await page.click('#download');
  const saver = await downloaded(work, '.scr');
  const info = JSON.parse(execFileSync(scrtool, ['inspect', '--json', saver]).toString());
  assert.equal(JSON.stringify(info).match(/good\.jpg/g).length >= 1, true);
  execFileSync(scrtool, ['check', saver]);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the site opens on the Make view; Play and Effects are a link away', async () => {
  const page = await browser.newPage();
  await page.goto(server.url, { waitUntil: 'load' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  assert.match(page.url(), /\/make\/$/);
  await Promise.all([page.waitForNavigation(), page.click('a[href="../#play"]')]);
  assert.equal(await page.$eval('#view-play', (e) => e.hidden), false);
  await page.click('nav a[data-view="effects"]');
  assert.equal(await page.$eval('#view-effects', (e) => e.hidden), false);
  await page.close();
});

// The pictures, captions, music and settings of a saver, as `scrtool inspect` shows them.
function contents(saver) {
  const info = JSON.parse(execFileSync(scrtool, ['inspect', '--json', saver]).toString());
  return { settings: info.settings, items: info.items.map(({ kind, name, size, picture }) => ({ kind, name, size, picture })) };
}

test('a saver opened in Make downloads again as the same bytes, and edits keep every other setting', async () => {
  const work = mkdtempSync(join(outDir, 'make-open-'));
  const inputs = [makePicture(work, 'a.jpg', 120, 90, '[Q=90]'), makePicture(work, 'b.jpg', 90, 120, '[Q=80]'),
    makeTransparentPng(work, 'c.png', 64, 48), makeWav(work, 'song.wav')];
  const original = join(work, 'Trip.scr');
  execFileSync(scrtool, ['make', '-o', original, '--runtime', join(siteDir, 'runtime.scr'),
    '--hook', join(siteDir, 'nuvscrhook.dll'), '--title', 'Trip', '--interval', '3s', '--effects', 'wipes',
    '--descriptions', 'one,"two, too",', '--set', 'Background=navy', '--set', 'lRandomPic=yes',
    '--set', 'lExitMouseMove=no', ...inputs]);
  const downloads = join(work, 'downloads');
  mkdirSync(downloads);
  const { page, errors } = await openMakeView(browser, server.url, downloads);
  await (await page.$('#pick-project')).uploadFile(original);
  await page.waitForFunction(() => {
    const s = window.scrMake.state;
    return s.pictures.length === 3 && s.sounds.length === 1 && s.pictures.every((p) => p.optionsKey === 'kept');
  }, { timeout: 60000 });
  assert.equal(await page.$eval('#settings [name="Title"]', (e) => e.value), 'Trip');
  assert.equal(await page.$eval('#settings [name="Interval"]', (e) => e.value), '3');
  assert.equal(await page.$eval('#settings [name="Background"]', (e) => e.value), '#000080');
  assert.equal(await page.$eval('#settings [name="lExitMouseMove"]', (e) => e.checked), false);
  assert.deepEqual(await page.evaluate(() => window.scrMake.state.pictures.map((p) => [p.name, p.caption])),
    [['a.jpg', 'one'], ['b.jpg', 'two, too'], ['c.png', '']]);

  await page.click('#download');
  const again = await downloaded(downloads, 'Trip.scr');
  assert.ok(readFileSync(again).equals(readFileSync(original)), 'opened and downloaded unchanged: the same bytes');

  await setField(page, 'Title', 'Trip again');
  await page.$eval('#pictures li .caption', (field) => {
    field.value = 'Zoé';
    field.dispatchEvent(new Event('input', { bubbles: true }));
  });
  await page.click('#download');
  const editedSaver = await downloaded(downloads, 'Trip again.scr');
  const edited = contents(editedSaver);
  const before = contents(original);
  assert.equal(edited.settings.Title, 'Trip again');
  assert.deepEqual(edited.settings.DescriptCommaList, ['Zoé', 'two, too', '']);
  assert.equal(String(edited.settings.CaptionMode), '1', 'a caption typed for a picture shows on it');
  for (const name of Object.keys(before.settings).filter((n) => !/^(Title|DescriptCommaList|CaptionMode|.*Positions?|HookPosition)$/.test(n)))
    assert.deepEqual(edited.settings[name], before.settings[name], name);
  assert.deepEqual(edited.items, before.items);

  // Saved as a project, the edited saver is made again by scrtool make.
  const remade = await remadeFromProject(page, downloads, work);
  assert.ok(readFileSync(remade).equals(readFileSync(editedSaver)), 'the project makes the edited saver');
  assert.deepEqual(errors, []);
  await page.close();
});

async function choose(page, name, value) {
  await page.$eval(`#settings [name="${name}"]`, (field, v) => {
    if (field.type === 'checkbox') field.checked = v === 'true';
    else field.value = v;
    field.dispatchEvent(new Event('input', { bubbles: true }));
  }, value);
}

test('captions from the photos and the look chosen in the form give the bytes scrtool make writes', async () => {
  const work = mkdtempSync(join(outDir, 'make-captions-'));
  const dated = withMetadata(makePicture(work, 'a-dated.jpg', 120, 90, '[Q=90]'),
    [['Exif.Photo.DateTimeOriginal', '2024:07:14 18:30:05'], ['Exif.Image.ImageDescription', 'Harbour at dusk']]);
  const xmp = withMetadata(makePicture(work, 'b-xmp.jpg', 90, 120, '[Q=90]'),
    [['Xmp.dc.title', 'lang=x-default Zażółć gęślą'], ['Exif.Image.ImageDescription', 'not this one'],
      ['Exif.Photo.DateTimeOriginal', '2023:02:28']]);
  const iptc = withMetadata(makePicture(work, 'c-iptc.jpg', 90, 120, '[Q=90]'),
    [['Iptc.Application2.Caption', 'Ελληνικά'], ['Xmp.dc.description', 'lang=x-default ']]);
  const bare = makePicture(work, 'd bare.photo.jpg', 100, 80, '[Q=90]');
  const files = [dated, xmp, iptc, bare];
  const scrtoolMake = (out, ...options) => execFileSync(scrtool, ['make', '-o', out, '--runtime', join(siteDir, 'runtime.scr'),
    '--hook', join(siteDir, 'nuvscrhook.dll'), '--title', 'My screen saver', ...options, ...files]);

  const downloads = join(work, 'downloads');
  mkdirSync(downloads);
  const { page, errors } = await openMakeView(browser, server.url, downloads);
  await addFiles(page, files);
  await choose(page, 'captions', 'date');
  assert.deepEqual(await page.$$eval('#pictures .caption', (fields) => fields.slice(0, 2).map((f) => f.placeholder)),
    ['14 July 2024', '28 February 2023'], 'the default date format');
  await choose(page, 'date-format', '%Y-%m-%d (%A)');
  assert.deepEqual(await page.$$eval('#pictures .caption', (fields) => fields.map((f) => f.placeholder)),
    ['2024-07-14 (Sunday)', '2023-02-28 (Tuesday)', 'caption (optional)', 'caption (optional)'], 'shown where they will go');
  await choose(page, 'FillMode', '2');
  await choose(page, 'PanZoom', '0');
  await choose(page, 'lCaptionScaled', 'false');
  await choose(page, 'lRandomPic', 'true');
  await choose(page, 'lPairPortraits', 'true');
  await page.click('#download');
  const byDate = await downloaded(downloads, '.scr');
  const expected = join(work, 'expected-date.scr');
  scrtoolMake(expected, '--captions', 'date', '--date-format', '%Y-%m-%d (%A)', '--fill', 'crop', '--pan-zoom', '0',
    '--caption-fixed', '--set', 'lRandomPic=true', '--pair-portraits');
  assert.ok(readFileSync(byDate).equals(readFileSync(expected)), 'the page and scrtool make --captions date agree');
  const chosen = contents(byDate).settings;
  assert.deepEqual([chosen.FillMode, chosen.PanZoom, chosen.lCaptionScaled, chosen.lNoRepeat].map(String),
    ['2', '0', 'false', 'true'], 'random pictures come each once before any again');

  await choose(page, 'FillMode', '1');
  await choose(page, 'PanZoom', '8');
  await choose(page, 'lCaptionScaled', 'true');
  await choose(page, 'lRandomPic', 'false');
  await choose(page, 'lPairPortraits', 'false');
  for (const source of ['title', 'name']) {
    await choose(page, 'captions', source);
    for (const f of await downloadsNamed(downloads)) rmSync(join(downloads, f));
    await page.click('#download');
    const saver = await downloaded(downloads, '.scr');
    const wanted = join(work, `expected-${source}.scr`);
    scrtoolMake(wanted, '--captions', source);
    assert.ok(readFileSync(saver).equals(readFileSync(wanted)), `the page and scrtool make --captions ${source} agree`);
  }
  assert.deepEqual(contents(join(work, 'expected-title.scr')).settings.DescriptCommaList,
    ['Harbour at dusk', 'Zażółć gęślą', 'Ελληνικά', '']);
  assert.deepEqual(contents(join(work, 'expected-name.scr')).settings.DescriptCommaList,
    ['a-dated', 'b-xmp', 'c-iptc', 'd bare.photo']);
  assert.match(await page.$eval('#command-line', (e) => e.textContent), /--descriptions .*--set CaptionMode=1/);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a turned photo shrunk while it is decoded comes out upright at the fitted size', async () => {
  const work = mkdtempSync(join(outDir, 'make-turned-'));
  const turned = withOrientation(makePicture(work, 'turned.jpg', 400, 300, '[Q=90]'), 6);
  const plain = makePicture(work, 'plain.jpg', 400, 300, '[Q=90]');
  const { page, errors } = await openMakeView(browser, server.url, work);
  await setField(page, 'max-size', '200x200');
  await addFiles(page, [turned, plain]);
  await page.click('#download');
  const extracted = join(work, 'extracted');
  execFileSync(scrtool, ['extract', await downloaded(work, '.scr'), extracted]);
  assert.deepEqual(picturesOf(extracted).map(size), ['200x150', '150x200']);
  assert.deepEqual(errors, []);
  await page.close();
});

test('after the first visit the Make view loads and makes a saver with the network off', async () => {
  const work = mkdtempSync(join(outDir, 'make-offline-'));
  const photo = makePicture(work, 'photo.jpg', 64, 48, '[Q=90]');
  const { page, errors } = await openMakeView(browser, server.url, work);
  const kept = await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    return (await (await caches.open('scr-site-1')).keys()).map((r) => new URL(r.url).pathname);
  });
  for (const file of ['/make/webwriter.wasm', '/make/picture_worker.js', '/runtime.scr'])
    assert.ok(kept.includes(file), `${file} is kept`);
  await page.setOfflineMode(true);
  await page.reload({ waitUntil: 'load' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  await addFiles(page, [photo]);
  await page.click('#download');
  execFileSync(scrtool, ['check', await downloaded(work, '.scr')]);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a saver among added files opens for editing; a file that is no saver says so', async () => {
  const work = mkdtempSync(join(outDir, 'make-add-saver-'));
  const saver = join(work, 'Small.scr');
  execFileSync(scrtool, ['make', '-o', saver, '--runtime', join(siteDir, 'runtime.scr'), '--no-hook',
    makePicture(work, 'only.jpg', 50, 40, '[Q=90]')]);
  const broken = join(work, 'broken.scr');
  writeFileSync(broken, Buffer.alloc(64, 0x41));
  const { page, errors } = await openMakeView(browser, server.url, work);
  await (await page.$('#pick-project')).uploadFile(broken);
  await page.waitForFunction(() => document.getElementById('make-message').className === 'error', { timeout: 20000 });
  assert.match(await page.$eval('#make-message', (e) => e.textContent), /broken\.scr cannot be opened: .*not a saver file/);
  await (await page.$('#pick-files')).uploadFile(saver);
  await page.waitForFunction(() => window.scrMake.state.pictures.some((p) => p.optionsKey === 'kept'), { timeout: 20000 });
  assert.deepEqual((await listed(page)).map((p) => [p.name, p.error]), [['only.jpg', '']]);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a saver with its texts stored single-byte is written again in that form', async () => {
  const work = mkdtempSync(join(outDir, 'make-single-byte-'));
  makePicture(work, 'only.jpg', 50, 40, '[Q=90]');
  writeFileSync(join(work, 'saver.toml'), 'single_byte_text = true\npictures = ["only.jpg"]\nTitle = "Café"\n');
  const original = join(work, 'Café.scr');
  execFileSync(scrtool, ['make', '--manifest', join(work, 'saver.toml'), '-o', original,
    '--runtime', join(siteDir, 'runtime.scr'), '--hook', join(siteDir, 'nuvscrhook.dll')]);
  const downloads = join(work, 'downloads');
  mkdirSync(downloads);
  const { page, errors } = await openMakeView(browser, server.url, downloads);
  await (await page.$('#pick-project')).uploadFile(original);
  await page.waitForFunction(() => window.scrMake.state.pictures.some((p) => p.optionsKey === 'kept'), { timeout: 20000 });
  await page.click('#download');
  assert.ok(readFileSync(await downloaded(downloads, '.scr')).equals(readFileSync(original)), 'the same bytes');
  const remade = await remadeFromProject(page, downloads, work);
  assert.ok(readFileSync(remade).equals(readFileSync(original)), 'its project makes the same bytes');
  assert.deepEqual(errors, []);
  await page.close();
});
