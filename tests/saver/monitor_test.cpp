// The saver on a desk with several displays: black covers over every display but the
// primary one, shown and closed with the saver window, whose input goes through the
// same exit rules with comparable coordinates.
#include "saver/monitor_shows.h"
#include "tests/saver/saver_fixture.h"

namespace scr::saver::test {
namespace {

using platform::TButton;
using platform::TMonitor;
using CoverState = platform::headless::THeadlessScreen::TCoverState;

constexpr TRect kPrimary{0, 0, 1024, 768};
constexpr TRect kRight{1024, 0, 2304, 1024};
constexpr TRect kLeftAbove{-1280, -200, 0, 824};
constexpr TRect kBelow{0, 768, 1024, 1536};

class MonitorCoverTest : public SaverTest {
 protected:
  void UseMonitors(std::vector<TMonitor> monitors) { p_.Desktop().SetMonitors(std::move(monitors)); }
  std::vector<CoverState> Covers() { return p_.Screen().Covers(); }
  std::vector<TRect> CoverBounds() {
    std::vector<TRect> out;
    for (const CoverState& c : Covers()) out.push_back(c.bounds);
    return out;
  }
  void Move(int x, int y) {
    p_.Screen().PostMouseMove(x, y);
    Pump();
  }
};

TEST_F(MonitorCoverTest, EveryOtherDisplayGetsAVisibleCoverOfItsExactSize) {
  UseMonitors({{kLeftAbove, false}, {kPrimary, true}, {kRight, false}});
  AddPictures(1);
  TfrmScrn& form = StartAndSetUp();
  EXPECT_EQ(form.Window().Bounds(), kPrimary);
  EXPECT_EQ(CoverBounds(), (std::vector<TRect>{kLeftAbove, kRight}));
  for (const CoverState& c : Covers()) EXPECT_TRUE(c.visible);
  // The covers are shown with the saver window, after the system was told.
  EXPECT_EQ(p_.Log().Only({"SystemParametersInfo", "CreateCoverWindow"}),
            (std::vector<std::string>{"SystemParametersInfo 97 1", "CreateCoverWindow -1280,-200,0,824",
                                      "CreateCoverWindow 1024,0,2304,1024"}));
  EXPECT_EQ(p_.Screen().CursorCount(), -1);  // one hide for every window of the program
}

TEST_F(MonitorCoverTest, OneDisplayOrDisplaysInsideThePrimaryGetNoCover) {
  AddPictures(1);
  StartAndSetUp();
  EXPECT_TRUE(Covers().empty());
  form_.reset();

  // A mirrored display, and one lying inside the primary, would hide the show.
  UseMonitors({{kPrimary, true}, {kPrimary, false}, {TRect{100, 100, 300, 300}, false}, {kBelow, false}});
  StartAndSetUp();
  EXPECT_EQ(CoverBounds(), (std::vector<TRect>{kBelow}));
}

TEST_F(MonitorCoverTest, CoversWaitForASuccessfulSetUp) {
  UseMonitors({{kPrimary, true}, {kRight, false}});
  Start();
  p_.Files().SetFile(p_.System().ExecutablePath(), std::vector<uint8_t>(30, ' '));  // short trailer
  Pump();
  EXPECT_TRUE(form_->Initializing());
  EXPECT_TRUE(Covers().empty());
}

TEST_F(MonitorCoverTest, MovingAcrossDisplaysIsOneMovement) {
  Settings().SetlExitMouseMove(true);
  UseMonitors({{kPrimary, true}, {kRight, false}});
  StartAndSetUp();
  Move(1020, 500);  // the primary: recorded
  Move(1026, 500);  // over the cover: 6 pixels along one axis
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(form_->LastMouseX(), 1020);
  Move(1030, 503);  // 10 and 3 pixels from the recorded point, on the other display
  EXPECT_FALSE(WindowOpen());
}

TEST_F(MonitorCoverTest, NegativeCoordinatesLeftOfAndAboveThePrimary) {
  Settings().SetlExitMouseMove(true);
  UseMonitors({{kLeftAbove, false}, {kPrimary, true}});
  StartAndSetUp();
  // (-1, -1) is a real point there: it is recorded, not taken for "no point yet".
  Move(-1, -1);
  EXPECT_EQ(form_->LastMouseX(), -1);
  Move(1, 1);  // 2 pixels on each axis, across onto the primary
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(form_->LastMouseX(), -1);
  Move(2, 2);  // 3 pixels on each axis from (-1, -1)
  EXPECT_FALSE(WindowOpen());
}

TEST_F(MonitorCoverTest, KeysAndClicksOnACoverFollowTheRules) {
  struct TCase {
    bool keyRule, clickRule;
  };
  for (const TCase c : {TCase{false, false}, TCase{true, false}, TCase{false, true}}) {
    SCOPED_TRACE(std::to_string(c.keyRule) + std::to_string(c.clickRule));
    Settings().SetlExitKeyPress(c.keyRule);
    Settings().SetlExitMouseClick(c.clickRule);
    UseMonitors({{kPrimary, true}, {kRight, false}});
    StartAndSetUp();
    const platform::TWindowHandle cover = Covers().at(0).handle;
    p_.Screen().PostKeyDownTo(cover, 'A');
    Pump();
    EXPECT_EQ(WindowOpen(), !c.keyRule);
    if (!WindowOpen()) continue;
    p_.Screen().PostMouseDown(TButton::Right, 2000, 10);
    Pump();
    EXPECT_EQ(WindowOpen(), !c.clickRule);
    form_.reset();
  }
}

TEST_F(MonitorCoverTest, ADoubleClickOnACoverIsAPress) {
  Settings().SetlExitMouseClick(true);
  UseMonitors({{kPrimary, true}, {kBelow, false}});
  StartAndSetUp();
  p_.Screen().PostDoubleClick(TButton::Left, 10, 1000);
  Pump();
  EXPECT_FALSE(WindowOpen());
}

TEST_F(MonitorCoverTest, ClosingTheSaverClosesEveryCover) {
  Settings().SetlExitKeyPress(true);
  UseMonitors({{kLeftAbove, false}, {kPrimary, true}, {kRight, false}, {kBelow, false}});
  AddPictures(2);
  StartAndSetUp();
  std::vector<platform::TWindowHandle> handles;
  for (const CoverState& c : Covers()) handles.push_back(c.handle);
  ASSERT_EQ(handles.size(), 3u);
  p_.Desktop().At(3000, [this] { p_.Screen().PostKeyDown('Q'); });
  p_.Application().Run(form_->Window());
  EXPECT_FALSE(WindowOpen());
  EXPECT_TRUE(Covers().empty());
  for (platform::TWindowHandle h : handles) EXPECT_FALSE(p_.Desktop().OwnExists(h));
  EXPECT_EQ(p_.Screen().CursorCount(), 0);
  EXPECT_FALSE(p_.Screen().ScreenSaverRunning());
}

TEST_F(MonitorCoverTest, ATerminatedRunLeavesNoCoverBehind) {
  UseMonitors({{kPrimary, true}, {kRight, false}});
  StartAndSetUp();
  ASSERT_EQ(Covers().size(), 1u);
  form_.reset();
  EXPECT_TRUE(Covers().empty());
}

TEST(MonitorCoverList, PrimaryEnclosedAndRepeatedDisplaysAreLeftOut) {
  const std::vector<TMonitor> monitors{{kPrimary, true}, {kRight, false},         {TRect{0, 0, 512, 384}, false},
                                       {TRect{}, false}, {kRight, false},         {TRect{1000, 0, 1100, 100}, false}};
  // The last one overlaps the primary only in part: it is covered outside it, in every
  // mode.
  for (int32_t mode : {kMonitorsBlack, 7}) {
    const TMonitorLayout layout = LayOutMonitors(monitors, kPrimary, mode);
    EXPECT_EQ(layout.covers, (std::vector<TRect>{kRight, TRect{1024, 0, 1100, 100}}));
    EXPECT_TRUE(layout.shows.empty());
  }
  for (int32_t mode : {kMonitorsSame, kMonitorsDifferent}) {
    const TMonitorLayout layout = LayOutMonitors(monitors, kPrimary, mode);
    EXPECT_EQ(layout.shows, (std::vector<TRect>{kRight}));
    EXPECT_EQ(layout.covers, (std::vector<TRect>{TRect{1024, 0, 1100, 100}}));
  }
}

TEST(MonitorCoverList, OutsideCutsAroundTheHole) {
  const TRect r{0, 0, 100, 100};
  EXPECT_EQ(Outside(r, TRect{200, 0, 300, 100}), (std::vector<TRect>{r}));
  EXPECT_TRUE(Outside(r, TRect{-10, -10, 110, 110}).empty());
  // A hole in the middle leaves four bands that tile the rest exactly.
  EXPECT_EQ(Outside(r, TRect{20, 30, 60, 70}),
            (std::vector<TRect>{{0, 0, 100, 30}, {0, 30, 20, 70}, {60, 30, 100, 70}, {0, 70, 100, 100}}));
  // A display sticking out below and to the left of the primary.
  EXPECT_EQ(Outside(TRect{-50, 700, 400, 900}, kPrimary),
            (std::vector<TRect>{{-50, 700, 0, 768}, {-50, 768, 400, 900}}));
}

}  // namespace
}  // namespace scr::saver::test
