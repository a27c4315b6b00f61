// A movie-mode saver on a system without the movie control: the question, the answer,
// and the window closing whatever the answer.
#include "tests/movie/movie_fixture.h"

namespace scr::saver::test {
namespace {

constexpr const char* kBuiltIn = "Please install the Macromedia Flash Player ActiveX control.";

class MissingControlTest : public MovieTest {
 protected:
  MissingControlTest() {
    movies_fake_.SetInstalled(false);
    AddMovies(1);
  }
  void ExpectClosedWithoutSetUp() {
    EXPECT_FALSE(WindowOpen());
    EXPECT_FALSE(p_.Log().Has("SystemParametersInfo 97 1"));
    EXPECT_FALSE(p_.Log().Has("SetWindowPos HWND_TOPMOST"));
    EXPECT_EQ(p_.Log().Count("ShowCursor 0"), 0u);  // never hidden
  }
};

TEST_F(MissingControlTest, WithoutALanguageFileNoClosesWithoutOpeningAnything) {
  dialogs_.SetAnswer(platform::TDialogAnswer::No);
  StartAndSetUp();
  ASSERT_EQ(dialogs_.Shown().size(), 1u);
  EXPECT_EQ(dialogs_.Shown()[0].text, kBuiltIn);
  EXPECT_TRUE(p_.Shell().Requests().empty());
  EXPECT_EQ(movies_fake_.Created(), 0);
  ExpectClosedWithoutSetUp();
}

TEST_F(MissingControlTest, AnActivationWhileTheQuestionIsOpenDoesNotAskAgain) {
  // The system's message box re-activates the saver window while set-up waits in it.
  struct TReentrant : platform::IMessageDialogs {
    std::unique_ptr<TfrmScrn>& form;
    int asked = 0;
    explicit TReentrant(std::unique_ptr<TfrmScrn>& f) : form(f) {}
    platform::TDialogAnswer InformationYesNo(TWindowHandle, const std::string&) override {
      if (++asked == 1) form->FormActivate();
      return platform::TDialogAnswer::No;
    }
  } reentrant(form_);
  p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
  TSaverParts parts;
  parts.flash = std::make_unique<TFlashMode>(p_, TFlashServices{hooks_, movies_fake_, reentrant});
  form_ = std::make_unique<TfrmScrn>(p_, std::move(parts));
  form_->Window().Show();
  Pump();
  EXPECT_EQ(reentrant.asked, 1);
  EXPECT_EQ(hooks_.InstallCalls().size(), 1u);
  EXPECT_FALSE(WindowOpen());
}

TEST_F(MissingControlTest, YesOpensTheDownloadPageWithTheWindowAsParentThenCloses) {
  dialogs_.SetAnswer(platform::TDialogAnswer::Yes);
  TfrmScrn& form = StartAndSetUp();
  const TWindowHandle window = dialogs_.Shown().at(0).owner;
  EXPECT_NE(window, 0u);
  ASSERT_EQ(p_.Shell().Requests().size(), 1u);
  EXPECT_EQ(p_.Shell().Requests()[0].parent, window);
  const std::string& page = p_.Shell().Requests()[0].target;
  EXPECT_EQ(page.rfind("http://", 0), 0u);
  EXPECT_NE(page.find("/go/getflashplayer/"), std::string::npos);
  EXPECT_EQ(page.size() - page.find("/go/getflashplayer/"), std::string("/go/getflashplayer/").size());
  (void)form;
  ExpectClosedWithoutSetUp();
}

TEST_F(MissingControlTest, TheLanguageFileReplacesTheQuestion) {
  SetLanguageFile("[Language]\r\nDownloadSWF=Bitte installieren Sie den Spieler.\r\n");
  StartAndSetUp();
  EXPECT_EQ(dialogs_.Shown().at(0).text, "Bitte installieren Sie den Spieler.");
  ExpectClosedWithoutSetUp();
}

TEST_F(MissingControlTest, ALanguageFileWithoutTheKeyAsksTheBuiltInQuestion) {
  SetLanguageFile("[Language]\r\nTitle=Titel:\r\n");
  StartAndSetUp();
  EXPECT_EQ(dialogs_.Shown().at(0).text, kBuiltIn);
}

TEST_F(MissingControlTest, AnEmptyValueAsksAnEmptyQuestion) {
  SetLanguageFile("[Language]\r\nDownloadSWF=\r\n");
  StartAndSetUp();
  EXPECT_EQ(dialogs_.Shown().at(0).text, "");
}

TEST_F(MissingControlTest, TheHookStartedBeforeIsRemovedWithTheWindow) {
  StartAndSetUp();
  EXPECT_EQ(hooks_.InstallCalls().size(), 1u);
  EXPECT_FALSE(hooks_.JournalHookInstalled());
}

}  // namespace
}  // namespace scr::saver::test

namespace scr::saver::test {
namespace {

// The part the runtime gives the saver window uses the platform's own services.
TEST_F(MovieTest, ThePlatformsPartAsksThroughThePlatformsDialog) {
  AddMovies(1);
  p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
  p_.Movies().SetInstalled(false);
  p_.Dialogs().SetAnswer(platform::TDialogAnswer::Yes);
  form_ = std::make_unique<TfrmScrn>(p_, TSaverParts{nullptr, CreateFlashPart(p_)});
  form_->Window().Show();
  Pump();
  EXPECT_EQ(p_.Hooks().InstallCalls().size(), 1u);
  ASSERT_EQ(p_.Dialogs().Shown().size(), 1u);
  EXPECT_EQ(p_.Shell().Requests().size(), 1u);
  EXPECT_FALSE(WindowOpen());
}

}  // namespace
}  // namespace scr::saver::test
