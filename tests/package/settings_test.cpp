// The settings record's construction values, its comma-list properties and its
// bounds-checked accessors.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/settings.h"

namespace scr {
namespace {

TEST(Settings, ConstructionValues) {
  const TSSFileLocations s;
  EXPECT_EQ(s.Text(), "");
  EXPECT_EQ(s.Background(), clBlack);
  EXPECT_FALSE(s.lRandomStyle() || s.lRandomPic() || s.lClearOldImage() || s.lStretch() || s.lSoundLoop() ||
               s.lMute() || s.lExitMouseMove() || s.lExitMouseClick() || s.lExitKeyPress() ||
               s.lShowMouseCursor() || s.lExitFSCommandQuit());
  EXPECT_EQ(s.Interval(), 0);
  EXPECT_EQ(s.SoundRandom(), 0);
  EXPECT_EQ(s.HookPosition(), 0);
  EXPECT_EQ(s.HookSize(), 0);
  EXPECT_EQ(s.EffectCount() + s.PicCount() + s.SndCount() + s.FlashCount(), 0);
  const TFont& f = s.TextFont();
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Color(), clWindowText);
  EXPECT_EQ(f.Style(), 0);
  EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(f.Pitch(), TFontPitch::fpDefault);
}

TEST(Settings, FontSizeAndHeightAgreeAt96Dpi) {
  TFont f;
  f.SetSize(24);
  EXPECT_EQ(f.Height(), -32);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  TSSFileLocations s;
  s.SetTextFont(f);
  f.SetName("changed later");
  EXPECT_EQ(s.TextFont().Height(), -16);  // a copy, not a reference
  EXPECT_EQ(s.TextFont().Name(), "MS Sans Serif");
}

TEST(Settings, AccessorsCheckTheirOwnListOnly) {
  TSSFileLocations s;
  s.SetEffectCommaList("5, 7,12x,$10");
  s.SetSndCommaList("100,200");
  s.SetSndFileNamesCommaList("a.mid");
  s.SetSndSizesCommaList("10,20,30");
  EXPECT_EQ(s.EffectCount(), 4);
  EXPECT_EQ(s.Effect(0), 5);
  EXPECT_EQ(s.Effect(1), 7);
  EXPECT_EQ(s.Effect(2), 0);  // not an integer
  EXPECT_EQ(s.Effect(3), 16);
  EXPECT_EQ(s.SndCount(), 2);
  EXPECT_EQ(s.SndFileName(0), "a.mid");
  EXPECT_EQ(s.SndSize(2), 30);  // sizes are checked against the sizes list

  auto outOfBounds = [](auto call) {
    try {
      call();
    } catch (const Exception& e) {
      return std::string(e.what()) == "Index is out of bounds";
    }
    return false;
  };
  EXPECT_TRUE(outOfBounds([&] { s.Effect(4); }));
  EXPECT_TRUE(outOfBounds([&] { s.Effect(-1); }));
  EXPECT_TRUE(outOfBounds([&] { s.SndFileName(1); }));
  EXPECT_TRUE(outOfBounds([&] { s.SndSize(3); }));
  EXPECT_TRUE(outOfBounds([&] { s.PicPosition(0); }));
  EXPECT_TRUE(outOfBounds([&] { s.FlashPosition(0); }));
  EXPECT_TRUE(outOfBounds([&] { s.FlashFileName(0); }));
  EXPECT_TRUE(outOfBounds([&] { s.FlashSize(INT32_MIN); }));
  EXPECT_TRUE(outOfBounds([&] { s.SndPosition(INT32_MAX); }));
}

TEST(Settings, CommaListPropertiesParseAndRender) {
  TSSFileLocations s;
  s.SetDescriptCommaList("\"My \"\"best\"\" picture\", plain,,");
  EXPECT_EQ(s.Descriptions(), (TStringList{"My \"best\" picture", "plain", "", ""}));
  EXPECT_EQ(s.DescriptCommaList(), "\"My \"\"best\"\" picture\",plain,,");
  s.SetPicFileNamesCommaList("\"\"");
  EXPECT_EQ(s.PicFileNames(), TStringList{""});
  EXPECT_EQ(s.PicFileNamesCommaList(), "\"\"");
  s.SetPicFileNamesCommaList("");
  EXPECT_TRUE(s.PicFileNames().empty());
}

TEST(Settings, OnlyLowerCaseFlashSelectsFlashMode) {
  TSSFileLocations s;
  s.SetVer("flash");
  EXPECT_TRUE(s.IsFlash());
  s.SetVer("Flash");
  EXPECT_FALSE(s.IsFlash());
  s.SetVer("flash ");
  EXPECT_FALSE(s.IsFlash());
}

}  // namespace
}  // namespace scr
