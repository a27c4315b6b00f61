// The Effects view in headless Chromium: all 128 effects drawn by the engine without a
// console error, the family filter, and the ticked effects' list.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, openSite, serve, siteDir, waitFor } from './support.js';


let server, browser;
before(async () => {
  server = await serve(siteDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

test('all 128 effects run live, the family filter shows one family, ticks make the list', async () => {
  const { page, errors } = await openSite(browser, server.url, '#effects');
  // Tall enough for every cell to be in view, so each one animates.
  await page.setViewport({ width: 1400, height: 4200 });
  await page.waitForFunction(() => document.body.dataset.effects === 'ready', { timeout: 20000 });
  await waitFor(async () => {
    const frames = await page.evaluate(() => window.scrPage.effectFrames());
    return frames.length === 128 && frames.every((f) => f.frames >= 2);
  }, 30000, 'every effect to draw frames');
  // The cells show pictures, not blank canvases.
  const blank = await page.evaluate(() => [...document.querySelectorAll('.cell canvas')].filter((c) => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    for (let i = 0; i < d.length; i += 4) if (d[i] || d[i + 1] || d[i + 2]) return false;
    return true;
  }).length);
  assert.equal(blank, 0);

  const families = await page.$$eval('#family option', (o) => o.map((e) => e.value));
  assert.ok(families.includes('wipes'), `families: ${families}`);
  await page.select('#family', 'wipes');
  const shown = await page.$$eval('.cell', (cells) => cells.filter((c) => !c.hidden).map((c) => c.dataset.family));
  assert.ok(shown.length > 0 && shown.every((f) => f === 'wipes'), `shown: ${shown}`);
  await page.select('#family', 'all');
  assert.equal(await page.$$eval('.cell', (cells) => cells.filter((c) => !c.hidden).length), 128);

  await page.click('.cell[data-effect="7"] input');
  await page.click('.cell[data-effect="5"] input');
  await page.click('.cell[data-effect="120"] input');
  assert.equal(await page.$eval('#effect-list', (e) => e.textContent), '--effects 5,7,120');

  await page.click('.cell[data-effect="60"] canvas');
  await page.waitForFunction(() => document.getElementById('enlarged').open);
  assert.match(await page.$eval('#enlarged-name', (e) => e.textContent), /^60: /);
  assert.deepEqual(errors, []);
  await page.close();
});
