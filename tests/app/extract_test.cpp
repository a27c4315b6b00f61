// Copying sound files, Flash movies and the hook library out of the package, and
// removing the sound files: targets, order, failure rules, and names that would
// reach outside the temporary directory.
#include <gtest/gtest.h>

#include <numeric>

#include "app/extract.h"
#include "common/errors.h"
#include "platform/headless/headless_platform.h"

namespace scr::app {
namespace {

using platform::headless::THeadlessPlatform;
using Bytes = std::vector<uint8_t>;

// An executable image of 1000 bytes, byte i = i mod 251, so every slice is distinct.
Bytes Executable() {
  Bytes b(1000);
  for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i % 251);
  return b;
}

Bytes Slice(const Bytes& b, size_t at, size_t n) { return Bytes(b.begin() + at, b.begin() + at + n); }

class ExtractTest : public ::testing::Test {
 protected:
  void AddSound(const std::string& name, int position, int size) {
    s_.SndPositions().push_back(std::to_string(position));
    s_.SndFileNames().push_back(name);
    s_.SndSizes().push_back(std::to_string(size));
  }
  void AddMovie(const std::string& name, int position, int size) {
    s_.FlashPositions().push_back(std::to_string(position));
    s_.FlashFileNames().push_back(name);
    s_.FlashSizes().push_back(std::to_string(size));
  }
  void Extract() { ExtractMediaFiles(p_, exe_, s_); }
  std::string MessageOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "(nothing raised)";
  }

  THeadlessPlatform p_;
  Bytes bytes_ = Executable();
  TMemoryStream exe_{bytes_};
  TSSFileLocations s_;
};

TEST_F(ExtractTest, SoundsThenMoviesGoToTheTemporaryDirectoryAndOnlySoundsAreDeleted) {
  AddMovie("intro.swf", 500, 300);
  AddSound("a.mid", 100, 50);
  AddSound("My Song \xE9t\xE9.mp3", 150, 200);
  s_.SetHookPosition(800);
  s_.SetHookSize(120);
  Extract();
  ExtractHookLibrary(p_, exe_, s_);

  auto& fs = p_.Files();
  EXPECT_EQ(fs.File("C:\\TEMP\\a.mid"), Slice(bytes_, 100, 50));
  EXPECT_EQ(fs.File("C:\\TEMP\\My Song \xE9t\xE9.mp3"), Slice(bytes_, 150, 200));
  EXPECT_EQ(fs.File("C:\\TEMP\\intro.swf"), Slice(bytes_, 500, 300));
  EXPECT_EQ(fs.File("C:\\WINDOWS\\SYSTEM32\\nuvscrhook.dll"), Slice(bytes_, 800, 120));
  EXPECT_EQ(p_.Log().Only({"CreateFile"}),
            (std::vector<std::string>{"CreateFile C:\\TEMP\\a.mid", "CreateFile C:\\TEMP\\My Song \xE9t\xE9.mp3",
                                      "CreateFile C:\\TEMP\\intro.swf",
                                      "CreateFile C:\\WINDOWS\\SYSTEM32\\nuvscrhook.dll"}));

  DeleteExtractedSounds(p_, s_);
  EXPECT_EQ(fs.FilesIn("C:\\TEMP"), (std::vector<std::string>{"intro.swf"}));
  EXPECT_TRUE(fs.Exists("C:\\WINDOWS\\SYSTEM32\\nuvscrhook.dll"));
}

TEST_F(ExtractTest, TargetsReplaceOldFilesAndZeroSizesGiveEmptyFiles) {
  p_.Files().SetFile("C:\\TEMP\\a.mid", Bytes(5000, 1));
  AddSound("a.mid", 10, 0);
  AddSound("b.mid", 999, 1);  // the very last byte
  // The directory is taken with or without its trailing backslash.
  p_.System().SetTempPath("C:\\TEMP");
  Extract();
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\a.mid"), Bytes{});
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\b.mid"), Slice(bytes_, 999, 1));
}

