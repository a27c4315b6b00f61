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

// Decoded and turned upright; with `size`, also shrunk to it by the browser's own
// high-quality resampler in the same step (no full-size copy is drawn, read back or
// filtered in script: for a 12-megapixel photo about ten times faster than pica).
async function decode(blob, type, size) {
  const options = { imageOrientation: 'from-image' };
  if (size) Object.assign(options, { resizeWidth: size.width, resizeHeight: size.height, resizeQuality: 'high' });
  try {
    return await createImageBitmap(type ? new Blob([blob], { type }) : blob, options);
  } catch {
    return null;
  }
}

// The size an opaque picture of known upright size is shrunk to while decoding, or
// null when it is decoded whole (it fits, or may be transparent and is flattened first,
// or asks for pica).
function shrinkOnDecode(job) {
  if (!job.convert || !job.opaque || !job.upright || job.resizer === 'pica') return null;
  const size = fitted(job.upright.width, job.upright.height, job.maxWidth, job.maxHeight);
  return size.width < job.upright.width || size.height < job.upright.height ? size : null;
}

async function thumbnail(bitmap) {
  const size = fitted(bitmap.width, bitmap.height, kThumb, kThumb);
  const canvas = new OffscreenCanvas(size.width, size.height);
  const ctx = canvas.getContext('2d');
  ctx.imageSmoothingQuality = 'high';
  ctx.drawImage(bitmap, 0, 0, size.width, size.height);
  return canvas.convertToBlob({ type: 'image/jpeg', quality: 0.8 });
}

// A picture that may be transparent drawn over the background colour; a JPEG, which
// never is, used as it is (a copy of twelve megapixels spared).
function flattened(bitmap, job) {
  if (job.opaque) return bitmap;
  const flat = new OffscreenCanvas(bitmap.width, bitmap.height);
  const ctx = flat.getContext('2d');
  ctx.fillStyle = job.background;
  ctx.fillRect(0, 0, flat.width, flat.height);
  ctx.drawImage(bitmap, 0, 0);
  return flat;
}

async function convert(bitmap, job, ms) {
  let t = performance.now();
  const lap = (name) => { const now = performance.now(); ms[name] = now - t; t = now; };
  const flat = flattened(bitmap, job);
  lap('flatten');
  const size = fitted(bitmap.width, bitmap.height, job.maxWidth, job.maxHeight);
  let out = flat;
  if (size.width !== flat.width || size.height !== flat.height) {
    out = new OffscreenCanvas(size.width, size.height);
    await resizer.resize(flat, out, { filter: 'lanczos3' });
  } else if (flat === bitmap) {
    // Drawn, not handed over with transferFromImageBitmap: that keeps the pixels as
    // stored and drops the EXIF turn.
    out = new OffscreenCanvas(size.width, size.height);
    out.getContext('2d').drawImage(bitmap, 0, 0);
  }
  lap('resize');
  const blob = await out.convertToBlob({ type: 'image/jpeg', quality: job.quality / 100 });
  const bytes = new Uint8Array(await blob.arrayBuffer());
  lap('encode');
  return { bytes, width: size.width, height: size.height };
}

// Each answer carries the milliseconds of its steps (ms), for the benchmark.
self.onmessage = async ({ data: job }) => {
  const start = performance.now();
  const shrunk = shrinkOnDecode(job);
  const bitmap = await decode(job.blob, job.mime, shrunk);
  if (!bitmap) {
    self.postMessage({ id: job.id, error: 'unreadable' });
    return;
  }
  const ms = { decode: performance.now() - start };
  try {
    const thumb = await thumbnail(bitmap);
    ms.thumb = performance.now() - start - ms.decode;
    const result = { id: job.id, thumb, width: bitmap.width, height: bitmap.height, ms };
    if (shrunk) {
      const made = await convert(bitmap, { ...job, maxWidth: 0, maxHeight: 0 }, ms);
      Object.assign(result, made, { converted: true });
      self.postMessage(result, [made.bytes.buffer]);
    } else if (job.convert) {
      const made = await convert(bitmap, job, ms);
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
