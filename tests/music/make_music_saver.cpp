// Makes the files of the music tests under Wine.
//
//   make_music_saver files DIR                  tone.wav, tune.mid, quiet.mp3 in DIR
//   make_music_saver saver RUNTIME OUT NAME...  a saver with two pictures and one short
//                                               wave track under each NAME
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "tests/app/test_saver_files.h"
#include "tests/music/sound_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

int Run(const std::vector<std::string>& a) {
  if (a.size() == 2 && a[0] == "files") {
    WriteFile(a[1] + "/tone.wav", scr::test::WaveTone(400, 440));
    WriteFile(a[1] + "/tune.mid", scr::test::MidiNote(400));
    WriteFile(a[1] + "/quiet.mp3", scr::test::SilentMp3(16));
    return 0;
  }
  if (a.size() >= 4 && a[0] == "saver") {
    scr::TPackageBuilder b(ReadFile(a[1]));
    for (int i = 0; i < 2; ++i)
      b.AddPicture("p" + std::to_string(i) + ".bmp",
                   scr::BuildImageStream("TBitmap", scr::EncodeBmp24(scr::test::PatternBitmap(120 + 40 * i, 90))));
    int hz = 330;
    for (size_t i = 3; i < a.size(); ++i, hz += 110) b.AddSound(a[i], scr::test::WaveTone(300, hz));
    b.Settings().SetInterval(700);
    b.Settings().SetSoundRandom(1);
    b.Settings().SetlMute(false);
    // Only the stop message ends it: stray pointer events of the display must not.
    b.Settings().SetlExitMouseMove(false);
    b.Settings().SetlExitMouseClick(false);
    b.Settings().SetlExitKeyPress(false);
    WriteFile(a[2], b.Build().bytes);
    return 0;
  }
  std::fprintf(stderr, "usage: make_music_saver files DIR | saver RUNTIME OUT NAME...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_music_saver: %s\n", e.what());
    return 1;
  }
}
