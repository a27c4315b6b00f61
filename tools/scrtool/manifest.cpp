#include "tools/scrtool/manifest.h"

#include <toml++/toml.h>

#include <filesystem>
#include <stdexcept>

#include "common/comma_text.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace fs = std::filesystem;

namespace {

class TManifestReader {
 public:
  TManifestReader(std::string path, TMakeJob& job)
      : path_(std::move(path)), folder_(fs::path(path_).parent_path()), job_(job) {
    ApplyMakeDefaults(check_);
  }

  void Read(const toml::table& root) {
    for (auto&& [key, node] : root) Entry(std::string(key.str()), node);
  }

 private:
  [[noreturn]] void Fail(const toml::node& node, const std::string& why) const {
    throw std::runtime_error(path_ + ":" + std::to_string(node.source().begin.line) + ": " + why);
  }

  std::string Text(const toml::node& node, const std::string& key) const {
    if (const auto s = node.value<std::string>()) return *s;
    if (const auto b = node.value<bool>(); b && node.is_boolean()) return *b ? "true" : "false";
    if (node.is_integer()) return std::to_string(*node.value<int64_t>());
    if (node.is_floating_point()) return std::to_string(*node.value<double>());
    Fail(node, key + " takes a string, a number or true/false");
  }

  std::string Path(const toml::node& node, const std::string& key) const {
    if (!node.is_string()) Fail(node, key + " takes a file name in quotes");
    const fs::path p = *node.value<std::string>();
    return (p.is_absolute() ? p : folder_ / p).string();
  }

  std::vector<std::string> Paths(const toml::node& node, const std::string& key) const {
    std::vector<std::string> out;
    if (node.is_string()) return {Path(node, key)};
    if (!node.is_array()) Fail(node, key + " takes a list of file names");
    for (const toml::node& item : *node.as_array()) out.push_back(Path(item, key));
    return out;
  }

  // File names, or tables { file = "...", name = "..." } that package a file under
  // another name.
  void NamedFiles(const toml::node& node, const std::string& key, std::vector<TMakeJob::TNamedFile>& into) const {
    if (!node.is_array()) {
      into.push_back({Path(node, key), "", std::nullopt});
      return;
    }
    for (const toml::node& item : *node.as_array()) {
      const toml::table* t = item.as_table();
      if (t == nullptr) {
        into.push_back({Path(item, key), "", std::nullopt});
        continue;
      }
      const toml::node* file = t->get("file");
      const toml::node* name = t->get("name");
      if (file == nullptr || t->size() != (name != nullptr ? 2u : 1u) || (name != nullptr && !name->is_string()))
        Fail(item, key + " takes file names or { file = \"...\", name = \"...\" }");
      into.push_back({Path(*file, key), name != nullptr ? *name->value<std::string>() : "", std::nullopt});
    }
  }

  // [[picture]] tables: a picture file with its caption (and optionally its name).
  void PictureTables(const toml::node& node) {
    const toml::array* tables = node.as_array();
    if (tables == nullptr || !tables->is_array_of_tables())
      Fail(node, "picture takes [[picture]] tables with file = \"...\" and caption = \"...\"");
    for (const toml::node& item : *tables) {
      const toml::table& t = *item.as_table();
      const toml::node* file = t.get("file");
      if (file == nullptr) Fail(item, "a [[picture]] table needs file = \"...\"");
      TMakeJob::TNamedFile picture{Path(*file, "file"), "", std::nullopt};
      for (auto&& [key, value] : t) {
        if (key == "file") continue;
        if ((key != "caption" && key != "name") || !value.is_string())
          Fail(value, "a [[picture]] table takes file, caption and name, each in quotes");
        if (key == "caption")
          picture.caption = *value.value<std::string>();
        else
          picture.name = *value.value<std::string>();
      }
      job_.pictures.push_back(std::move(picture));
    }
  }

  // A list setting: an array of items joined as the setting's text, or text as it is.
  std::string ListText(const toml::node& node, const std::string& key, bool effects) const {
    if (!node.is_array()) return Text(node, key);
    std::vector<std::string> items;
    for (const toml::node& item : *node.as_array()) items.push_back(Text(item, key));
    if (!effects) return RenderCommaText(items);
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : ",") + item;
    return joined;
  }

