// Makes the savers of the text Wine test: one picture of one colour stretched over the
// screen, the caption and the title from a UTF-8 file, white Arial 24 pixels high, a
// picture that stays (a minute's interval, effect 0), nothing that ends it but a request.
// The text is stored as the maker stores it (utf8) or as older savers did (single-byte,
// Windows-1252; characters it lacks become '?').
//
//   make_text_saver RUNTIME OUT TEXT-FILE utf8|single-byte
#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/ansi_text.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "tests/support/saver_files.h"

namespace {

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() != 4 || (a[3] != "utf8" && a[3] != "single-byte")) {
    std::fprintf(stderr, "usage: make_text_saver RUNTIME OUT TEXT-FILE utf8|single-byte\n");
    return 2;
  }
  std::ifstream in(a[2], std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  const bool utf8 = a[3] == "utf8";
  if (!utf8) text = scr::Utf8ToAnsi(text);

  scr::TPackageBuilder builder = scr::test::SaverOn(a[0]);
  builder.SetTextForm(utf8 ? scr::TTextForm::Utf8 : scr::TTextForm::Ansi);
  scr::TSSFileLocations& s = builder.Settings();
  s.SetText(text);
  s.SetTitle(text);
  s.TextFont().SetName("Arial");
  s.TextFont().SetHeight(-24);
  s.TextFont().SetColor(0x00FFFFFF);
  s.SetlStretch(true);
  s.SetInterval(60000);
  s.SetEffectCommaList("0");
  scr::TBitmap24 solid;
  solid.SetSize(64, 48, 0x604020);  // 0x00BBGGRR: red 0x20, green 0x40, blue 0x60
  builder.AddPicture("solid.bmp", scr::BuildImageStream("TBitmap", scr::EncodeBmp24(solid)));
  scr::test::WriteSaver(builder, a[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_text_saver", argc, argv, Run); }
