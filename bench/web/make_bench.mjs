// The Make view against `scrtool make` on the same COUNT 12-megapixel JPEGs (4000x3000,
// photograph-like, every fourth one turned by its EXIF orientation), in the same run, best
// of ROUNDS (default 3) each: seconds from handing the files over to the finished
// download, and scrtool make's wall time; the page's time per step of a picture (median
// over the pictures); and the peak memory (the high-water mark, from /proc) of the tab's
// renderer (which runs the page, its workers and the writer's module) and of the browser
// process (which keeps the Blobs).
//   SCR_WEB_SITE=build/web/site SCRTOOL=build/native/tools/scrtool/scrtool \
//     [ROUNDS=3] node bench/web/make_bench.mjs [COUNT [DISTINCT]]
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

const seconds = (start) => Number(process.hrtime.bigint() - start) / 1e9;
function timeNative() {
  const start = process.hrtime.bigint();
  execFileSync(process.env.SCRTOOL, ['make', '-o', join(work, 'native.scr'), '--runtime', join(site, 'runtime.scr'),
    '--hook', join(site, 'nuvscrhook.dll'), inputs], { stdio: 'ignore' });
  return seconds(start);
}

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
// The peaks of processes that end before the download (workers of a page are threads,
// but a renderer may be swapped) are caught by sampling too.
const peaks = new Map();
const sample = () => { for (const p of processTree(browser.process().pid)) peaks.set(p.pid, p); };
const sampler = setInterval(sample, 250);
// ROUNDS rounds (default 3) of scrtool make then the page, each in a fresh tab: the
// machine's load changes from second to second, so the best of each is compared.
const rounds = Number(process.env.ROUNDS || 3);
const natives = [], webs = [];
let saver, steps, converted;
for (let round = 0; round < rounds; ++round) {
  natives.push(timeNative());
  for (const n of readdirSync(downloads)) execFileSync('rm', ['-f', join(downloads, n)]);
  const { page } = await openMakeView(browser, server.url, downloads);
  const start = process.hrtime.bigint();
  await addFiles(page, files, 1800000);
  converted = seconds(start);
  await page.click('#download');
  saver = await downloaded(downloads, '.scr', 1800000);
  webs.push(seconds(start));
  steps = await page.evaluate(() => window.scrMake.state.pictures.map((p) => p.ms).filter(Boolean));
  await page.close();
}
sample();
clearInterval(sampler);
await browser.close();
server.close();
const native = Math.min(...natives);
const web = Math.min(...webs);

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)] ?? 0;
const stepNames = ['decode', 'thumb', 'flatten', 'resize', 'encode'];
const renderer = Math.max(...[...peaks.values()].filter((p) => p.type === 'renderer').map((p) => p.peak));
const peakOf = (type) => Math.max(0, ...[...peaks.values()].filter((p) => p.type === type).map((p) => p.peak));
console.log(`${count} JPEGs of 4000x3000 (${megabytes.toFixed(0)} MB), saver ${(statSync(saver).size / 1048576).toFixed(0)} MB`);
const list = (values) => values.map((v) => v.toFixed(1)).join(', ');
console.log(`best of ${rounds}: scrtool make ${native.toFixed(1)} s, Make view ${web.toFixed(1)} s ` +
  `(${(web / native).toFixed(2)}x); runs: scrtool make ${list(natives)}; Make view ${list(webs)} ` +
  `(pictures converted after ${converted.toFixed(1)} s in the last)`);
console.log(`per picture in a worker (median ms): ${stepNames.map((s) => `${s} ${median(steps.map((m) => m[s] ?? 0)).toFixed(0)}`).join(', ')}`);
console.log(`peak memory: the tab's renderer ${renderer.toFixed(0)} MiB (the largest renderer), the browser ` +
  `process ${peakOf('browser').toFixed(0)} MiB (its Blob store), the GPU process ${peakOf('gpu-process').toFixed(0)} MiB`);
