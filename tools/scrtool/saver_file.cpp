#include "tools/scrtool/saver_file.h"

#include "common/ascii.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "common/stream.h"
#include "package/component_reader.h"
#include "package/image.h"
#include "package/picture_data.h"
#include "tools/scrtool/file_bytes.h"

namespace scr::tool {

namespace {

// The writer's form of a trailer field: decimal digits, then spaces.
bool IsWrittenField(std::span<const uint8_t> field) {
  size_t digits = 0;
  while (digits < field.size() && field[digits] >= '0' && field[digits] <= '9') ++digits;
  if (digits == 0) return false;
  for (size_t i = digits; i < field.size(); ++i)
    if (field[i] != ' ') return false;
  return true;
}

TSaverItem NewItem(TItemKind kind, int index, int64_t position) {
  TSaverItem item;
  item.kind = kind;
  item.index = index;
  item.position = position;
  return item;
}

void DescribePicture(std::span<const uint8_t> bytes, TSaverItem& item) {
  item.inside = item.position >= 0 && item.position < static_cast<int64_t>(bytes.size());
  TMemoryStream file(bytes);
  try {
    if (!item.inside) throw EReadError(kStreamReadError);
    file.Seek(item.position);
    const std::unique_ptr<TComponent> object = ReadComponentStream(file);
    item.size = file.Position() - item.position;
    const auto* image = dynamic_cast<const TImage*>(object.get());
    if (image == nullptr) {
      item.error = "a " + std::string(object->ClassName()) + " stream, not an image";
    } else if (const TGraphic* g = image->Picture().Graphic()) {
      item.pictureClass = g->ClassName();
      item.picture = g->ClassName() + " " + std::to_string(g->Width()) + "x" + std::to_string(g->Height());
    } else {
      item.picture = "no picture";
    }
  } catch (const Exception& e) {
    item.error = e.what();
  }
}

}  // namespace

const char* ItemKindName(TItemKind kind) {
  switch (kind) {
    case TItemKind::Preview:
      return "preview";
    case TItemKind::Picture:
      return "picture";
    case TItemKind::Sound:
      return "sound";
    case TItemKind::Movie:
      return "movie";
    case TItemKind::Hook:
      return "hook";
  }
  return "item";
}

std::string ItemLabel(const TSaverItem& item) {
  std::string label = ItemKindName(item.kind);
  if (item.index >= 0) label += " " + std::to_string(item.index);
  if (!item.name.empty()) label += " \"" + item.name + "\"";
  return label;
}

ENotSaver TSaverFile::NotSaver(const std::string& why) const {
  return ENotSaver(path_ + ": not a saver file: " + why);
}

TSaverFile::TSaverFile(std::string path) : path_(std::move(path)), bytes_(ReadFileBytes(path_)) {
  const auto size = static_cast<int64_t>(bytes_.size());
  if (size < kTrailerSize)
    throw NotSaver(std::to_string(size) + " bytes are too few for a package trailer");
  const std::span<const uint8_t> tail = std::span(bytes_).last(kTrailerSize);
  if (!IsWrittenField(tail.first(kTrailerFieldSize)) || !IsWrittenField(tail.last(kTrailerFieldSize)))
    throw NotSaver(
        "its last 40 bytes are no package trailer (two numbers, each padded with spaces to 20 "
        "bytes)");
  trailer_.PackageLength = DecodeTrailerField(tail.first(kTrailerFieldSize));
  trailer_.SettingsOffset = DecodeTrailerField(tail.last(kTrailerFieldSize));
  packageStart_ = scr::PackageStart(size, trailer_.PackageLength);
  if (packageStart_ < 0 || trailer_.SettingsOffset < packageStart_ || trailer_.SettingsOffset >= size - kTrailerSize)
    throw NotSaver("its trailer points outside the package (PackageLength " +
                    std::to_string(trailer_.PackageLength) + ", SettingsOffset " +
                    std::to_string(trailer_.SettingsOffset) + ")");
  TMemoryStream file(bytes_);
  file.Seek(trailer_.SettingsOffset);
  try {
    ReadComponentStream(file, settings_, TTextForm::Utf8, AnsiToUtf8, &singleByteText_);
  } catch (const Exception& e) {
    throw NotSaver("no settings stream at " + std::to_string(trailer_.SettingsOffset) + ": " +
                    e.what());
  }
  settingsLength_ = file.Position() - trailer_.SettingsOffset;
  ListItems();
}

void TSaverFile::ListItems() {
  const TSSFileLocations& s = settings_;
  if (packageStart_ < trailer_.SettingsOffset) {
    TSaverItem preview = NewItem(TItemKind::Preview, -1, packageStart_);
    preview.firstPicture = s.PicCount() > 0 && s.PicPosition(0) == packageStart_;
    DescribePicture(bytes_, preview);
    items_.push_back(preview);
  }
  for (int32_t i = 0; i < s.PicCount(); ++i) {
    TSaverItem p = NewItem(TItemKind::Picture, i, s.PicPosition(i));
    if (static_cast<size_t>(i) < s.PicFileNames().size()) p.name = s.PicFileNames()[static_cast<size_t>(i)];
    DescribePicture(bytes_, p);
    items_.push_back(p);
  }
  const auto fileSize = static_cast<int64_t>(bytes_.size());
  auto raw = [&](TItemKind kind, const TStringList& positions, const TStringList& names, const TStringList& sizes) {
    for (size_t i = 0; i < positions.size(); ++i) {
      TSaverItem r = NewItem(kind, static_cast<int>(i), StrToIntOrZero(positions[i]));
      if (i < names.size()) r.name = names[i];
      if (i < sizes.size()) r.size = StrToIntOrZero(sizes[i]);
      r.inside = r.size && r.position >= 0 && *r.size >= 0 && r.position + *r.size <= fileSize;
      items_.push_back(r);
    }
  };
  raw(TItemKind::Sound, s.SndPositions(), s.SndFileNames(), s.SndSizes());
  raw(TItemKind::Movie, s.FlashPositions(), s.FlashFileNames(), s.FlashSizes());
  {
    TSaverItem hook = NewItem(TItemKind::Hook, -1, s.HookPosition());
    hook.size = s.HookSize();
    hook.name = "nuvscrhook.dll";
    hook.inside = hook.position >= 0 && *hook.size >= 0 && hook.position + *hook.size <= fileSize;
    items_.push_back(hook);
  }
}

std::span<const uint8_t> TSaverFile::RawBytes(const TSaverItem& item) const {
  if (!item.inside || !item.size) return {};
  return std::span(bytes_).subspan(static_cast<size_t>(item.position), static_cast<size_t>(*item.size));
}

std::vector<uint8_t> TSaverFile::PictureBlock(const TSaverItem& item) const {
  TMemoryStream file(bytes_);
  if (!item.inside) throw EReadError(kStreamReadError);
  file.Seek(item.position);
  std::optional<std::vector<uint8_t>> block = ReadPictureDataBlock(file);
  if (!block) throw EReadError("the image stream holds no picture data");
  return std::move(*block);
}

}  // namespace scr::tool

namespace scr::tool {

std::optional<std::string> UnsafeItemName(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name == "." || name == "..") return "the name is a folder reference";
  for (const char c : name) {
    if (c == '/' || c == '\\' || c == ':') return "the name holds a path";
    if (static_cast<unsigned char>(c) < 0x20) return "the name holds control characters";
    if (std::string_view("<>\"|?*").find(c) != std::string_view::npos)
      return std::string("the name holds '") + c + "', which file names cannot hold";
  }
  if (name.back() == '.' || name.back() == ' ') return "the name ends in a dot or space";
  std::string stem = AsciiUpperCase(name.substr(0, name.find('.')));
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                             "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"})
    if (stem == device) return "the name is a Windows device name";
  return std::nullopt;
}

}  // namespace scr::tool
