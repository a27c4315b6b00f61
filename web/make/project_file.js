// A project as a .zip: saver.toml, which `scrtool make --manifest` reads, beside the
// pictures as they are stored in the saver and the music; opened here again, it gives
// back the files, their order and captions, and the form's settings.
import { zip, unzipSync, strToU8, strFromU8 } from './vendor/fflate.js';
import { saverFileName } from './settings_form.js';

const tomlString = (s) => `"${s.replace(/\\/g, '\\\\').replace(/"/g, '\\"').replace(/[\u0000-\u001f\u007f]/g,
  (c) => `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`)}"`;
const kExtension = { TJPEGImage: '.jpg', TBitmap: '.bmp', TIcon: '.ico', TMetafile: '.wmf' };
// A name for a file inside the zip: its place in the order, then its own name.
const zipName = (folder, index, name, ext = '') =>
  `${folder}/${String(index + 1).padStart(3, '0')} ${name.replace(/[\\/:*?"<>|]/g, '_')}${ext}`;

// The manifest for the settings and files.
export function manifestText(settings, pictures, sounds, order, singleByteText = false) {
  const lines = ['# Made in the Make view of the saver site. Build the saver with:',
    '#   scrtool make --manifest saver.toml',
    `output = ${tomlString(saverFileName(settings.pairs))}`,
    'keep_originals = true  # the pictures below are already converted',
    `max_size = "${settings.maxSize.width ? `${settings.maxSize.width}x${settings.maxSize.height}` : '0'}"`,
    `quality = ${settings.quality}`, `# order = "${order}"`];
  if (singleByteText) lines.push('single_byte_text = true  # as the opened saver stored its texts');
  const list = (key, items) => {
    lines.push(`${key} = [`);
    for (const item of items) lines.push(`  { file = ${tomlString(item.file)}, name = ${tomlString(item.name)} },`);
    lines.push(']');
  };
  list('pictures', pictures);
  list('sounds', sounds);
  const font = [];
  // A setting given twice (an opened saver's, then changed in the form) is written once,
  // with its last value: a TOML table holds each key once.
  const last = new Map();
  for (const [name, value] of settings.pairs) last.delete(name), last.set(name, value);
  for (const [name, value] of last) {
    if (name.startsWith('TextFont.')) font.push(`${name.slice(9)} = ${tomlString(value)}`);
    else lines.push(`${name} = ${tomlString(value)}`);
  }
  if (font.length) lines.push('[TextFont]', ...font);
  return `${lines.join('\n')}\n`;
}

// The project's zip as a Blob. `pictures` carry their stored bytes.
export async function saveProject(settings, pictures, sounds, order, singleByteText = false) {
  const files = {};
  const pictureEntries = pictures.map((p, i) => {
    const ext = p.converted || !p.name.toLowerCase().endsWith(kExtension[p.stored.pictureClass] || '') ? kExtension[p.stored.pictureClass] : '';
    const file = zipName('pictures', i, p.name, ext);
    files[file] = [p.stored.bytes, { level: 0 }];
    return { file, name: p.name };
  });
  const soundEntries = [];
  for (const [i, s] of sounds.entries()) {
    const file = zipName('music', i, s.name);
    files[file] = [new Uint8Array(await s.file.arrayBuffer()), { level: 0 }];
    soundEntries.push({ file, name: s.name });
  }
  files['saver.toml'] = strToU8(manifestText(settings, pictureEntries, soundEntries, order, singleByteText));
  const bytes = await new Promise((resolve, reject) => zip(files, (err, out) => (err ? reject(err) : resolve(out))));
  return new Blob([bytes], { type: 'application/zip' });
}

// A TOML string value as written above (and the simple escapes of hand-written ones).
function tomlValue(text) {
  const t = text.trim();
  if (t.startsWith('"')) {
    let out = '';
    for (let i = 1; i < t.length; ++i) {
      const c = t[i];
      if (c === '"') return out;
      if (c !== '\\') { out += c; continue; }
      const n = t[++i];
      if (n === 'u') { out += String.fromCharCode(parseInt(t.slice(i + 1, i + 5), 16)); i += 4; }
      else out += { n: '\n', t: '\t', r: '\r', '"': '"', '\\': '\\' }[n] ?? n;
    }
    throw new Error('a text in saver.toml has no closing quote');
  }
  if (t.startsWith("'")) return t.slice(1, t.indexOf("'", 1));
  return t.replace(/\s*#.*$/, '');
}

// The files and settings of a project zip (as written by saveProject).
export async function openProject(file) {
  const entries = unzipSync(new Uint8Array(await file.arrayBuffer()));
  const manifest = entries['saver.toml'];
  if (!manifest) throw new Error('it holds no saver.toml');
  const files = [];
  const captions = [];
  const fields = {};
  let table = '';
  let list = '';
  for (const raw of strFromU8(manifest).split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#')) continue;
    if (line === ']') { list = ''; continue; }
    if (/^\[.*\]$/.test(line)) { table = `${line.slice(1, -1)}.`; continue; }
    const entry = /^\{\s*file\s*=\s*("(?:[^"\\]|\\.)*")\s*,\s*name\s*=\s*("(?:[^"\\]|\\.)*")\s*\},?$/.exec(line);
    if (list && entry) {
      const path = tomlValue(entry[1]);
      if (!entries[path]) throw new Error(`saver.toml names ${path}, which is not in the zip`);
      files.push(new File([entries[path]], tomlValue(entry[2]), { lastModified: 0 }));
      continue;
    }
    const m = /^([A-Za-z_.]+)\s*=\s*(.*)$/.exec(line);
    if (!m) continue;
    if (m[2].trim() === '[') { list = m[1]; continue; }
    const key = table + m[1];
    const value = tomlValue(m[2]);
    if (key === 'max_size') fields['max-size'] = value;
    else if (key === 'quality') fields.quality = value;
    else if (key === 'Interval') fields.Interval = String(parseFloat(value));
    else if (key === 'TextFont.Height') fields['TextFont.Height'] = String(Math.abs(parseInt(value, 10)));
    else if (key === 'DescriptCommaList') captions.push(...parseCommaText(value));
    else if (/^l[A-Z]/.test(key)) fields[key] = /^(true|yes|on|1)$/i.test(value) ? 'true' : 'false';
    else fields[key] = /^#[0-9A-F]{6}$/i.test(value) ? value.toLowerCase() : value;
  }
  return { files, captions, fields };
}

// Comma text back into items (double quotes around items that need them).
export function parseCommaText(text) {
  const items = [];
  let i = 0;
  while (i <= text.length) {
    while (i < text.length && text.charCodeAt(i) <= 32) ++i;
    let item = '';
    if (text[i] === '"') {
      for (++i; i < text.length; ++i) {
        if (text[i] === '"' && text[i + 1] === '"') { item += '"'; ++i; }
        else if (text[i] === '"') { ++i; break; }
        else item += text[i];
      }
      while (i < text.length && text[i] !== ',') ++i;
    } else {
      while (i < text.length && text[i] !== ',' && text.charCodeAt(i) > 32) item += text[i++];
      while (i < text.length && text[i] !== ',') ++i;
    }
    items.push(item);
    if (i >= text.length) break;
    ++i;
  }
  return items;
}
