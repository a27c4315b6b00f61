// What the maker decides about a picture before any pixel is decoded: the JPEG's size,
// colour components, EXIF orientation and date taken, read from its markers; and the
// order of names as people count (IMG_9 before IMG_10).

const collator = new Intl.Collator(undefined, { numeric: true, sensitivity: 'base' });
export const naturalCompare = (a, b) => collator.compare(a, b);

// Reads the EXIF block of an APP1 segment: orientation (1..8), the date taken as text
// (DateTimeOriginal, else DateTime), and as bytes DateTimeOriginal and ImageDescription
// for captions.
export function readExif(view, start, length) {
  const out = {};
  if (length < 14 || view.getUint32(start) !== 0x45786966) return out;  // "Exif"
  const tiff = start + 6;
  const little = view.getUint16(tiff) === 0x4949;
  const u16 = (at) => view.getUint16(at, little);
  const u32 = (at) => view.getUint32(at, little);
  const end = start + length;
  const inside = (at, n) => at >= tiff && at + n <= end;
  const entries = (ifd, visit) => {
    if (!inside(ifd, 2)) return;
    const count = u16(ifd);
    for (let i = 0; i < count && inside(ifd + 2 + i * 12, 12); ++i) visit(ifd + 2 + i * 12);
  };
  const raw = (entry) => {
    const n = u32(entry + 4);
    const at = n <= 4 ? entry + 8 : tiff + u32(entry + 8);
    return inside(at, n) ? new Uint8Array(view.buffer, view.byteOffset + at, n) : undefined;
  };
  const ascii = (entry) => {
    const bytes = raw(entry) || [];
    let s = '';
    for (let i = 0; i < bytes.length && bytes[i] !== 0; ++i) s += String.fromCharCode(bytes[i]);
    return s;
  };
  if (!inside(tiff + 4, 4)) return out;
  let exifIfd = 0;
  entries(tiff + u32(tiff + 4), (e) => {
    const tag = u16(e);
    if (tag === 0x0112) out.orientation = u16(e + 8);
    if (tag === 0x8769) exifIfd = tiff + u32(e + 8);
    if (tag === 0x0132 && !out.date) out.date = ascii(e);
    if (tag === 0x010e) out.imageDescription = raw(e);
  });
  if (exifIfd) entries(exifIfd, (e) => { if (u16(e) === 0x9003) out.date = ascii(e), out.dateOriginal = raw(e); });
  return out;
}

// "2024:06:01 12:30:00" as a time in milliseconds, or undefined.
function exifTime(text) {
  const m = /^(\d{4}):(\d\d):(\d\d) (\d\d):(\d\d):(\d\d)/.exec(text || '');
  if (!m) return undefined;
  const t = Date.UTC(+m[1], +m[2] - 1, +m[3], +m[4], +m[5], +m[6]);
  return Number.isNaN(t) || +m[1] < 1900 ? undefined : t;
}

// Calls visit(marker, body, length) for each marker segment of a JPEG before its
// scan, `body` the offset of the segment's data and `length` its size; stops at a
// segment that runs past the end. `bytes` is the whole file (a Uint8Array).
export function jpegSegments(bytes, visit) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  let at = 2;
  while (at + 4 <= bytes.length) {
    if (bytes[at] !== 0xff) break;
    const marker = bytes[at + 1];
    if (marker === 0xff) { ++at; continue; }
    if (marker === 0xd8 || (marker >= 0xd0 && marker <= 0xd7)) { at += 2; continue; }
    if (marker === 0xd9 || marker === 0xda) break;
    const length = view.getUint16(at + 2);
    if (length < 2 || at + 2 + length > bytes.length) break;
    visit(marker, at + 4, length - 2, view);
    at += 2 + length;
  }
}

// The JPEG's frame size, component count, orientation and date taken; missing values
// stay undefined. `bytes` is the whole file (a Uint8Array).
export function jpegFacts(bytes) {
  const facts = { orientation: 1, endsWell: bytes.length >= 4 && bytes[bytes.length - 2] === 0xff && bytes[bytes.length - 1] === 0xd9 };
  jpegSegments(bytes, (marker, body, length, view) => {
    if (marker === 0xe1 && !facts.exifRead && length >= 14 && view.getUint32(body) === 0x45786966) {
      const exif = readExif(view, body, length);
      facts.exifRead = true;
      if (exif.orientation >= 1 && exif.orientation <= 8) facts.orientation = exif.orientation;
      facts.taken = exifTime(exif.date);
    }
    const isFrame = marker >= 0xc0 && marker <= 0xcf && marker !== 0xc4 && marker !== 0xc8 && marker !== 0xcc;
    if (isFrame && length >= 6) {
      facts.height = view.getUint16(body + 1);
      facts.width = view.getUint16(body + 3);
      facts.components = bytes[body + 5];
    }
  });
  return facts;
}

// Whether a JPEG goes into the saver byte for byte, as `scrtool make` decides: upright,
// within the largest size (0 sides: no limit), in plain RGB or grey.
export function jpegNeedsNothing(facts, maxWidth, maxHeight) {
  const fits = (!maxWidth || facts.width <= maxWidth) && (!maxHeight || facts.height <= maxHeight);
  return facts.width > 0 && facts.orientation === 1 && fits && (facts.components === 3 || facts.components === 1);
}

// The size that fits within the largest size keeping the aspect ratio, never larger.
export function fittedSize(width, height, maxWidth, maxHeight) {
  const scale = Math.min(1, maxWidth ? maxWidth / width : 1, maxHeight ? maxHeight / height : 1);
  return { width: Math.max(1, Math.round(width * scale)), height: Math.max(1, Math.round(height * scale)) };
}

// "3840x2160" or "0" as sides; null for anything else.
export function parseMaxSize(text) {
  const t = String(text).trim().toLowerCase();
  if (t === '0') return { width: 0, height: 0 };
  const m = /^(\d{1,5})\s*[x×]\s*(\d{1,5})$/.exec(t);
  return m && +m[1] > 0 && +m[2] > 0 ? { width: +m[1], height: +m[2] } : null;
}
