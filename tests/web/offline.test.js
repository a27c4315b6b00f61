// The site after its first load works with the network switched off.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launch, openSite, serve, siteDir } from './support.js';


let server, browser;
before(async () => {
  server = await serve(siteDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

test('the page and the show load offline after the first visit', async () => {
  const { page, errors } = await openSite(browser, server.url);
  await page.waitForFunction(() => document.body.dataset.offline === 'ready', { timeout: 20000 });
  // Everything was kept when the worker installed.
  const kept = await page.evaluate(async () => (await (await caches.open('scr-site-1')).keys()).length);
  assert.ok(kept >= 10, `${kept} files kept`);
  await page.setOfflineMode(true);
  await page.reload({ waitUntil: 'load' });
  await page.evaluate(() => { location.hash = 'effects'; });
  await page.waitForFunction(() => document.body.dataset.effects === 'ready', { timeout: 20000 });
  assert.equal(await page.title(), 'Picture savers in the browser');
  assert.deepEqual(errors, []);
  await page.close();
});
