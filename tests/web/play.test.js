// The Play view in headless Chromium: the show's frames against the headless backend's,
// the saver's exit rules and Esc, music and mute, and files that are not good savers.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import {
  composedFrame, differingPixels, launch, makeSaver, openSaverFile, openSite, outDir, pictures, serve,
  siteDir, stagePixels, waitFor, waveFile,
} from './support.js';


let server, browser;
before(async () => {
  server = await serve(siteDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

const showState = (page) => page.evaluate(() => document.body.dataset.show ?? '');

async function startInPage(page) {
  await page.click('#play-page');
  await waitFor(async () => (await showState(page)) === 'running', 10000, 'the show to start');
}

async function ended(page, ms) {
  return waitFor(async () => (await showState(page)) === 'ended', ms, 'the show to end').then(() => true, () => false);
}

test('after the first transition the canvas holds the composed frame, the second picture follows after Interval', async () => {
  const dir = pictures();
  const saver = makeSaver('three.scr', [join(dir, 'small.bmp'), join(dir, 'wide.bmp'), join(dir, 'tall.bmp')],
    ['Interval=2500', 'lRandomStyle=false', 'lExitMouseMove=false'], ['--effects', '1']);
  const first = composedFrame(saver, 0, 640, 480);
  const second = composedFrame(saver, 1, 640, 480);
  const { page, errors } = await openSite(browser, server.url);
  await openSaverFile(page, saver);
  assert.equal(await page.$eval('#d-pictures', (e) => e.textContent), '3');
  await startInPage(page);
  const t0 = Date.now();
  await waitFor(async () => differingPixels(await stagePixels(page), first) === 0, 4000, 'the first picture');
  await waitFor(async () => differingPixels(await stagePixels(page), second) === 0, 8000, 'the second picture');
  const elapsed = Date.now() - t0;
  assert.ok(elapsed > 1500, `the second picture came after ${elapsed} ms, before Interval`);
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));
  assert.deepEqual(errors, []);
  await page.close();
});

test('a key ends the show only when lExitKeyPress is set; Esc always does', async () => {
  const dir = pictures();
  const inputs = [join(dir, 'small.bmp'), join(dir, 'wide.bmp')];
  const stays = makeSaver('keystays.scr', inputs, ['lExitKeyPress=false', 'lExitMouseMove=false', 'lExitMouseClick=false']);
  const leaves = makeSaver('keyleaves.scr', inputs, ['lExitKeyPress=true', 'lExitMouseMove=false']);
  const { page, errors } = await openSite(browser, server.url);

  await openSaverFile(page, stays);
  await startInPage(page);
  await new Promise((r) => setTimeout(r, 500));
  await page.keyboard.press('KeyA');
  await page.mouse.click(100, 100);
  assert.equal(await ended(page, 1000), false, 'a key or click ended a show whose rules say no');
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000), 'Esc did not end the show');

  await openSaverFile(page, leaves);
  await startInPage(page);
  await new Promise((r) => setTimeout(r, 500));
  await page.keyboard.press('KeyA');
  assert.ok(await ended(page, 3000), 'a key did not end the show');
  // The page works on: the show runs again.
  await startInPage(page);
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));
  assert.deepEqual(errors, []);
  await page.close();
});

const fullScreenState = (page) => page.evaluate(() => ({
  element: document.fullscreenElement?.id ?? '',
  stageShown: !document.getElementById('stage-box').hidden,
  canvas: [document.getElementById('stage').width, document.getElementById('stage').height],
  covered: [Math.round(innerWidth * devicePixelRatio), Math.round(innerHeight * devicePixelRatio)],
}));

async function startFullScreen(page) {
  await page.click('#play-full');
  await waitFor(async () => (await showState(page)) === 'running' && (await fullScreenState(page)).element === 'stage-box',
    10000, 'the show to start full screen');
}

