// picture_dump SAVER OUTDIR: reads a saver file's settings through its trailer, reads
// each slide-show picture from its package position, draws it at its own size onto
// black and writes OUTDIR/picture<N>.bmp. Built natively and for Windows, so that the
// two decodes of one package can be compared byte for byte.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "common/stream.h"
#include "package/bmp_codec.h"
#include "package/package_reader.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: picture_dump SAVER OUTDIR\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return 3;
  const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    scr::TMemoryStream stream(file);
    const auto settings = scr::ReadSettingsRecord(stream);
    if (!settings) return 4;
    for (int32_t i = 0; i < settings->PicCount(); ++i) {
      const auto image = scr::ReadPictureAt(stream, settings->PicPosition(i));
      const scr::TGraphic* graphic = image->Picture().Graphic();
      if (!graphic) return 5;
      scr::TBitmap24 frame(graphic->Width(), graphic->Height());
      graphic->Draw(frame, 0, 0);
      const std::vector<uint8_t> bmp = scr::EncodeBmp24(frame);
      const std::string name = std::string(argv[2]) + "/picture" + std::to_string(i) + ".bmp";
      std::ofstream out(name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
      if (!out) return 6;
    }
    std::printf("%d\n", static_cast<int>(settings->PicCount()));
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 7;
  }
}
