// Settings set and shown by name, as the tools do it.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/property_text.h"
#include "package/settings.h"

namespace scr {
namespace {

TEST(PropertyText, SetsEveryKindByText) {
  TSSFileLocations s;
  SetPropertyText(s, "Interval", "5000");
  SetPropertyText(s, "hooksize", "$8000");
  SetPropertyText(s, "Background", "clMenuBar");
  SetPropertyText(s, "TextFont.Color", "$00FF8000");
  SetPropertyText(s, "TextFont.Charset", "RUSSIAN_CHARSET");
  SetPropertyText(s, "TextFont.Size", "24");
  SetPropertyText(s, "TextFont.Style", "[fsBold,fsUnderline]");
  SetPropertyText(s, "TextFont.Pitch", "fpFixed");
  SetPropertyText(s, "lRandomPic", "true");
  SetPropertyText(s, "lMute", "1");
  SetPropertyText(s, "Title", "A, \"quoted\" title");
  SetPropertyText(s, "EffectCommaList", "5,7");
  EXPECT_EQ(s.Interval(), 5000);
  EXPECT_EQ(s.HookSize(), 32768);
  EXPECT_EQ(s.Background(), 0xFF00001Eu);
  EXPECT_EQ(s.TextFont().Color(), 0x00FF8000u);
  EXPECT_EQ(s.TextFont().Charset(), 204);
  EXPECT_EQ(s.TextFont().Height(), -32);
  EXPECT_EQ(s.TextFont().Style(), FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  EXPECT_EQ(s.TextFont().Pitch(), TFontPitch::fpFixed);
  EXPECT_TRUE(s.lRandomPic());
  EXPECT_TRUE(s.lMute());
  EXPECT_EQ(s.Title(), "A, \"quoted\" title");
  EXPECT_EQ(s.EffectCount(), 2);
}

TEST(PropertyText, ShowsValuesTheWaySetterTakesThem) {
  TSSFileLocations s;
  s.SetBackground(0x00123456);
  s.TextFont().SetStyle(FontStyleBit(fsItalic) | FontStyleBit(fsStrikeOut));
  TSSFileLocations copy;
  for (const TPropertyRef& p : ListProperties(s)) SetPropertyText(copy, p.path, PropertyText(*p.object, *p.info));
  const std::vector<TPropertyRef> original = ListProperties(s), copied = ListProperties(copy);
  ASSERT_EQ(original.size(), copied.size());
  for (size_t i = 0; i < original.size(); ++i) {
    ASSERT_EQ(copied[i].path, original[i].path);
    EXPECT_EQ(PropertyText(*copied[i].object, *copied[i].info), PropertyText(*original[i].object, *original[i].info))
        << original[i].path;
  }
  EXPECT_EQ(copy.Background(), 0x00123456u);
  EXPECT_EQ(PropertyText(s, *FindProperty(s.ClassInfo(), "Background")), "$00123456");
}

TEST(PropertyText, RejectsUnknownNamesAndBadValues) {
  TSSFileLocations s;
  EXPECT_THROW(SetPropertyText(s, "NoSuch", "1"), Exception);
  EXPECT_THROW(SetPropertyText(s, "Interval.X", "1"), Exception);
  EXPECT_THROW(SetPropertyText(s, "Interval", "12x"), Exception);
  EXPECT_THROW(SetPropertyText(s, "lMute", "yes"), Exception);
  EXPECT_THROW(SetPropertyText(s, "TextFont.Style", "[fsShadow]"), Exception);
  EXPECT_THROW(SetPropertyText(s, "TextFont", "x"), Exception);
  EXPECT_THROW(SetPropertyText(s, "Name", "1bad"), EComponentError);
}

}  // namespace
}  // namespace scr
