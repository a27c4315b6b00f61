// The player's command line: modes, the window size, hack mode from --root or the
// daemon's window id, and the usage errors that end it with status 2.
#include <gtest/gtest.h>

#include "tools/scrplay/play_args.h"

namespace scr::play {
namespace {

TPlayArgs Parse(std::vector<std::string> args, const char* daemonWindow = nullptr) {
  return ParsePlayArgs(args, daemonWindow);
}

TEST(PlayArgs, ModesAndOptions) {
  TPlayArgs a = Parse({"x.scr"});
  EXPECT_EQ(a.saver, "x.scr");
  EXPECT_EQ(a.mode, TPlayMode::Saver);
  EXPECT_FALSE(a.window);
  EXPECT_FALSE(a.hackWindow);
  EXPECT_FALSE(a.mute);

  a = Parse({"--window", "800x600", "--mute", "x.scr"});
  EXPECT_EQ(a.window, (std::pair<int, int>(800, 600)));
  EXPECT_TRUE(a.mute);

  a = Parse({"x.scr", "--preview", "--window", "152X112"});
  EXPECT_EQ(a.mode, TPlayMode::Preview);
  EXPECT_EQ(a.window, (std::pair<int, int>(152, 112)));

  EXPECT_EQ(Parse({"x.scr", "--root"}).hackWindow, uintptr_t{0});  // 0: the root window
  EXPECT_EQ(Parse({"x.scr", "--info", "--mute"}).mode, TPlayMode::Info);
}

TEST(PlayArgs, TheDaemonsWindowMakesHackModeWhateverElseIsAsked) {
  EXPECT_EQ(Parse({"x.scr", "--root"}, "0x600008").hackWindow, uintptr_t{0x600008});
  EXPECT_EQ(Parse({"x.scr"}, "6291464").hackWindow, uintptr_t{6291464});
  const TPlayArgs a = Parse({"x.scr", "--window", "640x480"}, "0x600008");
  EXPECT_EQ(a.hackWindow, uintptr_t{0x600008});
  EXPECT_FALSE(a.window);
  // An empty value is no window; --info stays --info.
  EXPECT_FALSE(Parse({"x.scr"}, "").hackWindow);
  EXPECT_EQ(Parse({"x.scr", "--info"}, "0x600008").mode, TPlayMode::Info);
  EXPECT_THROW(Parse({"x.scr"}, "window"), EUsage);
}

TEST(PlayArgs, HackConventionsOfTheDaemons) {
  EXPECT_EQ(Parse({"-root", "x.scr"}).hackWindow, uintptr_t{0});
  EXPECT_EQ(Parse({"x.scr", "-window-id", "0x1a00003"}).hackWindow, uintptr_t{0x1a00003});
  EXPECT_EQ(Parse({"x.scr", "--window-id", "27262979"}).hackWindow, uintptr_t{27262979});
  // A window named on the command line wins over the daemon's variable.
  EXPECT_EQ(Parse({"x.scr", "--window-id", "0x42"}, "0x600008").hackWindow, uintptr_t{0x42});
  EXPECT_EQ(Parse({"x.scr", "--window-id", "0x42"}, "junk").hackWindow, uintptr_t{0x42});
  EXPECT_EQ(Parse({"x.scr", "-root"}, "0x600008").hackWindow, uintptr_t{0x600008});
  EXPECT_TRUE(Parse({"x.scr", "--software"}).software);
  // --help and --version need no saver and override mistakes elsewhere.
  EXPECT_EQ(Parse({"--help"}).mode, TPlayMode::Help);
  EXPECT_EQ(Parse({"x.scr", "--bogus", "-h"}).mode, TPlayMode::Help);
  EXPECT_EQ(Parse({"--version"}).mode, TPlayMode::Version);
}

TEST(PlayArgs, WrongUsage) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"--mute"},
      {"a.scr", "b.scr"},
      {"a.scr", "--fullscreen"},
      {"a.scr", "-s"},
      {"a.scr", "--window"},
      {"a.scr", "--info", "--root"},
      {"a.scr", "--info", "--window", "10x10"},
      {"a.scr", "--root", "--window", "10x10"},
      {"a.scr", "--window-id"},
      {"a.scr", "-window-id", "0"},
      {"a.scr", "--window-id", "root"},
      {"a.scr", "--window-id", "0x42", "--window", "10x10"},
      {"a.scr", "--info", "-window-id", "0x42"},
      {"a.scr", "--Root"},
  };
  for (const auto& args : wrong) EXPECT_THROW(Parse(args), EUsage) << ::testing::PrintToString(args);
}

TEST(PlayArgs, WindowSizes) {
  EXPECT_EQ(ParseWindowSize("1x1"), (std::pair<int, int>(1, 1)));
  EXPECT_EQ(ParseWindowSize("16384x16384"), (std::pair<int, int>(16384, 16384)));
  for (const char* bad : {"", "x", "800", "800x", "x600", "0x600", "800x0", "16385x10", "-3x4", "+3x4", "3x4x5",
                          " 3x4", "3x4 ", "99999999999999999999x1", "3.5x4"})
    EXPECT_FALSE(ParseWindowSize(bad)) << bad;
}

TEST(PlayArgs, WindowIds) {
  EXPECT_EQ(ParseWindowId("0x600008"), uintptr_t{0x600008});
  EXPECT_EQ(ParseWindowId("0XFF"), uintptr_t{255});
  EXPECT_EQ(ParseWindowId("4294967295"), uintptr_t{0xFFFFFFFFu});
  for (const char* bad : {"", "0", "0x", "0x0", "12a", "+5", "-5", " 5", "5 ", "0x1FFFFFFFF", "4294967296", "0xg"})
    EXPECT_FALSE(ParseWindowId(bad)) << bad;
}

}  // namespace
}  // namespace scr::play
