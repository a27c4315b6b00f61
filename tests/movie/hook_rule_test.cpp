// The hook rule of movie mode: which input events reported by the hook library end
// the saver, counted from the start of the hook; and a hook library that is missing.
#include "tests/movie/movie_fixture.h"

namespace scr::saver::test {
namespace {

constexpr uint32_t kKeyDown = 0x100;

class HookRuleTest : public MovieTest {
 protected:
  TfrmScrn& Start(bool move, bool click, bool key) {
    Settings().SetlExitMouseMove(move);
    Settings().SetlExitMouseClick(click);
    Settings().SetlExitKeyPress(key);
    AddMovies(1);
    return StartAndSetUp();
  }
  // Injects the events; true when the window is still open after each of them.
  bool Survives(std::initializer_list<uint32_t> events) {
    for (uint32_t e : events) {
      hooks_.InjectEvent(e);
      Pump();  // a close request waits in the queue
      if (!WindowOpen()) return false;
    }
    return true;
  }
};

TEST_F(HookRuleTest, TheFirstSixEventsOfAnyKindNeverEndByAMove) {
  Start(true, false, false);
  EXPECT_TRUE(Survives({0x200, 0x200, 0x200, 0x200, 0x200, 0x200}));
  EXPECT_EQ(HookMoveCount, 6);
  EXPECT_FALSE(Survives({0x200}));
  EXPECT_EQ(HookMoveCount, 0);  // the exit resets the move count
}

TEST_F(HookRuleTest, OtherEventsCountTowardsTheMoveRule) {
  Start(true, false, false);
  EXPECT_TRUE(Survives({kKeyDown, kMsgKeyUp, 0x201, 0x202, 0x100, 0x101}));
  EXPECT_FALSE(Survives({0x200}));
}

TEST_F(HookRuleTest, EveryEventIsAnsweredAsHandledOnceSetUpIsDone) {
  Start(false, false, false);
  for (uint32_t e : {0x200u, 0x100u, 0x101u, 0x201u})
    EXPECT_EQ(hooks_.InjectEvent(e), 1) << e;
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(HookMoveCount, 4);
  EXPECT_EQ(HookClickCount, 4);
  EXPECT_EQ(HookKeyCount, 4);
}

TEST_F(HookRuleTest, TheFirstTwoClicksNeverEndTheSaverAnyButtonAfterThat) {
  for (uint32_t button : {kMsgLeftButtonDown, kMsgRightButtonDown, kMsgMiddleButtonDown}) {
    SCOPED_TRACE(button);
    Start(false, true, false);
    EXPECT_TRUE(Survives({button, button}));
    EXPECT_FALSE(Survives({button}));
    form_.reset();
  }
}

TEST_F(HookRuleTest, ButtonReleasesAndMovesDoNotEndByTheClickRule) {
  Start(false, true, false);
  EXPECT_TRUE(Survives({0x202, 0x205, 0x208, 0x200, 0x200, 0x200, 0x200, 0x200, 0x200, 0x200, 0x101}));
  EXPECT_FALSE(Survives({0x204}));
}

TEST_F(HookRuleTest, ClicksAreNotConsideredWhileExitOnMoveIsSet) {
  Start(true, true, false);
  EXPECT_TRUE(Survives({0x201, 0x201, 0x201, 0x204, 0x207, 0x201, 0x201, 0x201}));
  EXPECT_EQ(HookClickCount, 0);
  EXPECT_FALSE(Survives({0x200}));
}

TEST_F(HookRuleTest, KeysCountOnTheirReleaseNotOnThePress) {
  Start(false, false, true);
  EXPECT_TRUE(Survives({kKeyDown, kKeyDown, kKeyDown, kKeyDown}));
  // Presses were counted, so the first release already ends it.
  EXPECT_FALSE(Survives({kMsgKeyUp}));
  form_.reset();
  Start(false, false, true);
  EXPECT_TRUE(Survives({kMsgKeyUp, kMsgKeyUp}));
  EXPECT_FALSE(Survives({kMsgKeyUp}));
}

TEST_F(HookRuleTest, WithEveryRuleOffNothingEnds) {
  Start(false, false, false);
  std::initializer_list<uint32_t> many = {0x200, 0x201, 0x204, 0x207, 0x100, 0x101, 0x200, 0x200, 0x101, 0x201};
  EXPECT_TRUE(Survives(many));
  EXPECT_TRUE(Survives(many));
}

TEST_F(HookRuleTest, NoticesWithoutAnEventRecordAreNeitherCountedNorAnswered) {
  Start(true, false, false);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(hooks_.InjectNotice(i % 2 ? 4 : 5), 0);
  EXPECT_EQ(HookMoveCount, 0);
  EXPECT_TRUE(Survives({0x200}));
}

TEST_F(HookRuleTest, AnExitByTheHookRemovesTheHookWithTheWindow) {
  Start(false, false, true);
  EXPECT_FALSE(Survives({kMsgKeyUp, kMsgKeyUp, kMsgKeyUp}));
  EXPECT_FALSE(hooks_.JournalHookInstalled());
  EXPECT_EQ(hooks_.WindowCount(), 0u);
  EXPECT_EQ(hooks_.InjectEvent(kMsgKeyUp), 0);
}

TEST_F(HookRuleTest, TheHookIsRemovedWhenTheWindowIsDestroyed) {
  Start(false, false, false);
  EXPECT_TRUE(hooks_.JournalHookInstalled());
  form_->Window().Close();
  Pump();
  EXPECT_FALSE(hooks_.JournalHookInstalled());
}

TEST_F(HookRuleTest, AMissingHookLibraryEndsTheStartWithoutAControl) {
  hooks_.SetLibraryPresent(false);
  AddMovies(1);
  TfrmScrn& form = StartAndSetUp();
  ASSERT_EQ(hooks_.MessageBoxes().size(), 1u);
  EXPECT_EQ(hooks_.MessageBoxes()[0].Text, "Could not load DLL: nuvscrhook");
  EXPECT_EQ(hooks_.MessageBoxes()[0].Caption, "Error");
  EXPECT_EQ(hooks_.ExitCode(), -1);
  EXPECT_EQ(ErrorBoxes("Install Hook Error!"), 1u);
  EXPECT_EQ(movies_fake_.Created(), 0);
  // The rest of set-up did not run.
  EXPECT_TRUE(form.Initializing());
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
  EXPECT_TRUE(WindowOpen());
  // Closing the boxes activates the window again: the start is not repeated.
  form.FormActivate();
  EXPECT_EQ(hooks_.MessageBoxes().size(), 1u);
  EXPECT_EQ(hooks_.LoadedPaths().size(), 1u);
  EXPECT_EQ(ErrorBoxes("Install Hook Error!"), 1u);
}

TEST_F(HookRuleTest, ARefusedJournalHookFailsTheSameWay) {
  hooks_.SetRefuseJournalHook(true);
  AddMovies(1);
  StartAndSetUp();
  EXPECT_TRUE(hooks_.MessageBoxes().empty());
  EXPECT_EQ(ErrorBoxes("Install Hook Error!"), 1u);
  EXPECT_EQ(movies_fake_.Created(), 0);
}

}  // namespace
}  // namespace scr::saver::test
