#include "common/comma_text.h"

#include <gtest/gtest.h>

#include "common/random.h"

namespace scr {
namespace {

using List = std::vector<std::string>;

TEST(CommaText, ParsesSeparatorsAndEmptyItems) {
  EXPECT_EQ(ParseCommaText("1,2,3"), (List{"1", "2", "3"}));
  EXPECT_EQ(ParseCommaText("1, 2 3"), (List{"1", "2", "3"}));
  EXPECT_EQ(ParseCommaText("a,,b"), (List{"a", "", "b"}));
  EXPECT_EQ(ParseCommaText("a,"), (List{"a", ""}));
  EXPECT_EQ(ParseCommaText(",a"), (List{"", "a"}));
  EXPECT_EQ(ParseCommaText(","), (List{"", ""}));
  EXPECT_EQ(ParseCommaText(""), List{});
  EXPECT_EQ(ParseCommaText(" \t\r\n "), List{});
  // A comma followed by blanks is not the last character: no trailing empty item.
  EXPECT_EQ(ParseCommaText("a, "), (List{"a"}));
  EXPECT_EQ(ParseCommaText("\x01" "a\x1f,\x20" "b"), (List{"a", "b"}));
}

TEST(CommaText, ParsesQuotedItems) {
  EXPECT_EQ(ParseCommaText("\"My holiday, day 1\",x"), (List{"My holiday, day 1", "x"}));
  EXPECT_EQ(ParseCommaText("\"say \"\"hi\"\"\""), (List{"say \"hi\""}));
  EXPECT_EQ(ParseCommaText("\"\""), (List{""}));
  EXPECT_EQ(ParseCommaText("\"\",\"\""), (List{"", ""}));
  // Text right after a closing quote starts the next item.
  EXPECT_EQ(ParseCommaText("\"a\"b,c"), (List{"a", "b", "c"}));
  // An unclosed quote takes the rest of the text.
  EXPECT_EQ(ParseCommaText("x,\"open, end"), (List{"x", "open, end"}));
  // High characters are ordinary.
  EXPECT_EQ(ParseCommaText("caf\xe9,\xff"), (List{"caf\xe9", "\xff"}));
}

TEST(CommaText, ZeroByteEndsTextOutsideQuotes) {
  EXPECT_EQ(ParseCommaText(std::string("a,b\0c,d", 7)), (List{"a", "b"}));
  EXPECT_EQ(ParseCommaText(std::string("a,\0", 3)), (List{"a", ""}));
  EXPECT_EQ(ParseCommaText(std::string("\"a\0b\"", 5)), (List{std::string("a\0b", 3)}));
}

TEST(CommaText, RendersWithQuotesWhereNeeded) {
  EXPECT_EQ(RenderCommaText({}), "");
  EXPECT_EQ(RenderCommaText({""}), "\"\"");
  EXPECT_EQ(RenderCommaText({"a b", "c"}), "\"a b\",c");
  EXPECT_EQ(RenderCommaText({"1", "2", "3"}), "1,2,3");
  EXPECT_EQ(RenderCommaText({"a", ""}), "a,");
  EXPECT_EQ(RenderCommaText({"", "", ""}), ",,");
  EXPECT_EQ(RenderCommaText({"x,y", "q\"q", "tab\there"}), "\"x,y\",\"q\"\"q\",\"tab\there\"");
}

// Every list survives rendering and parsing, whatever bytes its items hold.
TEST(CommaText, RenderThenParseGivesTheListBack) {
  TRandom random;
  const std::string alphabet(std::string("ab ,\"\t\x01\xe9\0", 9));
  for (int round = 0; round < 2000; ++round) {
    List list(random.Next(5));
    for (std::string& item : list) {
      const uint32_t length = random.Next(5);
      for (uint32_t i = 0; i < length; ++i) item += alphabet[random.Next(static_cast<uint32_t>(alphabet.size()))];
    }
    const std::string text = RenderCommaText(list);
    ASSERT_EQ(ParseCommaText(text), list) << "round " << round << ": " << text;
  }
}

}  // namespace
}  // namespace scr
