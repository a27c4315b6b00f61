// Names the maker stores music and movies under, the natural order of names, and the
// forms --interval takes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "common/file_names.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/input_order.h"
#include "tools/scrtool/item_names.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool::test {
namespace {

using ::testing::HasSubstr;

TEST(PlainAsciiName, DropsAccentsAndReplacesWhatWindowsCannotHold) {
  EXPECT_EQ(PlainAsciiName("Zoé à Paris.mp3"), "Zoe a Paris.mp3");
  EXPECT_EQ(PlainAsciiName("Łódź – ŞİŞLİ.wav"), "Lodz _ SISLI.wav");
  EXPECT_EQ(PlainAsciiName("Straße Œuvre ﬁn.mid"), "Strasse OEuvre _n.mid");
  EXPECT_EQ(PlainAsciiName("Ромашка.mp3"), "_______.mp3");
  EXPECT_EQ(PlainAsciiName("what? a:b*c \"d\" <e>|f.mp3"), "what_ a_b_c _d_ _e__f.mp3");
  EXPECT_EQ(PlainAsciiName("😀.wav"), "_.wav");
  EXPECT_EQ(PlainAsciiName("song. "), "song__");
  EXPECT_EQ(PlainAsciiName("CON.mp3"), "_CON.mp3");
  EXPECT_EQ(PlainAsciiName(""), "_");
  EXPECT_EQ(PlainAsciiName("bad\xff" "byte.mp3"), "bad_byte.mp3");
  for (const char* name : {"Ромашка.mp3", "..", "a/b\\c", "\t", "nul", "x."})
    EXPECT_TRUE(IsPlainFileName(PlainAsciiName(name))) << name;
}

TEST(ItemNamer, KeepsNamesApartWithoutRegardToCase) {
  TItemNamer namer;
  EXPECT_EQ(namer.Name("song.mp3"), "song.mp3");
  EXPECT_EQ(namer.Name("Song.MP3"), "Song-2.MP3");
  EXPECT_EQ(namer.Name("sóng.mp3"), "song-3.mp3");
  EXPECT_EQ(namer.Name("song-2.mp3"), "song-2-2.mp3");
  EXPECT_EQ(namer.Name("readme"), "readme");
  EXPECT_EQ(namer.Name("readme"), "readme-2");
}

TEST(NaturalOrder, NumbersByValueAndLetterCaseFolded) {
  std::vector<std::string> names = {"IMG_10.jpg", "img_9.jpg", "IMG_9.jpg", "b.jpg", "A.jpg", "IMG_010.jpg",
                                    "IMG_2.jpg",  "a2.jpg",    "a10.jpg",   "a.jpg"};
  std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NaturalCompare(a, b) < 0; });
  EXPECT_EQ(names, (std::vector<std::string>{"A.jpg", "a.jpg", "a2.jpg", "a10.jpg", "b.jpg", "IMG_2.jpg", "IMG_9.jpg",
                                             "img_9.jpg", "IMG_010.jpg", "IMG_10.jpg"}));
  EXPECT_EQ(NaturalCompare("x", "x"), 0);
  EXPECT_LT(NaturalCompare("x", "x1"), 0);
  EXPECT_LT(NaturalCompare("99999999999999999999", "100000000000000000000"), 0);  // no overflow
}

TEST(InputOrder, NamesTheAcceptedForms) {
  EXPECT_EQ(ParseInputOrder("Date"), TInputOrder::Date);
  EXPECT_EQ(ParseInputOrder("given"), TInputOrder::Given);
  try {
    ParseInputOrder("size");
    FAIL();
  } catch (const EUsage& e) {
    EXPECT_THAT(e.what(), HasSubstr("name (natural order of names), date (when taken) or given"));
  }
}

TEST(IntervalOption, TakesAUnitAndRefusesABareNumberWithBothForms) {
  EXPECT_EQ(ParseIntervalOption("5s"), 5000);
  EXPECT_EQ(ParseIntervalOption("5000ms"), 5000);
  EXPECT_EQ(ParseIntervalOption("0s"), 0);
  for (const char* bare : {"5", "5000", "2.5"}) {
    try {
      ParseIntervalOption(bare);
      FAIL() << bare;
    } catch (const EUsage& e) {
      EXPECT_THAT(e.what(), HasSubstr(std::string(bare) + "s")) << bare;
      EXPECT_THAT(e.what(), HasSubstr(std::string(bare) + "ms")) << bare;
    }
  }
  // By name, Interval is the milliseconds the setting holds: negative ones too, as
  // savers made elsewhere carry them.
  TSSFileLocations s;
  SetSetting(s, "Interval", "-5");
  EXPECT_EQ(s.Interval(), -5);
  SetSetting(s, "interval", "2s");
  EXPECT_EQ(s.Interval(), 2000);
  SetSetting(s, "EffectCommaList", "");
  EXPECT_EQ(s.EffectCount(), 0);
}

}  // namespace
}  // namespace scr::tool::test
