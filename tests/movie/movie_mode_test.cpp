// Movie mode of the saver window: what set-up starts, moving from movie to movie, the
// movie's quit command, and how the control's failures are met.
#include "tests/movie/movie_fixture.h"

namespace scr::saver::test {
namespace {

TEST_F(MovieTest, OneMovieAndNoPicturesStartsAtSetUpWithTheSlideShowHidden) {
  AddMovies(1);
  TfrmScrn& form = StartAndSetUp();
  EXPECT_FALSE(form.Initializing());
  THeadlessMovieState& c = Control();
  EXPECT_EQ(c.parent, form.Window().Handle());
  EXPECT_EQ(c.bounds, (TRect{0, 0, 1024, 768}));
  EXPECT_EQ(PlayerCalls(), (std::vector<std::string>{"Stop", "Movie C:\\TEMP\\m1.swf", "Play"}));
  EXPECT_EQ(c.movies, (std::vector<std::u16string>{u"C:\\TEMP\\m1.swf"}));
  EXPECT_TRUE(c.visible);
  EXPECT_FALSE(form.PShow().Visible());
  EXPECT_TRUE(flash_->TimerFlash().Enabled());
  EXPECT_EQ(flash_->TimerFlash().Interval(), 1000u);
  EXPECT_EQ(form.FlashIndex(), 1);
  // The hook came first, then the control, and the movie was extracted before either.
  EXPECT_TRUE(hooks_.JournalHookInstalled());
  const auto order = p_.Log().Only({"CloseFile C:\\TEMP\\m1.swf", "Movie create", "Movie Play"});
  EXPECT_EQ(order, (std::vector<std::string>{"CloseFile C:\\TEMP\\m1.swf", "Movie create 0,0,1024,768", "Movie Play"}));
}

TEST_F(MovieTest, WithPicturesNoMovieStartsAndTheSlideShowRuns) {
  AddMovies(1);
  AddPictures(2);
  TfrmScrn& form = StartAndSetUp();
  ASSERT_NE(movies_fake_.Control(), nullptr);
  EXPECT_TRUE(Control().movies.empty());
  EXPECT_FALSE(flash_->TimerFlash().Enabled());
  EXPECT_TRUE(form.PShow().Visible());
  RunFor(5000);
  EXPECT_GE(shown_, 2);
  EXPECT_TRUE(Control().movies.empty());
}

TEST_F(MovieTest, AKindOtherThanExactlyFlashMakesNoControl) {
  Settings().SetVer("Flash");
  AddMovies(1);
  AddPictures(1);
  StartAndSetUp();
  EXPECT_EQ(movies_fake_.Created(), 0);
  EXPECT_FALSE(hooks_.JournalHookInstalled());
}

TEST_F(MovieTest, TheTimerMovesOnAtTheLastFrameInListOrderAndWraps) {
  AddMovies(3);
  TfrmScrn& form = StartAndSetUp();
  THeadlessMovieState& c = Control();
  c.totalFrames = 20;
  c.currentFrame = 19;
  flash_->TimerFlashTimer();
  ASSERT_EQ(c.movies.size(), 1u);  // not at the end yet
  std::vector<std::u16string> expected{u"C:\\TEMP\\m1.swf"};
  for (const char16_t* next : {u"C:\\TEMP\\m2.swf", u"C:\\TEMP\\m3.swf", u"C:\\TEMP\\m1.swf", u"C:\\TEMP\\m2.swf"}) {
    c.currentFrame = 20;
    flash_->TimerFlashTimer();
    expected.push_back(next);
  }
  EXPECT_EQ(c.movies, expected);
  EXPECT_EQ(form.FlashIndex(), 2);
  // Each test reads the total first, then the current frame.
  EXPECT_EQ(std::vector<std::string>(c.calls.end() - 5, c.calls.end()),
            (std::vector<std::string>{"TotalFrames", "CurrentFrame", "Stop", "Movie C:\\TEMP\\m2.swf", "Play"}));
}

TEST_F(MovieTest, ASingleMovieIsReloadedEachTimeItsEndIsReached) {
  AddMovies(1);
  StartAndSetUp();
  THeadlessMovieState& c = Control();
  c.totalFrames = 5;
  c.currentFrame = 7;  // beyond the end counts as the end
  RunFor(3500);        // three ticks of the one-second timer
  EXPECT_EQ(c.movies, std::vector<std::u16string>(4, u"C:\\TEMP\\m1.swf"));
  EXPECT_EQ(std::count(c.calls.begin(), c.calls.end(), "TotalFrames"), 3);
}

TEST_F(MovieTest, QuitInAnyCaseStopsPlayingAndClosesOnlyWithTheFlag) {
  for (bool flag : {false, true}) {
    SCOPED_TRACE(flag);
    Settings().SetlExitFSCommandQuit(flag);
    AddMovies(1);
    StartAndSetUp();
    const size_t from = p_.Log().Entries().size();
    movies_fake_.FireFSCommand(u"QUIT", u"");
    Pump();
    EXPECT_EQ(WindowOpen(), !flag);
    EXPECT_EQ(std::count(Control().calls.begin(), Control().calls.end(), "StopPlay"), flag ? 1 : 0);
    if (flag) {
      // Stopped before the exit request closed the window.
      EXPECT_LT(p_.Log().Find("Movie StopPlay", from), p_.Log().Find("SystemParametersInfo 97 0", from));
    }
    form_.reset();
  }
}

TEST_F(MovieTest, QuitArgumentsDoNotMatterAndOtherCommandsAreIgnored) {
  Settings().SetlExitFSCommandQuit(true);
  AddMovies(1);
  StartAndSetUp();
  for (const char16_t* other : {u"quit ", u"fullscreen", u"qu1t", u""}) movies_fake_.FireFSCommand(other, u"quit");
  Pump();
  EXPECT_TRUE(WindowOpen());
  movies_fake_.FireFSCommand(u"Quit", u"now, please");
  Pump();
  EXPECT_FALSE(WindowOpen());
  // The control was asked to stop once and went with the window's owner afterwards.
  EXPECT_EQ(std::count(Control().calls.begin(), Control().calls.end(), "StopPlay"), 1);
  form_.reset();
  EXPECT_FALSE(Control().alive);
}

TEST_F(MovieTest, PlayErrorsAreSwallowedAndTheShowGoesOn) {
  AddMovies(2);
  StartAndSetUp();
  EXPECT_EQ(ErrorBoxes(""), 0u);
  THeadlessMovieState& c = Control();
  c.failures[TMovieCall::Play] = "Unspecified error";
  c.currentFrame = c.totalFrames = 1;
  flash_->TimerFlashTimer();
  EXPECT_EQ(c.movies.back(), u"C:\\TEMP\\m2.swf");
  EXPECT_EQ(form_->FlashIndex(), 2);
  EXPECT_TRUE(flash_->TimerFlash().Enabled());
  EXPECT_EQ(ErrorBoxes(""), 0u);
}

TEST_F(MovieTest, FrameQueryErrorsReachTheErrorBoxAndEndTheTick) {
  AddMovies(2);
  StartAndSetUp();
  THeadlessMovieState& c = Control();
  c.failures[TMovieCall::TotalFrames] = "Catastrophic failure";
  RunFor(1500);
  EXPECT_EQ(ErrorBoxes("Catastrophic failure"), 1u);
  EXPECT_EQ(c.movies.size(), 1u);
  c.failures.clear();
  c.failures[TMovieCall::CurrentFrame] = "Member not found";
  RunFor(1000);
  EXPECT_EQ(ErrorBoxes("Member not found"), 1u);
  EXPECT_EQ(c.movies.size(), 1u);
  EXPECT_TRUE(WindowOpen());
}

TEST_F(MovieTest, StopAndMovieErrorsEndTheStepWithTheErrorShown) {
  AddMovies(2);
  StartAndSetUp();
  THeadlessMovieState& c = Control();
  c.currentFrame = c.totalFrames = 3;
  c.failures[TMovieCall::Stop] = "Stop refused";
  RunFor(1500);
  EXPECT_EQ(ErrorBoxes("Stop refused"), 1u);
  EXPECT_EQ(c.movies.size(), 1u);
  EXPECT_FALSE(flash_->TimerFlash().Enabled());  // disabled before the stop, not re-armed
  EXPECT_EQ(form_->FlashIndex(), 1);
  c.failures.clear();
  c.failures[TMovieCall::SetMovie] = "Path not found";
  EXPECT_THROW(flash_->NextMovie(), Exception);
  EXPECT_EQ(std::count(c.calls.begin(), c.calls.end(), "Play"), 1);  // only the first movie's
}

TEST_F(MovieTest, AMovieErrorDuringSetUpIsReportedAndEndsSetUp) {
  AddMovies(1);
  p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
  // The first control the factory makes refuses its movie.
  struct TRefusing : platform::IMovieControls {
    THeadlessMovieControls& inner;
    explicit TRefusing(THeadlessMovieControls& i) : inner(i) {}
    std::unique_ptr<platform::IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& r) override {
      auto c = inner.CreateMovieControl(parent, r);
      inner.Control()->failures[TMovieCall::SetMovie] = "Path not found";
      return c;
    }
  } refusing(movies_fake_);
  TSaverParts parts;
  parts.flash = std::make_unique<TFlashMode>(p_, TFlashServices{hooks_, refusing, dialogs_});
  form_ = std::make_unique<TfrmScrn>(p_, std::move(parts));
  form_->Window().Show();
  Pump();
  EXPECT_EQ(ErrorBoxes("Path not found"), 1u);
  EXPECT_TRUE(form_->Initializing());
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
}

TEST_F(MovieTest, ARefusedMovieNameIsNeverHandedToTheControl) {
  builder_.AddMovie("..\\outside.swf", std::vector<uint8_t>(10, 'm'));
  AddMovies(1);
  StartAndSetUp();
  THeadlessMovieState& c = Control();
  c.currentFrame = c.totalFrames = 0;
  flash_->TimerFlashTimer();
  flash_->TimerFlashTimer();
  EXPECT_EQ(c.movies, (std::vector<std::u16string>{u"C:\\TEMP\\m1.swf"}));
  EXPECT_EQ(std::count(c.calls.begin(), c.calls.end(), "Play"), 3);
  EXPECT_EQ(form_->FlashIndex(), 1);  // wrapped: the refused one, then m1, then the refused one
}

}  // namespace
}  // namespace scr::saver::test
