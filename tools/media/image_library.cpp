#include "tools/media/image_library.h"

#include <cctype>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace scr::media {

void StartImageLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    g_setenv("VIPS_WARNING", "0", FALSE);  // damage is reported as errors, not chatter
    if (VIPS_INIT("scrtool") != 0) throw std::runtime_error("the image library cannot start");
    vips_block_untrusted_set(TRUE);
    vips_cache_set_max(0);
  });
}

std::string ImageLibraryReason(std::string text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

vips::VImage ImageOf(const TBitmap24& bitmap) {
  StartImageLibrary();
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height()) * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* row = bitmap.Row(y);  // blue, green, red
    for (int x = 0; x < bitmap.Width(); ++x) rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  VipsImage* image =
      vips_image_new_from_memory_copy(rgb.data(), rgb.size(), bitmap.Width(), bitmap.Height(), 3, VIPS_FORMAT_UCHAR);
  if (image == nullptr) throw vips::VError();
  return vips::VImage(image);
}

TBitmap24 BitmapOf(const vips::VImage& image) {
  if (image.bands() != 3 || image.format() != VIPS_FORMAT_UCHAR)
    throw std::runtime_error("the image library gave a picture that is not 8-bit RGB");
  size_t size = 0;
  std::unique_ptr<void, void (*)(void*)> pixels(image.write_to_memory(&size), [](void* p) { g_free(p); });
  const auto* rgb = static_cast<const uint8_t*>(pixels.get());
  TBitmap24 out(image.width(), image.height());
  for (int y = 0; y < out.Height(); ++y) {
    uint8_t* row = out.Row(y);
    const uint8_t* in = rgb + static_cast<size_t>(y) * out.Width() * 3;
    for (int x = 0; x < out.Width(); ++x) {
      row[3 * x] = in[3 * x + 2];
      row[3 * x + 1] = in[3 * x + 1];
      row[3 * x + 2] = in[3 * x];
    }
  }
  return out;
}

std::vector<uint8_t> EncodePng(const TBitmap24& bitmap, int compression) {
  void* buffer = nullptr;
  size_t size = 0;
  ImageOf(bitmap).write_to_buffer(".png", &buffer, &size, vips::VImage::option()->set("compression", compression));
  std::unique_ptr<void, void (*)(void*)> owned(buffer, [](void* p) { g_free(p); });
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  return {bytes, bytes + size};
}

}  // namespace scr::media
