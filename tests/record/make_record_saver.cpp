// Savers for the recording tests, made with the project's package builder.
//
//   make_record_saver pictures OUT   three smooth pictures with captions, effects 5 and
//                                    51, a two-second interval and a 1.5 s wave track
//   make_record_saver movie OUT      a saver of the movie kind
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/app/test_saver_files.h"
#include "tests/music/sound_bytes.h"
#include "tools/scrtool/gallery/gallery_pictures.h"

namespace {

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
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
  AddPicture(b, "rings.bmp", scr::tool::GalleryOldPicture(400, 300));
  AddPicture(b, "bands.bmp", scr::tool::GalleryNewPicture(300, 400));
  AddPicture(b, "wide.bmp", scr::tool::GalleryOldPicture(600, 200));
  b.Settings().SetDescriptCommaList("\"The first one\",Second,Third");
  b.Settings().SetEffectCommaList("5,51");
  b.Settings().SetInterval(2000);
  b.Settings().SetlMute(false);
  b.Settings().SetSoundRandom(1);
  b.AddSound("tone.wav", scr::test::WaveTone(1500, 440));
  if (a[0] == "movie") b.Settings().SetVer("flash");
  WriteFile(a[1], b.Build().bytes);
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
