#include "hook/wexel_notify.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/hook_host.h"
#include "hook/wexkhlib.h"

namespace scr {
namespace {

using platform::headless::THeadlessHookHost;

struct WexelNotify : ::testing::Test {
  void SetUp() override { wexkhlib::Unload(); }
  void TearDown() override { wexkhlib::Unload(); }

  // A component with the library loaded, recording what it hears.
  std::unique_ptr<TWexelNotify> MakeLoaded() {
    auto notify = std::make_unique<TWexelNotify>(host);
    notify->LoadHookLibrary();
    notify->OnMessage = [this](TWexelNotify&, TNuvMessage M, bool& fDiscard) {
      heard.push_back(M);
      fDiscard = discard;
    };
    notify->OnChange = [this](TWexelNotify& sender) { changes.push_back(sender.Enabled()); };
    return notify;
  }

  THeadlessHookHost host;
  std::vector<TNuvMessage> heard;
  std::vector<bool> changes;
  bool discard = false;
};

TEST(HookLibraryPath, IsTheSystemDirectoryAndTheBaseName) {
  EXPECT_EQ(wexkhlib::HookLibraryPath("C:\\WINDOWS\\system32"), "C:\\WINDOWS\\system32\\nuvscrhook");
  EXPECT_EQ(wexkhlib::HookLibraryPath("C:\\"), "C:\\nuvscrhook");
}

TEST_F(WexelNotify, LoadingFindsTheLibraryInTheSystemDirectory) {
  host.SetSystemDirectory("D:\\WINNT\\System32");
  TWexelNotify notify(host);
  notify.LoadHookLibrary();
  EXPECT_EQ(host.LoadedPaths(), std::vector<std::string>{"D:\\WINNT\\System32\\nuvscrhook"});
  EXPECT_TRUE(wexkhlib::Loaded());
  EXPECT_TRUE(host.MessageBoxes().empty());
  EXPECT_EQ(host.ExitCode(), std::nullopt);

  // The library stays loaded after the component goes; loading it again releases the
  // earlier copy.
  notify.LoadHookLibrary();
  EXPECT_EQ(host.Unloads(), 1);
  wexkhlib::Unload();
  EXPECT_EQ(host.Unloads(), 2);
}

TEST_F(WexelNotify, AMissingLibraryIsReportedAndEnablingThenFails) {
  host.SetLibraryPresent(false);
  auto notify = MakeLoaded();
  ASSERT_EQ(host.MessageBoxes().size(), 1u);
  EXPECT_EQ(host.MessageBoxes()[0].Text, "Could not load DLL: nuvscrhook");
  EXPECT_EQ(host.MessageBoxes()[0].Caption, "Error");
  EXPECT_EQ(host.ExitCode(), -1);
  EXPECT_FALSE(wexkhlib::Loaded());

  // The absent entry points answer -1 and 0.
  EXPECT_EQ(wexkhlib::InstallHook(0x42, WM_INPUTHOOK), -1);
  EXPECT_EQ(wexkhlib::UninstallHook(0x42), 0);

  try {
    notify->SetEnabled(true);
    FAIL() << "enabling without the library succeeded";
  } catch (const ENuvNotifyError& e) {
    EXPECT_EQ(e.Message(), "Install Hook Error!");
  }
  EXPECT_FALSE(notify->Enabled());
  EXPECT_EQ(notify->HookWindow(), 0u);
  EXPECT_EQ(host.WindowCount(), 0u);  // the window made for the attempt is gone again
  EXPECT_TRUE(changes.empty());
}

TEST_F(WexelNotify, EnablingFailsWhenTheLibraryRefusesTheWindow) {
  // A library without the exports, a refused journal hook, a full table.
  host.SetEntryPointsPresent(false);
  auto noExports = MakeLoaded();
  EXPECT_THROW(noExports->SetEnabled(true), ENuvNotifyError);

  host.SetEntryPointsPresent(true);
  host.SetRefuseJournalHook(true);
  auto refused = MakeLoaded();
  EXPECT_THROW(refused->SetEnabled(true), ENuvNotifyError);
  EXPECT_EQ(host.Table().Count, 0);

  host.SetRefuseJournalHook(false);
  for (int i = 0; i < 64; ++i) wexkhlib::InstallHook(0x900000 + i, WM_INPUTHOOK);
  auto full = MakeLoaded();
  EXPECT_THROW(full->SetEnabled(true), ENuvNotifyError);
  EXPECT_EQ(host.LastError(), 14u);
  EXPECT_FALSE(full->Enabled());
  EXPECT_EQ(host.WindowCount(), 0u);

  // A system that refuses the hidden window fails the same way, without calling the library.
  host.SetRefuseWindows(true);
  const size_t installs = host.InstallCalls().size();
  TWexelNotify noWindow(host);
  EXPECT_THROW(noWindow.SetEnabled(true), ENuvNotifyError);
  EXPECT_EQ(host.InstallCalls().size(), installs);
}

TEST_F(WexelNotify, EnablingAndDisablingAreDoneOnceAndNotified) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  ASSERT_TRUE(notify->Enabled());
  const TWindowHandle window = notify->HookWindow();
  EXPECT_TRUE(host.WindowExists(window));
  ASSERT_EQ(host.InstallCalls().size(), 1u);
  EXPECT_EQ(host.InstallCalls()[0].Window, window);
  EXPECT_EQ(host.InstallCalls()[0].Message, 1960u);
  EXPECT_TRUE(host.JournalHookInstalled());

