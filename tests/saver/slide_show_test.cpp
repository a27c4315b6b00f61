// The slide show in whole saver runs: when pictures change, which picture and effect
// come next, and what stops the show.
#include <algorithm>

#include "tests/saver/saver_fixture.h"

namespace scr::saver::test {
namespace {

// Virtual times of the slide timer's events ("Timer 1 on 2000 @3050" and the like).
std::vector<uint64_t> TimerTimes(const platform::headless::TCallLog& log, const std::string& what) {
  std::vector<uint64_t> out;
  for (const std::string& e : log.Entries())
    if (e.rfind("Timer ", 0) == 0 && e.find(what) != std::string::npos) out.push_back(std::stoull(e.substr(e.find('@') + 1)));
  return out;
}

TEST_F(SaverTest, FirstPictureAtTheFirstIdleTurnThenIntervalAfterEachTransition) {
  AddPictures(2);
  Settings().SetEffectCommaList("5,7");
  Start();
  RunFor(12000);
  ASSERT_GE(shown_.size(), 3u);
  // The first transition starts at once: the timer is first switched on when it has
  // ended, at the moment the first transition completed.
  const std::vector<uint64_t> on = TimerTimes(p_.Log(), " on 2000");
  const std::vector<uint64_t> ticks = TimerTimes(p_.Log(), " tick");
  ASSERT_GE(on.size(), 3u);
  ASSERT_GE(ticks.size(), 2u);
  EXPECT_EQ(on[0], shown_[0].at);
  EXPECT_EQ(ticks[0], on[0] + 2000);
  EXPECT_EQ(on[1], shown_[1].at);
  EXPECT_EQ(ticks[1], on[1] + 2000);
  // A transition takes time, which adds to the interval.
  EXPECT_GT(shown_[1].at, ticks[0]);
  EXPECT_EQ(Pictures()[0], 0);
  EXPECT_EQ(Pictures()[1], 1);
  EXPECT_EQ(Pictures()[2], 0);
}

TEST_F(SaverTest, OrderedEffectsCycleThroughTheList) {
  AddPictures(1);
  Settings().SetEffectCommaList("5,7");
  Start();
  RunFor(14000);
  ASSERT_GE(shown_.size(), 4u);
  const std::vector<int> styles = Styles();
  EXPECT_EQ((std::vector<int>(styles.begin(), styles.begin() + 4)), (std::vector<int>{5, 7, 5, 7}));
  // One picture, ordered: the same picture every time.
  for (int32_t pic : Pictures()) EXPECT_EQ(pic, 0);
}

TEST_F(SaverTest, EmptyEffectListGivesEffectZeroAndOnlyTheLowByteOfAnEffectCounts) {
  AddPictures(2);
  Start();
  RunFor(9000);
  ASSERT_GE(shown_.size(), 3u);
  for (int style : Styles()) EXPECT_EQ(style, 0);
}

TEST_F(SaverTest, EffectNumbersKeepTheirLowByte) {
  AddPictures(1);
  Settings().SetEffectCommaList("261,x");  // 261 = 256 + 5; text that is no number is 0
  Start();
  RunFor(7000);
  ASSERT_GE(shown_.size(), 2u);
  EXPECT_EQ(Styles()[0], 5);
  EXPECT_EQ(Styles()[1], 0);
}

TEST_F(SaverTest, RandomPicturesAndEffectsRepeatFromRunToRun) {
  auto run = [this] {
    AddPictures(4);
    Settings().SetlRandomPic(true);
    Settings().SetlRandomStyle(true);
    Settings().SetEffectCommaList("1,2,3,4,5,6,7,8");
    Settings().SetInterval(500);
    Start();
    RunFor(30000);
    std::vector<std::pair<int32_t, int>> seq;
    for (const TShown& s : shown_) seq.emplace_back(s.picture, s.style);
    return seq;
  };
  const auto first = run();
  // A second program run: the generator starts from its load state again.
  form_.reset();
  shown_.clear();
  builder_ = TPackageBuilder(scr::test::FakeRuntime());
  pictures_ = 0;
  ResetProgramRandom();
  const auto second = run();
  ASSERT_GE(first.size(), 8u);
  EXPECT_EQ(first, second);
  // Random, not ordered: some picture comes out of turn.
  bool outOfTurn = false;
  for (size_t i = 0; i < first.size(); ++i) outOfTurn |= first[i].first != static_cast<int32_t>(i % 4);
  EXPECT_TRUE(outOfTurn);
}

TEST_F(SaverTest, IntervalZeroShowsOnlyTheFirstPicture) {
  AddPictures(3);
  Settings().SetInterval(0);
  Start();
  p_.Desktop().SetTimeLimit(600000);
  RunFor(60000);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].picture, 0);
  EXPECT_TRUE(TimerTimes(p_.Log(), " tick").empty());
}

