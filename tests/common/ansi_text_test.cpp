#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace scr {
namespace {

TEST(AnsiText, Utf16ToWindows1252) {
  EXPECT_EQ(Utf16ToAnsi(u"Caf\u00e9 \u20ac5"), "Caf\xe9 \x80" "5");
  EXPECT_EQ(Utf16ToAnsi(u"\u0152\u0178\u2122"), "\x8c\x9f\x99");
  // No mapping: one '?' per character, a surrogate pair being one character.
  EXPECT_EQ(Utf16ToAnsi(u"\u4e2d\U0001F600x"), "??x");
  EXPECT_EQ(Utf16ToAnsi(std::u16string{0xD800, u'a', 0xDC00}), "?a?");
}

TEST(AnsiText, Utf8ToWindows1252) {
  EXPECT_EQ(Utf8ToAnsi("Caf\xc3\xa9 \xe2\x82\xac"), "Caf\xe9 \x80");
  EXPECT_EQ(Utf8ToAnsi("\xe4\xb8\xad\xf0\x9f\x98\x80"), "??");
  // Malformed: stray continuation, overlong form, cut sequence, surrogate, lead byte F5.
  EXPECT_EQ(Utf8ToAnsi("\x80" "a"), "?a");
  EXPECT_EQ(Utf8ToAnsi("\xc0\xaf" "a"), "??a");
  EXPECT_EQ(Utf8ToAnsi("\xe0\x80\x80" "a"), "?a");
  EXPECT_EQ(Utf8ToAnsi("\xe2\x82"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xe2\x82" "a"), "?a");
  EXPECT_EQ(Utf8ToAnsi("\xed\xa0\x80"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xf5\x80"), "??");
}

TEST(AnsiText, EveryAnsiByteSurvivesUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(AnsiToUtf8("\x80\xe9"), "\xe2\x82\xac\xc3\xa9");
}

}  // namespace
}  // namespace scr
