// Savers made by the maker with no options but pictures, run on the headless backend:
// they close on the first key, click or move, move on every 5 seconds and show their
// caption in white, with the characters as typed.
#include <filesystem>

#include "common/ansi_text.h"
#include "package/component_reader.h"
#include "package/package_reader.h"
#include "package/trailer.h"
#include "tests/saver/saver_fixture.h"
#include "tests/scrtool/test_pictures.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/saver_maker.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool::test {
namespace {

namespace fs = std::filesystem;
using saver::TfrmScrn;
using saver::test::TShown;

const std::string kCaption = "Zo\xC3\xA9 \xE2\x80\x94 \xC3\xA7" "a va?";  // Zoé — ça va?

class MadeSaverRunTest : public saver::test::SaverTest {
 protected:
  MadeSaverRunTest() : dir_(fs::path(SCR_TEST_OUTPUT_DIR) / "made_saver_run") {
    fs::create_directories(dir_);
    WriteFileBytes((dir_ / "runtime.exe").string(), scr::test::FakeRuntime());
    picture_ = Saved(Quadrants(320, 200), ".jpg[Q=90]");
    WriteFileBytes((dir_ / "a.jpg").string(), picture_);
    WriteFileBytes((dir_ / "b.jpg").string(), Saved(Quadrants(200, 320), ".jpg[Q=90]"));
  }

  // Makes a saver of the two pictures with the given settings and places it where the
  // headless system says the executable is.
  void InstallMade(std::vector<std::pair<std::string, std::string>> settings = {}) {
    TMakeJob job;
    job.output = (dir_ / "made.scr").string();
    job.runtime = (dir_ / "runtime.exe").string();
    job.noHook = true;
    job.pictures = {{(dir_ / "a.jpg").string(), "", std::nullopt}, {(dir_ / "b.jpg").string(), "", std::nullopt}};
    job.settings = std::move(settings);
    MakeSaver(job, [](const std::string&) {});
    p_.Files().SetFile(p_.System().ExecutablePath(), ReadFileBytes(job.output));
  }

  // Starts the installed saver afresh; the frame after the first transition is kept.
  TfrmScrn& Run() {
    app::ResetProgramState();
    ResetProgramRandom();
    saver::MouseSkipCount = 0;
    shown_.clear();
    form_ = std::make_unique<TfrmScrn>(p_);
    form_->PShow().OnComplete = [this] {
      if (shown_.empty()) firstFrame_ = p_.Screen().Snapshot();
      shown_.push_back(TShown{p_.Desktop().Now(), form_->PicIndex(), form_->PShow().Style()});
    };
    form_->Window().Show();
    Pump();
    return *form_;
  }

  // The bottom rows of the first frame, where the caption is drawn.
  std::vector<uint32_t> CaptionBand() const {
    std::vector<uint32_t> out;
    for (int y = firstFrame_.Height() - 40; y < firstFrame_.Height(); ++y)
      for (int x = 0; x < firstFrame_.Width(); ++x) out.push_back(firstFrame_.Pixel(x, y));
    return out;
  }

  fs::path dir_;
  std::vector<uint8_t> picture_;
  TBitmap24 firstFrame_;
};

TEST_F(MadeSaverRunTest, ClosesOnTheFirstKeyClickOrMove) {
  InstallMade();
  for (int input = 0; input < 3; ++input) {
    SCOPED_TRACE(input);
    Run();
    ASSERT_TRUE(WindowOpen());
    if (input == 0) p_.Screen().PostKeyDown('A');
    if (input == 1) p_.Screen().PostMouseDown(platform::TButton::Left, 20, 20);
    if (input == 2) {
      p_.Screen().PostMouseMove(500, 400);
      Pump();
      p_.Screen().PostMouseMove(510, 410);
    }
    Pump();
    EXPECT_FALSE(WindowOpen());
  }
}

TEST_F(MadeSaverRunTest, MovesOnEveryFiveSecondsThroughRandomEffects) {
  InstallMade();
  Run();
  RunFor(30000);
  EXPECT_EQ(form_->SlideTimer().Interval(), 5000u);
  ASSERT_GE(shown_.size(), 4u);
  EXPECT_LE(shown_.size(), 6u);
  for (size_t i = 1; i < shown_.size(); ++i) EXPECT_GE(shown_[i].at - shown_[i - 1].at, 5000u);
  EXPECT_EQ(Pictures()[1], 1);
  std::vector<int> styles = Styles();
  std::sort(styles.begin(), styles.end());
  EXPECT_GT(std::unique(styles.begin(), styles.end()) - styles.begin(), 1);
}

TEST_F(MadeSaverRunTest, CaptionIsWhiteAndDrawnAsTyped) {
  InstallMade({{"Text", kCaption}});
  Run();
  RunFor(1000);
  ASSERT_FALSE(shown_.empty());
  const std::vector<uint32_t> made = CaptionBand();
  EXPECT_NE(std::count(made.begin(), made.end(), 0xFFFFFFu), 0);
  // What the runtime reads: the caption as typed; a reader of the older single-byte
  // form gets it in its code page.
  const std::vector<uint8_t> file = ReadFileBytes((dir_ / "made.scr").string());
  TMemoryStream stream(file);
  TSSFileLocations runtime;
  ASSERT_TRUE(ReadSettingsInto(stream, runtime));
  EXPECT_EQ(runtime.Text(), kCaption);
  const auto trailer = ReadTrailer(stream);
  ASSERT_TRUE(trailer);
  stream.Seek(trailer->SettingsOffset);
  TSSFileLocations read;
  ReadComponentStream(stream, read);
  EXPECT_EQ(read.Text(), "Zo\xE9 \x97 \xE7" "a va?");

  // The same saver written the old way, from the caption's Windows-1252 bytes.
  builder_.SetRuntime(scr::test::FakeRuntime());
  ApplyMakeDefaults(Settings());
  Settings().SetInterval(5000);
  Settings().SetText(Utf8ToAnsi(kCaption));
  builder_.AddPicture("a.jpg", BuildImageStream("TJPEGImage", picture_));
  p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
  form_.reset();
  Run();
  RunFor(1000);
  ASSERT_FALSE(shown_.empty());
  EXPECT_EQ(CaptionBand(), made);
}

}  // namespace
}  // namespace scr::tool::test