// Back on the page: the show has ended, full screen is left and the saver's details show.
async function backOnPage(page, ms) {
  if (!(await ended(page, ms))) return false;
  const state = await fullScreenState(page);
  return state.element === '' && !state.stageShown && !(await page.$eval('#details', (e) => e.hidden));
}

test('Play runs the show full screen at the size of the screen; its exit rules, Esc and leaving full screen bring the page back', async () => {
  const dir = pictures();
  const inputs = [join(dir, 'small.bmp'), join(dir, 'wide.bmp')];
  const stays = makeSaver('fullstays.scr', inputs, ['lExitKeyPress=false', 'lExitMouseMove=false', 'lExitMouseClick=false']);
  const leaves = makeSaver('fullleaves.scr', inputs, ['lExitKeyPress=false', 'lExitMouseMove=false', 'lExitMouseClick=true']);
  const { page, errors } = await openSite(browser, server.url);

  await openSaverFile(page, stays);
  await startFullScreen(page);
  const state = await fullScreenState(page);
  assert.deepEqual(state.canvas, state.covered, 'the stage does not have the size of the screen it covers');
  // The first picture is drawn: the stage is not all one colour.
  await waitFor(async () => {
    const { rgba } = await stagePixels(page);
    for (let i = 4; i < rgba.length; i += 4) if (rgba[i] !== rgba[0] || rgba[i + 1] !== rgba[1]) return true;
    return false;
  }, 6000, 'the first picture full screen');
  await page.keyboard.press('KeyA');
  await page.mouse.click(200, 200);
  assert.equal(await ended(page, 1000), false, 'a key or click ended a full-screen show whose rules say no');
  assert.equal((await fullScreenState(page)).element, 'stage-box', 'the show left full screen');
  await page.keyboard.press('Escape');
  assert.ok(await backOnPage(page, 3000), 'Esc did not bring the page back');

  // The saver's own rule ends it: a click.
  await openSaverFile(page, leaves);
  await startFullScreen(page);
  await new Promise((r) => setTimeout(r, 500));
  await page.keyboard.press('KeyA');
  assert.equal(await ended(page, 1000), false, 'a key ended a show that ends on a click only');
  await page.mouse.click(200, 200);
  assert.ok(await backOnPage(page, 3000), 'a click did not end the show');

  // Full screen left by the browser (its own Esc) ends the show too.
  await startFullScreen(page);
  await page.evaluate(() => document.exitFullscreen());
  assert.ok(await backOnPage(page, 3000), 'leaving full screen did not end the show');
  assert.deepEqual(errors, []);
  await page.close();
});

test('the title and the caption show as typed, accents and dashes too', async () => {
  const dir = pictures();
  const caption = 'Café — naïve “quotes” 1€';
  const saver = makeSaver('accents.scr', [join(dir, 'small.bmp')], ['lExitMouseMove=false'],
    ['--title', 'Été à Zürich', '--text', caption]);
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  // Every text the page measures, the caption's among them.
  await page.evaluateOnNewDocument(() => {
    const measure = CanvasRenderingContext2D.prototype.measureText;
    window.measured = [];
    CanvasRenderingContext2D.prototype.measureText = function (text) {
      window.measured.push(text);
      return measure.call(this, text);
    };
  });
  await page.goto(server.url + '#play', { waitUntil: 'load' });
  await openSaverFile(page, saver);
  assert.equal(await page.$eval('#d-title', (e) => e.textContent), 'Été à Zürich');
  await startInPage(page);
  await waitFor(() => page.evaluate((t) => window.measured.includes(t), caption), 6000, 'the caption to be drawn');
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));
  assert.deepEqual(errors, []);
  await page.close();
});

