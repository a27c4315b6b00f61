// scrtool inspect: shows a saver file's trailer, settings and items, as text or JSON.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/comma_text.h"
#include "common/int_convert.h"
#include "common/errors.h"
#include "common/stream.h"
#include "package/component_reader.h"
#include "package/image.h"
#include "package/property_text.h"
#include "package/settings.h"
#include "package/trailer.h"
#include "package/type_info.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"

namespace scr::tool {

namespace {

std::string JsonString(std::string_view ansi) {
  std::string out = "\"";
  for (const char c : AnsiToUtf8(ansi)) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", u);
      out += esc;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

template <class T, class F>
std::string JsonArray(const std::vector<T>& items, F each) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + each(items[i]);
  return out + "]";
}

// One item of the package as found in the file.
struct TItemInfo {
  std::string kind;  // preview, picture, sound, movie, hook
  int index = -1;
  int64_t position = 0;
  std::optional<int64_t> size;  // raw items: as stored; pictures: the stream's length once read
  std::string name;
  bool inside = false;
  std::string picture;  // picture class and size, or the reader's error
  bool readable = true;
};

TItemInfo NewItem(std::string kind, int index, int64_t position) {
  TItemInfo item;
  item.kind = std::move(kind);
  item.index = index;
  item.position = position;
  return item;
}

// Reads the picture stream at `position`: the stream's length and what it holds.
void DescribePicture(TStream& file, TItemInfo& item) {
  item.inside = item.position >= 0 && item.position < file.Size();
  try {
    if (item.position < 0) throw EReadError(kStreamReadError);
    file.Seek(item.position);
    const std::unique_ptr<TComponent> object = ReadComponentStream(file);
    item.size = file.Position() - item.position;
    const auto* image = dynamic_cast<const TImage*>(object.get());
    if (image == nullptr) {
      item.picture = "a " + std::string(object->ClassName()) + " stream, not an image";
      item.readable = false;
    } else if (const TGraphic* g = image->Picture().Graphic()) {
      item.picture = g->ClassName() + " " + std::to_string(g->Width()) + "x" + std::to_string(g->Height());
    } else {
      item.picture = "no picture";
    }
  } catch (const Exception& e) {
    item.picture = e.what();
    item.readable = false;
  }
}

std::vector<TItemInfo> Items(TStream& file, const TSSFileLocations& s, int64_t packageStart) {
  std::vector<TItemInfo> items;
  TItemInfo preview = NewItem("preview", -1, packageStart);
  DescribePicture(file, preview);
  items.push_back(preview);
  for (int32_t i = 0; i < s.PicCount(); ++i) {
    TItemInfo p = NewItem("picture", i, s.PicPosition(i));
    if (static_cast<size_t>(i) < s.PicFileNames().size()) p.name = s.PicFileNames()[static_cast<size_t>(i)];
    DescribePicture(file, p);
    items.push_back(p);
  }
  auto raw = [&](const char* kind, int32_t count, const std::function<int32_t(int32_t)>& position,
                 const TStringList& names, const TStringList& sizes) {
    for (int32_t i = 0; i < count; ++i) {
      TItemInfo r = NewItem(kind, i, position(i));
      if (static_cast<size_t>(i) < names.size()) r.name = names[static_cast<size_t>(i)];
      if (static_cast<size_t>(i) < sizes.size()) r.size = StrToIntOrZero(sizes[static_cast<size_t>(i)]);
      r.inside = r.size && r.position >= 0 && *r.size >= 0 && r.position + *r.size <= file.Size();
      items.push_back(r);
    }
  };
  raw("sound", s.SndCount(), [&](int32_t i) { return s.SndPosition(i); }, s.SndFileNames(), s.SndSizes());
  raw("movie", s.FlashCount(), [&](int32_t i) { return s.FlashPosition(i); }, s.FlashFileNames(), s.FlashSizes());
  TItemInfo hook = NewItem("hook", -1, s.HookPosition());
  hook.size = s.HookSize();
  hook.name = "nuvscrhook.dll";
  hook.inside = hook.position >= 0 && *hook.size >= 0 && hook.position + *hook.size <= file.Size();
  items.push_back(hook);
  return items;
}

// The value of a property as JSON: numbers, Booleans, names, arrays for sets and lists.
std::string JsonValue(const TPropertyRef& p) {
  const TTypeInfo& type = *p.info->type;
  switch (type.kind) {
    case TTypeKind::Integer:
      if (&type == &ColorType()) return std::to_string(static_cast<uint32_t>(p.info->getOrd(*p.object)));
      return std::to_string(p.info->getOrd(*p.object));
    case TTypeKind::Enumeration:
      if (&type == &BooleanType()) return p.info->getOrd(*p.object) ? "true" : "false";
      return JsonString(PropertyText(*p.object, *p.info));
    case TTypeKind::Set: {
      std::vector<std::string> names;
      const int32_t bits = p.info->getOrd(*p.object);
      for (size_t b = 0; b < type.names.size(); ++b)
        if (bits & (1 << b)) names.emplace_back(type.names[b]);
      return JsonArray(names, JsonString);
    }
    case TTypeKind::String: {
      const std::string text = p.info->getStr(*p.object);
      if (p.path.size() > 9 && p.path.compare(p.path.size() - 9, 9, "CommaList") == 0)
        return JsonArray(ParseCommaText(text), JsonString);
      return JsonString(text);
    }
    default:
      return "null";
  }
}

// The settings as one JSON object; the font's properties nested under "TextFont".
std::string JsonSettings(const TSSFileLocations& s, const std::string& indent) {
  std::string out = "{";
  std::string group;  // the owned object whose members are being written
  bool first = true, firstInGroup = true;
  for (const TPropertyRef& p : ListProperties(s)) {
    const size_t dot = p.path.find('.');
    const std::string owner = dot == std::string::npos ? "" : p.path.substr(0, dot);
    if (owner != group) {
      if (!group.empty()) out += "\n" + indent + "  }";
      group = owner;
      if (!group.empty()) {
        out += std::string(first ? "" : ",") + "\n" + indent + "  " + JsonString(group) + ": {";
        first = false;
        firstInGroup = true;
      }
    }
    if (group.empty()) {
      out += std::string(first ? "" : ",") + "\n" + indent + "  " + JsonString(p.path) + ": " + JsonValue(p);
      first = false;
    } else {
      out += std::string(firstInGroup ? "" : ",") + "\n" + indent + "    " + JsonString(p.path.substr(dot + 1)) +
             ": " + JsonValue(p);
      firstInGroup = false;
    }
  }
  if (!group.empty()) out += "\n" + indent + "  }";
  return out + "\n" + indent + "}";
}

// An indexed accessor called for every index of its count: its results, null where
// it raises.
template <class F>
std::string JsonAccessor(int32_t count, F call) {
  std::string out = "[";
  for (int32_t i = 0; i < count; ++i) {
    out += i ? ", " : "";
    try {
      out += call(i);
    } catch (const Exception&) {
      out += "null";
    }
  }
  return out + "]";
}

std::string JsonAccessors(const TSSFileLocations& s, const std::string& indent) {
  auto num = [](int32_t v) { return std::to_string(v); };
  const std::vector<std::pair<std::string, std::string>> fields = {
      {"EffectCount", num(s.EffectCount())},
      {"Effect", JsonAccessor(s.EffectCount(), [&](int32_t i) { return num(s.Effect(i)); })},
      {"PicCount", num(s.PicCount())},
      {"PicPosition", JsonAccessor(s.PicCount(), [&](int32_t i) { return num(s.PicPosition(i)); })},
      {"SndCount", num(s.SndCount())},
      {"SndPosition", JsonAccessor(s.SndCount(), [&](int32_t i) { return num(s.SndPosition(i)); })},
      {"SndFileName", JsonAccessor(s.SndCount(), [&](int32_t i) { return JsonString(s.SndFileName(i)); })},
      {"SndSize", JsonAccessor(s.SndCount(), [&](int32_t i) { return num(s.SndSize(i)); })},
      {"FlashCount", num(s.FlashCount())},
      {"FlashPosition", JsonAccessor(s.FlashCount(), [&](int32_t i) { return num(s.FlashPosition(i)); })},
      {"FlashFileName", JsonAccessor(s.FlashCount(), [&](int32_t i) { return JsonString(s.FlashFileName(i)); })},
      {"FlashSize", JsonAccessor(s.FlashCount(), [&](int32_t i) { return num(s.FlashSize(i)); })},
  };
  std::string out = "{";
  for (size_t i = 0; i < fields.size(); ++i)
    out += (i ? ",\n" : "\n") + indent + "  " + JsonString(fields[i].first) + ": " + fields[i].second;
  return out + "\n" + indent + "}";
}

std::string JsonItem(const TItemInfo& item) {
  std::string out = "{\"kind\": " + JsonString(item.kind);
  if (item.index >= 0) out += ", \"index\": " + std::to_string(item.index);
  out += ", \"position\": " + std::to_string(item.position);
  out += ", \"size\": " + (item.size ? std::to_string(*item.size) : std::string("null"));
  if (!item.name.empty() || item.kind != "preview") out += ", \"name\": " + JsonString(item.name);
  out += std::string(", \"inside\": ") + (item.inside ? "true" : "false");
  if (!item.picture.empty()) {
    out += std::string(item.readable ? ", \"picture\": " : ", \"error\": ") + JsonString(item.picture);
  }
  return out + "}";
}

std::string TextItem(const TItemInfo& item) {
  std::string out = "  " + item.kind + (item.index >= 0 ? " " + std::to_string(item.index) : "");
  out += " at " + std::to_string(item.position);
  if (item.size) out += ", " + std::to_string(*item.size) + " bytes";
  if (!item.name.empty()) out += ", \"" + item.name + "\"";
  out += item.inside ? ", inside the file" : ", OUTSIDE the file";
  if (!item.picture.empty()) out += (item.readable ? ": " : ": cannot read: ") + item.picture;
  return out + "\n";
}

int Inspect(const std::vector<std::string>& args) {
  std::string path;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (a == "-h" || a == "--help") {
      std::puts("usage: scrtool inspect SAVER [--json]");
      return 0;
    } else if (path.empty()) {
      path = a;
    } else {
      throw std::runtime_error("unexpected argument " + a);
    }
  }
  if (path.empty()) throw std::runtime_error("usage: scrtool inspect SAVER [--json]");

  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  TMemoryStream file(bytes);
  const std::optional<TPackageTrailer> trailer = ReadTrailer(file);
  if (!trailer) {
    std::fprintf(stderr, "%s: %zu bytes, too short for a package trailer\n", path.c_str(), bytes.size());
    return 1;
  }
  const int64_t packageStart = PackageStart(file.Size(), trailer->PackageLength);

