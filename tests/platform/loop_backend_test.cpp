// The loop that the sdl and web backends share, on a desktop whose clock and waits are
// the test's: timers, posted closures, errors in handlers, waits, windows and their
// close, and the media player's notices.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/loop_desktop.h"
#include "platform/loop_media_player.h"
#include "platform/loop_timer.h"
#include "platform/loop_window.h"

namespace scr::platform {
namespace {

class TTestDesktop : public TLoopDesktop {
 public:
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle) override { return nullptr; }
  TRect ScreenRect() override { return TRect{0, 0, 640, 480}; }
  std::vector<TMonitor> Monitors() override { return {TMonitor{ScreenRect(), true}}; }
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec&, IWindowEvents*) override { return nullptr; }
  void ShowException(const std::string& message) override { errors.push_back(message); }
  double Now() const override { return now; }
  void Quit() { EndSession(); }

  double now = 1000;
  std::vector<uint32_t> waits;
  std::vector<std::string> errors;

 private:
  void DispatchInput() override {}
  // Waiting moves the clock on by the wait.
  void WaitForInput(uint32_t ms) override {
    waits.push_back(ms);
    now += ms;
  }
};

class TTestWindow : public TLoopWindow {
 public:
  TTestWindow(TLoopDesktop& desktop, IWindowEvents* events, TWindowHandle handle) : TLoopWindow(desktop, events, nullptr) {
    Opened(handle);
  }
  ~TTestWindow() override { Destroy(); }
  TRect Rect() const override { return TRect{10, 20, 110, 70}; }
};

struct TRecordingEvents : IWindowEvents {
  void Activated() override { log.push_back("activated"); }
  bool CloseQuery() override {
    log.push_back("close query");
    return agree;
  }
  void Destroyed() override { log.push_back("destroyed"); }
  bool UserMessage(uint32_t message, uintptr_t, intptr_t) override {
    log.push_back("message " + std::to_string(message));
    return true;
  }
  bool agree = false;
  std::vector<std::string> log;
};

TEST(LoopDesktop, TimersFireWhenDueSkipMissedPeriodsAndDropTicksDuringTheirHandler) {
  TTestDesktop desktop;
  TLoopTimer timer(desktop);
  std::vector<double> fired;
  timer.SetInterval(100);
  timer.SetOnTimer([&] {
    fired.push_back(desktop.now);
    if (fired.size() > 1) return;
    // A pump from inside the handler, after the next period began, fires nothing.
    desktop.now += 250;
    desktop.ProcessMessages();
  });
  timer.SetEnabled(true);
  desktop.now = 1099;
  desktop.ProcessMessages();
  EXPECT_TRUE(fired.empty());
  desktop.now = 1100;
  desktop.ProcessMessages();
  ASSERT_EQ(fired, std::vector<double>{1100});
  // Late at 1350: it fires once, and the next tick is an interval after that.
  desktop.ProcessMessages();
  ASSERT_EQ(fired, (std::vector<double>{1100, 1350}));
  desktop.now = 1449;
  desktop.ProcessMessages();
  EXPECT_EQ(fired.size(), 2u);
  desktop.now = 1450;
  desktop.ProcessMessages();
  EXPECT_EQ(fired.size(), 3u);
  timer.SetEnabled(false);
  desktop.now = 5000;
  desktop.ProcessMessages();
  EXPECT_EQ(fired.size(), 3u);
}

TEST(LoopDesktop, ClosuresRunInOrderOnePostedDuringATurnWaitsAndErrorsAreReported) {
  TTestDesktop desktop;
  std::vector<int> ran;
  desktop.Post([&] { ran.push_back(1); });
  desktop.Post([&] {
    ran.push_back(2);
    desktop.Post([&] { ran.push_back(4); });
    throw std::runtime_error("handler failed");
  });
  desktop.Post([&] { ran.push_back(3); });
  desktop.ProcessMessages();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(desktop.errors, std::vector<std::string>{"handler failed"});
  desktop.ProcessMessages();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
}

TEST(LoopDesktop, WaitsLastUntilTheNextTimerAtMostTheCapAndNotWithWorkWaiting) {
  TTestDesktop desktop;
  desktop.WaitForMessages(1000);
  TLoopTimer timer(desktop);
  timer.SetInterval(30);
  timer.SetOnTimer([] {});
  timer.SetEnabled(true);
  desktop.now += 0.25;  // a part of a millisecond is waited for in full
  desktop.WaitForMessages(5);
  desktop.WaitForMessages(1000);
  // Due now: the wait is one of nothing, which still gives the system its turn.
  desktop.WaitForMessages(1000);
  desktop.Post([] {});
  desktop.WaitForMessages(1000);
  EXPECT_EQ(desktop.waits, (std::vector<uint32_t>{1000, 5, 25, 0}));
}

