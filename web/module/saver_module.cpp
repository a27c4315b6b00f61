// The module's functions for the Play view: the page hands a saver file over once
// (into the in-memory store), asks for its details (read by the package's own reader,
// every picture checked), and plays it on the web backend with the show's own forms.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/entry.h"
#include "common/errors.h"
#include "package/package_reader.h"
#include "platform/web/web_bridge.h"
#include "platform/web/web_platform.h"
#include "platform/web/web_present.h"
#include "saver/saver_form.h"
#include "setup/mute_setting.h"
#include "web/module/json_text.h"
#include "web/module/module_state.h"

namespace scr::web {

namespace {

// The text for a file too short to hold a package (as the Linux player says it).
constexpr const char* kNotASaverFile = "Not a saver file: no package at its end";

std::string Failure(const std::string& message) {
  return TJsonObject().Add("ok", false).Add("error", message).Text();
}

// The preview picture as RGBA bytes in the module's picture buffer; its size in JSON.
std::string PreviewJson(TStream& file) {
  std::unique_ptr<TImage> image = ReadPreviewImage(file);
  const TGraphic* graphic = image ? image->Picture().Graphic() : nullptr;
  if (!graphic || graphic->Empty()) return "null";
  TBitmap24 bitmap(graphic->Width(), graphic->Height());
  graphic->Draw(bitmap, 0, 0);
  std::vector<uint8_t>& rgba = State().picture;
  platform::web::ToRgba(bitmap, bitmap.Bounds(), rgba);
  return TJsonObject().Add("width", int64_t{bitmap.Width()}).Add("height", int64_t{bitmap.Height()}).Text();
}

std::string Inspect(const std::string& path) {
  try {
    std::unique_ptr<TStream> file = State().files.OpenRead(path);
    std::unique_ptr<TSSFileLocations> s = ReadSettingsRecord(*file);
    if (!s) throw Exception(kNotASaverFile);
    // Every picture is read once, so a damaged one is reported before the show.
    for (int32_t i = 0; i < s->PicCount(); ++i) ReadPictureAt(*file, s->PicPosition(i));
    std::string preview = "null";
    try {
      preview = PreviewJson(*file);
    } catch (const std::exception&) {
      // A saver without a readable preview still plays.
    }
    return TJsonObject()
        .Add("ok", true)
        .Add("title", s->Title())
        .Add("author", s->Author())
        .Add("email", s->Email())
        .Add("web", s->Web())
        .Add("pictures", int64_t{s->PicCount()})
        .Add("sounds", int64_t{s->SndCount()})
        .Add("movies", int64_t{s->FlashCount()})
        .Add("movie", s->IsFlash())
        .Add("muted", s->lMute())
        .Add("exitKeyPress", s->lExitKeyPress())
        .Add("interval", int64_t{s->Interval()})
        .Add("size", file->Size())
        .AddRaw("preview", preview)
        .Text();
  } catch (const std::exception& e) {
    return Failure(e.what());
  } catch (...) {
    return Failure("Unknown error");
  }
}

}  // namespace

}  // namespace scr::web

using namespace scr;

extern "C" {

// A buffer of size bytes for the file the page hands over next; null when it cannot be
// had. The page fills it, then names it with scr_web_put_file.
EMSCRIPTEN_KEEPALIVE uint8_t* scr_web_file_buffer(uint32_t size) {
  try {
    web::State().incoming.assign(size, 0);
    return web::State().incoming.data();
  } catch (...) {
    web::State().incoming = {};
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE void scr_web_put_file(const char* path) {
  web::State().files.Put(path, std::move(web::State().incoming));
  web::State().incoming = {};
}

EMSCRIPTEN_KEEPALIVE void scr_web_remove_file(const char* path) { web::State().files.Delete(path); }

// The details of a saver file of the store as JSON: {"ok":true, "title", ...,
// "preview": {"width","height"} or null} (the preview's pixels in scr_web_picture),
// or {"ok":false, "error": the reader's message}.
EMSCRIPTEN_KEEPALIVE const char* scr_web_inspect(const char* path) {
  web::State().text = web::Inspect(path);
  return web::State().text.c_str();
}

EMSCRIPTEN_KEEPALIVE const uint8_t* scr_web_picture() { return web::State().picture.data(); }

// Plays the saver of the store on a stage of width x height until the show ends (the
// module waits asynchronously). mute: -1 the saver's own choice, 0 sound, 1 muted.
// Returns 0, or 1 when the run failed (its message went to the page).
EMSCRIPTEN_KEEPALIVE int scr_web_play(const char* path, int width, int height, int mute) {
  try {
    platform::web::TWebOptions options;
    options.files = web::State().files;
    options.saverPath = path;
    options.width = width;
    options.height = height;
    platform::web::TWebPlatform p(options);
    if (mute >= 0) setup::WriteStoredMute(p, options.saverPath, mute != 0);
    app::TEntryForms forms = app::DefaultForms();
    forms.saver = saver::CreateSaverForm;
    app::RunEntry(p, {"/s"}, forms);
    // What the show wrote out goes with the run.
    return 0;
  } catch (const std::exception& e) {
    platform::web::JsMessage("Error", e.what());
  } catch (...) {
    platform::web::JsMessage("Error", "Unknown error");
  }
  return 1;
}

}  // extern "C"
