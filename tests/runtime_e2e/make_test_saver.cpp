// Makes the saver files of the runtime's end-to-end tests from a runtime executable,
// with the project's own package builder, and checks what a preview showed.
//
//   make_test_saver preview RUNTIME OUT PIC_W PIC_H      first item: a picture
//   make_test_saver flash RUNTIME OUT                    first item: a Flash movie
//   make_test_saver media RUNTIME OUT SOUND_NAME...      sounds, a movie, the hook library
//   make_test_saver expect-preview PIC_W PIC_H WIN_W WIN_H OUT.BMP
//   make_test_saver compare ACTUAL.BMP EXPECTED.BMP TOLERANCE
//
// Item contents are fixed: sound i holds "sound <i> " repeated 100 times, the movie
// "movie " repeated 50 times, the hook library "hook " repeated 64 times.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "tests/support/saver_files.h"

namespace {

using scr::test::ReadFileBytes;
using scr::test::Repeat;
using scr::test::WriteFileBytes;

int Compare(const std::string& actualPath, const std::string& expectedPath, int tolerance) {
  const scr::TBitmap24 a = scr::DecodeBmp(ReadFileBytes(actualPath));
  const scr::TBitmap24 e = scr::DecodeBmp(ReadFileBytes(expectedPath));
  if (a.Width() != e.Width() || a.Height() != e.Height()) {
    std::printf("size differs: %dx%d, expected %dx%d\n", a.Width(), a.Height(), e.Width(), e.Height());
    return 1;
  }
  int bad = 0, worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const uint32_t p = a.Pixel(x, y), q = e.Pixel(x, y);
      int d = 0;
      for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
      worst = std::max(worst, d);
      if (d > tolerance && bad++ < 5) std::printf("pixel (%d, %d): %06X, expected %06X\n", x, y, p, q);
    }
  std::printf("%d pixels beyond tolerance %d; largest difference %d\n", bad, tolerance, worst);
  return bad == 0 ? 0 : 1;
}

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() == 5 && a[0] == "preview") {
    scr::TPackageBuilder b = scr::test::SaverOn(a[1]);
    const scr::TBitmap24 picture = scr::test::PatternBitmap(std::stoi(a[3]), std::stoi(a[4]));
    b.SetPreview(scr::BuildImageStream("TBitmap", scr::EncodeBmp24(picture)));
    b.AddPicture("picture.bmp", scr::BuildImageStream("TBitmap", scr::EncodeBmp24(picture)));
    scr::test::WriteSaver(b, a[2]);
    return 0;
  }
  if (a.size() == 3 && a[0] == "flash") {
    scr::TPackageBuilder b = scr::test::SaverOn(a[1]);
    b.AddMovie("movie.swf", Repeat("movie ", 50));
    b.Settings().SetVer("flash");
    scr::test::WriteSaver(b, a[2]);
    return 0;
  }
  if (a.size() >= 3 && a[0] == "media") {
    scr::TPackageBuilder b = scr::test::SaverOn(a[1]);
    for (size_t i = 3; i < a.size(); ++i) b.AddSound(a[i], Repeat("sound " + std::to_string(i - 3) + " ", 100));
    b.AddMovie("clip.swf", Repeat("movie ", 50));
    b.SetHookLibrary(Repeat("hook ", 64));
    scr::test::WriteSaver(b, a[2]);
    return 0;
  }
  if (a.size() == 6 && a[0] == "expect-preview") {
    const scr::TBitmap24 picture = scr::test::PatternBitmap(std::stoi(a[1]), std::stoi(a[2]));
    WriteFileBytes(a[5], scr::EncodeBmp24(scr::test::ExpectedPreview(picture, std::stoi(a[3]), std::stoi(a[4]))));
    return 0;
  }
  if (a.size() == 4 && a[0] == "compare") return Compare(a[1], a[2], std::stoi(a[3]));
  std::fprintf(stderr, "usage: make_test_saver preview|flash|media|expect-preview|compare ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_test_saver", argc, argv, Run); }
