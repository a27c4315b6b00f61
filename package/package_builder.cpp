#include "package/package_builder.h"

#include <stdexcept>

#include "common/stream.h"
#include "package/package_writer.h"

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

class TMemorySink : public IByteSink {
 public:
  explicit TMemorySink(std::vector<uint8_t>& out) : out_(out) {}
  void Write(std::span<const uint8_t> bytes) override { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace

TBuiltPackage TPackageBuilder::Build() const {
  TBuiltPackage result;
  TMemorySink sink(result.bytes);
  TPackageWriter writer(sink, settings_, textForm_);
  writer.AddRuntime(runtime_);
  if (preview_) writer.AddPreview(*preview_);
  for (const TItem& p : pictures_) writer.AddPicture(p.name, p.bytes);
  for (const TItem& item : sounds_) writer.AddSound(item.name, item.bytes);
  for (const TItem& item : movies_) writer.AddMovie(item.name, item.bytes);
  if (hook_) writer.AddHookLibrary(*hook_);
  const TPackageLayout layout = writer.Finish();
  result.settings = writer.Settings();
  result.settingsOffset = layout.settingsOffset;
  result.settingsLength = layout.settingsLength;
  result.packageLength = layout.packageLength;
  return result;
}

}  // namespace scr
