#include "common/profile_text.h"

#include <gtest/gtest.h>

namespace scr {
namespace {

TEST(ProfileRead, SectionsAndKeysIgnoreCaseAndTheFirstMatchCounts) {
  const char* text =
      "[other]\r\nmute=7\r\n"
      "[SETUP]\r\n  Mute = 1 \r\nmute=2\r\n"
      "[setup]\r\nmute=3\r\n";
  EXPECT_EQ(ReadProfileValue(text, "Setup", "mute"), "1");
  EXPECT_EQ(ReadProfileValue(text, "other", "MUTE"), "7");
  EXPECT_EQ(ReadProfileValue(text, "Setup", "volume"), std::nullopt);
  EXPECT_EQ(ReadProfileValue(text, "Language", "mute"), std::nullopt);
  EXPECT_EQ(ReadProfileValue("", "Setup", "mute"), std::nullopt);
}

TEST(ProfileRead, ValuesLoseBlanksAndOnePairOfQuotes) {
  const char* text = "[Language]\nTitle= \"Titel: \" \nA='x'\nB=\"half\nEmpty=\nNoEquals\nC=a=b\n";
  EXPECT_EQ(ReadProfileValue(text, "Language", "Title"), "Titel: ");
  EXPECT_EQ(ReadProfileValue(text, "Language", "A"), "x");
  EXPECT_EQ(ReadProfileValue(text, "Language", "B"), "\"half");
  EXPECT_EQ(ReadProfileValue(text, "Language", "Empty"), "");
  EXPECT_EQ(ReadProfileValue(text, "Language", "NoEquals"), std::nullopt);
  EXPECT_EQ(ReadProfileValue(text, "Language", "C"), "a=b");
}

TEST(ProfileRead, ResultsAreCutToTheBuffer) {
  const std::string longValue(3000, 'x');
  const std::string text = "[Language]\nDownloadSWF=" + longValue + "\n";
  EXPECT_EQ(ReadProfileValue(text, "Language", "DownloadSWF")->size(), 2047u);
  EXPECT_EQ(ReadProfileString("", "Language", "Title", longValue).size(), 2047u);
  EXPECT_EQ(ReadProfileString("", "Language", "Title", "Title:"), "Title:");
  EXPECT_EQ(ReadProfileString("[Language]\r\nTitle=\r\n", "Language", "Title", "Title:"), "");
}

TEST(ProfileWrite, CreatesSectionsAndKeysAndKeepsTheRest) {
  std::string text = WriteProfileValue("", "Setup", "mute", "1");
  EXPECT_EQ(text, "[Setup]\r\nmute=1\r\n");
  text = WriteProfileValue(text, "setup", "MUTE", "0");
  EXPECT_EQ(text, "[Setup]\r\nmute=0\r\n");
  text = WriteProfileValue(text, "Setup", "volume", "5");
  EXPECT_EQ(text, "[Setup]\r\nmute=0\r\nvolume=5\r\n");
  text = WriteProfileValue(text, "Other", "a", "b");
  EXPECT_EQ(text, "[Setup]\r\nmute=0\r\nvolume=5\r\n[Other]\r\na=b\r\n");
  EXPECT_EQ(ReadProfileValue(text, "Other", "A"), "b");
}

TEST(ProfileWrite, NewKeyGoesAfterTheSectionsLastEntryNotAfterBlankLines) {
  const std::string text = "[Setup]\nx=1\n\n[Next]\ny=2";
  EXPECT_EQ(WriteProfileValue(text, "Setup", "mute", "1"), "[Setup]\nx=1\nmute=1\r\n\n[Next]\ny=2");
  EXPECT_EQ(WriteProfileValue(text, "Next", "z", "3"), "[Setup]\nx=1\n\n[Next]\ny=2\r\nz=3\r\n");
  EXPECT_EQ(WriteProfileValue("no newline", "S", "k", "v"), "no newline\r\n[S]\r\nk=v\r\n");
}

}  // namespace
}  // namespace scr
