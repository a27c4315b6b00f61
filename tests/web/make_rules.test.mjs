// The Make view's own decisions, outside the browser: what a JPEG's markers say, the
// order of names, the size a picture is shrunk to, and captions read back from the
// comma text the maker's writer makes. Imports the view's modules from the built site.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { makePicture, withMetadata, withOrientation } from './make_fixtures.mjs';

const site = join(process.env.SCR_WEB_SITE, 'make');
const rules = await import(join(site, 'picture_rules.js'));
const project = await import(join(site, 'project_file.js'));
const metadata = await import(join(site, 'picture_metadata.js'));
const writer = await createRequire(import.meta.url)(process.env.SCR_WEBWRITER_NODE)();
const folder = mkdtempSync(join(tmpdir(), 'make-rules-'));

test('a JPEG\'s size, components and orientation decide whether it goes in byte for byte', () => {
  const plain = rules.jpegFacts(readFileSync(makePicture(folder, 'plain.jpg', 64, 48, '[Q=90]')));
  assert.deepEqual([plain.width, plain.height, plain.components, plain.orientation, plain.endsWell], [64, 48, 3, 1, true]);
  assert.equal(rules.jpegNeedsNothing(plain, 3840, 2160), true);
  assert.equal(rules.jpegNeedsNothing(plain, 32, 32), false, 'too large');
  assert.equal(rules.jpegNeedsNothing(plain, 0, 0), true, 'no limit');
  const turned = rules.jpegFacts(readFileSync(withOrientation(makePicture(folder, 'turned.jpg', 64, 48, '[Q=90]'), 6)));
  assert.equal(turned.orientation, 6);
  assert.equal(rules.jpegNeedsNothing(turned, 3840, 2160), false);
  const cut = rules.jpegFacts(readFileSync(join(folder, 'plain.jpg')).subarray(0, 200));
  assert.equal(cut.endsWell, false);
  assert.doesNotThrow(() => rules.jpegFacts(Uint8Array.from([0xff, 0xd8, 0xff, 0xe1, 0xff, 0xff, 1, 2])));
});

// A JPEG of the segments given as [marker, bytes of its body].
function jpegOf(...segments) {
  const parts = [Buffer.from([0xff, 0xd8])];
  for (const [marker, body] of segments) {
    const head = Buffer.from([0xff, marker, 0, 0]);
    head.writeUInt16BE(body.length + 2, 2);
    parts.push(head, Buffer.from(body));
  }
  return new Uint8Array(Buffer.concat([...parts, Buffer.from([0xff, 0xd9])]));
}

test('caption metadata: EXIF and IPTC fields as their bytes, and damaged blocks give nothing', () => {
  const photo = withMetadata(makePicture(folder, 'meta.jpg', 32, 24, '[Q=90]'),
    [['Exif.Photo.DateTimeOriginal', '2024:07:14 18:30:05'], ['Exif.Image.ImageDescription', 'Harbour'],
      ['Iptc.Application2.Caption', 'Kraków']]);
  const found = metadata.captionMetadata(readFileSync(photo));
  const text = (bytes) => Buffer.from(bytes).toString('utf8').replace(/\0+$/, '');
  assert.equal(text(found.dateOriginal), '2024:07:14 18:30:05');
  assert.equal(text(found.titles[1]), 'Harbour');
  assert.equal(text(found.titles[3]), 'Kraków');
  assert.equal(writer.pictureCaption('title', 'meta.jpg', found, '%-d %B %Y'), 'Harbour');
  assert.equal(writer.pictureCaption('date', 'meta.jpg', found, '%-d %B %Y'), '14 July 2024');
  assert.equal(writer.pictureCaption('name', 'My trip.2024.jpg', {}, ''), 'My trip.2024');
  assert.equal(writer.pictureCaption('date', 'x.jpg', {}, '%Y'), '', 'no date taken: no caption');

  // An IFD pointing past its block, an image resource larger than its segment, an IPTC
  // record running past its resource: read as nothing, never past the segment.
  const exif = Buffer.from('Exif\0\0II*\0\x08\0\0\0\x01\0\x0e\x01\x02\0\xff\xff\0\0\x40\0\0\0\0\0\0\0', 'latin1');
  const resource = Buffer.concat([Buffer.from('Photoshop 3.0\0' + '8BIM\x04\x04\0\0', 'latin1'), Buffer.from([0x7f, 0, 0, 0])]);
  const iptc = Buffer.concat([Buffer.from('Photoshop 3.0\0' + '8BIM\x04\x04\0\0', 'latin1'), Buffer.from([0, 0, 0, 5]),
    Buffer.from([0x1c, 2, 120, 0x40, 0])]);
  for (const bytes of [jpegOf([0xe1, exif]), jpegOf([0xed, resource]), jpegOf([0xed, iptc]),
    jpegOf([0xe1, Buffer.from('http://ns.adobe.com/xap/1.0/\0<x', 'latin1')])]) {
    const got = metadata.captionMetadata(bytes);
    assert.equal(got.dateOriginal, undefined);
    assert.deepEqual(got.titles, [undefined, undefined, undefined, undefined]);
  }
});

test('names in natural order and sizes fitted, never enlarged', () => {
  const names = ['IMG_10.jpg', 'img_9.jpg', 'IMG_1.jpg', 'a.jpg'];
  assert.deepEqual(names.sort(rules.naturalCompare), ['a.jpg', 'IMG_1.jpg', 'img_9.jpg', 'IMG_10.jpg']);
  assert.deepEqual(rules.fittedSize(6000, 4000, 3840, 2160), { width: 3240, height: 2160 });
  assert.deepEqual(rules.fittedSize(100, 50, 3840, 2160), { width: 100, height: 50 });
  assert.deepEqual(rules.parseMaxSize('1920 x 1080'), { width: 1920, height: 1080 });
  assert.equal(rules.parseMaxSize('big'), null);
});

test('captions survive the writer\'s comma text and the project\'s manifest', () => {
  const captions = ['Zoé — ça va?', '', 'with "quotes", and a comma', ' spaces '];
  assert.deepEqual(project.parseCommaText(writer.commaText(captions)), captions);
  const text = project.manifestText({ pairs: [['Title', 'A "quoted" title'], ['TextFont.Height', '-30']],
    maxSize: { width: 0, height: 0 }, quality: 80 }, [{ file: 'pictures/001 a.jpg', name: 'a.png' }], [], 'name');
  assert.match(text, /^Title = "A \\"quoted\\" title"$/m);
  assert.match(text, /^max_size = "0"$/m);
  assert.match(text, /\[TextFont\]\nHeight = "-30"/);
});
