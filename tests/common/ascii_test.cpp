#include "common/ascii.h"

#include <gtest/gtest.h>

namespace scr {
namespace {

TEST(Ascii, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(AsciiUpperCase("/c:1234 abcz"), "/C:1234 ABCZ");
  EXPECT_EQ(AsciiLowerCase("DEFAULT_CHARSET"), "default_charset");
  // Bytes of 128 and above (e.g. Windows-1252 letters) and the neighbours of the
  // letter ranges stay unchanged.
  EXPECT_EQ(AsciiUpperCase("\xe9\xe0@[`{"), "\xe9\xe0@[`{");
  EXPECT_EQ(AsciiLowerCase("\xc9\xc0@[`{"), "\xc9\xc0@[`{");
}

TEST(Ascii, CompareTextIgnoresCaseOnly) {
  EXPECT_TRUE(SameText("clMenuBar", "CLMENUBAR"));
  EXPECT_FALSE(SameText("clMenuBar", "clMenuBa"));
  EXPECT_FALSE(SameText("\xe9", "\xc9"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  // Bytes compare unsigned, so high characters sort after ASCII.
  EXPECT_GT(CompareText("\xe9", "z"), 0);
}

}  // namespace
}  // namespace scr
