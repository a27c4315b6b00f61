// The entry driven in-process on the headless backend: which steps run in each mode,
// in which order, and what the preview draws.
#include <gtest/gtest.h>

#include "app/entry.h"
#include "app/globals.h"
#include "hook/wexel_notify.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "platform/headless/headless_platform.h"
#include "tests/support/saver_files.h"

namespace scr::app {
namespace {

using platform::headless::THeadlessPlatform;

constexpr platform::TWindowHandle kPanel = 4660;  // the control panel's preview window
const char* const kSemaphore = "TEST.SCRSemaphore";

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }

  int Run(std::vector<std::string> args, const TEntryForms& forms = TEntryForms{}) {
    return RunEntry(p_, args, forms);
  }
  std::vector<std::string> Steps() {
    return p_.Log().Only({"CreateSemaphore", "CloseHandle", "CoInitialize", "ProcessMessages", "LoadLibrary",
                          "GetProcAddress", "PwdChangePasswordA", "FreeLibrary", "GetWindowRect", "OpenRead",
                          "GetDC", "DrawBitmap", "ReleaseDC", "CloseFile", "CreateWindow", "ShowWindow",
                          "MessageLoop", "test:"});
  }
  std::vector<std::string> Unique(std::vector<std::string> steps) const {
    // Consecutive repeats (the waits' turns) count once.
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    return steps;
  }
  void Mark(const std::string& what) { p_.Log().Add("test: " + what); }

  THeadlessPlatform p_;
};

// A form whose window closes itself once the loop has run an idle turn.
struct TRecordingForm : TMainForm, platform::IWindowEvents {
  explicit TRecordingForm(platform::TPlatform& p, const char* caption) {
    platform::TWindowSpec desc;
    desc.caption = caption;
    window = p.Windowing().CreateTopWindow(desc, this);
  }
  platform::IWindow& Window() override { return *window; }
  void Activated() override { window->Close(); }
  std::unique_ptr<platform::IWindow> window;
};

TEntryForms RecordingForms() {
  return TEntryForms{[](platform::TPlatform& p) { return std::make_unique<TRecordingForm>(p, "setup"); },
                     [](platform::TPlatform& p) { return std::make_unique<TRecordingForm>(p, "saver"); }};
}

TEST_F(EntryTest, PasswordChangeCallsTheServiceAndTakesNoLock) {
  EXPECT_EQ(Run({"/a", "1234"}), 0);
  EXPECT_EQ(RunMode, TRunMode::rmChangePassword);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"LoadLibrary C:\\WINDOWS\\SYSTEM32\\MPR.DLL",
                                               "GetProcAddress PwdChangePasswordA",
                                               "PwdChangePasswordA SCRSAVE 1234 0 0",
                                               "FreeLibrary C:\\WINDOWS\\SYSTEM32\\MPR.DLL"}));
}

TEST_F(EntryTest, PasswordChangeVariants) {
  // A system directory that ends in a backslash gets no second one.
  p_.System().SetSystemDirectory("C:\\WINDOWS\\SYSTEM32\\");
  Run({"abc", "$10"});
  EXPECT_TRUE(p_.Log().Has("LoadLibrary C:\\WINDOWS\\SYSTEM32\\MPR.DLL"));
  EXPECT_TRUE(p_.Log().Has("PwdChangePasswordA SCRSAVE 16 0 0"));

  // Without a handle: the library is loaded and unloaded, nothing is called.
  p_.Log().Clear();
  Run({"-A"});
  EXPECT_TRUE(p_.Log().Has("FreeLibrary"));
  EXPECT_FALSE(p_.Log().Has("PwdChangePasswordA"));

  // The lock of a running instance does not stop a password change.
  auto held = p_.System().CreateNamedSemaphore(kSemaphore, 0, 1);
  p_.Log().Clear();
  Run({"/A", "7"});
  EXPECT_TRUE(p_.Log().Has("PwdChangePasswordA SCRSAVE 7 0 0"));
  EXPECT_FALSE(p_.Log().Has("CreateSemaphore"));
}

