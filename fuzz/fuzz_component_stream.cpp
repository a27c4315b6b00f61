// One component stream, read as a new object of the class it names (settings or
// image, decoding the picture) and into an existing settings record.
#include <cstddef>
#include <cstdint>

#include "common/stream.h"
#include "fuzz/fuzz_exercise.h"
#include "package/component_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scr;
  const std::span<const uint8_t> bytes(data, size);
  try {
    TMemoryStream s(bytes);
    const std::unique_ptr<TComponent> object = ReadComponentStream(s);
    if (const auto* image = dynamic_cast<const TImage*>(object.get())) fuzz::DrawPicture(*image);
    if (const auto* settings = dynamic_cast<const TSSFileLocations*>(object.get())) fuzz::CallAccessors(*settings);
  } catch (const Exception&) {
  }
  TSSFileLocations target;
  try {
    TMemoryStream s(bytes);
    ReadComponentStream(s, target);
  } catch (const Exception&) {
  }
  fuzz::CallAccessors(target);
  return 0;
}
