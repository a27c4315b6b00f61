// The playlist inside whole saver runs on the headless backend: a saver file with
// sound files made by the package builder, the saver window with its music part, the
// message loop in virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "common/random.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "platform/headless/headless_platform.h"
#include "saver/music_part.h"
#include "saver/screen_saver.h"
#include "tests/support/saver_files.h"

namespace scr::saver::test {
namespace {

using platform::headless::THeadlessPlatform;
using Strings = std::vector<std::string>;

constexpr const char* kControlIni = "C:\\SAVERS\\CONTROL.INI";

class MusicSaverTest : public ::testing::Test {
 protected:
  MusicSaverTest() {
    app::ResetProgramState();
    ResetProgramRandom();
    MouseSkipCount = 0;
    builder_.SetRuntime(scr::test::FakeRuntime());
    builder_.Settings().SetInterval(2000);
    builder_.Settings().SetSoundRandom(1);
    builder_.AddPicture("p.bmp", BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(60, 40))));
  }

  void AddSounds(const Strings& names) {
    for (const std::string& n : names) builder_.AddSound(n, {'R', 'I', 'F', 'F', uint8_t(n[0])});
  }
  // Creates and shows the window with its music part; activation waits in the queue.
  TfrmScrn& Start() {
    p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
    form_ = std::make_unique<TfrmScrn>(p_, TSaverParts{CreateMusicPart(p_), nullptr});
    form_->Window().Show();
    return *form_;
  }
  // Runs the message loop for duration ms of virtual time, then asks the window to stop.
  void RunFor(uint64_t duration) {
    p_.Desktop().At(p_.Desktop().Now() + duration, [this] {
      if (form_->Window().Exists()) p_.Windowing().PostMessageTo(form_->Window().Handle(), WM_STOPSHOW, 0, 0);
    });
    p_.Application().Run(form_->Window());
  }
  // Ends the playing track at virtual time `at`.
  void FinishTrackAt(uint64_t at) {
    p_.Desktop().At(at, [this] { p_.Media().FinishTrack(); });
  }
  Strings Played() {
    Strings out;
    for (const std::string& path : p_.Media().Played()) out.push_back(path.substr(path.rfind('\\') + 1));
    return out;
  }
  void SetStoredMute(const std::string& iniText) {
    p_.Files().SetFile(kControlIni, std::vector<uint8_t>(iniText.begin(), iniText.end()));
  }

  THeadlessPlatform p_;
  TPackageBuilder builder_;
  std::unique_ptr<TfrmScrn> form_;
};

TEST_F(MusicSaverTest, TheFirstTrackStartsWithTheShowAndEachEndStartsTheNext) {
  AddSounds({"one.wav", "two.mid", "three.wav"});
  Start();
  // The activation runs the set-up; the show has not started, nor has the music.
  for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  ASSERT_FALSE(form_->Initializing());
  EXPECT_FALSE(p_.Log().Has("MciOpen"));
  EXPECT_FALSE(form_->ShowStarted());

  FinishTrackAt(1000);
  FinishTrackAt(2500);
  FinishTrackAt(4000);
  RunFor(5000);
  EXPECT_EQ(Played(), (Strings{"one.wav", "two.mid", "three.wav", "one.wav"}));
  // The set-up had ended before the first open: the show's first picture follows it.
  const Strings steps = p_.Log().Only({"SystemParametersInfo 97 1", "MciOpen"});
  ASSERT_GE(steps.size(), 2u);
  EXPECT_EQ(steps[0], "SystemParametersInfo 97 1");
  EXPECT_EQ(steps[1], "MciOpen C:\\TEMP\\one.wav");
  EXPECT_EQ(form_->SndIndex(), 1);
  EXPECT_FALSE(p_.Log().Has("ShowException"));
}

TEST_F(MusicSaverTest, ClosingClosesTheDeviceBeforeTheSoundFilesAreDeleted) {
  AddSounds({"one.wav", "two.wav"});
  Start();
  FinishTrackAt(500);
  RunFor(1500);
  ASSERT_FALSE(form_->Window().Exists());
  const Strings end = p_.Log().Only({"MciClose", "DeleteFile"});
  ASSERT_GE(end.size(), 3u);
  EXPECT_EQ(end[end.size() - 3], "MciClose");
  EXPECT_EQ(end[end.size() - 2], "DeleteFile C:\\TEMP\\one.wav");
  EXPECT_EQ(end[end.size() - 1], "DeleteFile C:\\TEMP\\two.wav");
  EXPECT_TRUE(p_.Files().FilesIn("C:\\TEMP").empty());
  EXPECT_EQ(p_.Media().Players(), 0u);
}

// The stored mute choice beside the executable overrides the package's lMute.
struct TMuteCase {
  const char* ini;  // CONTROL.INI text, null for no file
  bool packageMute;
  bool plays;
};

