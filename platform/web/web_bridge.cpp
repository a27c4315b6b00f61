#include "platform/web/web_bridge.h"

#include <emscripten.h>

// Every call goes through Module.scrHost, so the page decides what each one does.

EM_JS(double, scr_js_now, (), { return performance.now(); });

EM_ASYNC_JS(void, scr_js_wait, (int ms), {
  await new Promise((resolve) => {
    const done = () => {
      clearTimeout(timer);
      Module.scrWake = null;
      resolve();
    };
    const timer = setTimeout(done, ms);
    Module.scrWake = done;
  });
});

EM_JS(void, scr_js_present, (const uint8_t* rgba, int x, int y, int w, int h, int fw, int fh), {
  const host = Module.scrHost;
  // A view on the module's memory, good until the next allocation: the page draws it
  // at once, without a copy of its own.
  if (host && host.present) host.present(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), x, y, w, h, fw, fh);
});

EM_JS(void, scr_js_show_cursor, (int visible), {
  const host = Module.scrHost;
  if (host && host.showCursor) host.showCursor(!!visible);
});

EM_JS(void, scr_js_text_extent, (const char* font, const char* text, int* out), {
  const host = Module.scrHost;
  const size = host && host.textExtent ? host.textExtent(UTF8ToString(font), UTF8ToString(text)) : [0, 0];
  HEAP32[out >> 2] = size[0];
  HEAP32[(out >> 2) + 1] = size[1];
});

EM_JS(void, scr_js_text_coverage, (const char* font, const char* text, int w, int h, uint8_t* out), {
  const host = Module.scrHost;
  if (host && host.textCoverage) host.textCoverage(UTF8ToString(font), UTF8ToString(text), w, h, HEAPU8.subarray(out, out + w * h));
});

EM_ASYNC_JS(int, scr_js_audio_open, (int id, const uint8_t* bytes, int size, const char* name), {
  const host = Module.scrHost;
  if (!host || !host.audioOpen) return 0;
  // The bytes are copied out: the page's audio element keeps its own.
  const ok = await host.audioOpen(id, HEAPU8.slice(bytes, bytes + size), UTF8ToString(name));
  return ok ? 1 : 0;
});

EM_ASYNC_JS(int, scr_js_audio_play, (int id), {
  const host = Module.scrHost;
  if (!host || !host.audioPlay) return 0;
  return (await host.audioPlay(id)) ? 1 : 0;
});

EM_JS(void, scr_js_audio_stop, (int id), {
  const host = Module.scrHost;
  if (host && host.audioStop) host.audioStop(id);
});

EM_JS(void, scr_js_audio_close, (int id), {
  const host = Module.scrHost;
  if (host && host.audioClose) host.audioClose(id);
});

EM_JS(void, scr_js_message, (const char* caption, const char* text), {
  const host = Module.scrHost;
  if (host && host.message) host.message(UTF8ToString(caption), UTF8ToString(text));
});

EM_JS(int, scr_js_confirm, (const char* text), {
  const host = Module.scrHost;
  return host && host.confirm && host.confirm(UTF8ToString(text)) ? 1 : 0;
});

EM_JS(void, scr_js_open, (const char* target), {
  const host = Module.scrHost;
  if (host && host.open) host.open(UTF8ToString(target));
});

namespace scr::platform::web {

double JsNow() { return scr_js_now(); }
void JsWait(uint32_t ms) { scr_js_wait(static_cast<int>(ms)); }
void JsPresent(const uint8_t* rgba, int x, int y, int w, int h, int fw, int fh) { scr_js_present(rgba, x, y, w, h, fw, fh); }
void JsShowCursor(bool visible) { scr_js_show_cursor(visible ? 1 : 0); }

void JsTextExtent(const std::string& cssFont, const std::string& utf8, int& width, int& height) {
  int out[2] = {0, 0};
  scr_js_text_extent(cssFont.c_str(), utf8.c_str(), out);
  width = out[0];
  height = out[1];
}

void JsTextCoverage(const std::string& cssFont, const std::string& utf8, int width, int height, uint8_t* out) {
  scr_js_text_coverage(cssFont.c_str(), utf8.c_str(), width, height, out);
}

bool JsAudioOpen(int id, const uint8_t* bytes, size_t size, const std::string& name) {
  return scr_js_audio_open(id, bytes, static_cast<int>(size), name.c_str()) != 0;
}
bool JsAudioPlay(int id) { return scr_js_audio_play(id) != 0; }
void JsAudioStop(int id) { scr_js_audio_stop(id); }
void JsAudioClose(int id) { scr_js_audio_close(id); }
void JsMessage(const std::string& caption, const std::string& text) { scr_js_message(caption.c_str(), text.c_str()); }
bool JsConfirm(const std::string& text) { return scr_js_confirm(text.c_str()) != 0; }
void JsOpen(const std::string& target) { scr_js_open(target.c_str()); }

}  // namespace scr::platform::web
