// The mode switch table and the strict handle conversion.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "common/errors.h"

namespace scr::app {
namespace {

TEST(RunModeForSwitch, RecognisesEachModeByItsBeginning) {
  struct Case {
    const char* upper;
    TRunMode mode;
  };
  const Case cases[] = {
      {"/A", TRunMode::rmChangePassword}, {"-A", TRunMode::rmChangePassword}, {"A", TRunMode::rmChangePassword},
      {"ABC", TRunMode::rmChangePassword}, {"/P", TRunMode::rmPreview},      {"-P", TRunMode::rmPreview},
      {"PREVIEW", TRunMode::rmPreview},  {"/C", TRunMode::rmSetup},          {"-C", TRunMode::rmSetup},
      {"/C:1234", TRunMode::rmSetup},    {"CONFIG", TRunMode::rmSetup},      {"", TRunMode::rmSetup},
      {"/S", TRunMode::rmSaver},         {"-S", TRunMode::rmSaver},          {"S", TRunMode::rmSaver},
      {"/X", TRunMode::rmSaver},         {"/", TRunMode::rmSaver},           {"-", TRunMode::rmSaver},
      // Only "/" and "-" lead a letter; the letter itself must come first otherwise.
      {"+A", TRunMode::rmSaver},         {" /C", TRunMode::rmSaver},         {"//C", TRunMode::rmSaver},
      // Lower case never matches: the entry upper-cases before it tests.
      {"/c", TRunMode::rmSaver},
  };
  for (const Case& c : cases) EXPECT_EQ(RunModeForSwitch(c.upper), c.mode) << '"' << c.upper << '"';
}

TEST(WindowHandleArgument, AcceptsDecimalHexAndSign) {
  EXPECT_EQ(WindowHandleArgument("1234"), 1234u);
  EXPECT_EQ(WindowHandleArgument("  1234"), 1234u);
  EXPECT_EQ(WindowHandleArgument("+77"), 77u);
  EXPECT_EQ(WindowHandleArgument("$1F"), 0x1Fu);
  EXPECT_EQ(WindowHandleArgument("0X1f"), 0x1Fu);
  EXPECT_EQ(WindowHandleArgument("x10"), 0x10u);
  // A negative handle is taken as the 32-bit pattern a 32-bit program sees.
  EXPECT_EQ(WindowHandleArgument("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(WindowHandleArgument("$FFFFFFFF"), 0xFFFFFFFFu);
}

TEST(WindowHandleArgument, RefusesAnythingElse) {
  for (const char* bad : {"", " ", "12x", "0x", "$", "1 2", "12 ", "abc", "99999999999", "1.5", "--1"}) {
    EXPECT_THROW(WindowHandleArgument(bad), EConvertError) << '"' << bad << '"';
  }
  try {
    WindowHandleArgument("PANEL");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'PANEL' is not a valid integer value");
  }
}

}  // namespace
}  // namespace scr::app