TEST_F(EntryTest, PasswordChangeWithoutTheServiceEndsQuietly) {
  p_.System().AddLibrary("C:\\WINDOWS\\SYSTEM32\\MPR.DLL", {"SomethingElse"});
  Run({"/a", "1"});
  EXPECT_FALSE(p_.Log().Has("PwdChangePasswordA"));
  EXPECT_TRUE(p_.Log().Has("FreeLibrary"));

  p_.System().RemoveLibrary("C:\\WINDOWS\\SYSTEM32\\MPR.DLL");
  p_.Log().Clear();
  EXPECT_EQ(Run({"/a", "1"}), 0);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"LoadLibrary C:\\WINDOWS\\SYSTEM32\\MPR.DLL failed"}));
}

TEST_F(EntryTest, SetupAndSaverRunTheirFormInTheMessageLoopUnderTheLock) {
  struct Case {
    std::vector<std::string> args;
    TRunMode mode;
    const char* caption;
  };
  for (const Case& c : {Case{{}, TRunMode::rmSetup, "setup"}, Case{{""}, TRunMode::rmSetup, "setup"},
                        Case{{"/c:1234"}, TRunMode::rmSetup, "setup"}, Case{{"c"}, TRunMode::rmSetup, "setup"},
                        Case{{"/s"}, TRunMode::rmSaver, "saver"}, Case{{"/x", "junk"}, TRunMode::rmSaver, "saver"}}) {
    p_.Log().Clear();
    Run(c.args, RecordingForms());
    EXPECT_EQ(RunMode, c.mode);
    const auto steps = Steps();
    ASSERT_GE(steps.size(), 6u);
    EXPECT_EQ(steps[0], std::string("CreateSemaphore ") + kSemaphore + " 0 1");
    EXPECT_EQ(steps[1], "CoInitialize");
    EXPECT_EQ(steps[2], "ProcessMessages");
    EXPECT_EQ(steps[3].substr(0, 13), "CreateWindow ");
    EXPECT_NE(steps[3].find(std::string("\"") + c.caption + "\""), std::string::npos) << steps[3];
    EXPECT_EQ(steps[4].substr(0, 10), "ShowWindow");
    EXPECT_EQ(steps[5], "MessageLoop");
    EXPECT_EQ(steps.back(), std::string("CloseHandle ") + kSemaphore);
    EXPECT_EQ(p_.System().SemaphoreHolders(kSemaphore), 0);
  }
}

TEST_F(EntryTest, SecondInstanceEndsAtOnceInEveryModeButPasswordChange) {
  auto first = p_.System().CreateNamedSemaphore(kSemaphore, 0, 1);
  p_.Desktop().AddForeignWindow(kPanel, TRect{0, 0, 50, 40}, true);
  p_.Files().SetFile("C:\\SAVERS\\TEST.SCR", test::PreviewSaver(test::PatternBitmap(8, 8)));
  for (std::vector<std::string> args : {std::vector<std::string>{"/p", "4660"}, {"/c"}, {"/s"}, {}}) {
    p_.Log().Clear();
    Run(args, RecordingForms());
    EXPECT_EQ(Steps(), (std::vector<std::string>{std::string("CreateSemaphore ") + kSemaphore + " 0 1",
                                                 std::string("CloseHandle ") + kSemaphore}));
  }
  EXPECT_EQ(p_.System().SemaphoreHolders(kSemaphore), 1);
}

TEST_F(EntryTest, TheLockIsNamedAfterTheExecutablesFileName) {
  p_.System().SetExecutablePath("Z:\\tmp\\Build Dir\\My Saver.Scr");
  Run({"/s"}, RecordingForms());
  EXPECT_TRUE(p_.Log().Has("CreateSemaphore My Saver.ScrSemaphore 0 1"));
  EXPECT_EQ(InstanceSemaphoreName("C:\\A\\B.SCR"), "B.SCRSemaphore");
}

