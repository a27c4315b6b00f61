#include "tests/app/test_saver_files.h"

#include "common/stretch.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"

namespace scr::test {

TBitmap24 PatternBitmap(int width, int height) {
  TBitmap24 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, static_cast<uint32_t>((x * 7) & 0xFF) | (static_cast<uint32_t>((y * 11) & 0xFF) << 8) |
                           (static_cast<uint32_t>(((x + y) * 5) & 0xFF) << 16));
  return b;
}

std::vector<uint8_t> FakeRuntime(size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  return bytes;
}

std::vector<uint8_t> PreviewSaver(const TBitmap24& picture) {
  TPackageBuilder builder(FakeRuntime());
  builder.SetPreview(BuildImageStream("TBitmap", EncodeBmp24(picture)));
  return builder.Build().bytes;
}

TBitmap24 ExpectedPreview(const TBitmap24& picture, int width, int height) {
  TBitmap24 scaled(width + 1, height + 1);
  StretchCopy(scaled, scaled.Bounds(), picture, picture.Bounds());
  TBitmap24 cut(width, height);
  DrawBitmap(cut, 0, 0, scaled);
  return cut;
}

}  // namespace scr::test
