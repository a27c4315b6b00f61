// What a JPEG says of itself for its caption, read from its markers as raw bytes: the
// EXIF date it was taken, and its title or description from XMP, EXIF and IPTC. The
// writer's module turns these into the caption text `scrtool make --captions` writes.
import { jpegSegments, readExif } from './picture_rules.js';

const kXmpHeader = 'http://ns.adobe.com/xap/1.0/\0';
const kPhotoshopHeader = 'Photoshop 3.0\0';
const kDc = 'http://purl.org/dc/elements/1.1/';
const kRdf = 'http://www.w3.org/1999/02/22-rdf-syntax-ns#';
const kXml = 'http://www.w3.org/XML/1998/namespace';

const startsWith = (bytes, at, text) => [...text].every((c, i) => bytes[at + i] === c.charCodeAt(0));

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
      exif = { ...readExif(view, body, length), read: true };
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
