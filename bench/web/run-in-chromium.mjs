// Runs the benchmark module's page in headless Chromium and prints its output.
//   node run-in-chromium.mjs DIR SIZE [MODE]    (MODE frames: the frames' hashes)
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const require = createRequire(resolve('tests/web/package.json'));
const { serve, launch } = await import(resolve('tests/web/support.js'));
void require;
const [dir, size, mode] = process.argv.slice(2);
const server = await serve(dir);
const browser = await launch();
const page = await browser.newPage();
await page.goto(`${server.url}family_bench.html?size=${size}${mode ? `&mode=${mode}` : ''}`);
await page.waitForFunction(() => document.body.dataset.out !== undefined, { timeout: 0, polling: 500 });
console.log(await page.evaluate(() => document.body.dataset.out));
await browser.close();
server.close();
