// The other displays in each monitor mode (black, the same show, a different picture
// on each), and the desk changing under a running show: displays removed, added and
// resized are followed, nothing is left over the show, and the show goes on.
#include <set>

#include "saver/compose.h"
#include "saver/monitor_shows.h"
#include "saver/prepared_picture.h"
#include "tests/saver/saver_fixture.h"

namespace scr::saver::test {
namespace {

using platform::TButton;
using platform::TMonitor;
using WindowState = platform::headless::THeadlessScreen::TCoverState;

constexpr TRect kPrimary{0, 0, 1024, 768};
constexpr TRect kLeft{-1280, -200, 0, 824};  // the primary is not the leftmost one
constexpr TRect kRight{1024, 0, 1824, 600};
constexpr TRect kBelow{0, 768, 640, 1248};
constexpr TRect kOverlapping{900, 500, 1300, 800};  // partly over the primary

class MonitorModeTest : public SaverTest {
 protected:
  MonitorModeTest() {
    Settings().SetEffectCommaList("0");
    Settings().SetInterval(2000);
  }
  void UseMonitors(std::vector<TMonitor> monitors) { p_.Desktop().SetMonitors(std::move(monitors)); }
  // Picture i of AddPictures composed for a display of r's size.
  TBitmap24 Composed(int i, const TRect& r) {
    const TBitmapGraphic picture(scr::test::PatternBitmap(100 + 10 * i, 80 + 10 * i));
    return ComposeFrame(&picture, Settings(), r.Width(), r.Height(), p_.Screen());
  }
  // Picture i of AddPictures (or `picture`) prepared for a display of r's size: the
  // same frame a still show of these settings starts with.
  TBitmap24 Prepared(const TBitmap24& picture, const std::string& caption, const TRect& r) {
    const TPreparedPicture prepared = PreparePicture(picture, caption, Settings(), r.Width(), r.Height(), p_.Screen());
    TBitmap24 frame;
    DrawPreparedFrame(prepared, 0, frame, Settings(), p_.Screen());
    return frame;
  }
  TBitmap24 Prepared(int i, const TRect& r) {
    return Prepared(scr::test::PatternBitmap(100 + 10 * i, 80 + 10 * i), Settings().Text(), r);
  }
  // The pictures the displays beside the primary show now, in display order.
  std::vector<int32_t> OtherPictures() { return form_->MonitorShows().ShowPictures(); }
  int32_t PrimaryPicture() { return shown_.empty() ? -1 : shown_.back().picture; }
  // Every window of the program other than the saver window: none may lie over it.
  void ExpectNothingOverTheShow() {
    const TRect saver = form_->Window().Bounds();
    for (const WindowState& c : p_.Screen().Covers())
      EXPECT_TRUE(Intersect(c.bounds, saver).IsEmpty()) << c.bounds.left << "," << c.bounds.top;
    for (const WindowState& w : p_.Screen().ScreenWindows()) {
      if (w.handle != form_->Window().Handle()) {
        EXPECT_TRUE(Intersect(w.bounds, saver).IsEmpty()) << w.bounds.left << "," << w.bounds.top;
      }
    }
    EXPECT_TRUE(p_.Screen().Snapshot(saver) == form_->PShow().FrameBitmap());
  }
  std::vector<TRect> CoverBounds() {
    std::vector<TRect> out;
    for (const WindowState& c : p_.Screen().Covers()) out.push_back(c.bounds);
    return out;
  }
  // Runs the show, calling check as each picture's transition ends on the primary
  // display (the other displays have reached their end with it).
  void RunChecking(uint64_t duration, const std::function<void()>& check) {
    const std::function<void()> record = form_->PShow().OnComplete;
    form_->PShow().OnComplete = [record, check] {
      record();
      check();
    };
    RunFor(duration);
  }
};

TEST_F(MonitorModeTest, SameShowOnEveryDisplayComposedForItsSize) {
  UseMonitors({{kLeft, false}, {kPrimary, true}, {kRight, false}});
  Settings().SetMonitorMode(kMonitorsSame);
  Settings().SetlRandomPic(true);
  AddPictures(4);
  Start();
  int checks = 0;
  RunChecking(9000, [&] {
    ++checks;
    const int32_t now = PrimaryPicture();
    EXPECT_EQ(OtherPictures(), (std::vector<int32_t>{now, now}));
    EXPECT_TRUE(p_.Screen().Snapshot(kLeft) == Composed(now, kLeft));
    EXPECT_TRUE(p_.Screen().Snapshot(kRight) == Composed(now, kRight));
    EXPECT_TRUE(p_.Screen().Snapshot(kPrimary) == Composed(now, kPrimary));
    EXPECT_TRUE(p_.Screen().Covers().empty());
  });
  EXPECT_GE(checks, 2);
  // One sequence of pictures: the same random choices as on one display.
  const std::vector<int32_t> withShows = Pictures();
  form_.reset();
  shown_.clear();
  ResetProgramRandom();
  UseMonitors({{kPrimary, true}});
  Start();
  RunFor(9000);
  EXPECT_EQ(Pictures(), withShows);
}

TEST_F(MonitorModeTest, DifferentPicturesOnEveryDisplayWhileThereAreEnough) {
  for (const bool random : {false, true}) {
    SCOPED_TRACE(random ? "random" : "in order");
    UseMonitors({{kLeft, false}, {kBelow, false}, {kPrimary, true}, {kRight, false}});
    Settings().SetMonitorMode(kMonitorsDifferent);
    Settings().SetlRandomPic(random);
    if (!random) AddPictures(5);
    Start();
    std::set<int32_t> everShown;
    int checks = 0;
    RunChecking(11000, [&] {
      ++checks;
      std::vector<int32_t> all = OtherPictures();
      all.push_back(PrimaryPicture());
      EXPECT_EQ(std::set<int32_t>(all.begin(), all.end()).size(), 4u);
      everShown.insert(all.begin(), all.end());
      const std::vector<TRect> displays = form_->MonitorShows().ShowBounds();
      ASSERT_EQ(displays.size(), 3u);
      for (size_t k = 0; k < displays.size(); ++k)
        EXPECT_TRUE(p_.Screen().Snapshot(displays[k]) == Composed(OtherPictures()[k], displays[k]));
    });
    EXPECT_GE(checks, 2);
    // In order, each display moves on through all of them.
    if (!random) {
      EXPECT_EQ(everShown.size(), 5u);
    }
    form_.reset();
    shown_.clear();
  }
}

TEST_F(MonitorModeTest, FewerPicturesThanDisplaysRepeatOnlyWhatMust) {
  UseMonitors({{kLeft, false}, {kPrimary, true}, {kRight, false}});
  Settings().SetMonitorMode(kMonitorsDifferent);
  AddPictures(2);
  Start();
  int checks = 0;
  RunChecking(7000, [&] {
    ++checks;
    std::vector<int32_t> all = OtherPictures();
    all.push_back(PrimaryPicture());
    EXPECT_EQ(std::set<int32_t>(all.begin(), all.end()), (std::set<int32_t>{0, 1}));
  });
  EXPECT_GE(checks, 2);
}

TEST_F(MonitorModeTest, APartlyOverlappingDisplayIsCoveredOnlyBesideTheShow) {
  AddPictures(3);
  for (int32_t mode : {kMonitorsBlack, kMonitorsSame, kMonitorsDifferent}) {
    SCOPED_TRACE(mode);
    UseMonitors({{kPrimary, true}, {kOverlapping, false}, {kLeft, false}});
    Settings().SetMonitorMode(mode);
    Start();
    int checks = 0;
    RunChecking(3000, [&] {
      ++checks;
      // Beside the primary on the right, and below it.
      std::vector<TRect> covers{{1024, 500, 1300, 768}, {900, 768, 1300, 800}};
      if (mode == kMonitorsBlack) covers.push_back(kLeft);
      EXPECT_EQ(CoverBounds(), covers);
      EXPECT_EQ(form_->MonitorShows().ShowCount(), mode == kMonitorsBlack ? 0u : 1u);
      ExpectNothingOverTheShow();
    });
    EXPECT_GE(checks, 1);
    form_.reset();
    shown_.clear();
  }
}

TEST_F(MonitorModeTest, InputOnEveryDisplayFollowsTheExitRules) {
  Settings().SetMonitorMode(kMonitorsDifferent);
  Settings().SetlExitMouseMove(true);
  Settings().SetlExitMouseClick(true);
  Settings().SetlExitKeyPress(true);
  AddPictures(3);
  auto start = [&] {
    UseMonitors({{kLeft, false}, {kPrimary, true}, {kRight, false}});
    StartAndSetUp();
    return p_.Screen().ScreenWindows().back().handle;
  };
  // A move from the primary onto the left display, across the edge at 0.
  start();
  p_.Screen().PostMouseMove(1, 300);
  Pump();
  p_.Screen().PostMouseMove(-1, 302);
  Pump();
  EXPECT_TRUE(WindowOpen());
  p_.Screen().PostMouseMove(-4, 298);  // 5 and 2 pixels: not yet
  Pump();
  EXPECT_TRUE(WindowOpen());
  p_.Screen().PostMouseMove(-600, -100);
  Pump();
  EXPECT_FALSE(WindowOpen());
  form_.reset();

  start();
  p_.Screen().PostMouseDown(TButton::Left, 1500, 300);
  Pump();
  EXPECT_FALSE(WindowOpen());
  form_.reset();

  const platform::TWindowHandle right = start();
  p_.Screen().PostKeyDownTo(right, 'K');
  Pump();
  EXPECT_FALSE(WindowOpen());
  // Closing the saver closed every show with it.
  EXPECT_EQ(form_->MonitorShows().ShowCount(), 0u);
  EXPECT_EQ(p_.Screen().ScreenWindows().size(), 1u);  // the saver window's object alone
}

TEST_F(MonitorModeTest, ShowsFollowDisplaysRemovedAddedAndResized) {
  AddPictures(4);
  const TRect wide{0, 0, 1280, 1024}, rightOfWide{1280, 0, 2080, 600};
  for (int32_t mode : {kMonitorsBlack, kMonitorsSame, kMonitorsDifferent}) {
    SCOPED_TRACE(mode);
    UseMonitors({{kLeft, false}, {kPrimary, true}, {kRight, false}});
    Settings().SetMonitorMode(mode);
    Start();
    const bool shows = mode != kMonitorsBlack;
    auto others = [&] { return shows ? form_->MonitorShows().ShowBounds() : CoverBounds(); };
    auto windows = [&] { return p_.Screen().ScreenWindows().size() + p_.Screen().Covers().size(); };
    const uint64_t t0 = p_.Desktop().Now();
    auto at = [&](uint64_t t, std::function<void()> action) { p_.Desktop().At(t0 + t, std::move(action)); };
    // Pictures come in every 2000 ms from 0; the desk changes between them.
    at(1500, [&] {
      EXPECT_EQ(others(), (std::vector<TRect>{kLeft, kRight}));
      UseMonitors({{kPrimary, true}, {kRight, false}});  // the left one unplugged
    });
    at(1600, [&] {
      EXPECT_EQ(others(), (std::vector<TRect>{kRight}));
      EXPECT_EQ(windows(), 2u);
      ExpectNothingOverTheShow();
    });
    at(2500, [&] { UseMonitors({{kPrimary, true}, {kRight, false}, {kBelow, false}}); });
    at(2600, [&] {
      EXPECT_EQ(others(), (std::vector<TRect>{kRight, kBelow}));
      if (shows) {
        EXPECT_EQ(form_->MonitorShows().ShowPictures().back(), -1);  // until the next picture
      }
    });
    at(5000, [&] {
      ASSERT_GE(shown_.size(), 2u);
      if (shows) {
        const int32_t below = form_->MonitorShows().ShowPictures().back();
        EXPECT_NE(below, -1);
        EXPECT_TRUE(p_.Screen().Snapshot(kBelow) == Composed(below, kBelow));
      }
      ExpectNothingOverTheShow();
    });
    // The primary's resolution goes up; the display beside it moves along.
    at(5500, [&] { UseMonitors({{wide, true}, {rightOfWide, false}}); });
    at(5600, [&] {
      EXPECT_EQ(form_->Window().Bounds(), wide);
      EXPECT_EQ(others(), (std::vector<TRect>{rightOfWide}));
      EXPECT_EQ(windows(), 2u);
    });
    at(7000, [&] {
      ASSERT_GE(shown_.size(), 3u);
      // The next picture was composed for the new size, and shows whole.
      EXPECT_EQ(form_->PShow().FrameBitmap().Width(), wide.Width());
      EXPECT_TRUE(p_.Screen().Snapshot(wide) == Composed(PrimaryPicture(), wide));
      if (shows) {
        EXPECT_TRUE(p_.Screen().Snapshot(rightOfWide) ==
                    Composed(form_->MonitorShows().ShowPictures().at(0), rightOfWide));
      }
      ExpectNothingOverTheShow();
    });
    RunFor(7500);
    EXPECT_EQ(shown_.size(), 4u);  // the show went on through every change
    EXPECT_EQ(ErrorBoxes(), 0u);
    EXPECT_TRUE(p_.Screen().Covers().empty());
    form_.reset();
    shown_.clear();
    UseMonitors({});
  }
}

TEST_F(MonitorModeTest, AChangeBeforeSetUpIsLeftToTheSetUp) {
  Settings().SetMonitorMode(kMonitorsSame);
  AddPictures(1);
  Start();
  UseMonitors({{kPrimary, true}, {kRight, false}});
  Pump();
  EXPECT_EQ(form_->MonitorShows().ShowBounds(), (std::vector<TRect>{kRight}));
  EXPECT_EQ(p_.Screen().ScreenWindows().size(), 2u);
}

// The other displays show the picture the way the primary does: blurred bars, the
// crop, pairs of portraits and the motion, composed for each display's own size.
TEST_F(MonitorModeTest, OtherDisplaysComposeLikeThePrimary) {
  Settings().SetText("caption");
  AddPictures(3);
  for (const int32_t mode : {kMonitorsSame, kMonitorsDifferent}) {
    for (const int32_t fill : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " fill " << fill);
      UseMonitors({{kLeft, false}, {kPrimary, true}, {kRight, false}});
      Settings().SetMonitorMode(mode);
      Settings().SetFillMode(fill);
      Start();
      int checks = 0;
      RunChecking(7000, [&] {
        ++checks;
        const std::vector<TRect> displays = form_->MonitorShows().ShowBounds();
        ASSERT_EQ(displays.size(), 2u);
        for (size_t k = 0; k < displays.size(); ++k) {
          const int32_t picture = OtherPictures()[k];
          if (mode == kMonitorsSame) {
            EXPECT_EQ(picture, PrimaryPicture());
          }
          const TBitmap24 seen = p_.Screen().Snapshot(displays[k]);
          EXPECT_TRUE(seen == Prepared(picture, displays[k])) << k;
          EXPECT_FALSE(seen == Composed(picture, displays[k])) << k;  // no plain bars
        }
      });
      EXPECT_GE(checks, 2);
      form_.reset();
      shown_.clear();
    }
  }
}

TEST_F(MonitorModeTest, OtherDisplaysPairPortraitsAndMoveWithThePrimary) {
  UseMonitors({{kPrimary, true}, {kRight, false}});
  Settings().SetMonitorMode(kMonitorsDifferent);
  Settings().SetlPairPortraits(true);
  Settings().SetFillMode(1);
  const TBitmap24 portraits[] = {scr::test::PatternBitmap(200, 400), scr::test::PatternBitmap(180, 420),
                                 scr::test::PatternBitmap(210, 390), scr::test::PatternBitmap(190, 410)};
  for (const TBitmap24& b : portraits) AddPicture(b);
  Start();
  bool checked = false;
  RunChecking(3000, [&] {
    if (checked) return;
    checked = true;
    // The primary shows 0 and 1; the display beside it 1 and 2 side by side.
    const int32_t own = OtherPictures().at(0);
    const TBitmap24 pair =
        SideBySide(portraits[own], portraits[(own + 1) % 4], ColorToRGB(Settings().Background(), p_.Screen()));
    EXPECT_TRUE(p_.Screen().Snapshot(kRight) == Prepared(pair, Settings().Text(), kRight));
  });
  EXPECT_TRUE(checked);
  form_.reset();
  shown_.clear();

  // With pan and zoom, the other display's held picture moves too.
  Settings().SetlPairPortraits(false);
  Settings().SetMonitorMode(kMonitorsSame);
  Settings().SetPanZoom(20);
  Settings().SetInterval(4000);
  Start();
  TBitmap24 first, later;
  size_t shownFirst = 0, shownLater = 0;
  form_->OnHeldFrame = [&](const TBitmap24&) {
    if (!first.Empty()) return;
    first = p_.Screen().Snapshot(kRight);
    shownFirst = shown_.size();
    p_.Desktop().At(p_.Desktop().Now() + 1000, [&] {
      later = p_.Screen().Snapshot(kRight);
      shownLater = shown_.size();
    });
  };
  RunFor(3500);
  ASSERT_FALSE(first.Empty());
  ASSERT_FALSE(later.Empty());
  EXPECT_EQ(shownLater, shownFirst);  // the same picture, held
  EXPECT_FALSE(later == first);
}

}  // namespace
}  // namespace scr::saver::test
