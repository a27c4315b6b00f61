// Savers for the recording tests, made with the project's package builder.
//
//   make_record_saver pictures OUT   three soft pictures with a caption, effects 5 and
//                                    51, a two-second interval and a 1.5 s wave track
//   make_record_saver movie OUT      a saver of the movie kind
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/support/saver_files.h"
#include "tests/music/sound_bytes.h"
#include "tools/scrtool/file_bytes.h"

namespace {

// A photograph-like picture: soft colour waves, no edges finer than chroma subsampling
// keeps, so a video frame can be compared with the composed one.
scr::TBitmap24 SoftPicture(int w, int h, int seed) {
  scr::TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double u = static_cast<double>(x) / w, v = static_cast<double>(y) / h;
      const auto c = [](double t) { return static_cast<uint32_t>(127.5 + 127.5 * std::sin(t)); };
      b.SetPixel(x, y, c(6 * u + seed) | (c(5 * v + 2 * seed) << 8) | (c(4 * (u + v) + 3 * seed) << 16));
    }
  return b;
}

void AddPicture(scr::TPackageBuilder& b, const std::string& name, const scr::TBitmap24& picture) {
  b.AddPicture(name, scr::BuildImageStream("TBitmap", scr::EncodeBmp24(picture)));
}

int Run(const std::vector<std::string>& a) {
  if (a.size() != 2 || (a[0] != "pictures" && a[0] != "movie")) {
    std::fprintf(stderr, "usage: make_record_saver pictures|movie OUT\n");
    return 2;
  }
  scr::TPackageBuilder b(scr::test::FakeRuntime());
  AddPicture(b, "sunset.bmp", SoftPicture(400, 300, 0));
  AddPicture(b, "tall.bmp", SoftPicture(300, 400, 1));
  AddPicture(b, "wide.bmp", SoftPicture(600, 200, 2));
  // A caption under every picture.
  b.Settings().SetText("Holidays at the sea");
  b.Settings().TextFont().SetColor(0x00FFFFFF);
  b.Settings().TextFont().SetHeight(-24);
  b.Settings().SetEffectCommaList("5,51");
  b.Settings().SetInterval(2000);
  b.Settings().SetlMute(false);
  b.Settings().SetSoundRandom(1);
  b.AddSound("tone.wav", scr::test::WaveTone(1500, 440));
  if (a[0] == "movie") b.Settings().SetVer("flash");
  scr::tool::WriteFileBytes(a[1], b.Build().bytes);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_record_saver: %s\n", e.what());
    return 1;
  }
}
