#include "tools/media/picture_load.h"

#include <vips/vips8>

#include <cctype>
#include <cstring>
#include <memory>

#include "common/errors.h"

namespace scr::media {

namespace {

void StartVips() {
  static const bool started = [] {
    if (VIPS_INIT("scrtool") != 0) throw Exception("cannot start libvips");
    return true;
  }();
  (void)started;
}

}  // namespace

TBitmap24 LoadPictureCovering(const std::string& path, int width, int height) {
  StartVips();
  try {
    vips::VImage image = vips::VImage::thumbnail(
        path.c_str(), width,
        vips::VImage::option()->set("height", height)->set("crop", VIPS_INTERESTING_CENTRE)->set("size", VIPS_SIZE_BOTH));
    if (image.has_alpha()) image = image.flatten(vips::VImage::option()->set("background", std::vector<double>{0, 0, 0}));
    image = image.colourspace(VIPS_INTERPRETATION_sRGB).cast(VIPS_FORMAT_UCHAR);
    if (image.bands() != 3 || image.width() != width || image.height() != height)
      throw Exception("cannot fit " + path + " to " + std::to_string(width) + "x" + std::to_string(height));
    size_t size = 0;
    void* raw = image.write_to_memory(&size);
    std::unique_ptr<void, void (*)(void*)> pixels(raw, [](void* p) { g_free(p); });
    TBitmap24 out(width, height);
    const auto* rgb = static_cast<const uint8_t*>(raw);
    for (int y = 0; y < height; ++y) {
      uint8_t* row = out.Row(y);
      const uint8_t* in = rgb + static_cast<size_t>(y) * width * 3;
      for (int x = 0; x < width; ++x) {
        row[3 * x] = in[3 * x + 2];
        row[3 * x + 1] = in[3 * x + 1];
        row[3 * x + 2] = in[3 * x];
      }
    }
    return out;
  } catch (const vips::VError& e) {
    std::string reason = e.what();
    while (!reason.empty() && std::isspace(static_cast<unsigned char>(reason.back()))) reason.pop_back();
    throw Exception("cannot read the picture " + path + ": " + reason);
  }
}

}  // namespace scr::media
