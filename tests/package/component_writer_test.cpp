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
  EXPECT_EQ(ListProperties(read).size(), 2u + 34u - 1u + 7u + 6u);  // Name, Tag; TextFont as its 7; presentation
}

// The presentation settings stay out of the stream at their defaults, so a saver
// without them is written byte for byte as before; set, each is written and reads back.
TEST(ComponentWriter, PresentationSettingsOnlyWhenSet) {
  constexpr const char* kNames[] = {"FillMode", "PanZoom", "lPairPortraits", "lNoRepeat", "CaptionMode",
                                    "lCaptionScaled"};
  const std::vector<uint8_t> plain = WriteComponentStream(TSSFileLocations{});
  for (const char* name : kNames) EXPECT_FALSE(Contains(plain, TBytes().S(name).Take())) << name;

  TSSFileLocations s;
  s.SetFillMode(2);
  s.SetPanZoom(30);
  s.SetlPairPortraits(true);
  s.SetlNoRepeat(true);
  s.SetCaptionMode(1);
  s.SetlCaptionScaled(true);
  const std::vector<uint8_t> bytes = WriteComponentStream(s);
  EXPECT_TRUE(Contains(bytes, TBytes().S("FillMode")({2, 2}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("PanZoom")({2, 30}).Take()));
  EXPECT_TRUE(Contains(bytes, TBytes().S("lNoRepeat")({9}).Take()));
  const TSSFileLocations read = test::ReadSettings(bytes);
  EXPECT_EQ(Texts(read), Texts(s));
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

// Text held as UTF-8 is stored so that every reader shows it as typed: non-ASCII text as
// a UTF-8 string; in the single-byte form of older savers, what fits Windows-1252 as
// single-byte text. The runtime reads both back as the same UTF-8.
TEST(ComponentWriter, Utf8TextIsStoredAsTypedForEveryReader) {
  const std::string fits = "Zo\xC3\xA9 \xE2\x80\x94 \xC3\xA7" "a va?";  // Zoé — ça va?
  const std::string wider = "Zo\xC3\xA9 \xE6\x97\xA5";                  // Zoé 日
  TSSFileLocations s;
  s.SetText(fits);
  s.SetTitle(wider);
  s.SetAuthor("plain");
  const std::string ansi = "Zo\xE9 \x97 \xE7" "a va?";
  const auto utf8Tag = [](const std::string& name, const std::string& value) {
    std::string b = static_cast<char>(name.size()) + name + '\x14' + static_cast<char>(value.size());
    b += std::string(3, '\0');
    return std::vector<uint8_t>(b.begin(), b.end());
  };
  const std::vector<uint8_t> modern = WriteComponentStream(s, TTextForm::Utf8);
  EXPECT_TRUE(Contains(modern, utf8Tag("Text", fits)));
  EXPECT_TRUE(Contains(modern, utf8Tag("Title", wider)));
  EXPECT_TRUE(Contains(modern, std::vector<uint8_t>{0x06, 'A', 'u', 't', 'h', 'o', 'r', 0x06, 5}));
  const std::vector<uint8_t> older = WriteComponentStream(s, TTextForm::Utf8SingleByte);
  EXPECT_TRUE(Contains(older, std::vector<uint8_t>{0x04, 'T', 'e', 'x', 't', 0x06, static_cast<uint8_t>(ansi.size())}));
  EXPECT_TRUE(Contains(older, utf8Tag("Title", wider)));

  for (const bool isOlder : {false, true}) {
    const std::vector<uint8_t>& stream = isOlder ? older : modern;
    TSSFileLocations runtime, oldForm;
    TMemoryStream forRuntime(stream), forOld(stream);
    bool singleByte = true;
    ReadComponentStream(forRuntime, runtime, TTextForm::Utf8, AnsiToUtf8, &singleByte);
    ReadComponentStream(forOld, oldForm);
    EXPECT_EQ(runtime.Text(), fits);
    EXPECT_EQ(runtime.Title(), wider);
    EXPECT_EQ(singleByte, isOlder);
    EXPECT_EQ(oldForm.Text(), ansi);
    EXPECT_EQ(oldForm.Title(), "Zo\xE9 ?");  // the code page has no such character
  }
}

// Single-byte text is read through the code page the reader is given (the system's
// own on Windows); ASCII text and UTF-8 strings never go through it.
TEST(ComponentWriter, SingleByteTextIsReadThroughTheGivenCodePage) {
  TComponentStreamWriter w;
  w.Signature();
  w.ObjectHeader("TSSFileLocations", "");
  w.PropertyName("Text");
  w.String("Za\xBF\xF3\xB3\xE6");  // "Zażółć" in Windows-1250
  w.PropertyName("Title");
  w.String("plain");
  w.End();
  w.End();
  const TAnsiDecoder centralEuropean = [](std::string_view text) {
    std::string out;
    for (char c : text) {
      switch (static_cast<uint8_t>(c)) {
        case 0xBF: out += "\xC5\xBC"; break;
        case 0xF3: out += "\xC3\xB3"; break;
        case 0xB3: out += "\xC5\x82"; break;
        case 0xE6: out += "\xC4\x87"; break;
        default: out += c;
      }
    }
    return out;
  };
  TSSFileLocations s;
  TMemoryStream in(w.Data());
  ReadComponentStream(in, s, TTextForm::Utf8, centralEuropean);
  EXPECT_EQ(s.Text(), "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87");
  EXPECT_EQ(s.Title(), "plain");
}

}  // namespace
}  // namespace scr
