// Captions from the pictures' own data: the date taken, the title or description in
// EXIF, XMP or IPTC, the file name; and how make puts them beside the pictures.
#include <gtest/gtest.h>

#include <exiv2/exiv2.hpp>

#include <filesystem>

#include "tests/scrtool/test_pictures.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/make_captions.h"
#include "tools/scrtool/manifest.h"
#include "tools/scrtool/picture_captions.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool::test {
namespace {

namespace fs = std::filesystem;

class PictureCaptionsTest : public ::testing::Test {
 protected:
  PictureCaptionsTest()
      : dir_(fs::path(SCR_TEST_OUTPUT_DIR) / "picture_captions" /
             testing::UnitTest::GetInstance()->current_test_info()->name()) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }

  // A JPEG with the metadata given as exiv2 keys and values.
  std::string Photo(const std::string& name, const std::vector<std::pair<std::string, std::string>>& data) {
    const std::string path = (dir_ / name).string();
    WriteFileBytes(path, Saved(Quadrants(16, 12), ".jpg"));
    auto image = Exiv2::ImageFactory::open(path);
    image->readMetadata();
    for (const auto& [key, value] : data) {
      if (key.starts_with("Exif."))
        image->exifData()[key] = value;
      else if (key.starts_with("Xmp."))
        image->xmpData()[key] = value;
      else
        image->iptcData()[key] = value;
    }
    image->writeMetadata();
    return path;
  }

  fs::path dir_;
  std::vector<std::string> warnings_;
  TWarn warn_ = [this](const std::string& w) { warnings_.push_back(w); };
};

TEST_F(PictureCaptionsTest, DateTakenInTheDefaultAndAGivenFormat) {
  const std::string photo = Photo("p.jpg", {{"Exif.Photo.DateTimeOriginal", "2024:07:14 18:30:05"},
                                            {"Exif.Image.DateTime", "2025:01:01 00:00:00"}});
  EXPECT_EQ(PictureCaption(photo, "p.jpg", TCaptionSource::Date), "14 July 2024");
  EXPECT_EQ(PictureCaption(photo, "p.jpg", TCaptionSource::Date, "%Y-%m-%d %H:%M (%A)"), "2024-07-14 18:30 (Sunday)");
  // The file's own change date is not the date taken.
  const std::string changed = Photo("q.jpg", {{"Exif.Image.DateTime", "2025:01:01 00:00:00"}});
  EXPECT_EQ(PictureCaption(changed, "q.jpg", TCaptionSource::Date), "");
}

TEST_F(PictureCaptionsTest, ExifDatesThatAreNoDatesGiveNothing) {
  EXPECT_EQ(FormatExifDate("2024:02:29", "%-d %B %Y"), "29 February 2024");
  // Numbers without their leading zeros, done the same by every C library.
  EXPECT_EQ(FormatExifDate("2024:07:04 08:05:00", "%-d.%-m.%Y %-H:%M, day %-j"), "4.7.2024 8:05, day 186");
  EXPECT_EQ(FormatExifDate("2024:07:04 00:00:00", "100%% %-d %-H%%"), "100% 4 0%");
  EXPECT_EQ(FormatExifDate("0000:00:00 00:00:00", "%Y"), "");  // what cameras write without a clock
  EXPECT_EQ(FormatExifDate("    :  :     :  :  ", "%Y"), "");
  EXPECT_EQ(FormatExifDate("2024:13:01 00:00:00", "%Y"), "");
  EXPECT_EQ(FormatExifDate("yesterday", "%Y"), "");
}

TEST_F(PictureCaptionsTest, TitleComesFromXmpExifOrIptcInThatOrder) {
  const std::string all = Photo("all.jpg", {{"Xmp.dc.title", "lang=x-default Zaż\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85"},
                                            {"Exif.Image.ImageDescription", "Exif text"},
                                            {"Iptc.Application2.Caption", "IPTC text"}});
  EXPECT_EQ(PictureCaption(all, "all.jpg", TCaptionSource::Title), "Zaż\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85");
  const std::string exif = Photo("exif.jpg", {{"Exif.Image.ImageDescription", "  Harbour at dusk  "},
                                              {"Iptc.Application2.Caption", "IPTC text"}});
  EXPECT_EQ(PictureCaption(exif, "exif.jpg", TCaptionSource::Title), "Harbour at dusk");
  const std::string description = Photo("d.jpg", {{"Xmp.dc.description", "lang=x-default Ελληνικά"}});
  EXPECT_EQ(PictureCaption(description, "d.jpg", TCaptionSource::Title), "Ελληνικά");
  const std::string iptc = Photo("iptc.jpg", {{"Exif.Image.ImageDescription", "   "},
                                              {"Iptc.Application2.Caption", "Caf\xE9"}});  // single-byte text
  EXPECT_EQ(PictureCaption(iptc, "iptc.jpg", TCaptionSource::Title), "Caf\xC3\xA9");
  EXPECT_EQ(PictureCaption(Photo("none.jpg", {}), "none.jpg", TCaptionSource::Title), "");
}

