// What the Make view says about a file it cannot use, or uses with a warning: what is
// wrong and what to do.

export function emptyFile() {
  return 'This file is empty (0 bytes); it is left out. Add the picture again from where it was saved.';
}

export function notMedia() {
  return 'This is not a picture or music that the maker knows (told by its content); it is left out.';
}

export function unreadable(format) {
  if (format === 'HEIF')
    return 'This browser cannot read HEIC/HEIF pictures; it is left out. Convert it to JPEG (the Photos app can ' +
      'export it as JPEG), or make the saver with scrtool make, which reads it.';
  if (format === 'TIFF')
    return 'This browser cannot read TIFF pictures; it is left out. Convert it to JPEG or PNG, or make the saver ' +
      'with scrtool make, which reads it.';
  return `This ${format} picture cannot be read: it is damaged or incomplete, and is left out. Open it in a ` +
    'picture viewer and save it again, or add another copy.';
}

export function cutOff() {
  return 'This JPEG is cut off or damaged (it does not end as a picture ends); it is left out. Copy it again ' +
    'from the camera or the place it came from.';
}

export function damagedInSaver(why) {
  return `This item of the opened saver cannot be read (${why}); it is left out.`;
}

export function movieLeftOut() {
  return 'A Flash movie: the page makes picture savers, so it is left out (scrtool make --flash makes movie savers).';
}

export function soundWarning(format) {
  return `${format} audio, which the Windows media player will not play in the saver (WAV, MP3 and MIDI play); ` +
    'it goes in all the same. Convert it to MP3 for it to be heard.';
}

const mb = (bytes) => `${(bytes / 1048576).toFixed(1)} MB`;
export const kSaverLimit = 2147483647;

export function tooLarge(bytes) {
  return `The saver would be ${mb(bytes)}, ${mb(bytes - kSaverLimit)} more than the 2 GiB a saver can hold. ` +
    'Choose a smaller largest picture size or a lower JPEG quality, or leave some pictures or music out.';
}

export { mb };
