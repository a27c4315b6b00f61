// The settings form as the maker's settings: only what differs from `scrtool make`'s
// defaults, by the settings' own names and in the forms the maker takes; and the same
// choices as a `scrtool make` command line.
import { parseMaxSize } from './picture_rules.js';

const kOptionOf = { Title: '--title', Author: '--author', Interval: '--interval', EffectCommaList: '--effects',
  Text: '--text', DescriptCommaList: '--descriptions' };

// Fields that choose how the saver is made rather than a setting of its own.
const kNotSettings = new Set(['max-size', 'quality', 'captions', 'date-format']);

function fieldValue(field) {
  if (field.type === 'checkbox') return field.checked ? 'true' : 'false';
  return field.value.trim();
}

// The form's choices: settings as [name, value] pairs, the largest size and quality,
// or `error` naming what is wrong. `captions` are the pictures' captions in order and
// `commaText` joins them as the settings' lists hold them. With `opened` (a saver
// opened for editing: its settings, the form's fields and the captions as loaded),
// the pairs are the saver's own settings followed by what was changed since, so a
// saver opened and made again unchanged keeps every setting as it was.
export function readSettings(form, captions, commaText, opened = null) {
  const pairs = [];
  let error = '';
  for (const field of form.elements) {
    if (!field.name || kNotSettings.has(field.name)) continue;
    const value = fieldValue(field);
    if (value === (opened ? opened.fields[field.name] : field.dataset.default)) continue;
    switch (field.name) {
      case 'Interval': {
        const seconds = Number(value);
        if (!(seconds >= 0) || value === '') error = 'Seconds per picture: give a number of seconds, such as 5 or 2.5.';
        else pairs.push(['Interval', `${seconds}s`]);
        break;
      }
      case 'TextFont.Height': {
        const px = Math.round(Number(value));
        if (!(px >= 1 && px <= 1000)) error = 'Caption size: give the letters\' height in pixels, such as 24.';
        else pairs.push(['TextFont.Height', String(-px)]);
        break;
      }
      case 'Background':
      case 'TextFont.Color':
        pairs.push([field.name, value.toUpperCase()]);
        break;
      default:
        if (opened || value !== '' || field.dataset.default !== '') pairs.push([field.name, value]);
    }
  }
  // Each picture's caption shows only in caption mode 1, as `scrtool make` sets it
  // for pictures with captions, or asked to take them from the pictures (even where
  // none has one).
  const fromPictures = (form.elements.captions?.value ?? 'none') !== 'none' && captions.length > 0;
  const captioned = fromPictures || captions.some((c) => c !== '');
  if (!opened) {
    if (captioned) pairs.push(['DescriptCommaList', commaText(captions)], ['CaptionMode', '1']);
  } else if (JSON.stringify(captions) !== JSON.stringify(opened.captions)) {
    pairs.push(['DescriptCommaList', captioned ? commaText(captions) : '']);
    if (captioned) pairs.push(['CaptionMode', '1']);
  }
  if (opened) pairs.unshift(...opened.settings);
  const maxSize = parseMaxSize(form.elements['max-size'].value);
  if (!maxSize) error = 'Largest picture size: give width x height in pixels (3840x2160), or 0 for no limit.';
  const quality = Math.round(Number(form.elements.quality.value));
  if (!(quality >= 1 && quality <= 100)) error = 'JPEG quality: give a whole number from 1 to 100.';
  return { pairs, maxSize: maxSize || { width: 3840, height: 2160 }, quality, error };
}

// The saver's file name: its title with the characters Windows refuses in names
// replaced, and ".scr".
export function saverFileName(pairs) {
  const title = ([...pairs].reverse().find(([n]) => n === 'Title') || [, ''])[1];
  const clean = title.replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_').replace(/[. ]+$/, '').trim();
  return `${clean || 'saver'}.scr`;
}

// Every named field's value as readSettings reads it, to tell later what was changed.
export function formSnapshot(form) {
  const fields = {};
  for (const field of form.elements) if (field.name) fields[field.name] = fieldValue(field);
  return fields;
}

// The form's fields for a saver's settings (as the writer's readSaver gives them).
export function fieldsOfSaver(settings, colours) {
  const fields = {};
  for (const [name, value] of settings) {
    if (name === 'Interval') fields.Interval = String(Number(value) / 1000);
    else if (name === 'TextFont.Height') fields[name] = String(Math.abs(Number(value)));
    else if (name in colours) fields[name] = colours[name];
    else fields[name] = value;
  }
  return fields;
}

const kFillWord = { 0: 'colour', 1: 'blur', 2: 'crop' };
const kFlagsOf = { lPairPortraits: ['--pair-portraits', '--no-pair-portraits'], lNoRepeat: ['--no-repeat', '--repeat'],
  lCaptionScaled: ['--caption-scaled', '--caption-fixed'] };

const quote = (text) => (/^[A-Za-z0-9_./=:,+-]+$/.test(text) ? text : `'${text.replace(/'/g, `'\\''`)}'`);

// `scrtool make` with the same settings and files, in the same order.
export function commandLine(settings, pictures, sounds) {
  const words = ['scrtool', 'make', '-o', quote(saverFileName(settings.pairs))];
  for (const [name, value] of settings.pairs) {
    if (kOptionOf[name]) words.push(kOptionOf[name], quote(value));
    else if (name === 'FillMode' && kFillWord[value]) words.push('--fill', kFillWord[value]);
    else if (name === 'PanZoom') words.push('--pan-zoom', quote(value));
    else if (kFlagsOf[name] && /^(true|false)$/.test(value)) words.push(kFlagsOf[name][value === 'true' ? 0 : 1]);
    else words.push('--set', quote(`${name}=${value}`));
  }
  const { width, height } = settings.maxSize;
  const size = width ? `${width}x${height}` : '0';
  if (size !== '3840x2160') words.push('--max-size', size);
  if (settings.quality !== 90) words.push('--quality', String(settings.quality));
  for (const p of pictures) words.push('--picture', quote(p));
  for (const s of sounds) words.push('--sound', quote(s));
  return words.join(' ');
}
