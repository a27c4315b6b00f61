// Profile files on the headless backend: the system's reading and writing rules over
// the in-memory file system.
#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace scr::platform::headless {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }
std::string Text(const std::optional<std::vector<uint8_t>>& b) { return b ? std::string(b->begin(), b->end()) : "<none>"; }

class ProfileTest : public ::testing::Test {
 protected:
  THeadlessPlatform p_;
  IProfile& profile_ = p_.Profile();
  const std::string ini_ = "C:\\SAVERS\\CONTROL.INI";
};

TEST_F(ProfileTest, ReadsSectionsAndKeysWithoutRegardToCase) {
  p_.Files().SetFile(ini_, Bytes("[Other]\r\nmute=7\r\n[SETUP]\r\nMUTE= 1 \r\n"));
  EXPECT_EQ(profile_.ReadString(ini_, "Setup", "mute", "d"), "1");
  EXPECT_EQ(profile_.ReadString("c:\\savers\\control.ini", "other", "Mute", "d"), "7");
  EXPECT_EQ(profile_.ReadString(ini_, "Setup", "volume", "d"), "d");
  EXPECT_EQ(profile_.ReadString(ini_, "Language", "mute", ""), "");
  EXPECT_TRUE(profile_.FileExists(ini_));
}

TEST_F(ProfileTest, MissingFileReadsAsEmptyAndTheFirstWriteCreatesIt) {
  EXPECT_FALSE(profile_.FileExists(ini_));
  EXPECT_EQ(profile_.ReadString(ini_, "Setup", "mute", "fallback"), "fallback");
  EXPECT_FALSE(p_.Files().Exists(ini_)) << "reading must not create the file";

  ASSERT_TRUE(profile_.WriteString(ini_, "Setup", "mute", "1"));
  EXPECT_EQ(Text(p_.Files().File(ini_)), "[Setup]\r\nmute=1\r\n");
  ASSERT_TRUE(profile_.WriteString(ini_, "setup", "MUTE", "0"));
  EXPECT_EQ(profile_.ReadString(ini_, "Setup", "mute", ""), "0");
  EXPECT_EQ(Text(p_.Files().File(ini_)), "[Setup]\r\nmute=0\r\n");
}

TEST_F(ProfileTest, WritingKeepsEverythingElseInTheFile) {
  p_.Files().SetFile(ini_, Bytes("; comment\r\n[Other]\r\na=b\r\n[Setup]\r\nvolume=3\r\n"));
  ASSERT_TRUE(profile_.WriteString(ini_, "Setup", "mute", "1"));
  EXPECT_EQ(Text(p_.Files().File(ini_)), "; comment\r\n[Other]\r\na=b\r\n[Setup]\r\nvolume=3\r\nmute=1\r\n");
}

TEST_F(ProfileTest, TextsAreCutToTheBufferOf2048Bytes) {
  const std::string longValue(5000, 'x');
  p_.Files().SetFile(ini_, Bytes("[Language]\r\nTitle=" + longValue + "\r\n"));
  EXPECT_EQ(profile_.ReadString(ini_, "Language", "Title", ""), std::string(2047, 'x'));
  EXPECT_EQ(profile_.ReadString(ini_, "Language", "Missing", longValue), std::string(2047, 'x'));
}

TEST_F(ProfileTest, WritesThatCannotBeDoneReportFailureAndChangeNothing) {
  // No such folder.
  EXPECT_FALSE(profile_.WriteString("C:\\NOWHERE\\CONTROL.INI", "Setup", "mute", "1"));
  EXPECT_FALSE(p_.Files().Exists("C:\\NOWHERE\\CONTROL.INI"));
  // A folder with the file's name: not a file, for reading or writing.
  p_.Files().AddDirectory(ini_);
  EXPECT_FALSE(profile_.FileExists(ini_));
  EXPECT_EQ(profile_.ReadString(ini_, "Setup", "mute", "d"), "d");
  EXPECT_FALSE(profile_.WriteString(ini_, "Setup", "mute", "1"));
  // A read-only folder.
  p_.Files().AddDirectory("C:\\LOCKED", false);
  EXPECT_FALSE(profile_.WriteString("C:\\LOCKED\\CONTROL.INI", "Setup", "mute", "1"));
  EXPECT_TRUE(p_.Log().Has("WritePrivateProfileString C:\\LOCKED\\CONTROL.INI [Setup] mute=1 failed"));
}

TEST_F(ProfileTest, AFileThatIsThereButCannotBeReadIsNeitherReadNorReplaced) {
  const std::string other = "C:\\SAVERS\\OTHER.INI";
  p_.Files().SetFile(other, Bytes("[Setup]\r\nmute=1\r\n"));
  // Open for writing elsewhere: reading is refused, the file stays as it is.
  std::unique_ptr<TWriteStream> holder = p_.Files().Create(other);
  holder->Write(Bytes("[Setup]\r\nmute=1\r\n"));
  EXPECT_TRUE(profile_.FileExists(other));
  EXPECT_EQ(profile_.ReadString(other, "Setup", "mute", "d"), "d");
  EXPECT_FALSE(profile_.WriteString(other, "Setup", "mute", "0"));
  holder.reset();
  EXPECT_EQ(profile_.ReadString(other, "Setup", "mute", "d"), "1");
}

}  // namespace
}  // namespace scr::platform::headless
