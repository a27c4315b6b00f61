// scrtool extract: writes a saver's items into a folder with a manifest from which
// `scrtool make --manifest` builds the same saver again.
#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <set>
#include <sstream>
#include <toml++/toml.h>

#include "common/ascii.h"
#include "common/comma_text.h"
#include "common/file_names.h"
#include "common/int_convert.h"
#include "package/picture_data.h"
#include "package/property_text.h"
#include "package/type_info.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/saver_file.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace {

namespace fs = std::filesystem;

const char* ExtensionOf(const TPictureFile& picture) {
  if (picture.className == "TJPEGImage") return ".jpg";
  if (picture.className == "TBitmap") return ".bmp";
  if (picture.className == "TIcon") return ".ico";
  const bool emf = picture.bytes.size() >= 44 && std::string_view(reinterpret_cast<const char*>(&picture.bytes[40]), 4) == " EMF";
  return emf ? ".emf" : ".wmf";
}

bool HasExtension(const std::string& name, std::string_view ext) {
  const std::string lower = AsciiLowerCase(name);
  if (ext == ".jpg" && lower.ends_with(".jpeg")) return true;
  return lower.ends_with(ext);
}

class TExtractor {
 public:
  TExtractor(const TSaverFile& saver, fs::path folder) : saver_(saver), folder_(std::move(folder)) {}

  // The files Run would write that exist already.
  std::vector<std::string> Existing() {
    planning_ = true;
    Run();
    planning_ = false;
    std::vector<std::string> existing;
    for (const std::string& file : written_) {
      std::error_code ec;
      if (fs::exists(folder_ / file, ec)) existing.push_back(file);
    }
    taken_.clear();
    written_.clear();
    manifest_ = toml::table{};
    return existing;
  }