TEST_F(SaverTest, NoPicturesDrawNothingAndNeverArmTheTimer) {
  Start();
  RunFor(10000);
  EXPECT_TRUE(shown_.empty());
  EXPECT_TRUE(TimerTimes(p_.Log(), " on").empty());
  EXPECT_TRUE(form_->PShow().FrameBitmap().Empty());
  // The screen stays the window's black.
  const TBitmap24 shot = p_.Screen().Snapshot();
  EXPECT_EQ(shot.Pixel(512, 384), 0u);
  EXPECT_EQ(ErrorBoxes(), 0u);
}

TEST_F(SaverTest, ClearOldImageStartsEachTransitionFromAnEmptyControl) {
  for (bool clear : {false, true}) {
    SCOPED_TRACE(clear ? "lClearOldImage" : "old picture kept");
    form_.reset();
    shown_.clear();
    builder_ = TPackageBuilder(scr::test::FakeRuntime());
    pictures_ = 0;
    TBitmap24 red(1024, 768);
    red.Fill(0x0000FF);
    TBitmap24 green(1024, 768);
    green.Fill(0x00FF00);
    AddPicture(red);
    AddPicture(green);
    Settings().SetInterval(1000);
    Settings().SetEffectCommaList("1");
    Settings().SetlClearOldImage(clear);
    Start();
    // The first repaint after the slide timer's first tick.
    std::vector<uint32_t> centre;
    p_.Screen().OnPresent = [&] {
      if (shown_.size() == 1 && centre.empty()) centre.push_back(p_.Screen().Snapshot().Pixel(1000, 10));
    };
    RunFor(5000);
    p_.Screen().OnPresent = nullptr;
    ASSERT_EQ(centre.size(), 1u);
    EXPECT_EQ(centre[0], clear ? 0x000000u : 0x0000FFu);
    ASSERT_GE(shown_.size(), 2u);
  }
}

TEST_F(SaverTest, StopShowMessageDisablesTheTimerAndCloses) {
  AddPictures(2);
  Start();
  RunFor(1500);
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(form_->SlideTimer().Enabled());
  EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(SaverTest, DamagedPictureRecordStopsTheShowWithTheReadersMessage) {
  AddPictures(1);
  std::vector<uint8_t> bad = BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(40, 30)));
  bad.resize(bad.size() / 2);  // cut inside the picture's data
  AddPictureStream(bad);
  Start();
  RunFor(20000);
  // The first picture was shown; the second could not be read.
  ASSERT_EQ(shown_.size(), 1u);
  ASSERT_EQ(ErrorBoxes(), 1u);
  const std::string box = p_.Log().Entries()[p_.Log().Find("ShowException")];
  EXPECT_NE(box.find("Stream read error"), std::string::npos) << box;
  // The timer stays off: no tick after the failed one.
  EXPECT_EQ(TimerTimes(p_.Log(), " tick").size(), 1u);
  // The file was closed again.
  EXPECT_EQ(p_.Log().Count("OpenRead C:\\SAVERS\\TEST.SCR"), p_.Log().Count("CloseFile C:\\SAVERS\\TEST.SCR"));
}

TEST_F(SaverTest, MetafilesCannotBeDrawnWithoutTheSystemsRenderer) {
  // An enhanced metafile header of 100 x 50 pixels and the end record.
  std::vector<uint8_t> emf;
  auto put = [&emf](uint32_t v) {
    for (int i = 0; i < 4; ++i) emf.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  for (uint32_t v : {1u, 88u, 0u, 0u, 99u, 49u, 0u, 0u, 2645u, 1322u, 0x464D4520u, 0x10000u, 108u, 2u, 1u, 0u, 0u,
                     0u, 1024u, 768u, 270u, 203u})
    put(v);
  for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) put(v);
  AddPictureStream(BuildImageStream("TMetafile", emf));
  Start();
  RunFor(10000);
  EXPECT_TRUE(shown_.empty());
  ASSERT_EQ(ErrorBoxes(), 1u);
  EXPECT_TRUE(p_.Log().Has("ShowException Metafile drawing is not available"));
  EXPECT_FALSE(form_->SlideTimer().Enabled());
}

}  // namespace
}  // namespace scr::saver::test
