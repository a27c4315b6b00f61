// The files beside the executable: the language file's texts (also the movie-control
// question) and the stored mute choice as the saver reads it.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "platform/headless/headless_platform.h"
#include "setup/interface_texts.h"
#include "setup/mute_setting.h"

namespace scr::setup {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

constexpr const char* kQuestion = "Please install the Macromedia Flash Player ActiveX control.";

TEST(SetupPaths, BothFilesLieBesideTheExecutable) {
  EXPECT_EQ(LanguageFilePath("C:\\SAVERS\\TEST.SCR"), "C:\\SAVERS\\nuvscr.ini");
  EXPECT_EQ(ControlIniPath("C:\\SAVERS\\TEST.SCR"), "C:\\SAVERS\\CONTROL.INI");
  EXPECT_EQ(LanguageFilePath("C:\\TEST.SCR"), "C:\\nuvscr.ini");
  EXPECT_EQ(ControlIniPath("C:\\TEST.SCR"), "C:\\CONTROL.INI");
  EXPECT_EQ(ControlIniPath("Z:\\tmp\\a b\\s.scr"), "Z:\\tmp\\a b\\CONTROL.INI");
}

class TextsTest : public ::testing::Test {
 protected:
  platform::headless::THeadlessPlatform p_;
};

TEST_F(TextsTest, MovieQuestionComesFromTheLanguageFileWhenThereIsOne) {
  EXPECT_EQ(DownloadSwfQuestion(p_), kQuestion);
  p_.Files().SetFile("C:\\SAVERS\\nuvscr.ini", Bytes("[Language]\r\nTitle=x\r\n"));
  EXPECT_EQ(DownloadSwfQuestion(p_), kQuestion);
  p_.Files().SetFile("C:\\SAVERS\\NUVSCR.INI", Bytes("[Language]\r\ndownloadswf=Bitte installieren.\r\n"));
  EXPECT_EQ(DownloadSwfQuestion(p_), "Bitte installieren.");
  p_.Files().SetFile("C:\\SAVERS\\nuvscr.ini", Bytes("[Language]\r\nDownloadSWF=\r\n"));
  EXPECT_EQ(DownloadSwfQuestion(p_), "");
  // Another saver's folder has no language file.
  p_.System().SetExecutablePath("C:\\OTHER\\X.SCR");
  EXPECT_EQ(DownloadSwfQuestion(p_), kQuestion);
}

TEST_F(TextsTest, WithoutAFileThereIsNoReplacementAndTheBuiltInTextsShow) {
  const TLanguageFile absent = TLanguageFile::OfExecutable(p_);
  EXPECT_FALSE(absent.Exists());
  EXPECT_EQ(absent.Replacement(TInterfaceText::itBtnOK), std::nullopt);
  EXPECT_EQ(absent.Text(TInterfaceText::itBtnOK), "&Ok");
  EXPECT_FALSE(p_.Log().Has("GetPrivateProfileString")) << "no file, no lookups";

  p_.Files().SetFile("C:\\SAVERS\\nuvscr.ini", {});
  const TLanguageFile empty = TLanguageFile::OfExecutable(p_);
  const std::pair<TInterfaceText, const char*> missing[] = {
      {TInterfaceText::itTitle, "Title:"},      {TInterfaceText::itAuthor, "Author:"},
      {TInterfaceText::itEmail, "Email:"},      {TInterfaceText::itWeb, "Web address:"},
      {TInterfaceText::itBtnOK, "OK"},          {TInterfaceText::itMuteMusic, "Mute music"},
      {TInterfaceText::itDownloadSWF, kQuestion},
  };
  for (const auto& [id, text] : missing) EXPECT_EQ(empty.Replacement(id), text) << text;
}

TEST_F(TextsTest, StoredMuteAsTheSaverReadsIt) {
  const std::string exe = p_.System().ExecutablePath();
  EXPECT_TRUE(ReadStoredMute(p_, exe, true)) << "no file: the settings' flag";
  EXPECT_FALSE(ReadStoredMute(p_, exe, false));
  const std::pair<const char*, int> cases[] = {
      {"mute=1", 1}, {"mute=0", 0}, {"mute=x1F", 1}, {"mute=0X0", 0}, {"mute=", -1}, {"mute=1.5", -1},
      {"volume=1", -1}, {"mute=\"7\"", 1}, {"mute=99999999999", -1},
  };
  for (const auto& [line, expected] : cases) {
    p_.Files().SetFile("C:\\SAVERS\\CONTROL.INI", Bytes(std::string("[Setup]\r\n") + line + "\r\n"));
    for (bool fallback : {false, true})
      EXPECT_EQ(ReadStoredMute(p_, exe, fallback), expected < 0 ? fallback : expected == 1)
          << line << " fallback " << fallback;
  }

  WriteStoredMute(p_, exe, false);
  EXPECT_FALSE(ReadStoredMute(p_, exe, true));
  p_.Files().SetWritable("C:\\SAVERS", false);
  p_.Files().Delete("C:\\SAVERS\\CONTROL.INI");
  try {
    WriteStoredMute(p_, exe, true);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\SAVERS\\CONTROL.INI");
  }
}

}  // namespace
}  // namespace scr::setup
