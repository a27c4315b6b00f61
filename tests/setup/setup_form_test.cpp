// The setup dialog on the headless backend: its design, the texts it shows with and
// without a language file, the links, and the mute choice it stores.
#include "tests/setup/setup_fixture.h"

#include "app/entry.h"
#include "app/globals.h"
#include "common/stream.h"
#include "package/package_reader.h"
#include "package/trailer.h"

namespace scr::setup::test {
namespace {

using platform::Bounds;
using platform::TCursor;

TEST_F(SetupTest, DesignLaysOutThePanelsAndControls) {
  InstallSaver();
  auto& form = Open();
  EXPECT_EQ(form.Desc().color, 0x00E7F7FFu);
  EXPECT_EQ(form.Bounds(), Bounds((1024 - 305) / 2, (768 - 359) / 2, 305, 359)) << "centred on the screen";
  EXPECT_EQ(form.ControlRect(kTopPanel), Bounds(0, 0, 305, 145));
  EXPECT_EQ(form.ControlRect(kPanel2), Bounds(0, 145, 305, 159));
  EXPECT_EQ(form.ControlRect(kPanel1), Bounds(0, 304, 305, 55));
  EXPECT_EQ(form.ControlRect(kOKButton), Bounds(216, 16, 75, 25));
  EXPECT_EQ(form.ControlRect(kcbMute), Bounds(24, 72, 97, 17));
  for (auto [name, left, top] : {std::tuple{klblTitle, 29, 23}, {klblAuthor, 29, 44}, {klblEmail, 29, 106},
                                 {klblWeb, 29, 127}}) {
    const TRect r = form.ControlRect(name);
    EXPECT_EQ((TPoint{r.left, r.top}), (TPoint{left, top})) << name;
  }
  EXPECT_EQ(form.Control(kOKButton).parent, platform::FindControl(form.Desc(), kPanel1));
  EXPECT_EQ(form.Control(klblEmail).font->color, 0x00FF0000u);
  EXPECT_TRUE(form.Control(klblTitle).font->bold);
}

TEST_F(SetupTest, WithoutLanguageFileTheDesignTextsAndTheSaversInformationShow) {
  InstallSaver();
  dialog_ = std::make_unique<TfrmSetup>(p_);
  EXPECT_EQ(Texts(), Expected("Setup []", "Title:", "Author:", "Email:", "Web address:", "Mute music", "&Ok"));
  dialog_->Window().Show();
  EXPECT_EQ(Texts(), Expected("Setup [Lake Views]", "Title:Lake Views", "Author:Ann Author", "ann@example.invalid",
                              "www.example.invalid/lake", "Mute music", "&Ok"));
  EXPECT_FALSE(dialog_->Form().Checked(kcbMute));
  EXPECT_FALSE(dialog_->MuteChanged());
  EXPECT_TRUE(p_.Desktop().OwnWindowVisible(dialog_->Window().Handle()));
  EXPECT_TRUE(Errors().empty());
  // The saver file was opened once and closed again.
  EXPECT_EQ(p_.Log().Count("OpenRead C:\\SAVERS\\TEST.SCR"), 1u);
  EXPECT_EQ(p_.Log().Count("CloseFile C:\\SAVERS\\TEST.SCR"), 1u);
}

// The saver's information and the language file's texts show as typed: UTF-8 strings
// as they are, single-byte text (the settings of older savers, a language file in the
// code page) through the system's code page.
TEST_F(SetupTest, TextsShowAsTypedFromEveryStoredForm) {
  const std::string polish = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE2\x80\x94 \xCE\x95\xCE\xBB";  // Zażółć — Ελ
  builder_.SetTextForm(TTextForm::Utf8);
  builder_.Settings().SetTitle(polish);
  builder_.Settings().SetAuthor("Zo\xC3\xA9");
  InstallSaver();
  SetLanguageFile("[Language]\r\nAuthor=Auteur \xE9" "crit:\r\nTitle=Tytu\xC5\x82:\r\n");
  Open();
  EXPECT_EQ(Texts()["caption"], "Setup [" + polish + "]");
  EXPECT_EQ(Texts()[klblTitle], "Tytu\xC5\x82:" + polish);
  EXPECT_EQ(Texts()[klblAuthor], "Auteur \xC3\xA9" "crit:Zo\xC3\xA9");

  builder_.SetTextForm(TTextForm::Ansi);
  builder_.Settings().SetTitle("Caf\xE9 \x80");
  InstallSaver();
  Open();
  EXPECT_EQ(Texts()["caption"], "Setup [Caf\xC3\xA9 \xE2\x82\xAC]");
}

TEST_F(SetupTest, LanguageFileReplacesTheTexts) {
  InstallSaver();
  struct TCase {
    const char* file;
    std::map<std::string, std::string> expected;
  };
  const TCase cases[] = {
      {"", Expected("Setup [Lake Views]", "Title:Lake Views", "Author:Ann Author", "ann@example.invalid",
                    "www.example.invalid/lake", "Mute music", "OK")},
      {"[Language]\r\nMuteMusic=Musik aus\r\n",
       Expected("Setup [Lake Views]", "Title:Lake Views", "Author:Ann Author", "ann@example.invalid",
                "www.example.invalid/lake", "Musik aus", "OK")},
      // A value ending in a colon joins the title directly; an empty value is empty.
      {"[language]\r\ntitle=Titel:\r\nAUTHOR=\r\nbtnOK=&Fertig\r\nEmail=Post\r\nWeb=Netz\r\n"
       "[Other]\r\nMuteMusic=not this one\r\n",
       Expected("Setup [Lake Views]", "Titel:Lake Views", "Ann Author", "ann@example.invalid",
                "www.example.invalid/lake", "Mute music", "&Fertig")},
  };
  for (const TCase& c : cases) {
    SetLanguageFile(c.file);
    Open();
    EXPECT_EQ(Texts(), c.expected) << c.file;
  }
}

TEST_F(SetupTest, LanguageFileThatCannotBeReadGivesTheMissingKeyTexts) {
  InstallSaver();
  SetLanguageFile("[Language]\r\nTitle=Titel:\r\n");
  // Held open for writing elsewhere: it exists, but no key can be read from it.
  std::unique_ptr<platform::TWriteStream> holder = p_.Files().Create(kLanguagePath);
  dialog_ = std::make_unique<TfrmSetup>(p_);
  EXPECT_EQ(Texts(), Expected("Setup []", "Title:", "Author:", "Email:", "Web address:", "Mute music", "OK"));
}

TEST_F(SetupTest, EmptyTitleAndAddresses) {
  builder_.Settings().SetTitle("");
  builder_.Settings().SetEmail("");
  builder_.Settings().SetWeb("");
  InstallSaver();
  auto& form = Open();
  EXPECT_EQ(dialog_->Form().Caption(), "Setup []");
  EXPECT_EQ(dialog_->Form().Text(klblTitle), "Title:");
  form.Click(klblEmail);
  form.Click(klblWeb);
  EXPECT_EQ(p_.Shell().Requests(), (std::vector<platform::headless::TShellRequest>{
                                       {dialog_->Window().Handle(), "mailto:"},
                                       {dialog_->Window().Handle(), "http://"}}));
}

TEST_F(SetupTest, LinksOpenThroughTheShellAndShowTheHandCursor) {
  InstallSaver();
  auto& form = Open();
  form.Click(klblEmail);
  form.Click(klblWeb);
  EXPECT_EQ(p_.Shell().Requests(), (std::vector<platform::headless::TShellRequest>{
                                       {dialog_->Window().Handle(), "mailto:ann@example.invalid"},
                                       {dialog_->Window().Handle(), "http://www.example.invalid/lake"}}));
  for (const char* link : {klblEmail, klblWeb}) {
    form.MouseEnter(link);
    EXPECT_EQ(p_.Forms().Cursor(), TCursor::crHandPoint) << link;
    form.MouseLeave(link);
    EXPECT_EQ(p_.Forms().Cursor(), TCursor::crDefault) << link;
  }
}

TEST(WebLinkTarget, HttpIsPutInFrontUnlessTheTextContainsIt) {
  EXPECT_EQ(WebLinkTarget("www.example.invalid"), "http://www.example.invalid");
  EXPECT_EQ(WebLinkTarget("HTTP://Example.invalid/A"), "HTTP://Example.invalid/A");
  EXPECT_EQ(WebLinkTarget("Visit hTTp://example.invalid"), "Visit hTTp://example.invalid");
  EXPECT_EQ(WebLinkTarget("https://example.invalid"), "http://https://example.invalid");
  EXPECT_EQ(WebLinkTarget("ftp://example.invalid/pub"), "http://ftp://example.invalid/pub");
  EXPECT_EQ(WebLinkTarget("example.invalid/?to=x://y"), "http://example.invalid/?to=x://y");
  EXPECT_EQ(WebLinkTarget("://example.invalid"), "http://://example.invalid");
  EXPECT_EQ(WebLinkTarget(""), "http://");
}

TEST_F(SetupTest, OkWithoutAChangeWritesNothing) {
  InstallSaver();
  auto& form = Open();
  form.Click(kOKButton);
  p_.Application().ProcessMessages();
  EXPECT_FALSE(dialog_->Window().Exists()) << "OK closes the dialog";
  EXPECT_EQ(Ini(), "<missing>");
  EXPECT_FALSE(p_.Log().Has("WritePrivateProfileString"));
}

TEST_F(SetupTest, StoredChoiceIsShownAndWrittenAgainOnOk) {
  InstallSaver();
  SetIni("[Setup]\r\nmute=1\r\n");
  auto& form = Open();
  EXPECT_TRUE(dialog_->Form().Checked(kcbMute));
  EXPECT_TRUE(dialog_->MuteChanged()) << "checking the box while showing counts as a change";
  form.Click(kOKButton);
  EXPECT_TRUE(p_.Log().Has("WritePrivateProfileString C:\\SAVERS\\CONTROL.INI [Setup] mute=1"));
  EXPECT_EQ(Ini(), "[Setup]\r\nmute=1\r\n");
}

TEST_F(SetupTest, ToggledChoiceIsStoredAndStaysAChangeWhenToggledBack) {
  InstallSaver();
  auto& form = Open();
  form.Click(kcbMute);
  form.Click(kOKButton);
  EXPECT_EQ(Ini(), "[Setup]\r\nmute=1\r\n");

  // Unchecked again before OK: still a change, so "0" is written.
  Open();
  EXPECT_TRUE(dialog_->Form().Checked(kcbMute));
  Model().Click(kcbMute);
  Model().Click(kcbMute);
  Model().Click(kcbMute);
  Model().Click(kOKButton);
  EXPECT_EQ(Ini(), "[Setup]\r\nmute=0\r\n");
}

TEST_F(SetupTest, NoStoredChoiceShowsUncheckedWhateverTheSettingsSay) {
  // The settings' lMute is the saver's fallback, not the dialog's; OK then writes nothing.
  builder_.Settings().SetlMute(true);
  InstallSaver();
  auto& form = Open();
  EXPECT_FALSE(dialog_->Form().Checked(kcbMute));
  form.Click(kOKButton);
  EXPECT_EQ(Ini(), "<missing>");

  // A stored choice wins over the settings' flag.
  SetIni("[Setup]\r\nmute=0\r\n");
  Open();
  EXPECT_FALSE(dialog_->Form().Checked(kcbMute));
}

TEST_F(SetupTest, ChoiceThatCannotBeWrittenIsReportedAndTheDialogStays) {
  InstallSaver();
  p_.Files().AddDirectory(kIniPath);  // a folder where the file should be
  auto& form = Open();
  form.Click(kcbMute);
  form.Click(kOKButton);
  p_.Application().ProcessMessages();
  EXPECT_EQ(Errors(), (std::vector<std::string>{"ShowException Unable to write to C:\\SAVERS\\CONTROL.INI"}));
  EXPECT_TRUE(dialog_->Window().Exists());
  EXPECT_TRUE(dialog_->Form().Checked(kcbMute));
}

TEST_F(SetupTest, SettingsStreamThatCannotBeReadIsReportedAndTheEarlierTextsStay) {
  TBuiltPackage built = InstallSaver();
  built.bytes[built.settingsOffset + 8] ^= 0x5A;  // inside the stream, after its signature
  p_.Files().SetFile(kSaverPath, built.bytes);
  std::string message;
  try {
    TMemoryStream direct(built.bytes);
    ReadSettingsRecord(direct);
  } catch (const Exception& e) {
    message = e.Message();
  }
  ASSERT_FALSE(message.empty()) << "the damage must make the reader fail";

  SetLanguageFile("[Language]\r\nTitle=Titel:\r\n");
  SetIni("[Setup]\r\nmute=1\r\n");
  Open();
  EXPECT_EQ(Errors(), (std::vector<std::string>{"ShowException " + message}));
  EXPECT_EQ(Texts(), Expected("Setup []", "Titel:", "Author:", "Email:", "Web address:", "Mute music", "OK"));
  EXPECT_FALSE(dialog_->Form().Checked(kcbMute));
  EXPECT_TRUE(p_.Desktop().OwnWindowVisible(dialog_->Window().Handle()));
  EXPECT_EQ(p_.Log().Count("CloseFile C:\\SAVERS\\TEST.SCR"), 1u) << "the file is closed on the error too";
}

TEST_F(SetupTest, FileTooShortForTheTrailerShowsTheDesignQuietly) {
  p_.Files().SetFile(kSaverPath, std::vector<uint8_t>(19, '7'));
  SetIni("[Setup]\r\nmute=1\r\n");
  Open();
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(Texts(), Expected("Setup []", "Title:", "Author:", "Email:", "Web address:", "Mute music", "&Ok"));
  EXPECT_FALSE(dialog_->Form().Checked(kcbMute));
}

TEST_F(SetupTest, SetupModeRunsTheDialogUntilOkClosesIt) {
  InstallSaver();
  app::TEntryForms forms = app::DefaultForms();
  forms.setup = CreateSetupForm;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"/c:1234"}, std::vector<std::string>{}}) {
    app::ResetProgramState();
    p_.Files().Delete(kIniPath);
    p_.Log().Clear();
    bool seen = false;
    p_.Desktop().At(p_.Desktop().Now() + 10, [&] {
      platform::headless::THeadlessForm* form = p_.Forms().Last();
      ASSERT_NE(form, nullptr);
      seen = form->Desc().caption == "Setup [Lake Views]";
      form->Click(kcbMute);
      form->Click(kOKButton);
    });
    app::RunEntry(p_, args, forms);
    EXPECT_TRUE(seen);
    EXPECT_EQ(app::RunMode, app::TRunMode::rmSetup);
    EXPECT_EQ(Ini(), "[Setup]\r\nmute=1\r\n");
    EXPECT_TRUE(p_.Log().Has("MessageLoop end"));
    EXPECT_FALSE(p_.Log().Has("MessageLoop idle")) << "the loop ended because the dialog closed";
    EXPECT_EQ(p_.Forms().Last(), nullptr);
  }
}

}  // namespace
}  // namespace scr::setup::test
