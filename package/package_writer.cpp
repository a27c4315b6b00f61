#include "package/package_writer.h"

#include <stdexcept>

#include "package/component_writer.h"
#include "package/trailer.h"

namespace scr {

TPackageWriter::TPackageWriter(IByteSink& sink, const TSSFileLocations& settings, TTextForm textForm)
    : sink_(sink), settings_(settings), textForm_(textForm) {
  TSSFileLocations& s = settings_;
  for (TStringList* list : {&s.PicPositions(), &s.PicFileNames(), &s.SndPositions(), &s.SndFileNames(),
                            &s.SndSizes(), &s.FlashPositions(), &s.FlashFileNames(), &s.FlashSizes()})
    list->clear();
}

int32_t TPackageWriter::Append(std::span<const uint8_t> bytes) {
  if (static_cast<int64_t>(bytes.size()) > kLargestSaverFile - size_)
    throw std::length_error("a saver file cannot exceed 2147483647 bytes");
  const auto at = static_cast<int32_t>(size_);
  sink_.Write(bytes);
  size_ += static_cast<int64_t>(bytes.size());
  return at;
}

bool TPackageWriter::Fits(int64_t more) const {
  const int64_t tail = static_cast<int64_t>(WriteComponentStream(settings_, textForm_).size()) + kTrailerSize;
  return more >= 0 && size_ + more + tail <= kLargestSaverFile;
}

int32_t TPackageWriter::AddRuntime(std::span<const uint8_t> runtime) {
  const int32_t at = Append(runtime);
  runtimeSize_ = static_cast<int32_t>(size_);
  return at;
}

int32_t TPackageWriter::AddPreview(std::span<const uint8_t> imageStream) { return Append(imageStream); }

int32_t TPackageWriter::AddPicture(const std::string& fileName, std::span<const uint8_t> imageStream) {
  const int32_t at = Append(imageStream);
  settings_.PicPositions().push_back(std::to_string(at));
  settings_.PicFileNames().push_back(fileName);
  return at;
}

int32_t TPackageWriter::AddSound(const std::string& fileName, std::span<const uint8_t> bytes) {
  const int32_t at = Append(bytes);
  settings_.SndPositions().push_back(std::to_string(at));
  settings_.SndFileNames().push_back(fileName);
  settings_.SndSizes().push_back(std::to_string(bytes.size()));
  return at;
}

int32_t TPackageWriter::AddMovie(const std::string& fileName, std::span<const uint8_t> bytes) {
  const int32_t at = Append(bytes);
  settings_.FlashPositions().push_back(std::to_string(at));
  settings_.FlashFileNames().push_back(fileName);
  settings_.FlashSizes().push_back(std::to_string(bytes.size()));
  return at;
}

int32_t TPackageWriter::AddHookLibrary(std::span<const uint8_t> bytes) {
  const int32_t at = Append(bytes);
  settings_.SetHookPosition(at);
  settings_.SetHookSize(static_cast<int32_t>(bytes.size()));
  return at;
}

TPackageLayout TPackageWriter::Finish() {
  const std::vector<uint8_t> stream = WriteComponentStream(settings_, textForm_);
  if (static_cast<int64_t>(stream.size()) + kTrailerSize > kLargestSaverFile - size_)
    throw std::length_error("a saver file cannot exceed 2147483647 bytes");
  TPackageLayout layout;
  layout.settingsOffset = Append(stream);
  layout.settingsLength = static_cast<int32_t>(stream.size());
  layout.packageLength = static_cast<int32_t>(size_) - runtimeSize_;
  Append(EncodeTrailer({layout.packageLength, layout.settingsOffset}));
  layout.fileSize = size_;
  return layout;
}

}  // namespace scr