TEST_F(EntryTest, AFailedSemaphoreDoesNotStopTheRun) {
  p_.System().SetSemaphoresFail(true);
  Run({"/s"}, RecordingForms());
  EXPECT_TRUE(p_.Log().Has("MessageLoop"));
  EXPECT_FALSE(p_.Log().Has("CloseHandle"));
}

TEST_F(EntryTest, AnErrorInAFormEndsTheRunQuietlyAndReleasesTheLock) {
  TEntryForms forms{nullptr, [](platform::TPlatform&) -> std::unique_ptr<TMainForm> {
                      throw std::runtime_error("form failed");
                    }};
  EXPECT_EQ(Run({"/s"}, forms), 0);
  EXPECT_EQ(p_.System().SemaphoreHolders(kSemaphore), 0);
  EXPECT_FALSE(p_.Log().Has("ShowException"));
}

TEST_F(EntryTest, AHookLibraryThatDoesNotLoadEndsTheProcessWithMinusOne) {
  // A saver form that loads the hook library on creation, as the movie mode does.
  auto hookForm = [](bool thenFail) {
    return [thenFail](platform::TPlatform& p) -> std::unique_ptr<TMainForm> {
      TWexelNotify notify(p.Hooks());
      notify.LoadHookLibrary();
      if (thenFail) throw std::runtime_error("form failed");
      return std::make_unique<TRecordingForm>(p, "saver");
    };
  };
  EXPECT_EQ(Run({"/s"}, TEntryForms{nullptr, hookForm(false)}), 0);  // the library loads

  p_.Hooks().SetLibraryPresent(false);
  EXPECT_EQ(Run({"/s"}, TEntryForms{nullptr, hookForm(false)}), -1);
  EXPECT_TRUE(p_.Log().Has("MessageLoop end"));  // the run went on to its end
  // An error later in the run keeps the code.
  EXPECT_EQ(Run({"/s"}, TEntryForms{nullptr, hookForm(true)}), -1);
}

class PreviewTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    picture_ = test::PatternBitmap(160, 120);
    p_.Files().SetFile("C:\\SAVERS\\TEST.SCR", test::PreviewSaver(picture_));
    // A 152 x 112 preview window that the control panel shows at 1000 ms and hides
    // at 6000 ms.
    p_.Desktop().AddForeignWindow(kPanel, TRect{300, 200, 452, 312}, false, 0x00FF00FF);
    p_.Desktop().At(1000, [this] {
      Mark("shown");
      p_.Desktop().SetVisible(kPanel, true);
    });
    p_.Desktop().At(6000, [this] {
      Mark("hidden");
      p_.Desktop().SetVisible(kPanel, false);
    });
  }
  TBitmap24 picture_;
};

TEST_F(PreviewTest, DrawsTheFirstPictureOnceAfterTheWindowShowsAndEndsWhenItHides) {
  Run({"/p", "4660"});
  EXPECT_EQ(RunMode, TRunMode::rmPreview);
  EXPECT_EQ(Unique(Steps()),
            (std::vector<std::string>{std::string("CreateSemaphore ") + kSemaphore + " 0 1", "CoInitialize",
                                      "ProcessMessages", "test: shown", "GetWindowRect 4660",
                                      "OpenRead C:\\SAVERS\\TEST.SCR", "GetDC 4660",
                                      // The picture goes to (0, 0)-(153, 113), cut to the client area.
                                      "DrawBitmap 4660 0,0,152,112 152x112", "ProcessMessages", "test: hidden",
                                      "ReleaseDC 4660", "CloseFile C:\\SAVERS\\TEST.SCR",
                                      std::string("CloseHandle ") + kSemaphore}));
  EXPECT_EQ(p_.Desktop().Foreign(kPanel)->surface, test::ExpectedPreview(picture_, 152, 112));
  EXPECT_GE(p_.Desktop().Now(), 6000u);
  EXPECT_FALSE(p_.Log().Has("Stall"));
}

