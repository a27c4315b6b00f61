// The writer produces the encoding packages use, and what it writes reads back.
#include <gtest/gtest.h>

#include <algorithm>

#include "package/component_writer.h"
#include "package/property_text.h"
#include "reader_helpers.h"
#include "settings_fixture.h"
#include "stream_bytes.h"

namespace scr {
namespace {

using test::TBytes;

bool Contains(const std::vector<uint8_t>& hay, const std::vector<uint8_t>& needle) {
  return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

// Every property's text form, in stream order.
std::vector<std::string> Texts(const TPersistent& o) {
  std::vector<std::string> out;
  for (const TPropertyRef& p : ListProperties(o)) out.push_back(p.path + "=" + PropertyText(*p.object, *p.info));
  return out;
}

TEST(ComponentWriter, EncodesLikeThePackagedSettings) {
  TSSFileLocations s;
  s.TextFont().SetHeight(-32);
  s.TextFont().SetStyle(FontStyleBit(fsBold));
  s.SetBackground(0xFF00001E);
  s.SetlRandomStyle(true);
  s.SetInterval(5000);
  s.SetHookSize(32768);
  s.SetEffectCommaList(std::string(397, '7'));
  const std::vector<uint8_t> bytes = WriteComponentStream(s);

  // The stream opens with the header and the font's character set.
  const std::vector<uint8_t> opening =
      TBytes().Raw("TPF0").S("TSSFileLocations").S("").S("TextFont.Charset")({7}).S("DEFAULT_CHARSET").Take();
  ASSERT_GE(bytes.size(), opening.size());
  EXPECT_TRUE(std::equal(opening.begin(), opening.end(), bytes.begin()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("TextFont.Color")({7}).S("clWindowText").Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("TextFont.Height")({2, 0xE0}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("TextFont.Name")({6}).S("MS Sans Serif").Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("TextFont.Style")({11}).S("fsBold")({0}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("Background")({7}).S("clMenuBar").Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("lRandomStyle")({9}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("lRandomPic")({8}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("Interval")({3, 0x88, 0x13}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("SoundRandom")({2, 0}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("HookSize")({4, 0x00, 0x80, 0x00, 0x00}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("EffectCommaList")({12, 0x8D, 0x01, 0, 0}).Take()));
  // Ends with the end of properties and the end of children.
  EXPECT_EQ(bytes[bytes.size() - 1], 0);
  EXPECT_EQ(bytes[bytes.size() - 2], 0);
  // Left out: default pitch, the derived size, empty strings, a zero tag, the name.
  for (const char* absent : {"TextFont.Pitch", "TextFont.Size", "Text", "Title", "PicCommaList", "Tag", "Name"})
    EXPECT_FALSE(Contains(bytes, TBytes().S(absent).Take())) << absent;
}

TEST(ComponentWriter, SmallestIntegerTags) {
  struct Case {
    int32_t value;
    std::vector<uint8_t> encoded;
  };
  for (const Case& c : {Case{127, {2, 0x7F}}, Case{-128, {2, 0x80}}, Case{128, {3, 0x80, 0}},
                        Case{-32768, {3, 0, 0x80}}, Case{32768, {4, 0, 0x80, 0, 0}},
                        Case{INT32_MIN, {4, 0, 0, 0, 0x80}}}) {
    TComponentStreamWriter w;
    w.Integer(c.value);
    EXPECT_EQ(w.Data(), c.encoded) << c.value;
  }
  TComponentStreamWriter w;
  w.String(std::string(255, 's'));
  EXPECT_EQ(w.Data()[0], 6);
  TComponentStreamWriter w2;
  w2.String(std::string(256, 's'));
  EXPECT_EQ(w2.Data()[0], 12);
}

TEST(ComponentWriter, ColoursAndCharsetsWithoutNamesAreIntegers) {
  TSSFileLocations s;
  s.SetBackground(0x00123456);
  s.TextFont().SetCharset(3);
  const std::vector<uint8_t> bytes = WriteComponentStream(s);
  EXPECT_TRUE(Contains(bytes, TBytes().S("Background")({4, 0x56, 0x34, 0x12, 0}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("TextFont.Charset")({2, 3}).Take()));
}

TEST(ComponentWriter, EverySettingRoundTrips) {
  const TSSFileLocations original = test::FullSettings();
  const std::vector<uint8_t> bytes = WriteComponentStream(original);
  const TSSFileLocations read = test::ReadSettings(bytes);
  EXPECT_EQ(Texts(read), Texts(original));
  EXPECT_EQ(read.TextFont(), original.TextFont());
  EXPECT_EQ(read.EffectCount(), 128);
  EXPECT_EQ(read.Effect(127), 127);
  EXPECT_EQ(read.FlashFileNames(), (TStringList{"m1.swf", ""}));
  EXPECT_EQ(read.Descriptions(), (TStringList{"first one", "", "last"}));
  // Every property of the record is covered by the fixture.
  EXPECT_EQ(ListProperties(read).size(), 2u + 34u - 1u + 7u);  // Name, Tag; TextFont as its 7
}

TEST(ComponentWriter, ConstructionValuesRoundTrip) {
  const TSSFileLocations original;
  EXPECT_EQ(Texts(test::ReadSettings(WriteComponentStream(original))), Texts(original));
}

TEST(ComponentWriter, MonitorModeIsWrittenOnlyWhenNotBlack) {
  const std::vector<uint8_t> name = {'M', 'o', 'n', 'i', 't', 'o', 'r', 'M', 'o', 'd', 'e'};
  TSSFileLocations s;
  EXPECT_FALSE(Contains(WriteComponentStream(s), name));  // older readers meet nothing new
  s.SetMonitorMode(kMonitorsSame);
  const std::vector<uint8_t> bytes = WriteComponentStream(s);
  EXPECT_TRUE(Contains(bytes, name));
  EXPECT_EQ(test::ReadSettings(bytes).MonitorMode(), kMonitorsSame);
}

TEST(ComponentWriter, NamedObjectKeepsItsName) {
  TSSFileLocations s;
  s.SetName("Locations");
  s.SetTag(-5);
  test::TOwnedStream in(WriteComponentStream(s));
  const auto read = ReadComponentAs<TSSFileLocations>(in);
  EXPECT_EQ(read->Name(), "Locations");
  EXPECT_EQ(read->Tag(), -5);
}

}  // namespace
}  // namespace scr

namespace scr {
namespace {

// Text held as UTF-8 is stored so that every reader shows the same characters: as
// Windows-1252 when it fits, otherwise as a UTF-8 string that readers convert.
TEST(ComponentWriter, Utf8TextIsStoredAsTypedForEveryReader) {
  const std::string fits = "Zo\xC3\xA9 \xE2\x80\x94 \xC3\xA7" "a va?";  // Zoé — ça va?
  const std::string wider = "Zo\xC3\xA9 \xE6\x97\xA5";                  // Zoé 日
  TSSFileLocations s;
  s.SetText(fits);
  s.SetTitle(wider);
  const std::vector<uint8_t> stream = WriteComponentStream(s, TTextForm::Utf8);
  const std::string ansi = "Zo\xE9 \x97 \xE7" "a va?";
  EXPECT_TRUE(Contains(stream, std::vector<uint8_t>{0x04, 'T', 'e', 'x', 't', 0x06, static_cast<uint8_t>(ansi.size())}));
  EXPECT_TRUE(Contains(stream, std::vector<uint8_t>{0x05, 'T', 'i', 't', 'l', 'e', 0x14, static_cast<uint8_t>(wider.size()), 0, 0, 0}));

  TSSFileLocations runtime, tool;
  TMemoryStream forRuntime(stream), forTool(stream);
  ReadComponentStream(forRuntime, runtime);
  ReadComponentStream(forTool, tool, TTextForm::Utf8);
  EXPECT_EQ(runtime.Text(), ansi);
  EXPECT_EQ(runtime.Title(), "Zo\xE9 ?");  // the code page has no such character
  EXPECT_EQ(tool.Text(), fits);
  EXPECT_EQ(tool.Title(), wider);
}

}  // namespace
}  // namespace scr