  TSSFileLocations settings;
  std::string error;
  int64_t settingsLength = 0;
  try {
    if (trailer->SettingsOffset < 0) throw EReadError(kStreamReadError);
    file.Seek(trailer->SettingsOffset);
    ReadComponentStream(file, settings);
    settingsLength = file.Position() - trailer->SettingsOffset;
  } catch (const Exception& e) {
    error = e.what();
  }
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  const std::vector<TItemInfo> items = Items(file, settings, packageStart);

  if (json) {
    std::string out = "{\n  \"file\": " + JsonString(path) + ",\n  \"fileSize\": " + std::to_string(bytes.size());
    out += ",\n  \"trailer\": {\"PackageLength\": " + std::to_string(trailer->PackageLength) +
           ", \"SettingsOffset\": " + std::to_string(trailer->SettingsOffset) +
           ", \"PackageStart\": " + std::to_string(packageStart) + "}";
    out += ",\n  \"settingsLength\": " + std::to_string(settingsLength);
    out += ",\n  \"settings\": " + JsonSettings(settings, "  ");
    out += ",\n  \"accessors\": " + JsonAccessors(settings, "  ");
    out += ",\n  \"items\": [";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ",\n    " : "\n    ") + JsonItem(items[i]);
    out += "\n  ]\n}\n";
    std::fputs(out.c_str(), stdout);
    return 0;
  }

  std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
  std::printf("trailer: PackageLength %d, SettingsOffset %d (package starts at %lld)\n", trailer->PackageLength,
              trailer->SettingsOffset, static_cast<long long>(packageStart));
  std::printf("settings (%lld bytes):\n", static_cast<long long>(settingsLength));
  for (const TPropertyRef& p : ListProperties(settings))
    std::printf("  %-24s %s\n", p.path.c_str(), PropertyText(*p.object, *p.info).c_str());
  std::printf("items:\n");
  for (const TItemInfo& item : items) std::fputs(TextItem(item).c_str(), stdout);
  return 0;
}

const TRegisterCommand kRegister({"inspect", "show a saver's trailer, settings and items (--json)", Inspect});

}  // namespace
}  // namespace scr::tool
