#include "common/int_convert.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace scr {
namespace {

TEST(IntConvert, DecimalWithBlanksAndSign) {
  EXPECT_EQ(TryStrToInt("5000"), 5000);
  EXPECT_EQ(TryStrToInt("   -32"), -32);
  EXPECT_EQ(TryStrToInt("+7"), 7);
  EXPECT_EQ(TryStrToInt("007"), 7);
  EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
  EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
}

TEST(IntConvert, HexadecimalPrefixes) {
  EXPECT_EQ(TryStrToInt("$1F"), 31);
  EXPECT_EQ(TryStrToInt("x1f"), 31);
  EXPECT_EQ(TryStrToInt("X1F"), 31);
  EXPECT_EQ(TryStrToInt("0x1F"), 31);
  EXPECT_EQ(TryStrToInt("0X1f"), 31);
  EXPECT_EQ(TryStrToInt("-$10"), -16);
  // All 32 bits may be used: system colours are written this way.
  EXPECT_EQ(TryStrToInt("$FF000008"), static_cast<int32_t>(0xFF000008u));
  EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TryStrToInt("$0000000001"), 1);
}

TEST(IntConvert, RejectsWhatIsNotAnInteger) {
  for (const char* bad : {"", " ", "-", "+", "$", "0x", "12x", "1 ", " 1 2", "1.5", "--1", "+-1", "$G",
                          "2147483648", "-2147483649", "$100000000", "99999999999999999999", "\t1", "1\t"}) {
    EXPECT_EQ(TryStrToInt(bad), std::nullopt) << '"' << bad << '"';
    EXPECT_EQ(StrToIntOrZero(bad), 0) << '"' << bad << '"';
  }
  EXPECT_EQ(StrToIntDef("abc", -1), -1);
}

TEST(IntConvert, StrictConversionRaisesConvertError) {
  EXPECT_EQ(StrToInt(" 0x10"), 16);
  try {
    StrToInt("12x");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
  }
}

}  // namespace
}  // namespace scr
