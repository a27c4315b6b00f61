// Opening a saver in the Make view: the tools' own reader (TSaverFile) takes the file
// apart into its settings, as `scrtool make` takes them, and its stored items, so the
// page can edit it and write it again.
#include "tools/webwriter/saver_reading.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>

#include "common/comma_text.h"
#include "package/picture_data.h"
#include "package/property_text.h"
#include "package/type_info.h"
#include "tools/scrtool/saver_file.h"
#include "tools/scrtool/setting_values.h"

namespace scr::webwriter {

namespace {

using emscripten::val;
using tool::TItemKind;
using tool::TSaverFile;
using tool::TSaverItem;

// A copy of bytes as a Uint8Array of its own (the module's memory may move).
val CopyOut(std::span<const uint8_t> bytes) {
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

std::string HexColour(int32_t colour) {
  const tool::TRgb rgb = tool::ColourToRgb(colour);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
  return text;
}

// Every setting by name with its value in a form SetSetting takes back unchanged, so
// the settings given again make the same record; colours also as #rrggbb for the form.
void AddSettings(const TSSFileLocations& s, val& out) {
  val pairs = val::array();
  val colours = val::object();
  const std::vector<TPropertyRef> refs = ListProperties(s);
  for (const std::string& name : tool::SettableNames(s)) {
    if (name == "TextFont.Size") continue;  // Height carries the size
    const auto ref = std::find_if(refs.begin(), refs.end(), [&](const TPropertyRef& r) { return r.path == name; });
    if (ref == refs.end()) continue;
    const TTypeInfo& type = *ref->info->type;
    std::string text;
    if (name == "EffectCommaList") {
      for (const std::string& e : s.Effects()) text += (text.empty() ? "" : ",") + e;
    } else if (name == "DescriptCommaList") {
      text = RenderCommaText(s.Descriptions());
    } else if (&type == &BooleanType()) {
      text = ref->info->getOrd(*ref->object) != 0 ? "true" : "false";
    } else if (&type == &IntegerType()) {
      text = std::to_string(ref->info->getOrd(*ref->object));
    } else {
      text = PropertyText(*ref->object, *ref->info);
    }
    if (name == "Background" || name == "TextFont.Color")
      colours.set(name, HexColour(static_cast<int32_t>(ref->info->getOrd(*ref->object))));
    val pair = val::array();
    pair.call<void>("push", name, text);
    pairs.call<void>("push", pair);
  }
  out.set("settings", pairs);
  out.set("colours", colours);
  val descriptions = val::array();
  for (const std::string& d : s.Descriptions()) descriptions.call<void>("push", d);
  out.set("descriptions", descriptions);
}

val PictureOf(const TSaverFile& saver, const TSaverItem& item) {
  val picture = val::object();
  picture.set("name", item.name);
  try {
    const TPictureFile file = SplitPictureData(saver.PictureBlock(item));
    picture.set("pictureClass", file.className);
    picture.set("bytes", CopyOut(file.bytes));
  } catch (const std::exception& e) {
    picture.set("error", std::string(e.what()));
  }
  return picture;
}

val RawOf(const TSaverFile& saver, const TSaverItem& item) {
  val raw = val::object();
  raw.set("name", item.name);
  if (item.inside)
    raw.set("bytes", CopyOut(saver.RawBytes(item)));
  else
    raw.set("error", std::string("it lies outside the file"));
  return raw;
}

}  // namespace

val ReadSaver(const std::string& name, std::vector<uint8_t> bytes) {
  val out = val::object();
  try {
    const TSaverFile saver(name, std::move(bytes));
    AddSettings(saver.Settings(), out);
    out.set("singleByteText", saver.SingleByteText());
    val pictures = val::array(), sounds = val::array(), movies = val::array();
    out.set("preview", val::null());
    for (const TSaverItem& item : saver.Items()) {
      switch (item.kind) {
        case TItemKind::Preview:
          if (!item.firstPicture) out.set("preview", PictureOf(saver, item));
          break;
        case TItemKind::Picture:
          pictures.call<void>("push", PictureOf(saver, item));
          break;
        case TItemKind::Sound:
          sounds.call<void>("push", RawOf(saver, item));
          break;
        case TItemKind::Movie:
          movies.call<void>("push", RawOf(saver, item));
          break;
        case TItemKind::Hook:
          break;  // the page adds its own
      }
    }
    out.set("pictures", pictures);
    out.set("sounds", sounds);
    out.set("movies", movies);
    out.set("error", std::string());
  } catch (const std::exception& e) {
    out.set("error", std::string(e.what()));
  }
  return out;
}

}  // namespace scr::webwriter
