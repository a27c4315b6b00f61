#include "tools/scrtool/saver_file.h"

#include "common/ascii.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "common/stream.h"
#include "package/component_reader.h"
#include "package/image.h"
#include "package/package_reader.h"
#include "package/picture_data.h"
#include "tools/scrtool/file_bytes.h"

namespace scr::tool {

namespace {

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

TSaverFile::TSaverFile(std::string path) : TSaverFile(path, ReadFileBytes(path)) {}

TSaverFile::TSaverFile(std::string path, std::vector<uint8_t> bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {
  // The trailer and the settings are read by the saver window's own reader, so a file
  // is refused only where the runtime would fail too, with the reader's own words.
  const auto size = static_cast<int64_t>(bytes_.size());
  TMemoryStream file(bytes_);
  if (const std::optional<TPackageTrailer> trailer = ReadTrailer(file))
    trailer_ = *trailer;
  else
    throw NotSaver(std::to_string(size) + " bytes are too few for a package trailer");
  const std::span<const uint8_t> tail = std::span(bytes_).last(kTrailerSize);
  writtenTrailer_ = IsWrittenTrailerField(tail.first(kTrailerFieldSize)) && IsWrittenTrailerField(tail.last(kTrailerFieldSize));
  packageStart_ = scr::PackageStart(size, trailer_.PackageLength);
  try {
    // The runtime's reader gives the settings as the runtime holds them (single-byte
    // text through the default code page); a second read notes the text form.
    ReadSettingsInto(file, runtimeSettings_);
    settingsLength_ = file.Position() - trailer_.SettingsOffset;
    file.Seek(trailer_.SettingsOffset);
    ReadComponentStream(file, settings_, TTextForm::Utf8, AnsiToUtf8, &singleByteText_);
  } catch (const Exception& e) {
    throw NotSaver("the settings stream its trailer points to (at " + std::to_string(trailer_.SettingsOffset) +
                   ") cannot be read: " + e.what());
  }
  ListItems();
}

bool TSaverFile::PackageStartInside() const {
  return packageStart_ >= 0 && packageStart_ < static_cast<int64_t>(bytes_.size()) - kTrailerSize;
}

void TSaverFile::ListItems() {
  const TSSFileLocations& s = settings_;
  if (PackageStartInside() && packageStart_ != trailer_.SettingsOffset) {
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
