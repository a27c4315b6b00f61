// The screen services the saver window stands on: timers on virtual time, the idle turn, input routing and frame recording.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "platform/headless/headless_platform.h"

namespace scr::platform {
namespace {

using headless::THeadlessPlatform;

class ScreenTest : public ::testing::Test {
 protected:
  THeadlessPlatform p_;
  // Runs the loop on a hidden helper window until virtual time `until`.
  void RunUntil(uint64_t until) {
    TWindowSpec desc;
    auto w = p_.Windowing().CreateTopWindow(desc, nullptr);
    p_.Desktop().At(until, [&w] { w->Close(); });
    p_.Application().Run(*w);
  }
};

TEST_F(ScreenTest, TimersTickEveryIntervalWhileEnabledAndRestartWhenEnabledAgain) {
  std::unique_ptr<ITimer> t = p_.Screen().CreateTimer();
  EXPECT_EQ(t->Interval(), 1000u);
  EXPECT_FALSE(t->Enabled());
  std::vector<uint64_t> ticks;
  t->SetOnTimer([&] {
    ticks.push_back(p_.Desktop().Now());
    if (ticks.size() == 2) {
      t->SetEnabled(false);
      // Off and on again later: a new period starts then.
      p_.Desktop().At(p_.Desktop().Now() + 250, [&] { t->SetEnabled(true); });
    }
  });
  t->SetInterval(300);
  RunUntil(100);  // disabled: nothing
  EXPECT_TRUE(ticks.empty());
  t->SetEnabled(true);  // at 100
  RunUntil(1600);
  // Enabled again at 950: the next period starts there.
  EXPECT_EQ(ticks, (std::vector<uint64_t>{400, 700, 1250, 1550}));
  t->SetInterval(0);  // no interval, no ticks
  const size_t before = ticks.size();
  RunUntil(5000);
  EXPECT_EQ(ticks.size(), before);
}

TEST_F(ScreenTest, AnIdleHandlerThatKeepsPostingIsCaughtAsAStall) {
  TWindowSpec desc;
  auto w = p_.Windowing().CreateTopWindow(desc, nullptr);
  p_.Screen().SetIdleHandler([&] { p_.Windowing().PostMessageTo(w->Handle(), 0x401, 0, 0); });
  EXPECT_THROW(p_.Application().Run(*w), headless::EHeadlessStall);
}

struct TInputLog : IScreenWindowEvents {
  std::vector<std::string> seen;
  void Showing() override { seen.push_back("showing"); }
  void KeyDown(uint16_t key, TShiftBits) override { seen.push_back("key " + std::to_string(key)); }
  void MouseMove(TShiftBits, int x, int y) override {
    seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseDown(TButton b, TShiftBits, int x, int y) override {
    seen.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  bool CloseQuery() override {
    seen.push_back("closequery");
    return true;
  }
  void Closing() override { seen.push_back("closing"); }
  void Destroyed() override { seen.push_back("destroyed"); }
};

TEST_F(ScreenTest, InputReachesTheTopmostVisibleScreenWindowInClientCoordinates) {
  TInputLog events;
  TWindowSpec desc;
  desc.bounds = TRect{100, 50, 300, 250};
  std::unique_ptr<IScreenWindow> w = p_.Screen().CreateScreenWindow(desc, &events);
  EXPECT_FALSE(p_.Screen().PostKeyDown(65));  // hidden: no target
  w->Show();
  EXPECT_TRUE(p_.Screen().PostKeyDown(65));
  p_.Screen().PostMouseMove(110, 60);
  p_.Screen().PostMouseDown(TButton::Middle, 120, 70);
  p_.Application().ProcessMessages();
  w->Close();
  p_.Application().ProcessMessages();
  EXPECT_EQ(events.seen, (std::vector<std::string>{"showing", "key 65", "move 10,10", "down 2 20,20", "closequery",
                                                   "closing", "destroyed"}));
}

TEST_F(ScreenTest, RecordedFramesGoToTheNamedFolder) {
  const std::filesystem::path dir = std::filesystem::path(SCR_TEST_OUTPUT_DIR) / "recorded-frames";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  setenv("SCR_HEADLESS_FRAMES", dir.c_str(), 1);
  THeadlessPlatform recording;
  unsetenv("SCR_HEADLESS_FRAMES");
  TWindowSpec desc;
  desc.bounds = TRect{0, 0, 1024, 768};
  desc.color = 0x0000FF;
  std::unique_ptr<IScreenWindow> w = recording.Screen().CreateScreenWindow(desc, nullptr);
  w->Show();
  recording.Screen().PaintPending();
  ASSERT_EQ(recording.Screen().FramesPresented(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "frame-000001.bmp"));
  EXPECT_EQ(recording.Screen().Snapshot().Pixel(5, 5), 0x0000FFu);
  // Nothing waits to be repainted: no further frame.
  recording.Screen().PaintPending();
  EXPECT_EQ(recording.Screen().FramesPresented(), 1);
}

}  // namespace
}  // namespace scr::platform