TEST_F(ExtractTest, APackageWithoutMediaWritesOnlyTheHookLibrary) {
  s_.SetHookPosition(0);
  s_.SetHookSize(10);
  Extract();
  ExtractHookLibrary(p_, exe_, s_);
  EXPECT_TRUE(p_.Files().FilesIn("C:\\TEMP").empty());
  EXPECT_EQ(p_.Files().File("C:\\WINDOWS\\SYSTEM32\\nuvscrhook.dll"), Slice(bytes_, 0, 10));
  DeleteExtractedSounds(p_, s_);
  EXPECT_FALSE(p_.Log().Has("DeleteFile"));
}

TEST_F(ExtractTest, MissingListEntriesOfSounds) {
  AddSound("a.mid", 0, 10);
  AddSound("b.mid", 10, 10);
  s_.SndPositions().push_back("20");  // a third track without name and size: left out
  EXPECT_NO_THROW(Extract());
  EXPECT_EQ(p_.Files().FilesIn("C:\\TEMP"), (std::vector<std::string>{"a.mid", "b.mid"}));
  // Deleting skips the entry that has no name and goes on.
  DeleteExtractedSounds(p_, s_);
  EXPECT_TRUE(p_.Files().FilesIn("C:\\TEMP").empty());

  // A name without a size: the file is created, then the copy has no size to take.
  s_.SndFileNames().push_back("c.mid");
  EXPECT_EQ(MessageOf([&] { Extract(); }), kIndexOutOfBounds);
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\c.mid"), Bytes{});
}

TEST_F(ExtractTest, MoviesWithoutNamesAreSkippedButAMissingSizeFails) {
  AddMovie("one.swf", 0, 10);
  s_.FlashPositions().push_back("10");  // no name, no size
  s_.FlashPositions().push_back("20");
  Extract();
  EXPECT_EQ(p_.Files().FilesIn("C:\\TEMP"), (std::vector<std::string>{"one.swf"}));

  s_.FlashFileNames().push_back("two.swf");  // a name, but no size
  EXPECT_EQ(MessageOf([&] { Extract(); }), kIndexOutOfBounds);
}

TEST_F(ExtractTest, CopiesPastTheEndFailWithAStreamReadError) {
  AddSound("a.mid", 990, 11);
  EXPECT_EQ(MessageOf([&] { Extract(); }), kStreamReadError);
  EXPECT_TRUE(p_.Log().Has("CloseFile C:\\TEMP\\a.mid"));  // closed also when the copy fails

  TSSFileLocations movie;
  movie.FlashPositions() = {"1000"};
  movie.FlashFileNames() = {"m.swf"};
  movie.FlashSizes() = {"1"};
  EXPECT_EQ(MessageOf([&] { ExtractMediaFiles(p_, exe_, movie); }), kStreamReadError);

  TSSFileLocations hook;
  hook.SetHookPosition(-5);
  hook.SetHookSize(10);
  EXPECT_EQ(MessageOf([&] { ExtractHookLibrary(p_, exe_, hook); }), kStreamReadError);
  hook.SetHookPosition(500);
  hook.SetHookSize(2147483647);  // no allocation of that size: refused before copying
  EXPECT_EQ(MessageOf([&] { ExtractHookLibrary(p_, exe_, hook); }), kStreamReadError);
}

// A sound, a movie or the hook library whose file cannot be created is left out; the
// rest of the start-up goes on.
TEST_F(ExtractTest, TargetsThatCannotBeCreatedAreLeftOut) {
  p_.Files().SetWritable("C:\\TEMP", false);
  AddSound("a.mid", 0, 10);
  AddMovie("m.swf", 0, 1);
  EXPECT_NO_THROW(Extract());
  p_.Files().SetWritable("C:\\WINDOWS\\SYSTEM32", false);
  s_.SetHookSize(10);
  EXPECT_NO_THROW(ExtractHookLibrary(p_, exe_, s_));
  EXPECT_TRUE(p_.Files().FilePaths().empty());
}

