// Converts pictures off the page's thread, one message at a time: decoded by the
// browser (turned upright by its EXIF orientation), flattened onto the background
// colour, shrunk with a high-quality filter (pica) and stored as JPEG; and for every
// picture a small thumbnail. A picture that needs no conversion is only decoded, to
// make its thumbnail and to find damage.
importScripts('vendor/pica.min.js');

const resizer = self.pica({ features: ['js', 'wasm'], createCanvas: (w, h) => new OffscreenCanvas(w, h) });
const kThumb = 200;

function fitted(width, height, maxWidth, maxHeight) {
  const scale = Math.min(1, maxWidth ? maxWidth / width : 1, maxHeight ? maxHeight / height : 1);
  return { width: Math.max(1, Math.round(width * scale)), height: Math.max(1, Math.round(height * scale)) };
}

async function decode(blob, type) {
  try {
    return await createImageBitmap(type ? new Blob([blob], { type }) : blob, { imageOrientation: 'from-image' });
  } catch {
    return null;
  }
}

async function thumbnail(bitmap) {
  const size = fitted(bitmap.width, bitmap.height, kThumb, kThumb);
  const canvas = new OffscreenCanvas(size.width, size.height);
  const ctx = canvas.getContext('2d');
  ctx.imageSmoothingQuality = 'high';
  ctx.drawImage(bitmap, 0, 0, size.width, size.height);
  return canvas.convertToBlob({ type: 'image/jpeg', quality: 0.8 });
}

async function convert(bitmap, job) {
  const flat = new OffscreenCanvas(bitmap.width, bitmap.height);
  const ctx = flat.getContext('2d');
  ctx.fillStyle = job.background;
  ctx.fillRect(0, 0, flat.width, flat.height);
  ctx.drawImage(bitmap, 0, 0);
  const size = fitted(bitmap.width, bitmap.height, job.maxWidth, job.maxHeight);
  let out = flat;
  if (size.width !== flat.width || size.height !== flat.height) {
    out = new OffscreenCanvas(size.width, size.height);
    await resizer.resize(flat, out, { filter: 'lanczos3' });
  }
  const blob = await out.convertToBlob({ type: 'image/jpeg', quality: job.quality / 100 });
  return { bytes: new Uint8Array(await blob.arrayBuffer()), width: size.width, height: size.height };
}

self.onmessage = async ({ data: job }) => {
  const bitmap = await decode(job.blob, job.mime);
  if (!bitmap) {
    self.postMessage({ id: job.id, error: 'unreadable' });
    return;
  }
  try {
    const thumb = await thumbnail(bitmap);
    const result = { id: job.id, thumb, width: bitmap.width, height: bitmap.height };
    if (job.convert) {
      const made = await convert(bitmap, job);
      Object.assign(result, made, { converted: true });
      self.postMessage(result, [made.bytes.buffer]);
    } else {
      self.postMessage(result);
    }
  } catch (e) {
    self.postMessage({ id: job.id, error: 'failed', message: String(e && e.message || e) });
  } finally {
    bitmap.close();
  }
};
