// The page's saver writer (WebAssembly) writes the bytes `scrtool make` writes for the
// same stored pictures, music and settings. Run with node --no-experimental-fetch; the
// environment names the built programs (see tests/web/CMakeLists.txt).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { makePicture, makeWav } from './make_fixtures.mjs';

const { SCR_WEBWRITER_NODE, SCRTOOL, SCR_RUNTIME, SCR_HOOK } = process.env;
const require = createRequire(import.meta.url);
const writer = await require(SCR_WEBWRITER_NODE)();

// The saver as the writer gives it whole, or streamed out item by item (`stream`).
function webSaver(settings, pictures, sounds, hook = true, stream = false) {
  const w = new writer.SaverWriter();
  const pieces = [];
  try {
    for (const [name, value] of settings) w.setting(name, value);
    if (stream) assert.equal(w.begin(readFileSync(SCR_RUNTIME), (view) => pieces.push(Buffer.from(view))), '');
    for (const p of pictures) w.picture(p.name, p.pictureClass, readFileSync(p.file));
    for (const s of sounds) w.sound(s.name, readFileSync(s.file));
    if (hook) w.hook(readFileSync(SCR_HOOK));
    const error = stream ? w.finish() : w.write(readFileSync(SCR_RUNTIME));
    if (error) throw new Error(error);
    return stream ? Buffer.concat(pieces) : Buffer.from(w.bytes());
  } finally {
    w.delete();
  }
}

const folder = mkdtempSync(join(tmpdir(), 'make-writer-'));
const first = makePicture(folder, 'IMG_9.jpg', 64, 48, '[Q=90]');
const second = makePicture(folder, 'IMG_10.jpg', 40, 60, '[Q=75]');
const song = makeWav(folder, 'Zoé.wav');

test('settings, captions, pictures and music give the bytes of scrtool make', () => {
  const caption = 'Zoé — ça va?';
  const descriptions = writer.commaText([caption, 'second, with a comma']);
  const out = join(folder, 'made.scr');
  execFileSync(SCRTOOL, ['make', '-o', out, '--runtime', SCR_RUNTIME, '--hook', SCR_HOOK, '--keep-originals',
    '--picture', first, '--picture', second, '--sound', song, '--title', 'Zoé’s album', '--interval', '3s',
    '--effects', 'wipes', '--text', caption, '--descriptions', descriptions,
    '--set', 'TextFont.Color=#FFCC00', '--set', 'lExitMouseMove=no', '--set', 'Background=#102030']);
  const given = [
    [['Title', 'Zoé’s album'], ['Interval', '3s'], ['EffectCommaList', 'wipes'], ['Text', caption],
     ['DescriptCommaList', descriptions], ['TextFont.Color', '#FFCC00'], ['lExitMouseMove', 'no'],
     ['Background', '#102030']],
    [{ name: 'IMG_9.jpg', pictureClass: 'TJPEGImage', file: first },
     { name: 'IMG_10.jpg', pictureClass: 'TJPEGImage', file: second }],
    [{ name: 'Zoé.wav', file: song }]];
  assert.ok(webSaver(...given).equals(readFileSync(out)), 'the page writes the same bytes as scrtool make');
  assert.ok(webSaver(...given, true, true).equals(readFileSync(out)), 'streamed out item by item: the same bytes');
});

test('defaults alone, and a saver without a hook library, match too', () => {
  const out = join(folder, 'plain.scr');
  execFileSync(SCRTOOL, ['make', '-o', out, '--runtime', SCR_RUNTIME, '--no-hook', '--keep-originals', '--picture', first]);
  const web = webSaver([], [{ name: 'IMG_9.jpg', pictureClass: 'TJPEGImage', file: first }], [], false);
  assert.ok(web.equals(readFileSync(out)));
});

test('music is stored under the plain, unique names scrtool make gives', () => {
  const w = new writer.SaverWriter();
  const bytes = new Uint8Array(4);
  assert.deepEqual([w.sound('Zoé.wav', bytes), w.sound('zoe.wav', bytes), w.sound('Łódź?.mp3', bytes),
    w.movie('clip.swf', bytes)], ['Zoe.wav', 'zoe-2.wav', 'Lodz_.mp3', 'clip.swf']);
  w.delete();
});

test('refused settings come back as the maker\'s own messages', () => {
  assert.match(writer.checkSettings([['Intervl', '3s']]), /did you mean Interval\?/);
  assert.match(writer.checkSettings([['EffectCommaList', 'wipez']]), /effect list/);
  assert.equal(writer.checkSettings([['Interval', '3s'], ['TextFont.Height', '-40']]), '');
  const w = new writer.SaverWriter();
  w.setting('Background', 'not a colour');
  assert.match(w.write(new Uint8Array(10)), /Background: 'not a colour' is not accepted/);
  w.delete();
  const streamed = new writer.SaverWriter();
  streamed.setting('Background', 'not a colour');
  assert.match(streamed.begin(new Uint8Array(10), () => {}), /Background: 'not a colour' is not accepted/);
  streamed.delete();
});

test('content is told by its first bytes, as the maker tells it', () => {
  const kind = (bytes) => writer.detectContent(Uint8Array.from(bytes));
  assert.equal(kind([0xff, 0xd8, 0xff, 0xe1]).pictureClass, 'TJPEGImage');
  assert.equal(kind([...Buffer.from('\x89PNG\r\n\x1a\n', 'latin1')]).format, 'PNG');
  const heic = Buffer.alloc(16); heic.write('ftypheic', 4);
  assert.equal(kind([...heic]).format, 'HEIF');
  const m4a = Buffer.alloc(16); m4a.write('ftypM4A ', 4);
  assert.deepEqual([kind([...m4a]).kind, kind([...m4a]).windowsPlays], ['sound', false]);
  assert.equal(kind([...Buffer.from('OggS')]).format, 'Ogg');
  assert.equal(kind([]).kind, 'unknown');
});
