// Makes the saver of the long-run test under Wine: six pictures of every kind the
// slide show decodes, one of them a 12-megapixel JPEG, every effect 0..126 in turn,
// a caption, a new picture every 100 ms, and only a key press ends it.
//
//   make_soak_saver RUNTIME OUT
#include <cstdio>
#include <string>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "tests/support/picture_files.h"
#include "tests/support/saver_files.h"

namespace {

using scr::test::TBytes;

// A JPEG file of smooth gradients with fine detail, as a photograph would have.
TBytes PhotoJpeg(int width, int height) {
  TBytes rgb(static_cast<size_t>(width) * height * 3);
  size_t i = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      rgb[i++] = static_cast<uint8_t>(x * 255 / width);
      rgb[i++] = static_cast<uint8_t>(y * 255 / height);
      rgb[i++] = static_cast<uint8_t>(((x / 16) ^ (y / 16)) & 1 ? 200 : 60 + (x * y) % 40);
    }
  return scr::test::EncodeJpeg(rgb, width, height, 3, 85);
}

TBytes IconFile(int size) {
  const TBytes dib = scr::test::MakeIconDib(
      size, size, 32, {}, [&](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 8) << 16 | static_cast<uint32_t>(y * 8); },
      [](int, int) { return false; });
  return scr::test::MakeIco({scr::test::TIconEntry{size, size, 32, dib}});
}

std::string AllEffects() {
  std::string list;
  for (int e = 0; e <= 126; ++e) list += (e ? "," : "") + std::to_string(e);
  return list;
}

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() != 2) {
    std::fprintf(stderr, "usage: make_soak_saver RUNTIME OUT\n");
    return 2;
  }
  scr::TPackageBuilder b = scr::test::SaverOn(a[0]);
  b.AddPicture("photo-12mp.jpg", scr::BuildImageStream("TJPEGImage", PhotoJpeg(4000, 3000)));
  b.AddPicture("screen.bmp", scr::test::PatternImage(1920, 1080));
  b.AddPicture("small.jpg", scr::BuildImageStream("TJPEGImage", PhotoJpeg(640, 480)));
  b.AddPicture("tall.bmp", scr::test::PatternImage(300, 900));
  b.AddPicture("icon.ico", scr::BuildImageStream("TIcon", IconFile(32)));
  b.AddPicture("wide.bmp", scr::test::PatternImage(1600, 400));
  scr::TSSFileLocations& s = b.Settings();
  s.SetEffectCommaList(AllEffects());
  s.SetInterval(100);
  s.SetText("Long run");
  s.SetlExitKeyPress(true);
  // Stray pointer events of the display must not end it.
  s.SetlExitMouseMove(false);
  s.SetlExitMouseClick(false);
  scr::test::WriteSaver(b, a[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_soak_saver", argc, argv, Run); }
