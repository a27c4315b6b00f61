#include "package/package_reader.h"

#include "package/component_reader.h"
#include "package/trailer.h"

namespace scr {

namespace {

// A position before the start of the file holds no stream.
void SeekTo(TStream& stream, int64_t position) {
  if (position < 0) throw EReadError(kStreamReadError);
  stream.Seek(position);
}

}  // namespace

bool ReadSettingsInto(TStream& stream, TSSFileLocations& settings, TAnsiDecoder ansi) {
  const std::optional<TPackageTrailer> trailer = ReadTrailer(stream);
  if (!trailer) return false;
  SeekTo(stream, trailer->SettingsOffset);
  ReadComponentStream(stream, settings, TTextForm::Utf8, ansi);
  return true;
}

std::unique_ptr<TSSFileLocations> ReadSettingsRecord(TStream& stream, TAnsiDecoder ansi) {
  const std::optional<int32_t> offset = ReadSettingsOffset(stream);
  if (!offset) return nullptr;
  SeekTo(stream, *offset);
  return ReadComponentAs<TSSFileLocations>(stream, PackageClasses(), TTextForm::Utf8, ansi);
}

std::unique_ptr<TImage> ReadPreviewImage(TStream& stream) {
  const std::optional<int32_t> length = ReadPackageLength(stream);
  if (!length) return nullptr;
  SeekTo(stream, PackageStart(stream.Size(), *length));
  std::unique_ptr<TComponent> object = ReadComponentStream(stream);
  if (dynamic_cast<TImage*>(object.get()) == nullptr) return nullptr;
  return std::unique_ptr<TImage>(static_cast<TImage*>(object.release()));
}

std::unique_ptr<TImage> ReadPictureAt(TStream& stream, int64_t position) {
  SeekTo(stream, position);
  return ReadComponentAs<TImage>(stream);
}

}  // namespace scr
