// The playlist alone: track order, muting, failing tracks and the notice hand-over,
// against the headless media player.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/music/music_fixture.h"

namespace scr::saver::test {
namespace {

using Strings = std::vector<std::string>;
using platform::TMPNotifyValue;

// Every order value but 2 and 3 plays the list in order (the tool writes 1).
class PlainOrderTest : public MusicTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(PlainOrderTest, PlaysTheListInOrderAndWrapsAfterTheLast) {
  SetTracks({"a.wav", "b.mid", "c.mp3"}, GetParam());
  TMusicPlaylist list(p_, *this);
  EXPECT_EQ(PlayThrough(list, 4), (Strings{"a.wav", "b.mid", "c.mp3", "a.wav", "b.mid"}));
  EXPECT_EQ(sndIndex_, 2);
  EXPECT_EQ(p_.Media().Playing(), TempPath("b.mid"));
}

INSTANTIATE_TEST_SUITE_P(OrderValues, PlainOrderTest, ::testing::Values(1, 0, 4, -1));

TEST_F(MusicTest, OrderThreeRepeatsTheFirstTrackWithoutAdvancing) {
  SetTracks({"a.wav", "b.wav", "c.wav"}, 3);
  TMusicPlaylist list(p_, *this);
  EXPECT_EQ(PlayThrough(list, 3), (Strings{"a.wav", "a.wav", "a.wav", "a.wav"}));
  EXPECT_EQ(sndIndex_, 0);
}

TEST_F(MusicTest, RandomOrderDrawsFromTheSharedGeneratorWithRepeatsAndTheSameEveryRun) {
  SetTracks({"a.wav", "b.wav"}, 2);
  // What the program-wide generator gives from its start, one draw per change.
  Strings expected;
  for (int i = 0; i < 12; ++i) expected.push_back(Random(2) == 0 ? "a.wav" : "b.wav");
  ResetProgramRandom();

  TMusicPlaylist list(p_, *this);
  const Strings first = PlayThrough(list, 11);
  EXPECT_EQ(first, expected);
  bool repeated = false;
  for (size_t i = 1; i < first.size(); ++i) repeated = repeated || first[i] == first[i - 1];
  EXPECT_TRUE(repeated) << "a track may follow itself";

  // A second run of the program: the generator starts from 0 again.
  list.Close();
  ResetProgramRandom();
  sndIndex_ = 0;
  TMusicPlaylist second(p_, *this);
  const Strings both = PlayThrough(second, 11);
  ASSERT_EQ(both.size(), 24u);
  EXPECT_EQ(Strings(both.begin() + 12, both.end()), first);
}

TEST_F(MusicTest, MutedOrWithoutSoundsNothingIsEverOpened) {
  SetTracks({"a.wav", "b.wav"});
  settings_.SetlMute(true);
  {
    TMusicPlaylist list(p_, *this);
    list.Start();
    list.NextSound();
    Pump();
  }
  settings_ = TSSFileLocations();
  {
    TMusicPlaylist list(p_, *this);
    list.Start();
    Pump();
  }
  EXPECT_FALSE(p_.Log().Has("MciOpen"));
  EXPECT_TRUE(p_.Media().Played().empty());
  EXPECT_EQ(sndIndex_, 0);
}

// The notice hand-over: the stop that follows a notice is sent without notify, so
// exactly one notice per track arrives and exactly one next track starts.
TEST_F(MusicTest, EachTrackEndGivesOneNoticeAndTheStopInsideTheHandlerNone) {
  SetTracks({"a.wav", "b.wav"});
  TMusicPlaylist list(p_, *this);
  list.Start();
  list.Start();  // only the first call starts a track
  Pump();
  EXPECT_EQ(p_.Log().Only({"Mci"}), (Strings{"MciOpen C:\\TEMP\\a.wav", "MciPlay notify"}));
  p_.Log().Clear();

  EXPECT_TRUE(FinishTrack());
  EXPECT_EQ(p_.Log().Only({"Mci"}), (Strings{"MciNotify successful", "MciStop", "MciClose",
                                             "MciOpen C:\\TEMP\\b.wav", "MciPlay notify"}));
  Pump();
  EXPECT_EQ(p_.Log().Count("MciNotify"), 1u);
  EXPECT_EQ(Played(), (Strings{"a.wav", "b.wav"}));
}

TEST_F(MusicTest, AnyNoticeLeadsToTheNextTrack) {
  SetTracks({"a.wav", "b.wav", "c.wav"});
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  // A device that fails midway, and one whose command was cut short, both notify.
  ASSERT_TRUE(p_.Media().PostNotice(TMPNotifyValue::Failure));
  Pump();
  ASSERT_TRUE(p_.Media().PostNotice(TMPNotifyValue::Aborted));
  Pump();
  EXPECT_EQ(Played(), (Strings{"a.wav", "b.wav", "c.wav"}));
}

// Without audio output each play fails at once: the list is tried once, then the
// music stops instead of cycling through the tracks as fast as the device answers.
TEST_F(MusicTest, WhenEveryTrackFailsInARowTheMusicStops) {
  for (int32_t order : {1, 2, 3}) {
    SCOPED_TRACE(order);
    SetTracks({"a.wav", "b.wav", "c.wav"}, order);
    p_.Media().SetNoAudioOutput(true);
    const size_t before = p_.Media().Played().size();
    sndIndex_ = 0;
    TMusicPlaylist list(p_, *this);
    list.Start();
    for (int i = 0; i < 20; ++i) Pump();
    EXPECT_EQ(p_.Media().Played().size() - before, 3u);
    EXPECT_EQ(list.FailuresInARow(), 3);
    ASSERT_NE(list.mpSaver(), nullptr);
    EXPECT_FALSE(list.mpSaver()->IsOpen());
  }
  EXPECT_FALSE(p_.Log().Has("ShowException"));
}

TEST_F(MusicTest, ATrackThatEndsNormallyBetweenFailuresKeepsTheMusicGoing) {
  SetTracks({"a.wav", "b.wav"});
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  ASSERT_TRUE(p_.Media().PostNotice(TMPNotifyValue::Failure));  // a
  Pump();
  EXPECT_TRUE(FinishTrack());  // b ends normally
  ASSERT_TRUE(p_.Media().PostNotice(TMPNotifyValue::Failure));  // a again
  Pump();
  EXPECT_EQ(Played(), (Strings{"a.wav", "b.wav", "a.wav", "b.wav"}));
  EXPECT_EQ(p_.Media().Playing(), TempPath("b.wav"));
  EXPECT_EQ(list.FailuresInARow(), 1);
}

enum class TSpoil { Refused, Missing, PlayRefused, NoName };

void PrintTo(TSpoil s, std::ostream* os) {
  static const char* const kNames[] = {"refused by the device", "file gone", "play refused", "no name"};
  *os << kNames[static_cast<int>(s)];
}

class StalledTrackTest : public MusicTest, public ::testing::WithParamInterface<TSpoil> {};

TEST_P(StalledTrackTest, ATrackThatCannotBeStartedStopsTheMusicWithoutAMessage) {
  SetTracks({"a.wav", "b.wav", "c.wav"});
  switch (GetParam()) {
    case TSpoil::Refused: p_.Media().FailOpen(TempPath("b.wav")); break;
    case TSpoil::Missing: ASSERT_TRUE(p_.Files().Delete(TempPath("b.wav"))); break;
    case TSpoil::PlayRefused: p_.Media().FailPlay(TempPath("b.wav")); break;
    case TSpoil::NoName: break;  // passed over instead: see the next test
  }
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  EXPECT_TRUE(FinishTrack());
  EXPECT_EQ(Played(), (Strings{"a.wav"}));
  // Nothing plays, so no notice can come that would start the third track.
  EXPECT_EQ(p_.Media().Playing(), "");
  EXPECT_FALSE(FinishTrack());
  Pump();
  EXPECT_EQ(Played(), (Strings{"a.wav"}));
  EXPECT_FALSE(p_.Log().Has("ShowException"));
  // The skipped track still counts.
  EXPECT_EQ(sndIndex_, 2);
}

INSTANTIATE_TEST_SUITE_P(Failures, StalledTrackTest,
                         ::testing::Values(TSpoil::Refused, TSpoil::Missing, TSpoil::PlayRefused));

// A track without a name was never written at set-up: the playlist goes on with the
// next one instead of stalling.
TEST_F(MusicTest, ATrackWithoutANameIsPassedOver) {
  SetTracks({"a.wav", "b.wav", "c.wav"});
  settings_.SetSndFileNamesCommaList("a.wav");
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  EXPECT_TRUE(FinishTrack());
  Pump();
  // b and c have no names: the list wraps to a.
  EXPECT_EQ(Played(), (Strings{"a.wav", "a.wav"}));
  EXPECT_FALSE(p_.Log().Has("ShowException"));
}

TEST_F(MusicTest, AnIndexOutsideTheListStartsAgainAtTheFirstTrack) {
  SetTracks({"a.wav", "b.wav"});
  for (int32_t start : {2, 7, -3}) {
    sndIndex_ = start;
    TMusicPlaylist list(p_, *this);
    list.Start();
    Pump();
    EXPECT_EQ(p_.Media().Playing(), TempPath("a.wav")) << start;
    EXPECT_EQ(sndIndex_, 1);
  }
}

TEST_F(MusicTest, ANameThatIsNotAPlainFileNameNeverReachesTheDevice) {
  SetTracks({"a.wav"});
  p_.Files().SetFile("C:\\x.wav", {1});
  settings_.SetSndFileNamesCommaList("..\\x.wav");
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  EXPECT_FALSE(p_.Log().Has("MciOpen"));
}

TEST_F(MusicTest, ClosingFreesTheTrackFileAndDropsNoticesOnTheirWay) {
  SetTracks({"a.wav", "b.wav"});
  TMusicPlaylist list(p_, *this);
  list.Start();
  Pump();
  // An open device holds its file, as on the system.
  EXPECT_FALSE(p_.Files().Delete(TempPath("a.wav")));
  ASSERT_TRUE(p_.Media().FinishTrack());  // the notice waits in the queue
  list.Close();
  Pump();
  list.Start();
  EXPECT_EQ(list.mpSaver(), nullptr);
  EXPECT_EQ(Played(), (Strings{"a.wav"}));
  EXPECT_FALSE(p_.Log().Has("MciNotify"));
  EXPECT_TRUE(p_.Files().Delete(TempPath("a.wav")));
}

}  // namespace
}  // namespace scr::saver::test