void PrintTo(const TMuteCase& c, std::ostream* os) {
  *os << (c.ini ? "stored " + std::string(c.ini).substr(9, 6) : std::string("no file")) << ", package lMute "
      << c.packageMute;
}

class MuteChoiceTest : public MusicSaverTest, public ::testing::WithParamInterface<TMuteCase> {};

TEST_P(MuteChoiceTest, TheStoredChoiceOrElseThePackageDecides) {
  const TMuteCase& c = GetParam();
  AddSounds({"one.wav"});
  builder_.Settings().SetlMute(c.packageMute);
  if (c.ini) SetStoredMute(c.ini);
  Start();
  FinishTrackAt(700);
  RunFor(1500);
  EXPECT_EQ(p_.Log().Has("MciOpen"), c.plays);
  EXPECT_EQ(Played().size(), c.plays ? 2u : 0u);
  EXPECT_FALSE(p_.Log().Has("ShowException"));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, MuteChoiceTest,
    ::testing::Values(TMuteCase{"[Setup]\r\nmute=1\r\n", false, false}, TMuteCase{"[Setup]\r\nmute=0\r\n", true, true},
                      TMuteCase{nullptr, false, true}, TMuteCase{"[Setup]\r\nother=1\r\n", true, false}));

TEST_F(MusicSaverTest, AnUnplayableFirstTrackLeavesTheShowRunningWithoutMusicOrMessage) {
  AddSounds({"bad.wav", "two.wav"});
  p_.Media().FailOpen("C:\\TEMP\\bad.wav");
  Start();
  RunFor(7000);
  EXPECT_TRUE(Played().empty());
  EXPECT_EQ(p_.Log().Count("MciOpen"), 1u);
  EXPECT_FALSE(p_.Log().Has("ShowException"));
  EXPECT_GE(p_.Log().Count("Timer 1 tick"), 2u) << "the slide show went on";
}

TEST_F(MusicSaverTest, WithoutAudioOutputTheListIsTriedOnceAndTheShowGoesOn) {
  AddSounds({"one.wav", "two.wav"});
  p_.Media().SetNoAudioOutput(true);
  Start();
  RunFor(7000);
  EXPECT_EQ(Played(), (Strings{"one.wav", "two.wav"}));
  EXPECT_FALSE(p_.Log().Has("ShowException"));
  EXPECT_GE(p_.Log().Count("Timer 1 tick"), 2u) << "the slide show went on";
  EXPECT_TRUE(p_.Files().FilesIn("C:\\TEMP").empty());
}

// Two songs of the same name from different folders: both are written, each under
// a name of its own, and both are heard.
TEST_F(MusicSaverTest, TwoSongsOfTheSameNameAreBothHeard) {
  builder_.AddSound("song.wav", {'R', 'I', 'F', 'F', '1'});
  builder_.AddSound("Song.wav", {'R', 'I', 'F', 'F', '2'});
  Start();
  for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  ASSERT_FALSE(form_->Initializing());
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\song.wav"), (std::vector<uint8_t>{'R', 'I', 'F', 'F', '1'}));
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\Song~2.wav"), (std::vector<uint8_t>{'R', 'I', 'F', 'F', '2'}));
  FinishTrackAt(1000);
  FinishTrackAt(2500);
  RunFor(3000);
  EXPECT_EQ(Played(), (Strings{"song.wav", "Song~2.wav", "song.wav"}));
  EXPECT_TRUE(p_.Files().FilesIn("C:\\TEMP").empty());
}

// A track whose name Windows cannot create (a name read in the ANSI code page with '?'
// for letters it does not hold) is left out at set-up and passed over by the playlist;
// the saver starts and plays the others.
TEST_F(MusicSaverTest, ATrackWhoseNameCannotBeCreatedIsPassedOver) {
  AddSounds({"one.wav", "?od?.wav", "three.wav"});
  Start();
  FinishTrackAt(1000);
  FinishTrackAt(2500);
  RunFor(3000);
  EXPECT_EQ(Played(), (Strings{"one.wav", "three.wav", "one.wav"}));
  EXPECT_FALSE(p_.Log().Has("ShowException"));
  EXPECT_GE(p_.Log().Count("Timer 1 tick"), 1u) << "the slide show runs";
}

TEST_F(MusicSaverTest, AShortTrailerRunsNoSetUpAndNoMusic) {
  AddSounds({"one.wav"});
  form_ = std::make_unique<TfrmScrn>(p_, TSaverParts{CreateMusicPart(p_), nullptr});
  p_.Files().SetFile(p_.System().ExecutablePath(), {1, 2, 3});
  form_->Window().Show();
  for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  p_.Windowing().PostMessageTo(form_->Window().Handle(), WM_STARTSHOW, 0, 0);
  for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  EXPECT_FALSE(p_.Log().Has("MciOpen"));
  form_.reset();
  EXPECT_EQ(p_.Media().Players(), 0u);
}

}  // namespace
}  // namespace scr::saver::test
