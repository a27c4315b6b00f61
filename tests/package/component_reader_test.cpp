// Reading settings and objects from hand-made streams: value tags per property type,
// identifier tables, dotted paths, and the failures with their exact messages.
#include <gtest/gtest.h>

#include "package/component_reader.h"
#include "package/image.h"
#include "reader_helpers.h"
#include "stream_bytes.h"

namespace scr {
namespace {

using test::ReadSettings;
using test::Settings;
using test::TargetError;
using test::TBytes;

TEST(ComponentReader, IntegerTagsAndIdentifiers) {
  const TSSFileLocations s = ReadSettings(Settings()
                                              .S("TextFont.Charset")({7})
                                              .S("DEFAULT_CHARSET")
                                              .S("TextFont.Height")({2, 0xE0})
                                              .S("Background")({7})
                                              .S("clMenuBar")
                                              .S("Interval")({3, 0x88, 0x13})
                                              .S("HookSize")({4, 0x00, 0x80, 0x00, 0x00})
                                              .S("HookPosition")({4, 0xFF, 0xFF, 0xFF, 0xFF})
                                              .S("SoundRandom")({3, 0x00, 0x80})
                                              .Close()
                                              .Take());
  EXPECT_EQ(s.TextFont().Charset(), 1);
  EXPECT_EQ(s.TextFont().Height(), -32);
  EXPECT_EQ(s.TextFont().Size(), 24);
  EXPECT_EQ(s.Background(), 0xFF00001Eu);
  EXPECT_EQ(s.Interval(), 5000);
  EXPECT_EQ(s.HookSize(), 32768);
  EXPECT_EQ(s.HookPosition(), -1);
  EXPECT_EQ(s.SoundRandom(), -32768);
}

TEST(ComponentReader, IdentifiersAndPropertyNamesIgnoreCase) {
  const TSSFileLocations s = ReadSettings(Settings()
                                              .S("textfont.charset")({7})
                                              .S("default_charset")
                                              .S("TEXTFONT.COLOR")({7})
                                              .S("CLRED")
                                              .S("lrandompic")({7})
                                              .S("tRuE")
                                              .S("TextFont.Pitch")({7})
                                              .S("FPFIXED")
                                              .Close()
                                              .Take());
  EXPECT_EQ(s.TextFont().Charset(), 1);
  EXPECT_EQ(s.TextFont().Color(), 0x000000FFu);
  EXPECT_TRUE(s.lRandomPic());
  EXPECT_EQ(s.TextFont().Pitch(), TFontPitch::fpFixed);
}

TEST(ComponentReader, ColourAsPlainInteger) {
  const TSSFileLocations s =
      ReadSettings(Settings().S("Background")({4, 0xFF, 0xFF, 0xFF, 0x00}).Close().Take());
  EXPECT_EQ(s.Background(), 0x00FFFFFFu);
}

TEST(ComponentReader, BooleansAndSets) {
  const TSSFileLocations s = ReadSettings(Settings()
                                              .S("lRandomStyle")({9})
                                              .S("lStretch")({8})
                                              .S("lMute")({9})
                                              .S("lMute")({8})
                                              .S("TextFont.Style")({11})
                                              .S("fsBold")
                                              .S("FSITALIC")({0})
                                              .Close()
                                              .Take());
  EXPECT_TRUE(s.lRandomStyle());
  EXPECT_FALSE(s.lStretch());
  EXPECT_FALSE(s.lMute());  // the last record wins
  EXPECT_EQ(s.TextFont().Style(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));

  TSSFileLocations styled;
  styled.TextFont().SetStyle(FontStyleBit(fsUnderline));
  test::TOwnedStream empty(*Settings().S("TextFont.Style")({11, 0}).Close());
  ReadComponentStream(empty, styled);
  EXPECT_EQ(styled.TextFont().Style(), 0);
}

TEST(ComponentReader, StringTagsAllGiveText) {
  const std::string longText(397, 'x');
  const TSSFileLocations s = ReadSettings(Settings()
                                              .S("Title")({6})
                                              .S("Thirteen char")
                                              .S("EffectCommaList")({12})
                                              .U32(397)
                                              .Raw(longText)
                                              .S("Author")({18})
                                              .U32(3)({'A', 0, 0xE9, 0, 0x3A, 0x4E})  // "A", e-acute, a CJK character
                                              .S("Email")({20})
                                              .U32(4)
                                              .Raw("\xe2\x82\xac@")
                                              .Close()
                                              .Take());
  EXPECT_EQ(s.Title(), "Thirteen char");
  EXPECT_EQ(s.EffectCount(), 1);
  EXPECT_EQ(s.Effects()[0], longText);
  EXPECT_EQ(s.Author(), "A\xe9?");
  EXPECT_EQ(s.Email(), "\x80@");
}

TEST(ComponentReader, CommaListsReplaceTheirLists) {
  TSSFileLocations s;
  s.SetSndCommaList("1,2");
  test::TOwnedStream in(*Settings().S("PicCommaList")({6}).S("10, 20 \"30\"").S("SndCommaList")({6}).S("\"\"").Close());
  ReadComponentStream(in, s);
  EXPECT_EQ(s.PicCount(), 3);
  EXPECT_EQ(s.PicPosition(2), 30);
  ASSERT_EQ(s.SndCount(), 1);
  EXPECT_EQ(s.SndPositions()[0], "");
  EXPECT_EQ(s.SndPosition(0), 0);
}

TEST(ComponentReader, AbsentPropertiesKeepTheirValues) {
  TSSFileLocations s;
  s.SetText("kept");
  test::TOwnedStream in(*Settings().S("Interval")({2, 7}).Close());
  ReadComponentStream(in, s);
  EXPECT_EQ(s.Text(), "kept");
  EXPECT_EQ(s.Interval(), 7);
  const TSSFileLocations fresh = ReadSettings(Settings().Close().Take());
  EXPECT_EQ(fresh.Text(), "");
  EXPECT_EQ(fresh.PicCount(), 0);
}

TEST(ComponentReader, WrongTagsFailWithWrappedInvalidPropertyValue) {
  const std::string prefix = "Error reading TSSFileLocations.";
  EXPECT_EQ(TargetError(Settings().S("Interval")({6}).S("5000").Close().Take()),
            prefix + "Interval: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("Interval")({7}).S("clRed").Close().Take()),
            prefix + "Interval: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("Background")({7}).S("clNoSuchColour").Close().Take()),
            prefix + "Background: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("Title")({2, 1}).Close().Take()), prefix + "Title: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("lMute")({2, 1}).Close().Take()), prefix + "lMute: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("lMute")({7}).S("Yes").Close().Take()), prefix + "lMute: Invalid property value");
  // Font pitch given a Boolean: no such pitch name.
  EXPECT_EQ(TargetError(Settings().S("TextFont.Pitch")({9}).Close().Take()), prefix + "Pitch: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("TextFont.Style")({11}).S("fsShadow")({0}).Close().Take()),
            prefix + "Style: Invalid property value");
  EXPECT_EQ(TargetError(Settings().S("TextFont.Style")({7}).S("fsBold").Close().Take()),
            prefix + "Style: Invalid property value");
  // An object-valued property takes no value of its own.
  EXPECT_EQ(TargetError(Settings().S("TextFont")({13}).Close().Take()), prefix + "TextFont: Invalid property value");
}

TEST(ComponentReader, BadPathsFail) {
  EXPECT_EQ(TargetError(Settings().S("Interval.Value")({2, 1}).Close().Take()),
            "Error reading TSSFileLocations.Interval: Invalid property path");
  EXPECT_EQ(TargetError(Settings().S("Nothing.Value")({2, 1}).Close().Take()),
            "Error reading TSSFileLocations.Nothing: Invalid property path");
  EXPECT_EQ(TargetError(Settings().S("TextFont..Height")({2, 1}).Close().Take()),
            "Error reading TSSFileLocations.: Invalid property path");
}

TEST(ComponentReader, WrappedMessageNamesTheObjectWhenNamed) {
  EXPECT_EQ(TargetError(TBytes().Header("TSSFileLocations", "Locs").S("Interval")({6}).S("x").Close().Take()),
            "Error reading Locs.Interval: Invalid property value");
}

TEST(ComponentReader, WrappedErrorsKeepTheirClass) {
  test::TOwnedStream in(*Settings().S("Interval")({4, 1}));
  TSSFileLocations s;
  EXPECT_THROW(ReadComponentStream(in, s), EReadError);
}

TEST(ComponentReader, StreamLevelFailures) {
  EXPECT_EQ(TargetError(TBytes().Raw("TPF1").S("TSSFileLocations").S("").Close().Take()), "Invalid stream format");
  EXPECT_EQ(TargetError(TBytes().Raw("TP").Take()), "Invalid stream format");
  EXPECT_EQ(TargetError(TBytes().Take()), "Invalid stream format");
  EXPECT_EQ(TargetError(TBytes().Raw("TPF0").S("TSSFileLocations").Take()), "Stream read error");
  EXPECT_EQ(test::CreateError(TBytes().Header("TFoo").Close().Take()), "Class TFoo not found");
  EXPECT_EQ(test::CreateError(TBytes().Header("TSSFileLocations", "1abc").Close().Take()),
            "''1abc'' is not a valid component name");
  EXPECT_EQ(test::CreateError(TBytes().Header("TSSFileLocations", "a-b").Close().Take()),
            "''a-b'' is not a valid component name");
}

TEST(ComponentReader, CreatesObjectsByClassName) {
  test::TOwnedStream in(*TBytes().Header("tssfilelocations", "Settings_1").S("Interval")({2, 9}).Close());
  const std::unique_ptr<TComponent> object = ReadComponentStream(in);
  auto* s = dynamic_cast<TSSFileLocations*>(object.get());
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Name(), "Settings_1");
  EXPECT_EQ(s->Interval(), 9);

