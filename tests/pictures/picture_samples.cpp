// picture_samples SAVER: builds a saver file whose slide show holds a picture of every
// kind the decoders handle (bitmaps of each depth and compression, JPEG in colour, grey
// and progressive, an icon with a mask), for the cross-platform decode comparison.
#include <cstdio>
#include <fstream>
#include <string>

#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/pictures/picture_builders.h"

namespace {

using scr::test::PackRows;
using scr::test::TBmpSpec;

std::vector<uint32_t> Palette(int colours) {
  std::vector<uint32_t> p;
  for (int i = 0; i < colours; ++i) p.push_back(static_cast<uint32_t>((i * 97) % 256 << 16 | (i * 53) % 256 << 8 | (255 - i)));
  return p;
}

TBmpSpec Bitmap(int bits, uint32_t compression, bool topDown) {
  TBmpSpec s;
  s.width = 61;
  s.height = topDown ? -37 : 37;
  s.bitCount = static_cast<uint16_t>(bits);
  s.compression = compression;
  if (bits <= 8) s.palette = Palette(1 << bits);
  if (compression == 3) s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = PackRows(61, 37, bits, topDown, [&](int x, int y) {
    if (bits <= 8) return static_cast<uint32_t>((x / 3 + y) % (1 << bits));
    return static_cast<uint32_t>(x * 1031 + y * 7919) * 2654435761u;
  });
  return s;
}

std::vector<uint8_t> Samples(int components) {
  std::vector<uint8_t> s(static_cast<size_t>(203) * 97 * components);
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<uint8_t>((i % 203) * 255 / 203 ^ ((i / 203 / 16) % 2 ? 0x55 : 0));
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_samples SAVER\n");
    return 2;
  }
  // A stand-in for the runtime: the package readers never look at these bytes.
  scr::TPackageBuilder builder(std::vector<uint8_t>(4096, 0x90));
  const auto write = [&](const std::string& name, std::string_view className, const std::vector<uint8_t>& file) {
    builder.AddPicture(name, scr::BuildImageStream(className, file));
  };
  for (int bits : {1, 4, 8, 16, 24, 32}) write("bmp" + std::to_string(bits), "TBitmap", MakeBmp(Bitmap(bits, 0, false)));
  write("bmp24-topdown", "TBitmap", MakeBmp(Bitmap(24, 0, true)));
  write("bmp16-565", "TBitmap", MakeBmp(Bitmap(16, 3, false)));
  TBmpSpec rle = Bitmap(8, 1, false);
  rle.palette = Palette(16);
  rle.pixels = {0x05, 0x03, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x00, 0x02, 0x10, 0x05, 0x30, 0x07, 0x00, 0x01};
  write("bmp8-rle", "TBitmap", MakeBmp(rle));
  rle.bitCount = 4;
  rle.compression = 2;
  write("bmp4-rle", "TBitmap", MakeBmp(rle));
  write("jpeg-colour", "TJPEGImage", scr::test::EncodeJpeg(Samples(3), 203, 97, 3, 85));
  write("jpeg-grey", "TJPEGImage", scr::test::EncodeJpeg(Samples(1), 203, 97, 1, 85));
  write("jpeg-progressive", "TJPEGImage", scr::test::EncodeJpeg(Samples(3), 203, 97, 3, 70, true));
  write("icon", "TIcon",
        scr::test::MakeIco({scr::test::TIconEntry{
            32, 32, 8, scr::test::MakeIconDib(32, 32, 8, Palette(256), [](int x, int y) { return static_cast<uint32_t>(x * y % 256); },
                                              [](int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) > 200; })}}));
  const std::vector<uint8_t> saver = builder.Build().bytes;
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(saver.data()), static_cast<std::streamsize>(saver.size()));
  return out ? 0 : 3;
}
