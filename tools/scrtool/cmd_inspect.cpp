// scrtool inspect: shows a saver file's trailer, settings and items, as text or JSON.
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "common/comma_text.h"
#include "common/errors.h"
#include "package/property_text.h"
#include "package/type_info.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/saver_file.h"

namespace scr::tool {

namespace {

using Json = nlohmann::ordered_json;

// The value of a property as JSON: numbers, Booleans, names, arrays for sets and lists.
Json JsonValue(const TPropertyRef& p) {
  const TTypeInfo& type = *p.info->type;
  switch (type.kind) {
    case TTypeKind::Integer:
      if (&type == &ColorType()) return static_cast<uint32_t>(p.info->getOrd(*p.object));
      return p.info->getOrd(*p.object);
    case TTypeKind::Enumeration:
      if (&type == &BooleanType()) return p.info->getOrd(*p.object) != 0;
      return PropertyText(*p.object, *p.info);
    case TTypeKind::Set: {
      Json names = Json::array();
      const int32_t bits = p.info->getOrd(*p.object);
      for (size_t b = 0; b < type.names.size(); ++b)
        if (bits & (1 << b)) names.push_back(std::string(type.names[b]));
      return names;
    }
    case TTypeKind::String: {
      const std::string text = p.info->getStr(*p.object);
      if (p.path.ends_with("CommaList")) return ParseCommaText(text);
      return text;
    }
    default:
      return nullptr;
  }
}

// The settings as one object; the font's properties nested under "TextFont".
Json JsonSettings(const TSSFileLocations& s) {
  Json out = Json::object();
  for (const TPropertyRef& p : ListProperties(s)) {
    const size_t dot = p.path.find('.');
    if (dot == std::string::npos)
      out[p.path] = JsonValue(p);
    else
      out[p.path.substr(0, dot)][p.path.substr(dot + 1)] = JsonValue(p);
  }
  return out;
}

// An indexed accessor called for every index of its count: its results, null where
// it raises.
template <class F>
Json JsonAccessor(int32_t count, F call) {
  Json out = Json::array();
  for (int32_t i = 0; i < count; ++i) {
    try {
      out.push_back(call(i));
    } catch (const Exception&) {
      out.push_back(nullptr);
    }
  }
  return out;
}

Json JsonAccessors(const TSSFileLocations& s) {
  return {
      {"EffectCount", s.EffectCount()},
      {"Effect", JsonAccessor(s.EffectCount(), [&](int32_t i) { return s.Effect(i); })},
      {"PicCount", s.PicCount()},
      {"PicPosition", JsonAccessor(s.PicCount(), [&](int32_t i) { return s.PicPosition(i); })},
      {"SndCount", s.SndCount()},
      {"SndPosition", JsonAccessor(s.SndCount(), [&](int32_t i) { return s.SndPosition(i); })},
      {"SndFileName", JsonAccessor(s.SndCount(), [&](int32_t i) { return s.SndFileName(i); })},
      {"SndSize", JsonAccessor(s.SndCount(), [&](int32_t i) { return s.SndSize(i); })},
      {"FlashCount", s.FlashCount()},
      {"FlashPosition", JsonAccessor(s.FlashCount(), [&](int32_t i) { return s.FlashPosition(i); })},
      {"FlashFileName", JsonAccessor(s.FlashCount(), [&](int32_t i) { return s.FlashFileName(i); })},
      {"FlashSize", JsonAccessor(s.FlashCount(), [&](int32_t i) { return s.FlashSize(i); })},
  };
}

Json JsonItem(const TSaverItem& item) {
  Json out = {{"kind", ItemKindName(item.kind)}};
  if (item.index >= 0) out["index"] = item.index;
  out["position"] = item.position;
  out["size"] = item.size ? Json(*item.size) : Json(nullptr);
  if (!item.name.empty() || item.kind != TItemKind::Preview) out["name"] = item.name;
  out["inside"] = item.inside;
  if (!item.error.empty())
    out["error"] = item.error;
  else if (!item.picture.empty())
    out["picture"] = item.picture;
  return out;
}

std::string TextItem(const TSaverItem& item) {
  std::string out = "  " + std::string(ItemKindName(item.kind)) + (item.index >= 0 ? " " + std::to_string(item.index) : "");
  out += " at " + std::to_string(item.position);
  if (item.size) out += ", " + std::to_string(*item.size) + " bytes";
  if (!item.name.empty()) out += ", \"" + item.name + "\"";
  out += item.inside ? ", inside the file" : ", OUTSIDE the file";
  if (!item.error.empty())
    out += ": cannot read: " + item.error;
  else if (!item.picture.empty())
    out += ": " + item.picture;
  return out + "\n";
}

void PrintJson(const TSaverFile& saver) {
  const TPackageTrailer& t = saver.Trailer();
  Json out = {
      {"file", saver.Path()},
      {"fileSize", saver.Bytes().size()},
      {"trailer",
       {{"PackageLength", t.PackageLength}, {"SettingsOffset", t.SettingsOffset}, {"PackageStart", saver.PackageStart()}}},
      {"settingsLength", saver.SettingsLength()},
      {"settings", JsonSettings(saver.Settings())},
      {"accessors", JsonAccessors(saver.Settings())},
  };
  Json items = Json::array();
  for (const TSaverItem& item : saver.Items()) items.push_back(JsonItem(item));
  out["items"] = items;
  std::puts(out.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
}

void PrintText(const TSaverFile& saver) {
  const TPackageTrailer& t = saver.Trailer();
  std::printf("%s: %zu bytes\n", saver.Path().c_str(), saver.Bytes().size());
  std::printf("trailer: PackageLength %d, SettingsOffset %d (package starts at %lld)\n", t.PackageLength,
              t.SettingsOffset, static_cast<long long>(saver.PackageStart()));
  std::printf("settings (%lld bytes):\n", static_cast<long long>(saver.SettingsLength()));
  for (const TPropertyRef& p : ListProperties(saver.Settings()))
    std::printf("  %-24s %s\n", p.path.c_str(), PropertyText(*p.object, *p.info).c_str());
  std::printf("items:\n");
  for (const TSaverItem& item : saver.Items()) std::fputs(TextItem(item).c_str(), stdout);
}

int Inspect(const std::vector<std::string>& args) {
  auto app = NewCommandApp("inspect",
                           "Shows a saver's trailer, its settings (text as UTF-8) and where each packaged item lies.",
                           {"scrtool inspect holiday.scr", "scrtool inspect holiday.scr --json > holiday.json"});
  std::string path;
  bool json = false;
  app->add_option("saver", path, "the saver file")->required();
  app->add_flag("--json", json, "print one JSON object instead of text");
  return RunCommand(*app, args, [&] {
    const TSaverFile saver(path);
    if (json)
      PrintJson(saver);
    else
      PrintText(saver);
    return kExitOk;
  });
}

const TRegisterCommand kRegister({"inspect", "show a saver's trailer, settings and items (--json)", Inspect});

}  // namespace
}  // namespace scr::tool
