// A whole saver file, read the way the preview, the saver window, the setup dialog and
// the slide show read it.
#include <cstddef>
#include <cstdint>

#include "common/stream.h"
#include "fuzz/fuzz_exercise.h"
#include "package/package_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scr;
  TMemoryStream file(std::span<const uint8_t>(data, size));
  try {
    if (const std::unique_ptr<TImage> preview = ReadPreviewImage(file)) fuzz::DrawPicture(*preview);
  } catch (const Exception&) {
  }
  try {
    if (const std::unique_ptr<TSSFileLocations> record = ReadSettingsRecord(file)) fuzz::CallAccessors(*record);
  } catch (const Exception&) {
  }
  TSSFileLocations settings;
  try {
    ReadSettingsInto(file, settings);
  } catch (const Exception&) {
  }
  fuzz::CallAccessors(settings);
  const int32_t pictures = settings.PicCount() < 8 ? settings.PicCount() : 8;
  for (int32_t i = 0; i < pictures; ++i) {
    try {
      fuzz::DrawPicture(*ReadPictureAt(file, settings.PicPosition(i)));
    } catch (const Exception&) {
    }
  }
  return 0;
}
