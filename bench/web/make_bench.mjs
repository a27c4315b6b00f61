// The Make view against `scrtool make` on the same twenty 12-megapixel JPEGs (every
// fourth one turned by its EXIF orientation), in the same run: seconds from handing the
// files over to the finished download, and scrtool make's wall time.
//   SCR_WEB_SITE=build/web/site SCRTOOL=build/native/tools/scrtool/scrtool \
//     node bench/web/make_bench.mjs [COUNT]
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve, launch } from '../../tests/web/support.js';
import { openMakeView, addFiles, downloaded } from '../../tests/web/make_support.js';
import { makePicture, withOrientation } from '../../tests/web/make_fixtures.mjs';

const count = Number(process.argv[2] || 20);
const site = process.env.SCR_WEB_SITE;
const work = mkdtempSync(join(tmpdir(), 'make-bench-'));
const inputs = join(work, 'in');
mkdirSync(inputs);
const files = [];
for (let i = 0; i < count; ++i) {
  const file = makePicture(inputs, `IMG_${i + 1}.jpg`, 4000, 3000, '[Q=92]');
  files.push(i % 4 === 0 ? withOrientation(file, 6) : file);
}

let start = process.hrtime.bigint();
execFileSync(process.env.SCRTOOL, ['make', '-o', join(work, 'native.scr'), '--runtime', join(site, 'runtime.scr'),
  '--hook', join(site, 'nuvscrhook.dll'), inputs], { stdio: 'ignore' });
const native = Number(process.hrtime.bigint() - start) / 1e9;

const server = await serve(site);
const browser = await launch();
const downloads = join(work, 'downloads');
mkdirSync(downloads);
const { page } = await openMakeView(browser, server.url, downloads);
start = process.hrtime.bigint();
await addFiles(page, files);
await page.click('#download');
await downloaded(downloads, '.scr', 600000);
const web = Number(process.hrtime.bigint() - start) / 1e9;
await browser.close();
server.close();
console.log(`${count} JPEGs of 4000x3000: scrtool make ${native.toFixed(1)} s, Make view ${web.toFixed(1)} s ` +
  `(${(web / native).toFixed(2)}x)`);
