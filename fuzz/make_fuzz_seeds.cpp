// Writes seed inputs for the fuzz targets with the project's own writers:
//   make_fuzz_seeds OUTDIR
// fills OUTDIR/<target> for each target: settings and image streams, whole saver
// files, bitmap files of every layout, icon files, JPEG files, metafiles, and INI
// texts of the language file and the stored mute choice.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/support/picture_files.h"
#include "tests/support/saver_files.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;
using scr::test::TBmpSpec;

void Write(const fs::path& path, const Bytes& bytes) {
  try {
    scr::test::WriteFileBytes(path.string(), bytes);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fuzz_seeds: %s\n", e.what());
    std::exit(1);
  }
}

void WriteText(const fs::path& path, std::string_view text) { Write(path, Bytes(text.begin(), text.end())); }

// A small JPEG file of a colour ramp (or grey samples for one component).
Bytes Jpeg(int w, int h, int components, bool progressive = false) {
  Bytes samples(static_cast<size_t>(w) * h * components);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 37 + i / 7);
  return scr::test::EncodeJpeg(samples, w, h, components, 80, progressive);
}

// A one-image icon file of w x h at `bits` bits per pixel, its mask set on the diagonal.
Bytes Icon(int w, int h, int bits) {
  std::vector<uint32_t> palette;
  if (bits <= 8)
    for (int i = 0; i < (1 << bits); ++i) palette.push_back(static_cast<uint32_t>(i * 0x010305));
  const Bytes dib = scr::test::MakeIconDib(
      w, h, bits, palette,
      [&](int x, int y) { return bits <= 8 ? static_cast<uint32_t>((x + y) % (1 << bits)) : 0x80102030u + x * 0x40 + y; },
      [](int x, int y) { return x == y; });
  return scr::test::MakeIco({scr::test::TIconEntry{w, h, bits, dib}});
}

std::vector<uint32_t> GreyPalette(int colours) {
  std::vector<uint32_t> p;
  for (int i = 0; i < colours; ++i) p.push_back(static_cast<uint32_t>(i * 255 / (colours - 1) * 0x010101));
  return p;
}

// A bitmap file of w x h with `bits` bits per pixel, stored bottom-up unless topDown.
Bytes Bmp(int w, int h, int bits, bool topDown = false, uint32_t headerSize = 40) {
  TBmpSpec s;
  s.headerSize = headerSize;
  s.width = w;
  s.height = topDown ? -h : h;
  s.bitCount = static_cast<uint16_t>(bits);
  if (bits <= 8) s.palette = GreyPalette(1 << bits);
  if (bits == 16) {
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
  }
  s.pixels = scr::test::PackRows(w, h, bits, topDown, [&](int x, int y) {
    return bits <= 8 ? static_cast<uint32_t>((x * 3 + y) % (1 << bits)) : static_cast<uint32_t>(x * 0x10307 + y * 0x70301);
  });
  return scr::test::MakeBmp(s);
}

// A run-length bitmap (8 or 4 bits) with runs, an absolute block, a delta, line ends
// and the end-of-bitmap code.
Bytes RleBmp(int bits) {
  TBmpSpec s;
  s.width = 8;
  s.height = 5;
  s.bitCount = static_cast<uint16_t>(bits);
  s.compression = bits == 8 ? 1 : 2;
  s.palette = GreyPalette(1 << bits);
  s.pixels = bits == 8 ? Bytes{0x03, 0x01, 0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x02, 0x02, 0x01,
                               0x02, 0x05, 0x00, 0x00, 0x08, 0x07, 0x00, 0x01}
                       : Bytes{0x05, 0x12, 0x00, 0x00, 0x00, 0x05, 0x34, 0x56, 0x70, 0x00, 0x00, 0x02, 0x01,
                               0x01, 0x08, 0xAB, 0x00, 0x01};
  return scr::test::MakeBmp(s);
}

