// Makes the files of the music tests under Wine.
//
//   make_music_saver files DIR                  tone.wav, tune.mid, quiet.mp3 in DIR
//   make_music_saver saver RUNTIME OUT NAME...  a saver with two pictures and one short
//                                               wave track under each NAME
#include <cstdio>
#include <string>

#include "tests/music/sound_bytes.h"
#include "tests/support/saver_files.h"

namespace {

using scr::test::WriteFileBytes;

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() == 2 && a[0] == "files") {
    WriteFileBytes(a[1] + "/tone.wav", scr::test::WaveTone(400, 440));
    WriteFileBytes(a[1] + "/tune.mid", scr::test::MidiNote(400));
    WriteFileBytes(a[1] + "/quiet.mp3", scr::test::SilentMp3(16));
    return 0;
  }
  if (a.size() >= 4 && a[0] == "saver") {
    scr::TPackageBuilder b = scr::test::SaverOn(a[1]);
    for (int i = 0; i < 2; ++i) b.AddPicture("p" + std::to_string(i) + ".bmp", scr::test::PatternImage(120 + 40 * i, 90));
    int hz = 330;
    for (size_t i = 3; i < a.size(); ++i, hz += 110) b.AddSound(a[i], scr::test::WaveTone(300, hz));
    b.Settings().SetInterval(700);
    b.Settings().SetSoundRandom(1);
    b.Settings().SetlMute(false);
    // Only the stop message ends it: stray pointer events of the display must not.
    b.Settings().SetlExitMouseMove(false);
    b.Settings().SetlExitMouseClick(false);
    b.Settings().SetlExitKeyPress(false);
    scr::test::WriteSaver(b, a[2]);
    return 0;
  }
  std::fprintf(stderr, "usage: make_music_saver files DIR | saver RUNTIME OUT NAME...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_music_saver", argc, argv, Run); }
