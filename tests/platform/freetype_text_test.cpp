// Caption text through FreeType and fontconfig: UTF-8 as typed, a character the chosen
// face lacks drawn from a face that has it, and font names taken as family names only.
#include <gtest/gtest.h>

#include "platform/freetype/freetype_text.h"

namespace scr::platform {
namespace {

#if defined(SCR_FREETYPE_TEXT)

// The text drawn white on black, big enough that faces differ.
TBitmap24 Drawn(TFreeTypeText& text, const std::string& face, const std::string& utf8) {
  TTextFont font;
  font.name = face;
  font.height = -40;
  font.color = 0xFFFFFF;
  TBitmap24 bitmap;
  bitmap.SetSize(600, 60, 0);
  text.Draw(bitmap, 2, 2, font, utf8);
  return bitmap;
}

size_t Ink(const TBitmap24& b) {
  size_t n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.Pixel(x, y) != 0 ? 1 : 0;
  return n;
}

// The fonts the project installs: Liberation Sans has no Georgian letters, DejaVu Sans
// has them.
TEST(FreeTypeText, LettersTheFaceLacksComeFromAFaceThatHasThem) {
  TFreeTypeText text;
  const std::string georgian = "\xE1\x83\x90\xE1\x83\x91\xE1\x83\x92";  // ა ბ გ
  EXPECT_GT(Ink(Drawn(text, "Liberation Sans", georgian)), 0u);
  // The letters have DejaVu Sans's advances, not those of the face's missing-glyph box.
  TTextFont liberation, dejavu;
  liberation.name = "Liberation Sans";
  dejavu.name = "DejaVu Sans";
  liberation.height = dejavu.height = -40;
  EXPECT_EQ(text.Extent(liberation, georgian).cx, text.Extent(dejavu, georgian).cx);
  EXPECT_NE(text.Extent(liberation, "Ab").cx, text.Extent(dejavu, "Ab").cx);
  // Letters the chosen face has stay in that face.
  EXPECT_FALSE(Drawn(text, "Liberation Sans", "Ab") == Drawn(text, "DejaVu Sans", "Ab"));
}

TEST(FreeTypeText, TextIsUtf8AndMeasuresLikeItDraws) {
  TFreeTypeText text;
  TTextFont font;
  font.name = "DejaVu Sans";
  font.height = -24;
  // One Polish letter is one glyph: the same width as the same letter in a word.
  const TTextSize one = text.Extent(font, "\xC5\xBC");           // ż
  const TTextSize two = text.Extent(font, "\xC5\xBC\xC5\xBC");   // żż
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_GT(Ink(Drawn(text, "DejaVu Sans", "\xD0\x9A\xD0\xB8\xD1\x80")), 0u);  // Кир
}

// A name is a family name: characters that a fontconfig pattern gives a meaning ("-"
// for a size, ":" for properties) mean nothing, and an unknown family is drawn in the
// sans-serif face rather than not at all.
TEST(FreeTypeText, FontNamesAreFamilyNamesAndUnknownOnesFallBack) {
  TFreeTypeText text;
  const TBitmap24 unknown = Drawn(text, "No Such Family", "Caption");
  EXPECT_GT(Ink(unknown), 0u);
  EXPECT_TRUE(Drawn(text, "DejaVu Serif-8", "Caption") == unknown);
  EXPECT_TRUE(Drawn(text, "DejaVu Serif:weight=200", "Caption") == unknown);
  EXPECT_FALSE(Drawn(text, "DejaVu Serif", "Caption") == unknown);
}

#endif

}  // namespace
}  // namespace scr::platform
