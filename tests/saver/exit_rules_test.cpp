// The saver window's set-up and its exit rules: mouse movement, keys, clicks, the
// password check and what closing leaves behind.
#include "tests/saver/saver_fixture.h"

namespace scr::saver::test {
namespace {

constexpr const char* kPasswordCpl = "C:\\WINDOWS\\SYSTEM32\\PASSWORD.CPL";

class ExitRulesTest : public SaverTest {
 protected:
  void UsePassword(std::optional<int32_t> value, bool library = true) {
    p_.Screen().SetRegistryKey(kDesktopKey);
    p_.Screen().SetRegistryInteger(kDesktopKey, kUsePasswordValue, value);
    if (library) p_.System().AddLibrary(kPasswordCpl, {kVerifyPasswordExport});
  }
  void Move(int x, int y) {
    p_.Screen().PostMouseMove(x, y);
    Pump();
  }
};

TEST_F(ExitRulesTest, SetUpCoversTheScreenTopmostAndTellsTheSystem) {
  AddPictures(1);
  TfrmScrn& form = StartAndSetUp();
  EXPECT_FALSE(form.Initializing());
  EXPECT_EQ(form.Window().Bounds(), (TRect{0, 0, 1024, 768}));
  EXPECT_TRUE(form.Window().Topmost());
  EXPECT_EQ(form.Window().Color(), 0u);
  EXPECT_TRUE(p_.Screen().ScreenSaverRunning());
  EXPECT_EQ(p_.Screen().CursorCount(), -1);  // hidden: lShowMouseCursor is off
  EXPECT_EQ(form.LastMouseX(), -1);
  EXPECT_EQ(form.SlideTimer().Interval(), 2000u);
  EXPECT_FALSE(form.SlideTimer().Enabled());
  // The order of the steps that reach the system.
  EXPECT_EQ(p_.Log().Only({"HideTaskbarEntry", "OpenRead", "ShowCursor", "CloseFile", "SetBounds", "SetIdleHandler",
                           "SetWindowPos", "SystemParametersInfo"}),
            (std::vector<std::string>{"HideTaskbarEntry", "OpenRead C:\\SAVERS\\TEST.SCR",
                                      "OpenRead C:\\SAVERS\\CONTROL.INI failed 2",
                                      "CloseFile C:\\WINDOWS\\SYSTEM32\\nuvscrhook.dll", "ShowCursor 0 -1",
                                      "CloseFile C:\\SAVERS\\TEST.SCR", "SetBounds 0,0,1024,768", "SetIdleHandler",
                                      "SetWindowPos HWND_TOPMOST", "SystemParametersInfo 97 1"}));
}

TEST_F(ExitRulesTest, MuteChoiceComesFromControlIniBesideTheExecutable) {
  Settings().SetlMute(false);
  p_.Files().SetFile("C:\\SAVERS\\CONTROL.INI", std::vector<uint8_t>{'[', 'S', 'e', 't', 'u', 'p', ']', '\r', '\n',
                                                                      'm', 'u', 't', 'e', '=', '1', '\r', '\n'});
  EXPECT_TRUE(StartAndSetUp().Settings().lMute());
}

TEST_F(ExitRulesTest, WithoutAMuteValueThePackageDecides) {
  Settings().SetlMute(true);
  EXPECT_TRUE(StartAndSetUp().Settings().lMute());
}

TEST_F(ExitRulesTest, ShortTrailerStopsSetUpWithTheKeyRuleStillActive) {
  Settings().SetlExitKeyPress(true);
  Settings().SetlExitMouseMove(true);
  Start();
  p_.Files().SetFile(p_.System().ExecutablePath(), std::vector<uint8_t>(30, ' '));
  Pump();
  EXPECT_TRUE(form_->Initializing());
  EXPECT_EQ(form_->Window().Bounds(), (TRect{0, 0, 640, 480}));
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
  EXPECT_EQ(p_.Log().Count("OpenRead C:\\SAVERS\\TEST.SCR"), p_.Log().Count("CloseFile C:\\SAVERS\\TEST.SCR"));
  Move(10, 10);
  Move(100, 100);
  EXPECT_TRUE(WindowOpen());
  // The record is empty, so the key rule is off too.
  p_.Screen().PostKeyDown('A');
  Pump();
  EXPECT_TRUE(WindowOpen());
}

TEST_F(ExitRulesTest, UnreadableSettingsTerminateTheApplication) {
  AddPictures(1);
  Install();
  std::vector<uint8_t> bytes = *p_.Files().File(p_.System().ExecutablePath());
  // Damage the settings stream's signature; the trailer stays intact.
  const TBuiltPackage built = builder_.Build();
  bytes[static_cast<size_t>(built.settingsOffset)] = 'X';
  form_ = std::make_unique<TfrmScrn>(p_);
  p_.Files().SetFile(p_.System().ExecutablePath(), bytes);
  form_->Window().Show();
  p_.Application().Run(form_->Window());
  // The loop ended at its next turn, the window still there; set-up had gone on.
  EXPECT_TRUE(WindowOpen());
  EXPECT_TRUE(p_.Log().Has("MessageLoop end"));
  EXPECT_FALSE(form_->Initializing());
  // Destroying the window afterwards does not leave the system flag set.
  form_.reset();
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
}

TEST_F(ExitRulesTest, DiagonalMoveOfThreePixelsEndsButOneAxisNeverDoes) {
  Settings().SetlExitMouseMove(true);
  StartAndSetUp();
  Move(500, 400);  // the first move only records the point
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(form_->LastMouseX(), 500);
  Move(600, 400);  // 100 pixels along one axis
  Move(500, 302);
  Move(502, 402);  // 2 pixels on each axis
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(form_->LastMouseX(), 500);  // small moves add up from the first point
  Move(503, 403);
  EXPECT_FALSE(WindowOpen());
}

TEST_F(ExitRulesTest, MovesAreIgnoredWhileSettingUpOrWhenTheRuleIsOff) {
  StartAndSetUp();
  Move(10, 10);
  Move(200, 200);
  EXPECT_TRUE(WindowOpen());
}

TEST_F(ExitRulesTest, KeysEndTheSaverOnlyWithExitKeyPress) {
  for (bool rule : {false, true}) {
    SCOPED_TRACE(rule);
    form_.reset();
    Settings().SetlExitKeyPress(rule);
    StartAndSetUp();
    p_.Screen().PostKeyDown(0x41);
    Pump();
    EXPECT_EQ(WindowOpen(), !rule);
  }
}

TEST_F(ExitRulesTest, ClicksOnThePictureEndTheSaverOnlyWithExitMouseClick) {
  for (bool rule : {false, true}) {
    SCOPED_TRACE(rule);
    form_.reset();
    Settings().SetlExitMouseClick(rule);
    StartAndSetUp();
    p_.Screen().PostMouseDown(platform::TButton::Right, 20, 20);
    Pump();
    EXPECT_EQ(WindowOpen(), !rule);
  }
}

TEST_F(ExitRulesTest, TheSecondPressOfADoubleClickIsAPressToo) {
  Settings().SetlExitMouseClick(true);
  UsePassword(1);
  StartAndSetUp();
  p_.Screen().SetPasswordAnswer(false);
  p_.Screen().PostMouseDown(platform::TButton::Left, 20, 20);
  Pump();
  ASSERT_TRUE(WindowOpen());  // the first press was refused at the password
  p_.Screen().SetPasswordAnswer(true);
  p_.Screen().PostDoubleClick(platform::TButton::Left, 20, 20);
  Pump();
  EXPECT_FALSE(WindowOpen());
}

TEST_F(ExitRulesTest, ClosingGivesBackTheCursorAndTheSystemFlagAndDeletesSounds) {
  Settings().SetlExitKeyPress(true);
  builder_.AddSound("a.mid", {1, 2, 3});
  builder_.AddMovie("m.swf", {4, 5});
  StartAndSetUp();
  EXPECT_TRUE(p_.Files().Exists("C:\\TEMP\\a.mid"));
  p_.Screen().PostKeyDown(0x20);
  Pump();
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
  EXPECT_EQ(p_.Screen().CursorCount(), 0);  // one hide at set-up, one show on close
  EXPECT_TRUE(p_.Log().Has("ReleaseCapture"));
  EXPECT_TRUE(p_.Log().Has("RemoveIdleHandler"));
  EXPECT_FALSE(p_.Files().Exists("C:\\TEMP\\a.mid"));
  EXPECT_TRUE(p_.Files().Exists("C:\\TEMP\\m.swf"));
}

TEST_F(ExitRulesTest, ShownCursorStaysAndClosingStillShowsItOnce) {
  Settings().SetlExitKeyPress(true);
  Settings().SetlShowMouseCursor(true);
  StartAndSetUp();
  EXPECT_EQ(p_.Screen().CursorCount(), 0);
  p_.Screen().PostKeyDown(0x20);
  Pump();
  EXPECT_EQ(p_.Screen().CursorCount(), 1);
}

TEST_F(ExitRulesTest, PasswordPaths) {
  struct TCase {
    const char* name;
    bool key;
    std::optional<int32_t> value;
    bool library;
    bool answer;
    bool closes;
    bool asked;
  };
  const TCase cases[] = {
      {"no desktop key", false, 1, true, false, true, false},
      {"value missing", true, std::nullopt, true, false, true, false},
      {"value 0", true, 0, true, false, true, false},
      {"value 1, accepted", true, 1, true, true, true, true},
      {"value 1, refused", true, 1, true, false, false, true},
      {"library missing", true, 1, false, false, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    form_.reset();
    p_.Screen().RemoveRegistryKey(kDesktopKey);
    p_.System().RemoveLibrary(kPasswordCpl);
    p_.Log().Clear();
    if (c.key) UsePassword(c.value, c.library);
    p_.Screen().SetPasswordAnswer(c.answer);
    Settings().SetlExitKeyPress(true);
    StartAndSetUp();
    const int cursor = p_.Screen().CursorCount();
    p_.Screen().PostKeyDown(0x20);
    Pump();
    EXPECT_EQ(WindowOpen(), !c.closes);
    EXPECT_EQ(p_.Log().Has("VerifyScreenSavePwd"), c.asked);
    if (c.asked) {
      EXPECT_EQ(p_.Log().Has("FreeLibrary " + std::string(kPasswordCpl)), true);
    }
    // The prompt's show and hide pair up; closing adds its one show.
    EXPECT_EQ(p_.Screen().CursorCount(), cursor + (c.closes ? 1 : 0));
    if (!c.closes) {
      EXPECT_TRUE(form_->Window().Topmost());
      EXPECT_EQ(MouseSkipCount, 5);
    }
  }
}

TEST_F(ExitRulesTest, AfterARefusedPasswordFiveMovesAreIgnored) {
  UsePassword(1);
  p_.Screen().SetPasswordAnswer(false);
  Settings().SetlExitMouseMove(true);
  StartAndSetUp();
  Move(100, 100);
  Move(200, 200);  // asks; refused
  ASSERT_TRUE(WindowOpen());
  ASSERT_EQ(p_.Log().Count("VerifyScreenSavePwd"), 1u);
  for (int i = 0; i < 5; ++i) Move(300 + 50 * i, 300 + 50 * i);
  EXPECT_EQ(p_.Log().Count("VerifyScreenSavePwd"), 1u);
  EXPECT_EQ(form_->LastMouseX(), 200);
  p_.Screen().SetPasswordAnswer(true);
  Move(700, 700);
  EXPECT_FALSE(WindowOpen());
}

TEST_F(ExitRulesTest, OtherRunModesCloseWithoutAskingForThePassword) {
  UsePassword(1);
  app::RunMode = app::TRunMode::rmSetup;
  Settings().SetlExitKeyPress(true);
  StartAndSetUp();
  p_.Screen().PostKeyDown(0x20);
  Pump();
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(p_.Log().Has("RegOpenKey"));
  EXPECT_EQ(MouseSkipCount, 0);
}

TEST_F(ExitRulesTest, StopShowMessageFromAnySenderAsksForThePassword) {
  UsePassword(1);
  p_.Screen().SetPasswordAnswer(false);
  StartAndSetUp();
  p_.Windowing().PostMessageTo(form_->Window().Handle(), WM_STOPSHOW, 0, 0);
  Pump();
  EXPECT_TRUE(WindowOpen());
  EXPECT_TRUE(p_.Log().Has("VerifyScreenSavePwd"));
}

TEST_F(ExitRulesTest, AnActivationDuringSetUpDoesNotStartItAgain) {
  // A movie part whose start re-activates the window, as a message box would.
  struct TReactivating : IFlashPart {
    int starts = 0;
    bool Start(TfrmScrn& form) override {
      ++starts;
      form.FormActivate();
      return true;
    }
    void Destroying(TfrmScrn&) override {}
  };
  auto part = std::make_unique<TReactivating>();
  TReactivating& flash = *part;
  Settings().SetVer("flash");
  Install();
  TSaverParts parts;
  parts.flash = std::move(part);
  form_ = std::make_unique<TfrmScrn>(p_, std::move(parts));
  form_->Window().Show();
  Pump();
  EXPECT_EQ(flash.starts, 1);
  EXPECT_EQ(p_.Log().Count("OpenRead C:\\SAVERS\\TEST.SCR"), 1u);
  EXPECT_EQ(p_.Log().Count("SystemParametersInfo 97 1"), 1u);
  EXPECT_FALSE(form_->Initializing());
}

TEST_F(ExitRulesTest, FlashKindIsExactlyLowerCase) {
  // Without a movie part a "flash" saver runs as a picture saver; "Flash" always does.
  Settings().SetVer("Flash");
  AddPictures(1);
  TfrmScrn& form = StartAndSetUp();
  EXPECT_FALSE(form.Settings().IsFlash());
  EXPECT_FALSE(form.Initializing());
}

}  // namespace
}  // namespace scr::saver::test
