// Inputs sorted by content: folders in name order, hidden files skipped, audio that
// Windows does not play warned about; and the manifest that names them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/scrtool/test_pictures.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/make_inputs.h"
#include "tools/scrtool/manifest.h"

namespace scr::tool::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using namespace std::literals;

class MakeInputsTest : public ::testing::Test {
 protected:
  MakeInputsTest() : dir_(fs::path(SCR_TEST_OUTPUT_DIR) / "make_inputs" / testing::UnitTest::GetInstance()->current_test_info()->name()) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  std::string Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path p = dir_ / name;
    fs::create_directories(p.parent_path());
    WriteFileBytes(p.string(), bytes);
    return p.string();
  }
  static std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }
  static std::vector<std::string> Names(const std::vector<TInputFile>& files) {
    std::vector<std::string> out;
    for (const TInputFile& f : files) out.push_back(f.name);
    return out;
  }

  fs::path dir_;
  std::vector<std::string> warnings_;
  TWarn warn_ = [this](const std::string& w) { warnings_.push_back(w); };
};

TEST_F(MakeInputsTest, FoldersAreWalkedInNameOrderAndSortedByContent) {
  const std::vector<uint8_t> png = Saved(Quadrants(8, 8), ".png");
  Put("trip/b.jpg", png);                              // a PNG, whatever its name says
  Put("trip/a/z.png", Saved(Quadrants(8, 8), ".jpg"));  // in a folder named before b.jpg
  Put("trip/c", png);                                  // no extension at all
  Put("trip/.thumbs/x.png", png);                      // hidden folder
  Put("trip/.x.png", png);                             // hidden file
  Put("trip/song.jpg", Bytes("RIFF\x10\0\0\0WAVEfmt "sv));
  Put("trip/tune.mid", Bytes("MThd\0\0\0\6"sv));
  Put("trip/clip.swf", Bytes("FWS\x06\0\0\0\0"sv));
  Put("trip/notes.txt", Bytes("just text"));
  TSortedInputs sorted;
  SortInputs({(dir_ / "trip").string()}, sorted, warn_);
  EXPECT_EQ(Names(sorted.pictures), (std::vector<std::string>{"z.png", "b.jpg", "c"}));
  EXPECT_EQ(sorted.pictures[1].type.format, "PNG");
  EXPECT_EQ(sorted.pictures[0].type.pictureClass, "TJPEGImage");
  EXPECT_EQ(Names(sorted.sounds), (std::vector<std::string>{"song.jpg", "tune.mid"}));
  EXPECT_EQ(Names(sorted.movies), (std::vector<std::string>{"clip.swf"}));
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_THAT(warnings_[0], HasSubstr("skipped"));
  EXPECT_THAT(warnings_[0], HasSubstr("notes.txt"));
}

TEST_F(MakeInputsTest, AudioWindowsDoesNotPlayGoesInWithAWarning) {
  const std::string ogg = Put("music/a.ogg", Bytes("OggS\0\2\0\0\0\0"sv));
  Put("music/b.mp3", Bytes("ID3\3\0\0\0\0\0\0"sv));
  TSortedInputs sorted;
  SortInputs({(dir_ / "music").string()}, sorted, warn_);
  EXPECT_EQ(Names(sorted.sounds), (std::vector<std::string>{"a.ogg", "b.mp3"}));
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_THAT(warnings_[0], HasSubstr("a.ogg is Ogg audio, which the Windows media player will not play"));
}

TEST_F(MakeInputsTest, NamedFilesMustBeWhatTheyAreGivenAs) {
  const std::string text = Put("notes.txt", Bytes("just text"));
  TSortedInputs sorted;
  EXPECT_THROW(SortInputs({text}, sorted, warn_), std::runtime_error);
  EXPECT_THROW(SortInputs({(dir_ / "missing").string()}, sorted, warn_), std::runtime_error);
  try {
    InputOfKind(text, TContentKind::Picture, warn_);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_THAT(e.what(), HasSubstr("notes.txt is not a picture, sound or Flash movie, not a picture"));
  }
  EXPECT_THROW(InputOfKind(dir_.string(), TContentKind::Picture, warn_), std::runtime_error);
}