TEST_F(PreviewTest, TheWaitsSleepBetweenVisibilityTests) {
  Run({"/p", "4660"});
  // Six virtual seconds of waiting: one test per poll interval, not a busy loop.
  const size_t tests = p_.Log().Count("IsWindowVisible");
  EXPECT_GT(tests, 6000 / 100u);
  EXPECT_LT(tests, 6000 / 10u);
  EXPECT_EQ(p_.Log().Count("WaitForMessages"), tests - 2);
}

TEST_F(PreviewTest, NothingIsDrawnWhenTheFirstItemIsNoImage) {
  TPackageBuilder flash(test::FakeRuntime());
  flash.AddMovie("movie.swf", std::vector<uint8_t>(500, 0x46));
  flash.Settings().SetVer("flash");
  TSSFileLocations other;
  TPackageBuilder settingsFirst(test::FakeRuntime());
  settingsFirst.SetPreview(WriteComponentStream(other));
  const std::vector<std::vector<uint8_t>> files = {
      flash.Build().bytes,
      settingsFirst.Build().bytes,  // a component of another class
      test::FakeRuntime(),          // no package: the trailer is zero bytes
      std::vector<uint8_t>(39, ' '),  // shorter than a trailer
  };
  for (const auto& file : files) {
    p_.Files().SetFile("C:\\SAVERS\\TEST.SCR", file);
    p_.Log().Clear();
    p_.Desktop().SetVisible(kPanel, true);
    Run({"/p", "4660"});
    EXPECT_FALSE(p_.Log().Has("DrawBitmap"));
    EXPECT_TRUE(p_.Log().Has("OpenRead"));
    // It ends at once: no wait for the window to be hidden after the file was read.
    EXPECT_EQ(p_.Log().Find("IsWindowVisible", p_.Log().Find("OpenRead")), platform::headless::TCallLog::npos);
    EXPECT_EQ(p_.System().SemaphoreHolders(kSemaphore), 0);
  }
}

TEST_F(PreviewTest, BadHandlesEndQuietly) {
  for (std::vector<std::string> args : {std::vector<std::string>{"/p"}, {"/p", "panel"}, {"/p", ""}, {"-P", "12x"}}) {
    p_.Log().Clear();
    Run(args);
    EXPECT_FALSE(p_.Log().Has("IsWindowVisible"));
    EXPECT_FALSE(p_.Log().Has("OpenRead"));
  }
  // A handle that names no window: no endless wait for it to show.
  p_.Log().Clear();
  Run({"/p", "999"});
  EXPECT_FALSE(p_.Log().Has("OpenRead"));
  EXPECT_FALSE(p_.Log().Has("Stall"));
}

TEST_F(PreviewTest, AWindowDestroyedWhileShownEndsThePreview) {
  p_.Desktop().At(3000, [this] { p_.Desktop().RemoveForeignWindow(kPanel); });
  Run({"/p", "4660"});
  EXPECT_TRUE(p_.Log().Has("DrawBitmap"));
  EXPECT_FALSE(p_.Log().Has("Stall"));
  EXPECT_LT(p_.Desktop().Now(), 6000u);
}

TEST_F(PreviewTest, AnUnreadableExecutableEndsQuietly) {
  p_.System().SetExecutablePath("C:\\SAVERS\\MISSING.SCR");
  Run({"/p", "4660"});
  EXPECT_TRUE(p_.Log().Has("OpenRead C:\\SAVERS\\MISSING.SCR failed"));
  EXPECT_FALSE(p_.Log().Has("GetDC"));
  EXPECT_EQ(p_.System().SemaphoreHolders("MISSING.SCRSemaphore"), 0);
}

}  // namespace
}  // namespace scr::app
