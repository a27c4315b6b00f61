// saverdemo pictures DIR
//   writes the demo's generated pictures into DIR: small.bmp (320 x 240), wide.bmp
//   (800 x 400), tall.bmp (300 x 700), huge.bmp (1600 x 1200, larger than the screen).
// saverdemo frame SAVER OUT.bmp [INDEX] [WIDTH HEIGHT]
//   composes the full-screen frame the saver shows for its picture INDEX (default 0)
//   on a screen of WIDTH x HEIGHT (default 1024 x 768), caption drawn with FreeType.
// saverdemo emf OUT.emf WIDTH HEIGHT RRGGBB
//   writes an enhanced metafile of WIDTH x HEIGHT pixels (on a 96 pixels-per-inch
//   reference) that fills its whole area with one colour.
// saverdemo pixel BMP X Y
//   prints the colour of one pixel as RRGGBB.
// saverdemo compare SHOT.bmp EXPECTED.bmp BAND
//   exit 0 when the two are the same size and identical above the bottom BAND rows,
//   and differ in at most a fifth of the pixels of that band (where the caption is,
//   drawn by another text renderer); prints what differs otherwise.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "package/package_reader.h"
#include "platform/headless/headless_platform.h"
#include "saver/compose.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// Soft colour fields with a frame and diagonal stripes, different for each seed.
scr::TBitmap24 DemoPicture(int w, int h, int seed) {
  scr::TBitmap24 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int r = (x * 255 / std::max(1, w - 1) + seed * 60) & 0xFF;
      const int g = (y * 255 / std::max(1, h - 1) + seed * 90) & 0xFF;
      const int bl = (((x + y) / 24) % 2 ? 200 : 90) ^ (seed * 40 & 0xFF);
      b.SetPixel(x, y, static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(bl) << 16));
    }
  b.FillRect(scr::TRect{0, 0, w, 6}, 0xFFFFFF);
  b.FillRect(scr::TRect{0, h - 6, w, h}, 0xFFFFFF);
  b.FillRect(scr::TRect{0, 0, 6, h}, 0xFFFFFF);
  b.FillRect(scr::TRect{w - 6, 0, w, h}, 0xFFFFFF);
  return b;
}

int Pictures(const std::string& dir) {
  struct {
    const char* name;
    int w, h;
  } const pics[] = {{"small.bmp", 320, 240}, {"wide.bmp", 800, 400}, {"tall.bmp", 300, 700}, {"huge.bmp", 1600, 1200}};
  int seed = 0;
  for (const auto& p : pics) WriteAll(dir + "/" + p.name, scr::EncodeBmp24(DemoPicture(p.w, p.h, seed++)));
  return 0;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

int Emf(const std::string& out, int w, int h, uint32_t rrggbb) {
  const uint32_t colorref = ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
  std::vector<uint8_t> records;
  // Brush 1, solid; selected; a rectangle over the whole picture; end of file.
  for (uint32_t v : {39u, 24u, 1u, 0u, colorref, 0u}) Put32(records, v);
  for (uint32_t v : {37u, 12u, 1u}) Put32(records, v);
  for (uint32_t v : {43u, 24u, 0u, 0u, static_cast<uint32_t>(w), static_cast<uint32_t>(h)}) Put32(records, v);
  for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) Put32(records, v);
  // The reference device: 96 pixels per inch, so one pixel is 2540 / 96 hundredths of
  // a millimetre.
  const uint32_t devW = 1024, devH = 768, mmW = devW * 254 / 960, mmH = devH * 254 / 960;
  std::vector<uint8_t> file;
  for (uint32_t v : {1u, 88u, 0u, 0u, static_cast<uint32_t>(w - 1), static_cast<uint32_t>(h - 1), 0u, 0u,
                     static_cast<uint32_t>(w * 2540 / 96 - 1), static_cast<uint32_t>(h * 2540 / 96 - 1), 0x464D4520u,
                     0x10000u, static_cast<uint32_t>(88 + records.size()), 5u, 2u, 0u, 0u, 0u, devW, devH, mmW, mmH})
    Put32(file, v);
  file.insert(file.end(), records.begin(), records.end());
  WriteAll(out, file);
  return 0;
}