TEST_F(MakeInputsTest, ManifestSetsEverySettingAndPathsFromItsFolder) {
  const std::string manifest = Put("m/saver.toml", Bytes(R"(
output = "out.scr"
inputs = ["photos"]
pictures = ["a.jpg", { file = "b.jpg", name = "b.png" }]
max_size = "800x600"
quality = 70
Text = "Zoé — ça va?"
Background = "#102030"
lRandomStyle = false
lRandomPic = "yes"
lClearOldImage = true
lStretch = true
Interval = "7s"
SoundRandom = 2
lSoundLoop = true
lMute = true
lExitMouseMove = false
lExitMouseClick = false
lExitKeyPress = false
lShowMouseCursor = true
lExitFSCommandQuit = true
Title = "T"
Author = "A"
Email = "e@example.invalid"
Web = "http://example.invalid/"
Ver = "flash"
Tag = 7
EffectCommaList = ["wipes", "60-61", 3]
DescriptCommaList = ["one, two", "three"]
[TextFont]
Name = "Verdana"
Color = "yellow"
Height = -30
Charset = "GREEK_CHARSET"
Pitch = "fpFixed"
Style = "bold"
)"));
  TMakeJob job;
  ReadManifest(manifest, job);
  const fs::path folder = dir_ / "m";
  EXPECT_EQ(job.output, (folder / "out.scr").string());
  EXPECT_EQ(job.inputs, (std::vector<std::string>{(folder / "photos").string()}));
  ASSERT_EQ(job.pictures.size(), 2u);
  EXPECT_EQ(job.pictures[1].path, (folder / "b.jpg").string());
  EXPECT_EQ(job.pictures[1].name, "b.png");
  EXPECT_EQ(job.pictureOptions.maxWidth, 800);
  EXPECT_EQ(job.pictureOptions.quality, 70);

  TSSFileLocations s;
  for (const auto& [name, value] : job.settings) SetSetting(s, name, value);
  EXPECT_EQ(s.Text(), "Zoé — ça va?");
  EXPECT_EQ(s.Background(), 0x302010u);
  EXPECT_FALSE(s.lRandomStyle());
  EXPECT_TRUE(s.lRandomPic() && s.lClearOldImage() && s.lStretch() && s.lSoundLoop() && s.lMute());
  EXPECT_FALSE(s.lExitMouseMove() || s.lExitMouseClick() || s.lExitKeyPress());
  EXPECT_TRUE(s.lShowMouseCursor() && s.lExitFSCommandQuit());
  EXPECT_EQ(s.Interval(), 7000);
  EXPECT_EQ(s.SoundRandom(), 2);
  EXPECT_EQ(s.Title() + s.Author() + s.Email() + s.Web() + s.Ver(), "TAe@example.invalidhttp://example.invalid/flash");
  EXPECT_EQ(s.Tag(), 7);
  EXPECT_EQ(s.Effects().back(), "3");
  EXPECT_EQ(s.Descriptions(), (std::vector<std::string>{"one, two", "three"}));
  EXPECT_EQ(s.TextFont().Name(), "Verdana");
  EXPECT_EQ(s.TextFont().Color(), 0x00FFFFu);
  EXPECT_EQ(s.TextFont().Height(), -30);
  EXPECT_EQ(s.TextFont().Charset(), 161);
  EXPECT_EQ(static_cast<int>(s.TextFont().Pitch()), 2);
  EXPECT_EQ(s.TextFont().Style(), 1);
}

TEST_F(MakeInputsTest, ManifestErrorsNameTheLineAndKey) {
  struct TCase {
    const char* text;
    const char* message;
  };
  for (const TCase& c : {TCase{"Title = \"x\"\nStretch = true\n", "saver.toml:2: unknown setting 'Stretch'; did you mean lStretch?"},
                         TCase{"\n\n[TextFont]\nColour = \"red\"\n", "saver.toml:4: unknown setting 'TextFont.Colour'"},
                         TCase{"Interval = \"-5s\"\n", "saver.toml:1: Interval: '-5s' is not accepted"},
                         TCase{"[Font]\nName = \"x\"\n", "saver.toml:1: unknown table [Font]"},
                         TCase{"quality = 0\n", "saver.toml:1: quality takes"},
                         TCase{"Title = \n", "saver.toml:1: "}}) {
    SCOPED_TRACE(c.text);
    const std::string manifest = Put("saver.toml", Bytes(c.text));
    TMakeJob job;
    try {
      ReadManifest(manifest, job);
      FAIL() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.message));
    }
  }
}

}  // namespace
}  // namespace scr::tool::test
