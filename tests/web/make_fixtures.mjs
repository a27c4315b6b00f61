// Inputs for the Make view's tests, made on the spot: JPEG and PNG pictures through the
// image library's command (vips), a WAV tone written here.
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

// A WIDTHxHEIGHT picture with a colour gradient; `options` as vips takes them after
// the file name (for JPEG "[Q=90]").
export function makePicture(folder, name, width, height, options = '') {
  const file = join(folder, name);
  const v = join(folder, `${name}.v`);
  execFileSync('vips', ['xyz', v, String(width), String(height)]);
  const scaled = join(folder, `${name}.s.v`);
  execFileSync('vips', ['linear', v, scaled, '0.2', '40', '--uchar']);
  const three = join(folder, `${name}.3.v`);
  execFileSync('vips', ['bandjoin_const', scaled, three, '128']);
  execFileSync('vips', ['copy', three, file + options]);
  return file;
}

// A PNG with an alpha band: its left half transparent.
export function makeTransparentPng(folder, name, width, height) {
  const rgb = makePicture(folder, `${name}.rgb.v`, width, height);
  const mask = join(folder, `${name}.mask.v`);
  execFileSync('vips', ['xyz', join(folder, `${name}.m.v`), String(width), String(height)]);
  execFileSync('vips', ['extract_band', join(folder, `${name}.m.v`), join(folder, `${name}.x.v`), '0']);
  execFileSync('vips', ['relational_const', join(folder, `${name}.x.v`), mask, 'moreeq', String(Math.floor(width / 2))]);
  const file = join(folder, name);
  execFileSync('vips', ['bandjoin', `${rgb} ${mask}`, file]);
  return file;
}

// A short 8-bit mono WAV tone.
export function makeWav(folder, name, samples = 8000) {
  const data = Buffer.alloc(samples);
  for (let i = 0; i < samples; ++i) data[i] = 128 + Math.round(60 * Math.sin(i / 4));
  const header = Buffer.alloc(44);
  header.write('RIFF', 0);
  header.writeUInt32LE(36 + samples, 4);
  header.write('WAVEfmt ', 8);
  header.writeUInt32LE(16, 16);
  header.writeUInt16LE(1, 20);
  header.writeUInt16LE(1, 22);
  header.writeUInt32LE(8000, 24);
  header.writeUInt32LE(8000, 28);
  header.writeUInt16LE(1, 32);
  header.writeUInt16LE(8, 34);
  header.write('data', 36);
  header.writeUInt32LE(samples, 40);
  const file = join(folder, name);
  writeFileSync(file, Buffer.concat([header, data]));
  return file;
}

// The JPEG with an EXIF block that says "turn 90° clockwise to show" (orientation 6).
export function withOrientation(file, orientation = 6) {
  const jpeg = readFileSync(file);
  const tiff = Buffer.alloc(26);
  tiff.write('II', 0);
  tiff.writeUInt16LE(42, 2);
  tiff.writeUInt32LE(8, 4);
  tiff.writeUInt16LE(1, 8);  // one entry
  tiff.writeUInt16LE(0x0112, 10);
  tiff.writeUInt16LE(3, 12);  // SHORT
  tiff.writeUInt32LE(1, 14);
  tiff.writeUInt16LE(orientation, 18);
  tiff.writeUInt32LE(0, 22);  // no next IFD
  const body = Buffer.concat([Buffer.from('Exif\0\0', 'latin1'), tiff]);
  const app1 = Buffer.alloc(4);
  app1.writeUInt16BE(0xffe1, 0);
  app1.writeUInt16BE(body.length + 2, 2);
  writeFileSync(file, Buffer.concat([jpeg.subarray(0, 2), app1, body, jpeg.subarray(2)]));
  return file;
}

// The picture with metadata written by exiv2's command: `sets` as exiv2 keys and values
// ("Exif.Photo.DateTimeOriginal", "2024:07:14 18:30:05").
export function withMetadata(file, sets) {
  execFileSync('exiv2', [...sets.flatMap(([key, value]) => ['-M', `set ${key} ${value}`]), 'mo', file]);
  return file;
}