  test::TOwnedStream image(*TBytes().Header("TImage").Close());
  EXPECT_THROW(ReadComponentAs<TSSFileLocations>(image), EInvalidCast);

  // A registry without the settings class cannot create it.
  TClassRegistry onlyImages;
  onlyImages.Register("TImage", [] { return std::unique_ptr<TComponent>(new TImage); });
  EXPECT_EQ(test::CreateError(TBytes().Header("TSSFileLocations").Close().Take(), onlyImages),
            "Class TSSFileLocations not found");
}

TEST(ComponentReader, TargetIgnoresStreamClassButTakesItsName) {
  TSSFileLocations s;
  test::TOwnedStream in(*TBytes().Header("TSomethingElse", "Named").S("Interval")({2, 3}).Close());
  ReadComponentStream(in, s);
  EXPECT_EQ(s.Name(), "Named");
  EXPECT_EQ(s.Interval(), 3);
}

TEST(ComponentReader, FailedReadKeepsWhatWasReadBefore) {
  TSSFileLocations s;
  const std::string error =
      TargetError(Settings().S("Interval")({2, 42}).S("Title")({6}).S("T").S("HookSize")({6}).S("x").Close().Take(), s);
  EXPECT_EQ(error, "Error reading TSSFileLocations.HookSize: Invalid property value");
  EXPECT_EQ(s.Interval(), 42);
  EXPECT_EQ(s.Title(), "T");
}

TEST(ComponentReader, StopsRightAfterTheLastEndMarker) {
  std::vector<uint8_t> bytes = Settings().S("Interval")({2, 1}).Close().Take();
  const size_t end = bytes.size();
  bytes.insert(bytes.end(), {0xAA, 0xBB});
  test::TOwnedStream in(bytes);
  TSSFileLocations s;
  ReadComponentStream(in, s);
  EXPECT_EQ(in.Position(), static_cast<int64_t>(end));
}

TEST(ComponentReader, PrefixByteWithAndWithoutPosition) {
  TSSFileLocations s;
  test::TOwnedStream a(*TBytes().Raw("TPF0")({0xF2, 3, 0x10, 0x00}).S("TSSFileLocations").S("").S("Interval")({2, 5}).Close());
  ReadComponentStream(a, s);
  EXPECT_EQ(s.Interval(), 5);
  test::TOwnedStream b(*TBytes().Raw("TPF0")({0xF1}).S("TSSFileLocations").S("").S("Interval")({2, 6}).Close());
  ReadComponentStream(b, s);
  EXPECT_EQ(s.Interval(), 6);
  EXPECT_EQ(TargetError(TBytes().Raw("TPF0")({0xF2, 6}).S("x").S("TSSFileLocations").S("").Close().Take()),
            "Invalid property value");
}

}  // namespace
}  // namespace scr