TEST_F(PictureCaptionsTest, NameAndNoneNeedNoMetadataAndUnreadableFilesHaveNone) {
  const std::string path = (dir_ / "broken.jpg").string();
  WriteFileBytes(path, {0xFF, 0xD8, 0xFF, 0xE1, 0x00});
  EXPECT_EQ(PictureCaption(path, "Beach day.2024.jpg", TCaptionSource::Name), "Beach day.2024");
  EXPECT_EQ(PictureCaption(path, "broken.jpg", TCaptionSource::None), "");
  EXPECT_EQ(PictureCaption(path, "broken.jpg", TCaptionSource::Date), "");
  EXPECT_EQ(PictureCaption(path, "broken.jpg", TCaptionSource::Title), "");
  EXPECT_EQ(ParseCaptionSource("Title"), TCaptionSource::Title);
  EXPECT_FALSE(ParseCaptionSource("exif"));
}

TEST_F(PictureCaptionsTest, MakeGivesEveryPictureItsEntryAndKeepsGivenCaptions) {
  const std::vector<TInputFile> pictures = {
      {Photo("a.jpg", {{"Exif.Photo.DateTimeOriginal", "2023:12:24 20:00:00"}}), "a.jpg", {}, 0},
      {Photo("b.jpg", {}), "b.jpg", {}, 0},
      {Photo("c.jpg", {{"Exif.Photo.DateTimeOriginal", "2024:07:14 10:00:00"}}), "c.jpg", {}, 0}};
  TMakeJob job;
  job.captions = TCaptionSource::Date;
  TSSFileLocations s;
  ApplyMakeDefaults(s);
  ApplyCaptions(s, job, pictures, {std::nullopt, std::nullopt, "Given, \"quoted\""}, warn_);
  EXPECT_EQ(s.Descriptions(), (std::vector<std::string>{"24 December 2023", "", "Given, \"quoted\""}));
  EXPECT_TRUE(warnings_.empty());

  // No source and no given caption: the descriptions stay as the settings say.
  TSSFileLocations untouched;
  untouched.SetDescriptCommaList("x,y");
  ApplyCaptions(untouched, TMakeJob{}, pictures, {}, warn_);
  EXPECT_EQ(untouched.Descriptions(), (std::vector<std::string>{"x", "y"}));

  // Descriptions given as a setting are replaced, with a warning.
  TMakeJob both;
  both.captions = TCaptionSource::Name;
  both.settings = {{"DescriptCommaList", "x,y"}};
  ApplyCaptions(untouched, both, pictures, {}, warn_);
  EXPECT_EQ(untouched.Descriptions(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(warnings_.size(), 1u);
}

TEST_F(PictureCaptionsTest, ManifestTakesCaptionsAndPictureTables) {
  WriteFileBytes((dir_ / "a.jpg").string(), Saved(Quadrants(8, 8), ".jpg"));
  const std::string text =
      "captions = \"title\"\n"
      "date_format = \"%d.%m.%Y\"\n"
      "[[picture]]\nfile = \"a.jpg\"\ncaption = \"Kraków — Кириллица\"\n"
      "[[picture]]\nfile = \"a.jpg\"\nname = \"b.jpg\"\n";
  WriteFileBytes((dir_ / "saver.toml").string(), std::vector<uint8_t>(text.begin(), text.end()));
  TMakeJob job;
  ReadManifest((dir_ / "saver.toml").string(), job);
  EXPECT_EQ(job.captions, TCaptionSource::Title);
  EXPECT_EQ(job.dateFormat, "%d.%m.%Y");
  ASSERT_EQ(job.pictures.size(), 2u);
  EXPECT_EQ(job.pictures[0].caption, "Kraków — Кириллица");
  EXPECT_EQ(job.pictures[1].name, "b.jpg");
  EXPECT_FALSE(job.pictures[1].caption);

  const std::string bad = "[[picture]]\ncaption = \"no file\"\n";
  WriteFileBytes((dir_ / "bad.toml").string(), std::vector<uint8_t>(bad.begin(), bad.end()));
  TMakeJob refused;
  EXPECT_THROW(ReadManifest((dir_ / "bad.toml").string(), refused), std::runtime_error);
  const std::string word = "captions = \"exif\"\n";
  WriteFileBytes((dir_ / "word.toml").string(), std::vector<uint8_t>(word.begin(), word.end()));
  EXPECT_THROW(ReadManifest((dir_ / "word.toml").string(), refused), std::runtime_error);
}

}  // namespace
}  // namespace scr::tool::test
