// Joining directories and names, file names of paths, and the plain-name test that
// keeps package names inside the directory they are extracted to.
#include <gtest/gtest.h>

#include "app/paths.h"
#include "platform/headless/headless_platform.h"

namespace scr::app {
namespace {

TEST(JoinPath, AddsOneBackslashOnlyWhenMissing) {
  EXPECT_EQ(JoinPath("C:\\TEMP\\", "a.mid"), "C:\\TEMP\\a.mid");
  EXPECT_EQ(JoinPath("C:\\TEMP", "a.mid"), "C:\\TEMP\\a.mid");
  EXPECT_EQ(JoinPath("C:\\", "a.mid"), "C:\\a.mid");
  // A forward slash is not the system's separator: a backslash still follows it.
  EXPECT_EQ(JoinPath("C:/TEMP/", "a"), "C:/TEMP/\\a");
  EXPECT_EQ(JoinPath("", "a.mid"), "a.mid");
  EXPECT_EQ(JoinPath("C:\\TEMP", ""), "C:\\TEMP\\");
}

TEST(ExtractFileName, TakesTheLastComponent) {
  EXPECT_EQ(ExtractFileName("Z:\\tmp\\build\\saver.scr"), "saver.scr");
  EXPECT_EQ(ExtractFileName("C:Saver.SCR"), "Saver.SCR");
  EXPECT_EQ(ExtractFileName("/tmp/My Saver.scr"), "My Saver.scr");
  EXPECT_EQ(ExtractFileName("plain.scr"), "plain.scr");
  EXPECT_EQ(ExtractFileName("C:\\dir\\"), "");
}

TEST(IsPlainFileName, KeepsOrdinaryNames) {
  for (const char* ok : {"a.mid", "My Song.mp3", "\xE9t\xE9 \xE0 Paris.wav", "..a", "a..b.mid", ".hidden", "cone.d", "icon.mid",
                         "COM0", "COM10.mid", "LPTX", "nullify.mid", "-x-"}) {
    EXPECT_TRUE(IsPlainFileName(ok)) << ok;
  }
}

TEST(IsPlainFileName, RefusesNamesThatLeaveTheDirectoryOrWindowsCannotCreate) {
  for (const char* bad : {"", "..\\evil.txt", "../evil.txt", "sub\\a.mid", "C:evil.txt", "a.mid:stream", ".", "..",
                          "...", ". .", "  ", "a\tb", "CON", "nul", "Aux.mid", "com1", "LPT9.txt", "nul .txt",
                          // names Windows cannot create: its reserved characters, a dot or space at the end
                          "what?.mid", "a*.mid", "<a>.mid", "a|b", "say \"hi\".mid", "song.", "song "}) {
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  }
  EXPECT_FALSE(IsPlainFileName(std::string(256, 'a')));
  EXPECT_TRUE(IsPlainFileName(std::string(255, 'a')));
}

TEST(SystemFolders, AreTakenUpToTheFirstZeroByte) {
  platform::headless::THeadlessPlatform p;
  p.System().SetTempPath(std::string("C:\\TEMP\\\0junk", 13));
  p.System().SetSystemDirectory("D:\\WIN\\SYS");
  EXPECT_EQ(GetTempDir(p.System()), "C:\\TEMP\\");
  EXPECT_EQ(GetSystemDir(p.System()), "D:\\WIN\\SYS");
}

}  // namespace
}  // namespace scr::app
