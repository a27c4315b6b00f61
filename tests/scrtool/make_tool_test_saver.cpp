// Makes savers with the project's own package builder, not with scrtool make, for the
// tests of what scrtool reads and rebuilds.
//
//   make_tool_test_saver unusual RUNTIME OUT   an empty effect list, a negative interval,
//                                         bitmap pictures, a sound, no hook library
//   make_tool_test_saver names RUNTIME OUT     sounds under names stored as UTF-8: one the
//                                         runtime cannot create ("what?.wav"), "Łódź.wav"
#include <cstdio>

#include "package/component_writer.h"
#include "tests/support/saver_files.h"

namespace {

using scr::test::TGeneratorArgs;

int Run(const TGeneratorArgs& a) {
  if (a.size() != 3) {
    std::fprintf(stderr, "usage: make_tool_test_saver unusual|names RUNTIME OUT\n");
    return 2;
  }
  scr::TPackageBuilder b = scr::test::SaverOn(a[1]);
  const scr::test::TBytes wave = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  if (a[0] == "unusual") {
    b.AddPicture("first.bmp", scr::test::PatternImage(40, 30));
    b.AddPicture("second.bmp", scr::test::PatternImage(20, 50));
    b.AddSound("tune.wav", wave);
    b.Settings().SetInterval(-5);
    b.Settings().SetEffectCommaList("");
    b.Settings().SetText("made elsewhere");
    b.Settings().SetlExitKeyPress(true);
  } else if (a[0] == "names") {
    b.SetTextForm(scr::TTextForm::Utf8);
    b.AddPicture("p.bmp", scr::test::PatternImage(20, 20));
    b.AddSound("\xC5\x81\xC3\xB3" "d\xC5\xBA.wav", wave);  // Łódź.wav
    b.AddSound("what?.wav", wave);
    b.AddSound("fine.wav", wave);
  } else {
    std::fprintf(stderr, "make_tool_test_saver: unknown kind %s\n", a[0].c_str());
    return 2;
  }
  scr::test::WriteSaver(b, a[2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_tool_test_saver", argc, argv, Run); }