  notify->SetEnabled(true);  // already enabled: nothing at all
  EXPECT_EQ(host.InstallCalls().size(), 1u);
  EXPECT_EQ(notify->HookWindow(), window);

  notify->SetEnabled(false);
  EXPECT_FALSE(notify->Enabled());
  EXPECT_FALSE(host.WindowExists(window));
  ASSERT_EQ(host.UninstallCalls().size(), 1u);
  EXPECT_EQ(host.UninstallCalls()[0].Window, window);
  EXPECT_FALSE(host.JournalHookInstalled());  // removed with the last entry

  notify->SetEnabled(false);
  EXPECT_EQ(host.UninstallCalls().size(), 1u);
  EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(WexelNotify, DestructionDisables) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  const TWindowHandle window = notify->HookWindow();
  notify.reset();
  EXPECT_FALSE(host.WindowExists(window));
  EXPECT_EQ(host.Table().Count, 0);
  EXPECT_EQ(changes, (std::vector<bool>{true, false}));

  // A disabled component goes without touching the library.
  auto idle = MakeLoaded();
  idle.reset();
  EXPECT_EQ(host.UninstallCalls().size(), 1u);
}

TEST_F(WexelNotify, EventsReachOnMessageAndDiscardEndsTheForwarding) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  // A second window after the component's, as another program would enter it.
  int laterHeard = 0;
  const TWindowHandle later = host.CreateHookWindow([&](TNuvMessage& M) {
    ++laterHeard;
    M.Result = 0;
  });
  ASSERT_EQ(wexkhlib::InstallHook(later, WM_INPUTHOOK), 1);

  EXPECT_EQ(host.InjectEvent(0x200), 0);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Msg, 1960u);
  EXPECT_EQ(heard[0].EventMessage, 0x200u);
  EXPECT_NE(heard[0].LParam, 0);
  EXPECT_EQ(laterHeard, 1);

  discard = true;
  EXPECT_EQ(host.InjectEvent(0x101), 1);
  EXPECT_EQ(heard.back().EventMessage, 0x101u);
  EXPECT_EQ(laterHeard, 1);
}

TEST_F(WexelNotify, ANoticeWithoutEventRecordArrivesWithoutEventMessage) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  discard = true;
  EXPECT_EQ(host.InjectNotice(4), 1);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Msg, 1960u);
  EXPECT_EQ(heard[0].LParam, 0);
  EXPECT_EQ(heard[0].EventMessage, std::nullopt);
}

TEST_F(WexelNotify, TheWindowAnswersOnlyItsOwnMessage) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  discard = true;
  // Any other message: result 0 and no dispatch.
  EXPECT_EQ(host.SendToWindow(notify->HookWindow(), 1961, 1, 2), 0);
  EXPECT_EQ(host.SendToWindow(notify->HookWindow(), 0x10 /* close */, 0, 0), 0);
  EXPECT_TRUE(heard.empty());
  EXPECT_TRUE(notify->Enabled());
  // Its own message sent directly: dispatched, answered from fDiscard.
  EXPECT_EQ(host.SendToWindow(notify->HookWindow(), 1960, 3, 0), 1);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].WParam, 3u);

  // Without a handler the answer is 0.
  notify->OnMessage = nullptr;
  EXPECT_EQ(host.SendToWindow(notify->HookWindow(), 1960, 0, 0), 0);
}

TEST_F(WexelNotify, AHandlerMayFreeTheComponentWhileHandlingAnEvent) {
  auto notify = MakeLoaded();
  notify->SetEnabled(true);
  notify->OnMessage = [&](TWexelNotify&, TNuvMessage, bool& fDiscard) {
    fDiscard = true;
    notify.reset();  // the saver window closing on this event frees its component
  };
  EXPECT_EQ(host.InjectEvent(0x100), 1);
  EXPECT_EQ(notify, nullptr);
  EXPECT_EQ(host.Table().Count, 0);
  EXPECT_EQ(host.WindowCount(), 0u);
  EXPECT_EQ(host.InjectEvent(0x100), 0);  // the hook went with the last entry
}

}  // namespace
}  // namespace scr