test('a wave track plays, and does not when muted', async () => {
  const dir = pictures();
  const saver = makeSaver('music.scr', [join(dir, 'small.bmp'), waveFile(3)], ['lExitMouseMove=false']);
  const { page, errors } = await openSite(browser, server.url);
  await openSaverFile(page, saver);
  assert.equal(await page.$eval('#d-sounds', (e) => e.textContent), '1');
  const audioTime = () => page.evaluate(() => {
    const show = window.scrPage.runningShow();
    const a = show && [...show.host.audios.values()][0];
    return a ? a.audio.currentTime : 0;
  });

  await startInPage(page);
  await waitFor(async () => (await audioTime()) > 0.2, 8000, 'the track to play');
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));

  await page.click('#mute');
  await startInPage(page);
  await new Promise((r) => setTimeout(r, 1500));
  assert.equal(await audioTime(), 0, 'the muted show played its track');
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));
  assert.deepEqual(errors, []);
  await page.close();
});

test('a damaged file and a file that is not a saver show the reader\'s message, and the page works on', async () => {
  const dir = pictures();
  const good = makeSaver('good.scr', [join(dir, 'small.bmp')]);
  const bytes = readFileSync(good);
  const notSaver = join(outDir, 'not-a-saver.scr');
  writeFileSync(notSaver, Buffer.from('just some text, no package here'));
  // The trailer's settings position points far beyond the file's end.
  const hugeSize = Buffer.from(bytes);
  hugeSize.write('2147483000'.padEnd(20, ' '), hugeSize.length - 20, 'latin1');
  const hugePath = join(outDir, 'huge-size.scr');
  writeFileSync(hugePath, hugeSize);
  // The package's middle overwritten.
  const damaged = Buffer.from(bytes);
  damaged.fill(0xA5, Math.floor(damaged.length * 0.6), damaged.length - 64);
  const damagedPath = join(outDir, 'damaged.scr');
  writeFileSync(damagedPath, damaged);

  const { page, errors } = await openSite(browser, server.url);
  for (const file of [notSaver, hugePath, damagedPath]) {
    await openSaverFile(page, file);
    const message = await page.$eval('#message', (e) => (e.hidden ? '' : e.textContent));
    assert.ok(message.length > 0, `no message for ${file}`);
    assert.equal(await page.$eval('#details', (e) => e.hidden), true);
  }
  assert.match(await page.$eval('#message', (e) => e.textContent), /damaged\.scr: /);
  // Too short for a package at all.
  const empty = join(outDir, 'empty.scr');
  writeFileSync(empty, Buffer.alloc(0));
  await openSaverFile(page, empty);
  assert.match(await page.$eval('#message', (e) => e.textContent), /^empty\.scr: Not a saver file/);
  await openSaverFile(page, good);
  assert.equal(await page.$eval('#details', (e) => e.hidden), false);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a movie saver is explained and cannot be started; a track the browser cannot play is skipped with a notice', async () => {
  const dir = pictures();
  const movie = makeSaver('movie.scr', [join(dir, 'small.bmp')], ['Ver=flash']);
  const badTrack = join(outDir, 'broken.wav');
  writeFileSync(badTrack, Buffer.from('RIFF----WAVEnot really a wave file at all'));
  const music = makeSaver('badtrack.scr', [join(dir, 'small.bmp'), badTrack, waveFile(2)],
    ['lExitMouseMove=false', 'SoundRandom=0']);
  const { page, errors } = await openSite(browser, server.url);

  await openSaverFile(page, movie);
  assert.equal(await page.$eval('#movie-note', (e) => e.hidden), false);
  assert.equal(await page.$eval('#play-page', (e) => e.disabled), true);

  await openSaverFile(page, music);
  assert.equal(await page.$eval('#movie-note', (e) => e.hidden), true);
  await startInPage(page);
  await waitFor(() => page.$eval('#message', (e) => !e.hidden && /cannot play the track/.test(e.textContent)), 8000,
    'the notice of the broken track');
  // The next track plays.
  await waitFor(() => page.evaluate(() => {
    const show = window.scrPage.runningShow();
    return show && [...show.host.audios.values()].some((a) => a.audio.currentTime > 0.2);
  }), 8000, 'the next track to play');
  await page.keyboard.press('Escape');
  assert.ok(await ended(page, 3000));
  assert.deepEqual(errors, []);
  await page.close();
});
