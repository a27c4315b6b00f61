// The web page's saver writer: the maker's own last step (tools/scrtool/saver_writer)
// behind a small JavaScript interface, so the page writes the bytes `scrtool make`
// writes. Errors come back as message texts, never as exceptions across the boundary.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "common/comma_text.h"
#include "package/component_writer.h"
#include "package/package_writer.h"
#include "tools/scrtool/caption_text.h"
#include "tools/scrtool/content_kind.h"
#include "tools/scrtool/item_names.h"
#include "tools/scrtool/saver_writer.h"
#include "tools/webwriter/saver_reading.h"

namespace {

using emscripten::val;

// A JavaScript Uint8Array copied into the module's memory.
std::vector<uint8_t> BytesOf(const val& array) {
  std::vector<uint8_t> bytes(array["length"].as<size_t>());
  val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
  return bytes;
}

std::string Message(const std::exception& e) { return e.what(); }

// Bytes handed to a JavaScript function as a view into the module's memory, which it
// copies before returning.
class TJsSink : public scr::IByteSink {
 public:
  explicit TJsSink(val write) : write_(std::move(write)) {}
  void Write(std::span<const uint8_t> bytes) override {
    write_(val(emscripten::typed_memory_view(bytes.size(), bytes.data())));
  }

 private:
  val write_;
};

// Collects the items one by one (each copied in once) and writes the saver; or, after
// Begin, streams each item out as it is given (the items must then come in the file's
// order: preview, pictures, music, movies, hook library), so the module holds one item
// at a time however large the saver. Both give the bytes of WriteSaver.
class TWebSaverWriter {
 public:
  void Setting(const std::string& name, const std::string& value) { content_.settings.emplace_back(name, value); }
  // The settings' texts stored single-byte where they can be, as older savers hold them
  // (an opened one is written again in its own form).
  void SingleByteText() { content_.textForm = scr::TTextForm::Utf8SingleByte; }
  void Preview(const std::string& name, const std::string& pictureClass, const val& bytes) {
    if (writer_) return Stream([&] { writer_->AddPreview(scr::BuildImageStream(pictureClass, BytesOf(bytes))); });
    content_.preview = scr::tool::TStoredPicture{name, pictureClass, BytesOf(bytes)};
  }
  void Picture(const std::string& name, const std::string& pictureClass, const val& bytes) {
    if (writer_) return Stream([&] { writer_->AddPicture(name, scr::BuildImageStream(pictureClass, BytesOf(bytes))); });
    content_.pictures.push_back({name, pictureClass, BytesOf(bytes)});
  }
  // Music and movies are stored under the plain, unique ASCII names `scrtool make`
  // gives them (the saver writes them to files of these names); each returns the
  // name it is stored under, for the page to show where it differs.
  std::string Sound(const std::string& name, const val& bytes) { return Add(content_.sounds, name, bytes, false); }
  std::string Movie(const std::string& name, const val& bytes) { return Add(content_.movies, name, bytes, true); }
  void Hook(const val& bytes) {
    if (writer_) return Stream([&] { writer_->AddHookLibrary(BytesOf(bytes)); });
    content_.hook = BytesOf(bytes);
  }

  // Starts streaming: the settings given so far make the record, the runtime goes out
  // to `write` (a function taking a Uint8Array view to copy), and every item after it.
  // "" on success, else why not.
  std::string Begin(const val& runtime, const val& write) {
    try {
      sink_ = std::make_unique<TJsSink>(write);
      writer_ = std::make_unique<scr::TPackageWriter>(*sink_, scr::tool::MakeSettings(content_.settings),
                                                      content_.textForm);
      writer_->AddRuntime(BytesOf(runtime));
      return "";
    } catch (const std::exception& e) {
      writer_.reset();
      return Message(e);
    }
  }
  // Ends a stream with the settings and the trailer: "" on success, else the first
  // failure of the stream (the file is then incomplete).
  std::string Finish() {
    if (!writer_) return "Finish without Begin";
    Stream([&] { writer_->Finish(); });
    return error_;
  }

  // Writes the saver after `runtime`; "" on success, else why not. The items are
  // given up as they are written.
  std::string Write(const val& runtime) {
    try {
      saver_ = scr::tool::WriteSaver(BytesOf(runtime), std::move(content_)).bytes;
      content_ = {};
      return "";
    } catch (const std::exception& e) {
      return Message(e);
    }
  }
  // The written file, a view into the module's memory: copy it before the next call.
  val Bytes() const { return val(emscripten::typed_memory_view(saver_.size(), saver_.data())); }
  void Release() { saver_ = {}; }

