#include "package/package_builder.h"

#include <stdexcept>

#include "common/stream.h"
#include "package/component_writer.h"
#include "package/trailer.h"

namespace scr {

void TPackageBuilder::AddPicture(std::string fileName, std::vector<uint8_t> imageStream) {
  pictures_.push_back({std::move(fileName), std::move(imageStream)});
}

void TPackageBuilder::AddSound(std::string fileName, std::vector<uint8_t> bytes) {
  sounds_.push_back({std::move(fileName), std::move(bytes)});
}

void TPackageBuilder::AddMovie(std::string fileName, std::vector<uint8_t> bytes) {
  movies_.push_back({std::move(fileName), std::move(bytes)});
}

namespace {

class TLayout {
 public:
  explicit TLayout(std::vector<uint8_t>& out) : out_(out) {}
  // Appends bytes and returns where they start.
  int32_t Append(std::span<const uint8_t> bytes) {
    const size_t at = out_.size();
    if (bytes.size() > static_cast<size_t>(INT32_MAX) - at)
      throw std::length_error("a saver file cannot exceed 2147483647 bytes");
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    return static_cast<int32_t>(at);
  }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace

TBuiltPackage TPackageBuilder::Build() const {
  TBuiltPackage result;
  result.settings = settings_;
  TSSFileLocations& s = result.settings;
  std::vector<uint8_t>& out = result.bytes;
  TLayout layout(out);

  layout.Append(runtime_);
  const auto runtimeSize = static_cast<int32_t>(out.size());
  if (preview_) layout.Append(*preview_);

  s.PicPositions().clear();
  s.PicFileNames().clear();
  for (const TItem& p : pictures_) {
    s.PicPositions().push_back(std::to_string(layout.Append(p.bytes)));
    s.PicFileNames().push_back(p.name);
  }
  auto raw = [&](const std::vector<TItem>& items, TStringList& positions, TStringList& names, TStringList& sizes) {
    positions.clear();
    names.clear();
    sizes.clear();
    for (const TItem& item : items) {
      positions.push_back(std::to_string(layout.Append(item.bytes)));
      names.push_back(item.name);
      sizes.push_back(std::to_string(item.bytes.size()));
    }
  };
  raw(sounds_, s.SndPositions(), s.SndFileNames(), s.SndSizes());
  raw(movies_, s.FlashPositions(), s.FlashFileNames(), s.FlashSizes());
  if (hook_) {
    s.SetHookPosition(layout.Append(*hook_));
    s.SetHookSize(static_cast<int32_t>(hook_->size()));
  }

  const std::vector<uint8_t> stream = WriteComponentStream(s, textForm_);
  result.settingsOffset = layout.Append(stream);
  result.settingsLength = static_cast<int32_t>(stream.size());
  result.packageLength = static_cast<int32_t>(out.size()) - runtimeSize;
  layout.Append(EncodeTrailer({result.packageLength, result.settingsOffset}));
  return result;
}

}  // namespace scr
