// What a JPEG says of itself for its caption, read from its markers as raw bytes: the
// EXIF date it was taken, and its title or description from XMP, EXIF and IPTC. The
// writer's module turns these into the caption text `scrtool make --captions` writes.
import { jpegSegments } from './picture_rules.js';

const kXmpHeader = 'http://ns.adobe.com/xap/1.0/\0';
const kPhotoshopHeader = 'Photoshop 3.0\0';
const kDc = 'http://purl.org/dc/elements/1.1/';
const kRdf = 'http://www.w3.org/1999/02/22-rdf-syntax-ns#';
const kXml = 'http://www.w3.org/XML/1998/namespace';

const startsWith = (bytes, at, text) => [...text].every((c, i) => bytes[at + i] === c.charCodeAt(0));

// The values of EXIF tags ImageDescription (in IFD0) and DateTimeOriginal (in the EXIF
// IFD) as bytes; an entry that points outside the block is left out.
function exifFields(view, bytes, start, length) {
  const out = {};
  const tiff = start + 6;
  const end = start + length;
  if (tiff + 8 > end) return out;
  const little = view.getUint16(tiff) === 0x4949;
  const u16 = (at) => view.getUint16(at, little);
  const u32 = (at) => view.getUint32(at, little);
  const inside = (at, n) => at >= tiff && n >= 0 && at + n <= end;
  const entries = (ifd, visit) => {
    if (!inside(ifd, 2)) return;
    const count = u16(ifd);
    for (let i = 0; i < count && inside(ifd + 2 + i * 12, 12); ++i) visit(ifd + 2 + i * 12);
  };
  const value = (entry) => {
    const n = u32(entry + 4);
    const at = n <= 4 ? entry + 8 : tiff + u32(entry + 8);
    return inside(at, n) ? bytes.subarray(at, at + n) : undefined;
  };
  let exifIfd = 0;
  entries(tiff + u32(tiff + 4), (e) => {
    if (u16(e) === 0x010e) out.imageDescription = value(e);
    if (u16(e) === 0x8769) exifIfd = tiff + u32(e + 8);
  });
  if (exifIfd) entries(exifIfd, (e) => { if (u16(e) === 0x9003) out.dateOriginal = value(e); });
  return out;
}

// The x-default (or first) entry of an XMP language alternative dc:<name>, or its
// plain value, as UTF-8 bytes; undefined without one or where XML cannot be parsed.
function xmpText(xml, name) {
  if (typeof DOMParser === 'undefined') return undefined;
  const doc = new DOMParser().parseFromString(xml, 'application/xml');
  if (doc.getElementsByTagName('parsererror').length) return undefined;
  let text;
  const element = doc.getElementsByTagNameNS(kDc, name)[0];
  if (element) {
    const items = [...element.getElementsByTagNameNS(kRdf, 'li')];
    const chosen = items.find((li) => li.getAttributeNS(kXml, 'lang') === 'x-default') || items[0];
    text = (chosen || element).textContent;
  } else {
    const described = [...doc.getElementsByTagNameNS(kRdf, 'Description')].find((d) => d.hasAttributeNS(kDc, name));
    text = described?.getAttributeNS(kDc, name);
  }
  return text ? new TextEncoder().encode(text) : undefined;
}

// The IPTC caption (record 2, dataset 120) from Photoshop's image resources.
function iptcCaption(view, bytes, start, length) {
  const end = start + length;
  let at = start + kPhotoshopHeader.length;
  while (at + 12 <= end && startsWith(bytes, at, '8BIM')) {
    const id = view.getUint16(at + 4);
    const nameLength = bytes[at + 6];
    const sizeAt = at + 6 + ((nameLength + 2) & ~1);
    if (sizeAt + 4 > end) return undefined;
    const size = view.getUint32(sizeAt);
    const data = sizeAt + 4;
    if (size > end - data) return undefined;
    if (id === 0x0404) {
      for (let p = data; p + 5 <= data + size && bytes[p] === 0x1c;) {
        const n = view.getUint16(p + 3);
        if (n & 0x8000 || p + 5 + n > data + size) return undefined;  // extended sizes are not captions
        if (bytes[p + 1] === 2 && bytes[p + 2] === 120) return bytes.subarray(p + 5, p + 5 + n);
        p += 5 + n;
      }
      return undefined;
    }
    at = data + size + (size & 1);
  }
  return undefined;
}

// { dateOriginal, titles } of a JPEG (a Uint8Array), the titles in the order the
// caption takes them: XMP dc:title, EXIF ImageDescription, XMP dc:description, IPTC
// caption. Fields the file does not have are undefined.
export function captionMetadata(bytes) {
  let exif = {};
  let xmp = '';
  let iptc;
  jpegSegments(bytes, (marker, body, length, view) => {
    if (marker === 0xe1 && length >= 14 && view.getUint32(body) === 0x45786966 && !exif.read) {
      exif = { ...exifFields(view, bytes, body, length), read: true };
    } else if (marker === 0xe1 && !xmp && startsWith(bytes, body, kXmpHeader)) {
      xmp = new TextDecoder().decode(bytes.subarray(body + kXmpHeader.length, body + length));
    } else if (marker === 0xed && !iptc && startsWith(bytes, body, kPhotoshopHeader)) {
      iptc = iptcCaption(view, bytes, body, length);
    }
  });
  return {
    dateOriginal: exif.dateOriginal,
    titles: [xmp ? xmpText(xmp, 'title') : undefined, exif.imageDescription,
      xmp ? xmpText(xmp, 'description') : undefined, iptc],
  };
}