scr::TSSFileLocations Settings() {
  scr::TSSFileLocations s;
  s.SetText("Seed caption");
  s.TextFont().SetHeight(-32);
  s.TextFont().SetStyle(scr::FontStyleBit(scr::fsBold));
  s.TextFont().SetPitch(scr::TFontPitch::fpFixed);
  s.SetBackground(0xFF00001E);
  s.SetlRandomStyle(true);
  s.SetlExitKeyPress(true);
  s.SetInterval(5000);
  s.SetSoundRandom(2);
  s.SetTitle("Seed");
  s.SetAuthor("Fuzz");
  s.SetEmail("seed@example.invalid");
  s.SetWeb("http://example.invalid/");
  s.SetHookPosition(1000);
  s.SetHookSize(32768);
  s.SetEffectCommaList("0,5,57,58,90,118,127");
  s.SetPicCommaList("100,200");
  s.SetPicFileNamesCommaList("\"a b.bmp\",c.jpg");
  s.SetSndCommaList("300,400");
  s.SetSndFileNamesCommaList("a.mid,b.wav");
  s.SetSndSizesCommaList("10,0");
  s.SetFlashCommaList("500");
  s.SetFlashFileNamesCommaList("m.swf");
  s.SetFlashSizesCommaList("8");
  s.SetDescriptCommaList("\"first, one\",,last");
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUTDIR\n");
    return 2;
  }
  const fs::path root = argv[1];
  const auto dir = [&](const char* target) {
    fs::create_directories(root / target);
    return root / target;
  };
  const auto streams = dir("fuzz_component_stream");
  const auto packages = dir("fuzz_package");

  const Bytes bmp = scr::EncodeBmp24(scr::test::PatternBitmap(6, 5));
  const Bytes jpeg = Jpeg(16, 9, 3);
  const Bytes icon = Icon(2, 2, 24);
  const Bytes emfHeader = {1, 0, 0, 0, 108, 0, 0, 0};  // a record header only

  Write(streams / "settings.bin", scr::WriteComponentStream(Settings()));
  Write(streams / "settings-empty.bin", scr::WriteComponentStream(scr::TSSFileLocations()));
  Write(streams / "image-bmp.bin", scr::BuildImageStream("TBitmap", bmp));
  Write(streams / "image-jpeg.bin", scr::BuildImageStream("TJPEGImage", jpeg));
  Write(streams / "image-icon.bin", scr::BuildImageStream("TIcon", icon));
  Write(streams / "image-metafile.bin", scr::BuildImageStream("TMetafile", emfHeader));
  Write(streams / "image-empty-jpeg.bin", scr::BuildImageStream("TJPEGImage", {}));
  Write(streams / "image-unknown.bin", scr::BuildImageStream("TPngImage", bmp));

  // A stream using the rarer tags on properties the reader passes over.
  scr::TComponentStreamWriter w;
  w.Signature();
  w.ObjectHeader("TSSFileLocations", "Named");
  w.PropertyName("Unknown.List");
  w.Out().Bytes(Bytes{1, 2, 1, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 0});
  w.PropertyName("Items");
  w.Out().Bytes(Bytes{14, 2, 0, 1, 1, 'X', 9, 0, 0});
  w.PropertyName("Wide");
  w.Out().Bytes(Bytes{18, 2, 0, 0, 0, 'h', 0, 'i', 0});
  w.PropertyName("Title");
  w.Out().Bytes(Bytes{20, 2, 0, 0, 0, 0xC3, 0xA9});
  w.PropertyName("Money");
  w.Out().Bytes(Bytes{16, 1, 2, 3, 4, 5, 6, 7, 8});
  w.End();
  w.End();
  Write(streams / "settings-rare-tags.bin", w.Take());

  scr::TPackageBuilder picture(Bytes(64, 0x90));
  picture.Settings() = Settings();
  picture.AddPicture("one.bmp", scr::BuildImageStream("TBitmap", bmp));
  picture.AddPicture("two.jpg", scr::BuildImageStream("TJPEGImage", jpeg));
  picture.AddPicture("three.ico", scr::BuildImageStream("TIcon", icon));
  picture.AddSound("a.mid", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6});
  picture.AddSound("empty.wav", {});
  picture.SetHookLibrary(Bytes{'M', 'Z', 0, 0});
  Write(packages / "pictures.scr", picture.Build().bytes);

  scr::TPackageBuilder flash(Bytes(32, 0x90));
  flash.Settings().SetVer("flash");
  flash.AddMovie("intro.swf", Bytes{'F', 'W', 'S', 6, 20, 0, 0, 0});
  flash.SetHookLibrary(Bytes{'M', 'Z', 1, 1});
  Write(packages / "flash.scr", flash.Build().bytes);

  scr::TPackageBuilder bare(Bytes(16, 0));
  Write(packages / "bare.scr", bare.Build().bytes);

  const auto bitmaps = dir("fuzz_bmp");
  Write(bitmaps / "plain-24.bmp", bmp);
  for (int bits : {1, 4, 8, 16, 24, 32}) Write(bitmaps / ("bits-" + std::to_string(bits) + ".bmp"), Bmp(7, 3, bits));
  Write(bitmaps / "top-down-8.bmp", Bmp(5, 4, 8, true));
  Write(bitmaps / "core-header-8.bmp", Bmp(5, 4, 8, false, 12));
  Write(bitmaps / "v5-header-32.bmp", Bmp(3, 2, 32, false, 124));
  Write(bitmaps / "rle-8.bmp", RleBmp(8));
  Write(bitmaps / "rle-4.bmp", RleBmp(4));

  const auto icons = dir("fuzz_icon");
  for (int bits : {1, 4, 8, 24, 32}) Write(icons / ("bits-" + std::to_string(bits) + ".ico"), Icon(4, 4, bits));
  const Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  Write(icons / "png-only.ico", scr::test::MakeIco({scr::test::TIconEntry{16, 16, 32, png}}));
  const Bytes small = Icon(2, 2, 8);
  const Bytes smallDib(small.begin() + 6 + 16, small.end());  // after the directory of one entry
  Write(icons / "png-and-dib.ico", scr::test::MakeIco({scr::test::TIconEntry{16, 16, 32, png},
                                                       scr::test::TIconEntry{2, 2, 8, smallDib}}));

  const auto jpegs = dir("fuzz_jpeg");
  Write(jpegs / "colour.jpg", jpeg);
  Write(jpegs / "grey.jpg", Jpeg(8, 8, 1));
  Write(jpegs / "progressive.jpg", Jpeg(24, 16, 3, true));
  const Bytes larger = Jpeg(64, 48, 3);
  Write(jpegs / "cut-in-scan.jpg", Bytes(larger.begin(), larger.begin() + static_cast<std::ptrdiff_t>(larger.size() * 3 / 4)));

  const auto metafiles = dir("fuzz_metafile");
  Bytes emf = scr::test::EmfHeader(2540, 1270, 99, 49);
  Write(metafiles / "emf-header.emf", emf);
  // The end-of-file record after the header.
  for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) scr::test::Put32(emf, v);
  Write(metafiles / "emf-end.emf", emf);
  Bytes boundsOnly = scr::test::EmfHeader(-5, 7, 320, 200);
  scr::test::Set32(boundsOnly, 72, 0);  // no reference device: the bounds give the size
  Write(metafiles / "emf-bounds-only.emf", boundsOnly);
  const Bytes wmf = scr::test::PlaceableWmf(1440, 720, 1440);
  Write(metafiles / "placeable.wmf", wmf);
  Write(metafiles / "bare.wmf", Bytes(wmf.begin() + 22, wmf.end()));

  const auto texts = dir("fuzz_language_text");
  WriteText(texts / "language.ini",
            "[Language]\r\nTitle=Titel:\r\nAuthor=Autor:\r\nEmail=E-Mail:\r\nWeb=Netz:\r\nbtnOK=&Gut\r\n"
            "MuteMusic=Ohne Musik\r\nDownloadSWF=\"Bitte installieren.\"\r\n");
  WriteText(texts / "control.ini", "[Setup]\r\nmute=1\r\n");
  WriteText(texts / "mixed.ini", "; comment\n[ setup ]\nMUTE = '0'\n[Language]\nbtnOK\n[language]\nTitle=second\n[Setup");
  WriteText(texts / "long-value.ini", "[Language]\r\nTitle=" + std::string(3000, 'x'));
  return 0;
}