 private:
  std::string Add(std::vector<scr::tool::TStoredFile>& list, const std::string& name, const val& bytes, bool movie) {
    std::string stored = namer_.Name(name);
    if (writer_)
      Stream([&] { movie ? writer_->AddMovie(stored, BytesOf(bytes)) : writer_->AddSound(stored, BytesOf(bytes)); });
    else
      list.push_back({stored, BytesOf(bytes)});
    return stored;
  }
  // One step of a stream; after a failure the rest are not written.
  template <class Step>
  void Stream(Step step) {
    if (!error_.empty()) return;
    try {
      step();
    } catch (const std::exception& e) {
      error_ = Message(e);
    }
  }

  scr::tool::TSaverContent content_;
  scr::tool::TItemNamer namer_;
  std::vector<uint8_t> saver_;
  std::unique_ptr<TJsSink> sink_;
  std::unique_ptr<scr::TPackageWriter> writer_;
  std::string error_;
};

// What a file holds by its first bytes, as `scrtool make` tells it.
val DetectContent(const val& head) {
  const std::vector<uint8_t> bytes = BytesOf(head);
  const scr::tool::TContentType type = scr::tool::DetectContent(bytes);
  val out = val::object();
  const char* kinds[] = {"unknown", "picture", "sound", "movie"};
  out.set("kind", kinds[static_cast<int>(type.kind)]);
  out.set("format", type.format);
  out.set("pictureClass", type.pictureClass);
  out.set("windowsPlays", type.windowsPlays);
  return out;
}

// Why the settings as typed are refused, or "" when `scrtool make` takes them.
std::string CheckSettings(const val& pairs) {
  std::vector<std::pair<std::string, std::string>> settings;
  const size_t n = pairs["length"].as<size_t>();
  for (size_t i = 0; i < n; ++i) settings.emplace_back(pairs[i][0].as<std::string>(), pairs[i][1].as<std::string>());
  try {
    scr::tool::MakeSettings(settings);
    return "";
  } catch (const std::exception& e) {
    return Message(e);
  }
}

// The comma text of a list of strings, as the settings' lists hold it.
std::string CommaText(const val& items) {
  std::vector<std::string> list;
  const size_t n = items["length"].as<size_t>();
  for (size_t i = 0; i < n; ++i) list.push_back(items[i].as<std::string>());
  return scr::RenderCommaText(list);
}

// Bytes of a metadata field the page read (a Uint8Array), as a string; empty when absent.
std::string TextOf(const val& field) {
  if (field.isUndefined() || field.isNull()) return {};
  const std::vector<uint8_t> bytes = BytesOf(field);
  return std::string(bytes.begin(), bytes.end());
}

// A picture's own caption as `scrtool make --captions` writes it. `source` is "date",
// "title" or "name"; `metadata` holds what the page read from the picture's file:
// dateOriginal (EXIF DateTimeOriginal) and titles (XMP dc:title, EXIF
// ImageDescription, XMP dc:description, IPTC caption, in that order), each a
// Uint8Array or absent.
std::string PictureCaption(const std::string& source, const std::string& name, const val& metadata,
                           const std::string& dateFormat) {
  if (source == "name") return scr::tool::NameCaption(name);
  if (source == "date") {
    const std::string date = scr::tool::MetadataText(TextOf(metadata["dateOriginal"]));
    return date.empty() ? std::string() : scr::tool::FormatExifDate(date, dateFormat);
  }
  if (source != "title") return {};
  std::vector<std::string> titles;
  const val list = metadata["titles"];
  const size_t n = list.isUndefined() ? 0 : list["length"].as<size_t>();
  for (size_t i = 0; i < n; ++i) titles.push_back(TextOf(list[i]));
  return scr::tool::FirstCaption(titles);
}

// A saver file taken apart for editing (see saver_reading.h).
val ReadSaver(const std::string& name, const val& bytes) { return scr::webwriter::ReadSaver(name, BytesOf(bytes)); }

}  // namespace

EMSCRIPTEN_BINDINGS(scr_webwriter) {
  emscripten::class_<TWebSaverWriter>("SaverWriter")
      .constructor<>()
      .function("setting", &TWebSaverWriter::Setting)
      .function("singleByteText", &TWebSaverWriter::SingleByteText)
      .function("preview", &TWebSaverWriter::Preview)
      .function("picture", &TWebSaverWriter::Picture)
      .function("sound", &TWebSaverWriter::Sound)
      .function("movie", &TWebSaverWriter::Movie)
      .function("hook", &TWebSaverWriter::Hook)
      .function("write", &TWebSaverWriter::Write)
      .function("begin", &TWebSaverWriter::Begin)
      .function("finish", &TWebSaverWriter::Finish)
      .function("bytes", &TWebSaverWriter::Bytes)
      .function("release", &TWebSaverWriter::Release);
  emscripten::function("detectContent", &DetectContent);
  emscripten::function("checkSettings", &CheckSettings);
  emscripten::function("commaText", &CommaText);
  emscripten::function("pictureCaption", &PictureCaption);
  emscripten::function("readSaver", &ReadSaver);
}