TEST(LoopDesktop, WindowsAreFoundByHandleCloseFromTheLoopWhenTheirEventsAgree) {
  TTestDesktop desktop;
  TRecordingEvents events;
  TTestWindow window(desktop, &events, 7);
  EXPECT_TRUE(desktop.Exists(7));
  EXPECT_FALSE(desktop.IsVisible(7));
  EXPECT_EQ(desktop.ClientRect(7), (TRect{0, 0, 100, 50}));
  window.Show();
  EXPECT_TRUE(desktop.IsVisible(7));
  EXPECT_TRUE(desktop.PostMessageTo(7, 0x401, 0, 0));
  EXPECT_FALSE(desktop.PostMessageTo(8, 0x401, 0, 0));
  window.Close();
  EXPECT_TRUE(events.log.empty()) << "the activation, the message and the close come from the loop";
  desktop.ProcessMessages();
  EXPECT_EQ(events.log, (std::vector<std::string>{"activated", "message 1025", "close query"}));
  EXPECT_TRUE(window.Exists());
  events.agree = true;
  window.Close();
  desktop.ProcessMessages();
  EXPECT_FALSE(window.Exists());
  EXPECT_FALSE(desktop.Exists(7));
  EXPECT_EQ(events.log.back(), "destroyed");
}

TEST(LoopDesktop, RunEndsWithTheMainWindowOrTheSessionWhichHidesEveryWindow) {
  TTestDesktop desktop;
  TRecordingEvents events;
  TTestWindow main(desktop, &events, 1), other(desktop, nullptr, 2);
  main.Show();
  other.Show();
  int idle = 0;
  desktop.SetIdleHandler([&] {
    if (++idle == 3) desktop.Quit();
  });
  desktop.Run(main);
  EXPECT_EQ(idle, 3);
  EXPECT_FALSE(main.Visible());
  EXPECT_FALSE(other.Visible());

  TTestDesktop second;
  TRecordingEvents agreeing;
  agreeing.agree = true;
  TTestWindow closing(second, &agreeing, 1);
  second.SetIdleHandler([&] { closing.Close(); });
  second.Run(closing);
  EXPECT_FALSE(closing.Exists());
}

// A player whose track plays until the test ends it.
class TTestPlayer : public TLoopMediaPlayer {
 public:
  explicit TTestPlayer(TLoopDesktop& desktop) : TLoopMediaPlayer(desktop) {}
  ~TTestPlayer() override { CloseDevice(); }
  void Open() override {
    Consume();
    CloseDevice();
    open_ = true;
  }
  void Play() override { AwaitNotice(BeginPlay()); }
  bool IsOpen() const override { return open_; }
  void Ended() { EndPlay(TMPNotifyValue::Successful); }

 private:
  void StopTrack() override { EndPlay(TMPNotifyValue::Aborted); }
  void CloseDevice() override {
    if (!open_) return;
    StopTrack();
    open_ = false;
  }
  bool open_ = false;
};

TEST(LoopMediaPlayer, NoticesComeFromTheLoopAndSayHowThePlayEnded) {
  TTestDesktop desktop;
  std::vector<TMPNotifyValue> notices;
  auto player = std::make_unique<TTestPlayer>(desktop);
  player->SetOnNotify([&](TMPNotifyValue v) { notices.push_back(v); });
  EXPECT_THROW(player->Play(), EMediaPlayerError);
  player->Open();
  player->Play();
  player->Play();  // replaces the play that waits for its notice
  EXPECT_TRUE(notices.empty());
  desktop.ProcessMessages();
  EXPECT_EQ(notices, std::vector<TMPNotifyValue>{TMPNotifyValue::Superseded});
  player->Ended();
  player->SetNotify(false);
  player->Play();  // asks for no notice
  player->Ended();
  player->Play();
  player->SetNotify(true);
  player->Stop();  // ends the play, and asks for a notice of its own
  desktop.ProcessMessages();
  EXPECT_EQ(notices, (std::vector<TMPNotifyValue>{TMPNotifyValue::Superseded, TMPNotifyValue::Successful,
                                                  TMPNotifyValue::Aborted, TMPNotifyValue::Successful}));
  // A player that is gone sends nothing, not even the notice of its own end.
  player->Play();
  player.reset();
  desktop.ProcessMessages();
  EXPECT_EQ(notices.size(), 4u);
}

}  // namespace
}  // namespace scr::platform
