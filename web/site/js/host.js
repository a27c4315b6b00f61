// The page's answers to the show's calls: the canvas, text, audio elements, messages.
const textCanvas = document.createElement('canvas');
const textContext = textCanvas.getContext('2d', { willReadFrequently: true });

function measure(font, text) {
  textContext.font = font;
  const m = textContext.measureText(text);
  const ascent = Math.ceil(m.fontBoundingBoxAscent ?? m.actualBoundingBoxAscent);
  const descent = Math.ceil(m.fontBoundingBoxDescent ?? m.actualBoundingBoxDescent);
  return { width: Math.ceil(m.width), ascent, height: ascent + descent };
}

const mimeTypes = { wav: 'audio/wav', mp3: 'audio/mpeg', ogg: 'audio/ogg', mid: 'audio/midi', midi: 'audio/midi' };

// options: canvas, onMessage(caption, text), onNotice(text), muted audio for tests.
export function createHost({ canvas, onMessage, onNotice }) {
  const context = canvas.getContext('2d');
  const audios = new Map();
  const host = {
    module: null,
    audios,
    // rgba: a view on the module's memory, drawn at once.
    present(rgba, x, y, w, h, frameWidth, frameHeight) {
      if (canvas.width !== frameWidth || canvas.height !== frameHeight) {
        canvas.width = frameWidth;
        canvas.height = frameHeight;
      }
      context.putImageData(new ImageData(rgba, w, h), x, y);
    },
    showCursor(visible) {
      canvas.style.cursor = visible ? '' : 'none';
    },
    textExtent(font, text) {
      const m = measure(font, text);
      return [m.width, m.height];
    },
    textCoverage(font, text, w, h, out) {
      const m = measure(font, text);
      textCanvas.width = Math.max(1, w);
      textCanvas.height = Math.max(1, h);
      textContext.fillStyle = '#000';
      textContext.fillRect(0, 0, w, h);
      textContext.font = font;
      textContext.fillStyle = '#fff';
      textContext.textBaseline = 'alphabetic';
      textContext.fillText(text, 0, m.ascent);
      const pixels = textContext.getImageData(0, 0, w, h).data;
      for (let i = 0; i < w * h; i++) out[i] = pixels[i * 4];
    },
    async audioOpen(id, bytes, name) {
      host.audioClose(id);
      const ext = name.split('.').pop().toLowerCase();
      const url = URL.createObjectURL(new Blob([bytes], { type: mimeTypes[ext] || 'application/octet-stream' }));
      const audio = new Audio();
      audio.preload = 'auto';
      const ok = await new Promise((resolve) => {
        const timer = setTimeout(() => resolve(false), 10000);
        audio.addEventListener('loadedmetadata', () => { clearTimeout(timer); resolve(true); }, { once: true });
        audio.addEventListener('error', () => { clearTimeout(timer); resolve(false); }, { once: true });
        audio.src = url;
      });
      if (!ok) {
        URL.revokeObjectURL(url);
        onNotice?.(`The browser cannot play the track ${name.split('/').pop()}; the next one plays.`);
        return false;
      }
      audio.addEventListener('ended', () => {
        if (host.module) {
          host.module._scr_web_audio_ended(id);
          if (host.module.scrWake) host.module.scrWake();
        }
      });
      audios.set(id, { audio, url });
      return true;
    },
    async audioPlay(id) {
      const entry = audios.get(id);
      if (!entry) return false;
      try {
        entry.audio.currentTime = 0;
        await entry.audio.play();
        return true;
      } catch (e) {
        onNotice?.(`The browser did not start the music (${e.message}).`);
        return false;
      }
    },
    audioStop(id) {
      const entry = audios.get(id);
      if (entry) entry.audio.pause();
    },
    audioClose(id) {
      const entry = audios.get(id);
      if (!entry) return;
      entry.audio.pause();
      entry.audio.removeAttribute('src');
      URL.revokeObjectURL(entry.url);
      audios.delete(id);
    },
    closeAll() {
      for (const id of [...audios.keys()]) host.audioClose(id);
    },
    message(caption, text) {
      onMessage?.(caption, text);
    },
    confirm(text) {
      return window.confirm(text);
    },
    open(target) {
      window.open(target, '_blank', 'noopener');
    },
  };
  return host;
}