TEST_F(ExtractTest, SoundNamesThatAreNoPlainFileNamesAreNeverWritten) {
  for (const std::string& name : {"..\\evil.txt", "../evil.txt", "sub\\x.mid", "C:evil.txt", "D:\\evil.txt",
                                  "a.mid:hidden", "", "..", "CON", "?od?.mp3", "a*.mid", "song.", "song "}) {
    TSSFileLocations s;
    s.SndPositions() = {"0", "10"};
    s.SndFileNames() = {name, "good.mid"};
    s.SndSizes() = {"10", "5"};
    EXPECT_NO_THROW(ExtractMediaFiles(p_, exe_, s)) << name;
    EXPECT_EQ(ExtractedNames(s).sounds, (std::vector<std::string>{"", "good.mid"})) << name;
  }
  EXPECT_EQ(p_.Files().FilePaths(), (std::vector<std::string>{"C:\\TEMP\\good.mid"}));
}

// Items of the same name, told apart without regard to letter case as Windows does,
// are written under different names that no other item carries.
TEST_F(ExtractTest, ItemsOfTheSameNameGetFilesOfTheirOwn) {
  AddSound("Song.mp3", 0, 10);
  AddSound("song.MP3", 10, 10);
  AddSound("song~2.mp3", 20, 10);  // the name a renaming would pick first
  AddSound("readme", 30, 5);
  AddMovie("song.mp3", 40, 5);
  AddMovie("readme", 50, 5);
  const TExtractedNames names = ExtractedNames(s_);
  EXPECT_EQ(names.sounds, (std::vector<std::string>{"Song.mp3", "song~3.MP3", "song~2.mp3", "readme"}));
  EXPECT_EQ(names.movies, (std::vector<std::string>{"song~4.mp3", "readme~2"}));
  EXPECT_EQ(ExtractedSoundName(s_, 1), "song~3.MP3");
  EXPECT_EQ(ExtractedMovieName(s_, 1), "readme~2");
  EXPECT_EQ(ExtractedMovieName(s_, 2), "");
  Extract();
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\Song.mp3"), Slice(bytes_, 0, 10));
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\song~3.MP3"), Slice(bytes_, 10, 10));
  EXPECT_EQ(p_.Files().File("C:\\TEMP\\song~4.mp3"), Slice(bytes_, 40, 5));
  DeleteExtractedSounds(p_, s_);
  EXPECT_EQ(p_.Files().FilesIn("C:\\TEMP"), (std::vector<std::string>{"readme~2", "song~4.mp3"}));
}

TEST_F(ExtractTest, MovieNamesThatLeaveTheTemporaryDirectoryAreSkipped) {
  AddMovie("..\\..\\evil.swf", 0, 10);
  AddMovie("good.swf", 10, 10);
  AddMovie("x/../../evil.swf", 20, 10);
  AddMovie("what?.swf", 30, 10);
  Extract();
  EXPECT_EQ(p_.Files().FilePaths(), (std::vector<std::string>{"C:\\TEMP\\good.swf"}));
}

TEST_F(ExtractTest, DeletingNeverReachesOutsideTheTemporaryDirectory) {
  p_.Files().SetFile("C:\\evil.txt", Bytes{1});
  p_.Files().SetFile("C:\\TEMP\\a.mid", Bytes{2});
  s_.SndPositions() = {"0", "0"};
  s_.SndFileNames() = {"..\\evil.txt", "a.mid"};
  DeleteExtractedSounds(p_, s_);
  EXPECT_TRUE(p_.Files().Exists("C:\\evil.txt"));
  EXPECT_FALSE(p_.Files().Exists("C:\\TEMP\\a.mid"));
}

}  // namespace
}  // namespace scr::app
