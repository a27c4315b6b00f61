// Writes seed inputs for the fuzz targets with the project's own writers:
//   make_fuzz_seeds OUTDIR
// fills OUTDIR/fuzz_component_stream (settings and image streams) and
// OUTDIR/fuzz_package (whole saver files).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

scr::TBitmap24 Pattern(int w, int h) {
  scr::TBitmap24 b;
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<uint32_t>(x * 40 + y * 0x2000 + 0x100000 * (x ^ y)));
  return b;
}

// A small baseline JPEG file.
Bytes Jpeg(int w, int h) {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(w);
  info.image_height = static_cast<JDIMENSION>(h);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 80, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      row[static_cast<size_t>(x) * 3] = static_cast<JSAMPLE>(x * 30);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(y * 30);
      row[static_cast<size_t>(x) * 3 + 2] = 128;
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&info, &p, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

// A one-image icon file holding a 2x2 24-bit bitmap with its mask.
Bytes Icon() {
  const int w = 2, h = 2;
  Bytes dib;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) dib.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](uint32_t v) {
    dib.push_back(static_cast<uint8_t>(v));
    dib.push_back(static_cast<uint8_t>(v >> 8));
  };
  put32(40), put32(w), put32(h * 2), put16(1), put16(24), put32(0), put32(0), put32(0), put32(0), put32(0), put32(0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w * 3; ++x) dib.push_back(static_cast<uint8_t>(0x40 * (x + y)));
    dib.push_back(0), dib.push_back(0);  // row padding
  }
  for (int y = 0; y < h; ++y) put32(0);  // AND mask rows
  Bytes ico = {0, 0, 1, 0, 1, 0, static_cast<uint8_t>(w), static_cast<uint8_t>(h), 0, 0, 1, 0, 24, 0};
  const uint32_t size = static_cast<uint32_t>(dib.size()), offset = 6 + 16;
  for (int i = 0; i < 4; ++i) ico.push_back(static_cast<uint8_t>(size >> (8 * i)));
  for (int i = 0; i < 4; ++i) ico.push_back(static_cast<uint8_t>(offset >> (8 * i)));
  ico.insert(ico.end(), dib.begin(), dib.end());
  return ico;
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
  const std::filesystem::path root = argv[1];
  const auto streams = root / "fuzz_component_stream";
  const auto packages = root / "fuzz_package";
  std::filesystem::create_directories(streams);
  std::filesystem::create_directories(packages);

  const Bytes bmp = scr::EncodeBmp24(Pattern(6, 5));
  const Bytes jpeg = Jpeg(16, 9);
  const Bytes icon = Icon();
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
  return 0;
}
