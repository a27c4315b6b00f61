#include "tests/scrtool/test_pictures.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tools/scrtool/file_bytes.h"
#include "tools/media/image_library.h"

namespace scr::tool::test {

using vips::VImage;

VImage Quadrants(int width, int height, bool alpha) {
  media::StartImageLibrary();
  const int bands = alpha ? 4 : 3;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * bands);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      const uint32_t c = bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
      uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * bands];
      p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
      if (alpha) p[3] = right ? 255 : 0;
    }
  VipsImage* image =
      vips_image_new_from_memory_copy(pixels.data(), pixels.size(), width, height, bands, VIPS_FORMAT_UCHAR);
  if (image == nullptr) throw vips::VError();
  return VImage(image);
}

std::vector<uint8_t> Saved(const VImage& image, const std::string& suffix, int orientation) {
  VImage out = image.copy();
  if (orientation != 0) out.set(VIPS_META_ORIENTATION, orientation);
  void* buffer = nullptr;
  size_t size = 0;
  out.write_to_buffer(suffix.c_str(), &buffer, &size);
  std::vector<uint8_t> bytes(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + size);
  g_free(buffer);
  return bytes;
}

std::vector<uint8_t> SavedAsHeif(const VImage& image, const std::string& workDir) {
  std::filesystem::create_directories(workDir);
  const std::string png = workDir + "/heif-source.png", heif = workDir + "/picture.heic";
  WriteFileBytes(png, Saved(image, ".png"));
  const std::string command = "heif-enc -q 95 -o '" + heif + "' '" + png + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("heif-enc failed");
  return ReadFileBytes(heif);
}

std::vector<uint32_t> Corners(const TBitmap24& b) {
  const int inset = 3;
  std::vector<uint32_t> out;
  for (const auto& [x, y] : {std::pair{inset, inset}, std::pair{b.Width() - 1 - inset, inset},
                             std::pair{inset, b.Height() - 1 - inset},
                             std::pair{b.Width() - 1 - inset, b.Height() - 1 - inset}}) {
    const uint32_t c = b.Pixel(x, y);
    uint32_t nearest = 0;
    for (const int shift : {0, 8, 16})
      if (((c >> shift) & 0xFF) >= 128) nearest |= 0xFFu << shift;
    out.push_back(nearest);
  }
  return out;
}

}  // namespace scr::tool::test