  void Setting(const std::string& key, const toml::node& node) {
    try {
      const std::string name = CanonicalSettingName(check_, key);
      const bool list = name == "EffectCommaList" || name == "DescriptCommaList";
      const std::string value = list ? ListText(node, key, name == "EffectCommaList") : Text(node, key);
      SetSetting(check_, name, value);  // refused values fail here, with the line
      job_.settings.emplace_back(name, value);
    } catch (const EUsage& e) {
      Fail(node, e.what());
    }
  }

  void Entry(const std::string& key, const toml::node& node) {
    if (key == "output") {
      if (job_.output.empty()) job_.output = Path(node, key);
    } else if (key == "runtime") {
      job_.runtime = Path(node, key);
    } else if (key == "hook") {
      if (node.is_boolean() && !*node.value<bool>())
        job_.noHook = true;
      else
        job_.hook = Path(node, key);
    } else if (key == "preview") {
      job_.preview = Path(node, key);
    } else if (key == "inputs") {
      for (std::string& p : Paths(node, key)) job_.inputs.push_back(std::move(p));
    } else if (key == "pictures") {
      NamedFiles(node, key, job_.pictures);
    } else if (key == "sounds") {
      NamedFiles(node, key, job_.sounds);
    } else if (key == "movies") {
      NamedFiles(node, key, job_.movies);
    } else if (key == "max_size") {
      try {
        const auto [w, h] = ParseMaxSize(Text(node, key));
        job_.pictureOptions.maxWidth = w;
        job_.pictureOptions.maxHeight = h;
      } catch (const EUsage& e) {
        Fail(node, e.what());
      }
    } else if (key == "quality") {
      const auto q = node.value<int64_t>();
      if (!node.is_integer() || *q < 1 || *q > 100) Fail(node, "quality takes a whole number from 1 to 100");
      job_.pictureOptions.quality = static_cast<int>(*q);
    } else if (key == "order") {
      try {
        job_.order = ParseInputOrder(Text(node, key));
      } catch (const EUsage& e) {
        Fail(node, e.what());
      }
    } else if (key == "skip_bad") {
      if (!node.is_boolean()) Fail(node, "skip_bad takes true or false");
      job_.skipBad = *node.value<bool>();
    } else if (key == "captions") {
      const auto source = node.is_string() ? ParseCaptionSource(*node.value<std::string>()) : std::nullopt;
      if (!source) Fail(node, "captions takes \"date\", \"title\", \"name\" or \"none\"");
      job_.captions = *source;
    } else if (key == "date_format") {
      if (!node.is_string() || node.value<std::string>()->empty()) Fail(node, "date_format takes a strftime format in quotes");
      job_.dateFormat = *node.value<std::string>();
    } else if (key == "picture") {
      PictureTables(node);
    } else if (key == "single_byte_text") {
      if (!node.is_boolean()) Fail(node, "single_byte_text takes true or false");
      job_.singleByteText = *node.value<bool>();
    } else if (key == "keep_originals") {
      if (!node.is_boolean()) Fail(node, "keep_originals takes true or false");
      job_.pictureOptions.keepOriginals = *node.value<bool>();
    } else if (const toml::table* table = node.as_table()) {
      if (key != "TextFont") Fail(node, "unknown table [" + key + "]; the font's settings go under [TextFont]");
      for (auto&& [sub, value] : *table) Setting(key + "." + std::string(sub.str()), value);
    } else {
      try {
        CanonicalSettingName(check_, key);
      } catch (const EUsage& e) {
        Fail(node, std::string(e.what()) + "; besides the settings the manifest takes output, runtime, hook, preview, inputs, pictures, "
                       "sounds, movies, picture, captions, date_format, max_size, quality, keep_originals, order and skip_bad");
      }
      Setting(key, node);
    }
  }

  std::string path_;
  fs::path folder_;
  TMakeJob& job_;
  TSSFileLocations check_;  // the settings so far, to refuse bad values at their line
};

}  // namespace

void ReadManifest(const std::string& path, TMakeJob& job) {
  toml::table root;
  try {
    root = toml::parse_file(path);
  } catch (const toml::parse_error& e) {
    throw std::runtime_error(path + ":" + std::to_string(e.source().begin.line) + ": " +
                             std::string(e.description()));
  }
  TManifestReader(path, job).Read(root);
}

}  // namespace scr::tool