int Frame(const std::string& saver, const std::string& out, int index, int width, int height) {
  scr::platform::headless::THeadlessPlatform p;
  p.Desktop().SetScreen(scr::TRect{0, 0, width, height});
  p.Files().SetFile(p.System().ExecutablePath(), ReadAll(saver));
  std::unique_ptr<scr::TStream> file = p.Files().OpenRead(p.System().ExecutablePath());
  scr::TSSFileLocations settings;
  if (!scr::ReadSettingsInto(*file, settings)) throw std::runtime_error("no package trailer in " + saver);
  std::unique_ptr<scr::TImage> record = scr::ReadPictureAt(*file, settings.PicPosition(index));
  const scr::TBitmap24 frame = scr::saver::ComposeFrame(record->Picture().Graphic(), settings, width, height, p.Screen());
  WriteAll(out, scr::EncodeBmp24(frame));
  return 0;
}

int Compare(const std::string& shotPath, const std::string& expectedPath, int band) {
  const scr::TBitmap24 shot = scr::DecodeBmp(ReadAll(shotPath));
  const scr::TBitmap24 expected = scr::DecodeBmp(ReadAll(expectedPath));
  if (shot.Width() != expected.Width() || shot.Height() != expected.Height()) {
    std::printf("sizes differ: %dx%d against %dx%d\n", shot.Width(), shot.Height(), expected.Width(),
                expected.Height());
    return 1;
  }
  const int top = std::max(0, shot.Height() - band);
  long above = 0, inBand = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      if (shot.Pixel(x, y) == expected.Pixel(x, y)) continue;
      if (y < top) {
        if (above++ == 0) {
          firstX = x;
          firstY = y;
        }
      } else {
        ++inBand;
      }
    }
  const long bandPixels = static_cast<long>(shot.Width()) * (shot.Height() - top);
  if (above != 0) {
    std::printf("%ld pixels differ above the caption band, the first at (%d, %d): %06X against %06X\n", above,
                firstX, firstY, shot.Pixel(firstX, firstY), expected.Pixel(firstX, firstY));
    return 1;
  }
  if (inBand * 5 > bandPixels) {
    std::printf("%ld of %ld pixels differ in the caption band\n", inBand, bandPixels);
    return 1;
  }
  std::printf("same (%ld pixels of the caption band differ)\n", inBand);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  try {
    if (a.size() == 2 && a[0] == "pictures") return Pictures(a[1]);
    if ((a.size() == 3 || a.size() == 4 || a.size() == 6) && a[0] == "frame")
      return Frame(a[1], a[2], a.size() > 3 ? std::atoi(a[3].c_str()) : 0, a.size() > 4 ? std::atoi(a[4].c_str()) : 1024,
                   a.size() > 5 ? std::atoi(a[5].c_str()) : 768);
    if (a.size() == 5 && a[0] == "emf")
      return Emf(a[1], std::atoi(a[2].c_str()), std::atoi(a[3].c_str()),
                 static_cast<uint32_t>(std::strtoul(a[4].c_str(), nullptr, 16)));
    if (a.size() == 4 && a[0] == "pixel") {
      const scr::TBitmap24 b = scr::DecodeBmp(ReadAll(a[1]));
      const int x = std::atoi(a[2].c_str()), y = std::atoi(a[3].c_str());
      if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) throw std::runtime_error("pixel outside the bitmap");
      const uint32_t c = b.Pixel(x, y);  // 0x00BBGGRR
      std::printf("%02X%02X%02X\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
      return 0;
    }
    if (a.size() == 4 && a[0] == "compare") return Compare(a[1], a[2], std::atoi(a[3].c_str()));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "saverdemo: %s\n", e.what());
    return 2;
  }
  std::fprintf(stderr,
               "usage: saverdemo pictures DIR\n"
               "       saverdemo frame SAVER OUT.bmp [INDEX [WIDTH HEIGHT]]\n"
               "       saverdemo emf OUT.emf WIDTH HEIGHT RRGGBB\n"
               "       saverdemo pixel BMP X Y\n"
               "       saverdemo compare SHOT.bmp EXPECTED.bmp BAND\n");
  return 2;
}
