// The Make view against `scrtool make` on the same COUNT 12-megapixel JPEGs (4000x3000,
// photograph-like, every fourth one turned by its EXIF orientation), in the same run:
// seconds from handing the files over to the finished download, and scrtool make's wall
// time; the page's time per step of a picture (median over the pictures); and the peak
// memory of the browser's processes (the high-water mark of each, from /proc), the tab's
// renderer (which runs the page, its workers and the writer's module) on its own.
//   SCR_WEB_SITE=build/web/site SCRTOOL=build/native/tools/scrtool/scrtool \
//     node bench/web/make_bench.mjs [COUNT [DISTINCT]]
// DISTINCT pictures are made (default: COUNT, at most 20); the others are links to them.
import { execFileSync } from 'node:child_process';
import { existsSync, linkSync, mkdirSync, readFileSync, readdirSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve, launch } from '../../tests/web/support.js';
import { openMakeView, addFiles, downloaded } from '../../tests/web/make_support.js';
import { withOrientation } from '../../tests/web/make_fixtures.mjs';

const count = Number(process.argv[2] || 20);
const distinct = Number(process.argv[3] || Math.min(count, 20));
const site = process.env.SCR_WEB_SITE;
const work = join(tmpdir(), 'scr-make-bench');
const originals = join(work, 'originals');
mkdirSync(originals, { recursive: true });

// Photograph-like pictures (smooth noise), so the JPEGs have the size of real ones.
const vips = (...args) => execFileSync('vips', args);
for (let i = 1; i <= distinct; ++i) {
  const file = join(originals, `photo-${i}.jpg`);
  if (existsSync(file)) continue;
  vips('gaussnoise', join(work, 'noise.v'), '500', '375', '--sigma', '60');
  vips('resize', join(work, 'noise.v'), join(work, 'big.v'), '8', '--kernel', 'cubic');
  vips('gaussblur', join(work, 'big.v'), `${file}[Q=92]`, '1.5');
  if (i % 4 === 1) withOrientation(file, 6);
}
const inputs = join(work, `in-${count}`);
if (!existsSync(inputs)) {
  mkdirSync(inputs);
  for (let i = 1; i <= count; ++i) linkSync(join(originals, `photo-${(i - 1) % distinct + 1}.jpg`), join(inputs, `IMG_${i}.jpg`));
}
const files = readdirSync(inputs).map((n) => join(inputs, n));
const megabytes = files.reduce((n, f) => n + statSync(f).size, 0) / 1048576;

let start = process.hrtime.bigint();
execFileSync(process.env.SCRTOOL, ['make', '-o', join(work, 'native.scr'), '--runtime', join(site, 'runtime.scr'),
  '--hook', join(site, 'nuvscrhook.dll'), inputs], { stdio: 'ignore' });
const native = Number(process.hrtime.bigint() - start) / 1e9;

// The browser's processes and their peak resident memory (VmHWM), in MiB.
function processTree(root) {
  const children = new Map();
  for (const pid of readdirSync('/proc').filter((n) => /^\d+$/.test(n))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const parent = stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1];
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(pid);
    } catch { /* gone */ }
  }
  const all = [];
  const walk = (pid) => { all.push(pid); for (const c of children.get(pid) || []) walk(c); };
  walk(String(root));
  return all.map((pid) => {
    try {
      const status = readFileSync(`/proc/${pid}/status`, 'utf8');
      const cmd = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      return { pid, type: (/--type=([a-z-]+)/.exec(cmd) || [, 'browser'])[1], peak: Number(/VmHWM:\s+(\d+)/.exec(status)[1]) / 1024 };
    } catch {
      return null;
    }
  }).filter(Boolean);
}

const server = await serve(site);
const browser = await launch();
const downloads = join(work, 'downloads');
mkdirSync(downloads, { recursive: true });
for (const n of readdirSync(downloads)) execFileSync('rm', ['-f', join(downloads, n)]);
const { page } = await openMakeView(browser, server.url, downloads);
// The peaks of processes that end before the download (workers of a page are threads,
// but a renderer may be swapped) are caught by sampling too.
const peaks = new Map();
const sample = () => { for (const p of processTree(browser.process().pid)) peaks.set(p.pid, p); };
const sampler = setInterval(sample, 250);
start = process.hrtime.bigint();
await addFiles(page, files, 1800000);
const converted = Number(process.hrtime.bigint() - start) / 1e9;
await page.click('#download');
const saver = await downloaded(downloads, '.scr', 1800000);
const web = Number(process.hrtime.bigint() - start) / 1e9;
sample();
clearInterval(sampler);
const steps = await page.evaluate(() => window.scrMake.state.pictures.map((p) => p.ms).filter(Boolean));
await browser.close();
server.close();

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)] ?? 0;
const stepNames = ['decode', 'thumb', 'flatten', 'resize', 'encode'];
const renderer = Math.max(...[...peaks.values()].filter((p) => p.type === 'renderer').map((p) => p.peak));
const total = [...peaks.values()].reduce((n, p) => n + p.peak, 0);
console.log(`${count} JPEGs of 4000x3000 (${megabytes.toFixed(0)} MB), saver ${(statSync(saver).size / 1048576).toFixed(0)} MB`);
console.log(`scrtool make ${native.toFixed(1)} s, Make view ${web.toFixed(1)} s (${(web / native).toFixed(2)}x; ` +
  `pictures converted after ${converted.toFixed(1)} s)`);
console.log(`per picture in a worker (median ms): ${stepNames.map((s) => `${s} ${median(steps.map((m) => m[s] ?? 0)).toFixed(0)}`).join(', ')}`);
console.log(`peak memory: tab's renderer ${renderer.toFixed(0)} MiB; all ${peaks.size} browser processes ${total.toFixed(0)} MiB ` +
  `(${[...peaks.values()].map((p) => `${p.type} ${p.peak.toFixed(0)}`).join(', ')})`);