  void Run() {
    if (!planning_) fs::create_directories(folder_);
    const std::span<const uint8_t> all = saver_.Bytes();
    const int64_t runtimeSize = saver_.PackageStartInside() ? saver_.PackageStart() : saver_.Trailer().SettingsOffset;
    Put("runtime.scr", all.first(static_cast<size_t>(std::clamp<int64_t>(runtimeSize, 0, all.size()))));
    manifest_.insert("output", fs::path(saver_.Path()).filename().string());
    manifest_.insert("runtime", "runtime.scr");
    manifest_.insert("max_size", 0);
    manifest_.insert("keep_originals", true);
    manifest_.insert("order", "given");
    // Text stored single-byte is stored so again, for the same bytes.
    if (saver_.SingleByteText()) manifest_.insert("single_byte_text", true);
    toml::array pictures, sounds, movies;
    manifest_.insert("hook", false);
    for (const TSaverItem& item : saver_.Items()) {
      switch (item.kind) {
        case TItemKind::Preview:
          if (!item.firstPicture) manifest_.insert_or_assign("preview", Picture(item, "preview"));
          break;
        case TItemKind::Picture:
          AddNamed(pictures, Picture(item, item.name), item.name);
          break;
        case TItemKind::Sound:
          AddNamed(sounds, Raw(item), item.name);
          break;
        case TItemKind::Movie:
          AddNamed(movies, Raw(item), item.name);
          break;
        case TItemKind::Hook:
          if (item.size.value_or(0) != 0 || item.position != 0) manifest_.insert_or_assign("hook", Raw(item));
          break;
      }
    }
    manifest_.insert("pictures", std::move(pictures));
    manifest_.insert("sounds", std::move(sounds));
    manifest_.insert("movies", std::move(movies));
    Settings();
    std::string text =
        "# Made by scrtool extract from " + saver_.Path() + ".\n"
        "# Rebuild with: scrtool make --manifest saver.toml (-o OTHER.scr to write elsewhere).\n"
        "# Every setting is written out, so the defaults of make do not change the rebuilt saver.\n\n";
    std::ostringstream out;
    out << manifest_;
    text += out.str() + "\n";
    Put("saver.toml", std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  }

  size_t Written() const { return taken_.size(); }

 private:
  void Put(const std::string& file, std::span<const uint8_t> bytes) {
    written_.push_back(file);
    if (!planning_) WriteFileBytes((folder_ / file).string(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }

  // A file name in the folder for an item: its own name when that is a plain one not
  // yet taken, otherwise a made-up one (and a warning for an unsafe name).
  std::string FileName(const TSaverItem& item, std::string name, const char* extension) {
    if (const auto why = PlainFileNameProblem(name)) {
      if (!planning_) Warn("extract", ItemLabel(item) + ": " + *why + "; written under another name");
      name = std::string(ItemKindName(item.kind)) + "-" + std::to_string(item.index);
    }
    if (extension != nullptr && !HasExtension(name, extension)) name += extension;
    std::string unique = name;
    for (int n = 2; taken_.count(AsciiLowerCase(unique)) != 0 || unique == "saver.toml" || unique == "runtime.scr"; ++n)
      unique = fs::path(name).stem().string() + "-" + std::to_string(n) + fs::path(name).extension().string();
    taken_.insert(AsciiLowerCase(unique));
    return unique;
  }

  // A file entry of the manifest: the file, with the item's name when that differs.
  static void AddNamed(toml::array& into, std::string file, const std::string& name) {
    if (file == name)
      into.push_back(std::move(file));
    else
      into.push_back(toml::table{{"file", std::move(file)}, {"name", name}});
  }

  std::string Picture(const TSaverItem& item, const std::string& name) {
    const TPictureFile picture = SplitPictureData(saver_.PictureBlock(item));
    if (picture.className != "TJPEGImage" && picture.className != "TBitmap" && picture.className != "TIcon" &&
        picture.className != "TMetafile")
      throw std::runtime_error(ItemLabel(item) + " holds a picture of class " + picture.className +
                               ", which the runtime does not show");
    const std::string file = FileName(item, name, ExtensionOf(picture));
    Put(file, picture.bytes);
    return file;
  }

  std::string Raw(const TSaverItem& item) {
    if (!item.inside) throw std::runtime_error(ItemLabel(item) + " lies outside the file");
    const std::span<const uint8_t> bytes = saver_.RawBytes(item);
    const std::string file = FileName(item, item.name, nullptr);
    Put(file, bytes);
    return file;
  }

  // Every setting, explicitly: Booleans and numbers as such, colours and the font's
  // kinds by their names, the lists as arrays.
  void Settings() {
    const TSSFileLocations& s = saver_.Settings();
    toml::table font;
    for (const std::string& name : SettableNames(s)) {
      const std::vector<TPropertyRef> refs = ListProperties(s);
      const TPropertyRef& ref = *std::find_if(refs.begin(), refs.end(), [&](const auto& r) { return r.path == name; });
      if (name == "TextFont.Size") continue;  // Height carries the size
      const TTypeInfo& type = *ref.info->type;
      std::unique_ptr<toml::node> value;
      if (name == "EffectCommaList") {
        std::string effects;  // as one line of text: a list of 127 numbers is long
        for (const std::string& e : s.Effects()) effects += (effects.empty() ? "" : ",") + e;
        value = std::make_unique<toml::value<std::string>>(effects);
      } else if (name == "DescriptCommaList") {
        toml::array items;
        for (const std::string& d : s.Descriptions()) items.push_back(d);
        value = std::make_unique<toml::array>(std::move(items));
      } else if (&type == &BooleanType()) {
        value = std::make_unique<toml::value<bool>>(ref.info->getOrd(*ref.object) != 0);
      } else if (&type == &IntegerType()) {
        value = std::make_unique<toml::value<int64_t>>(ref.info->getOrd(*ref.object));
      } else {
        value = std::make_unique<toml::value<std::string>>(PropertyText(*ref.object, *ref.info));
      }
      if (name.starts_with("TextFont."))
        font.insert(name.substr(9), std::move(*value));
      else
        manifest_.insert(name, std::move(*value));
    }
    manifest_.insert("TextFont", std::move(font));
  }

  const TSaverFile& saver_;
  fs::path folder_;
  toml::table manifest_;
  std::set<std::string> taken_;
  std::vector<std::string> written_;
  bool planning_ = false;
};

int Extract(const std::vector<std::string>& args) {
  auto app = NewCommandApp(
      "extract",
      "Writes every item of a saver into a folder: pictures as .jpg, .bmp, .ico or .emf by their\n"
      "class, music and movies under their package names (unsafe names are replaced), the hook\n"
      "library and the runtime, and saver.toml with every setting, from which\n"
      "'scrtool make --manifest DIR/saver.toml' builds a saver with the same settings and items.\n"
      "Files already in the folder are not overwritten unless --force is given.",
      {"scrtool extract holiday.scr holiday", "scrtool extract --force holiday.scr holiday",
       "scrtool make --manifest holiday/saver.toml -o again.scr"});
  std::string path, folder;
  bool force = false;
  app->add_option("saver", path, "the saver file")->required();
  app->add_option("folder", folder, "where to write the items (created when missing)")->required();
  app->add_flag("--force", force, "overwrite files that are already in the folder");
  return RunCommand(*app, args, [&] {
    const TSaverFile saver(path);
    TExtractor extractor(saver, folder);
    if (const std::vector<std::string> existing = extractor.Existing(); !existing.empty() && !force) {
      std::string list;
      for (size_t i = 0; i < existing.size() && i < 5; ++i) list += (i ? ", " : "") + existing[i];
      if (existing.size() > 5) list += " and " + std::to_string(existing.size() - 5) + " more";
      throw std::runtime_error(folder + " already holds " + list + "; nothing was written. Give --force to overwrite " +
                               (existing.size() == 1 ? "it" : "them") + ", or extract into another folder");
    }
    extractor.Run();
    std::printf("%s: %zu item(s) and saver.toml written to %s\n", path.c_str(), extractor.Written(), folder.c_str());
    return kExitOk;
  });
}

const TRegisterCommand kRegister({"extract", "write a saver's items and a manifest that rebuilds it", Extract});

}  // namespace

}  // namespace scr::tool
