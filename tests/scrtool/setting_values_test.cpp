// Settings and effect lists as people type them, and the messages when refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/scrtool/cli.h"
#include "tools/scrtool/effect_list.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool::test {
namespace {

// The message of the EUsage that `f` raises ("" when it raises none).
template <class F>
std::string Refusal(F f) {
  try {
    f();
  } catch (const EUsage& e) {
    return e.what();
  }
  return "";
}

using ::testing::HasSubstr;

TEST(EffectListTest, NumbersRangesAndFamiliesMix) {
  EXPECT_EQ(ParseEffectList("5, 7 120"), (std::vector<int>{5, 7, 120}));
  EXPECT_EQ(ParseEffectList("1-3,127"), (std::vector<int>{1, 2, 3, 127}));
  EXPECT_EQ(ParseEffectList("all").size(), 127u);
  EXPECT_EQ(ParseEffectList("all").back(), 126);
  const std::vector<int> wipes = ParseEffectList("Wipes");
  EXPECT_EQ(ParseEffectList("wipes,0"), [&] {
    std::vector<int> w = wipes;
    w.push_back(0);
    return w;
  }());
  EXPECT_EQ(std::count(wipes.begin(), wipes.end(), 5), 1);
}

TEST(EffectListTest, AnythingElseNamesTheItemAndTheEffectsCommand) {
  for (const char* bad : {"fade,wipe", "200", "-1", "10-1", "1-", "3x"}) {
    SCOPED_TRACE(bad);
    const std::string message = Refusal([&] { ParseEffectList(bad); });
    EXPECT_THAT(message, HasSubstr("scrtool effects"));
    EXPECT_THAT(message, HasSubstr("60-68"));
  }
  EXPECT_THAT(Refusal([] { ParseEffectList("5,fade"); }), HasSubstr("'fade'"));
  EXPECT_THAT(Refusal([] { ParseEffectList("200"); }), HasSubstr("'200' is out of range"));
  EXPECT_THAT(Refusal([] { ParseEffectList(" , "); }), HasSubstr("empty"));
}

TEST(SettingValuesTest, ForgivingFormsReachTheRecord) {
  TSSFileLocations s;
  SetSetting(s, "lstretch", "yes");
  EXPECT_TRUE(s.lStretch());
  for (const auto& [text, value] : {std::pair{"on", true}, std::pair{"0", false}, std::pair{"TRUE", true},
                                    std::pair{"off", false}, std::pair{"1", true}, std::pair{"no", false}}) {
    SetSetting(s, "lExitKeyPress", text);
    EXPECT_EQ(s.lExitKeyPress(), value) << text;
  }
  SetSetting(s, "TextFont.Color", "yellow");
  EXPECT_EQ(s.TextFont().Color(), 0x00FFFFu);
  SetSetting(s, "TextFont.Color", "#ffcc00");
  EXPECT_EQ(s.TextFont().Color(), 0x00CCFFu);
  SetSetting(s, "Background", "clNavy");
  EXPECT_EQ(s.Background(), 0x800000u);
  SetSetting(s, "Background", "black");
  EXPECT_EQ(s.Background(), 0u);
  SetSetting(s, "TextFont.Style", "bold, italic");
  EXPECT_EQ(s.TextFont().Style(), 3);
  SetSetting(s, "TextFont.Style", "[fsUnderline]");
  EXPECT_EQ(s.TextFont().Style(), 4);
  SetSetting(s, "TextFont.Style", "regular");
  EXPECT_EQ(s.TextFont().Style(), 0);
  SetSetting(s, "Interval", "2.5s");
  EXPECT_EQ(s.Interval(), 2500);
  SetSetting(s, "EffectCommaList", "wipes,60-61");
  EXPECT_EQ(s.Effects().back(), "61");
  SetSetting(s, "monitormode", " Different ");
  EXPECT_EQ(s.MonitorMode(), kMonitorsDifferent);
  SetSetting(s, "MonitorMode", "1");
  EXPECT_EQ(s.MonitorMode(), kMonitorsSame);
  SetSetting(s, "MonitorMode", "black");
  EXPECT_EQ(s.MonitorMode(), kMonitorsBlack);
  SetSetting(s, "Text", "Zoé");
  EXPECT_EQ(s.Text(), "Zoé");  // kept as UTF-8; the writer decides how it is stored
}

TEST(SettingValuesTest, MillisecondsTakeUnitsAndRefuseNegatives) {
  EXPECT_EQ(ParseMilliseconds("5000"), 5000);
  EXPECT_EQ(ParseMilliseconds("5s"), 5000);
  EXPECT_EQ(ParseMilliseconds("1500ms"), 1500);
  EXPECT_EQ(ParseMilliseconds("1m"), 60000);
  EXPECT_EQ(ParseMilliseconds("0"), 0);
  for (const char* bad : {"-5", "2 minutes", "", "s", "1e99s"}) {
    SCOPED_TRACE(bad);
    EXPECT_THAT(Refusal([&] { ParseMilliseconds(bad); }), HasSubstr("a value with its unit (5s, 1500ms, 1m) or whole milliseconds (5000)"));
  }
  EXPECT_THAT(Refusal([] { ParseMilliseconds("-5"); }), HasSubstr("negative"));
}

TEST(SettingValuesTest, RefusedValuesNameTheAcceptedForms) {
  struct TCase {
    const char* name;
    const char* value;
    const char* forms;
  };
  for (const TCase& c : {TCase{"lStretch", "maybe", "true/false, yes/no, on/off or 1/0"},
                         TCase{"Background", "blackish", "#RRGGBB"},
                         TCase{"TextFont.Color", "#ffcc0", "#RRGGBB"},
                         TCase{"TextFont.Style", "heavy", "bold, italic, underline, strikeout"},
                         TCase{"TextFont.Charset", "KLINGON", "DEFAULT_CHARSET"},
                         TCase{"TextFont.Pitch", "wide", "fpVariable"},
                         TCase{"SoundRandom", "often", "whole number"},
                         TCase{"Interval", "2 minutes", "5s, 1500ms"},
                         TCase{"MonitorMode", "3", "black (0"},
                         TCase{"MonitorMode", "mirror", "same (1"},
                         TCase{"EffectCommaList", "fade", "scrtool effects"}}) {
    SCOPED_TRACE(c.name);
    TSSFileLocations s;
    const std::string message = Refusal([&] { SetSetting(s, c.name, c.value); });
    EXPECT_THAT(message, HasSubstr(c.forms));
    EXPECT_THAT(message, HasSubstr(c.value));
  }
}

TEST(SettingValuesTest, UnknownNamesSuggestTheClosestAndItemListsAreRefused) {
  TSSFileLocations s;
  EXPECT_THAT(Refusal([&] { SetSetting(s, "Stretch", "yes"); }), HasSubstr("did you mean lStretch?"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "Intervall", "5"); }), HasSubstr("did you mean Interval?"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "Color", "red"); }), HasSubstr("did you mean TextFont.Color?"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "Zzzzzzzz", "1"); }), HasSubstr("unknown setting 'Zzzzzzzz'"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "PicCommaList", "1,2"); }), HasSubstr("is set from the pictures"));
}

TEST(SettingValuesTest, MakeDefaultsCloseMoveOnAndShowAWhiteCaption) {
  TSSFileLocations s;
  ApplyMakeDefaults(s);
  EXPECT_TRUE(s.lExitKeyPress() && s.lExitMouseMove() && s.lExitMouseClick());
  EXPECT_EQ(s.Interval(), 5000);
  EXPECT_TRUE(s.lRandomStyle());
  EXPECT_EQ(s.EffectCount(), 127);
  EXPECT_EQ(s.Effect(126), 126);
  EXPECT_EQ(s.TextFont().Color(), 0xFFFFFFu);
  EXPECT_EQ(s.TextFont().Height(), -24);
  // The show of today: blurred fill, slow motion, a caption scaled with the screen.
  EXPECT_EQ(s.FillMode(), 1);
  EXPECT_EQ(s.PanZoom(), 8);
  EXPECT_TRUE(s.lCaptionScaled());
  EXPECT_FALSE(s.lPairPortraits());
}

TEST(SettingValuesTest, NoRepeatFollowsRandomPicturesUnlessGiven) {
  TSSFileLocations s;
  ApplyMakeDefaults(s);
  FinishMakeDefaults(s, {});
  EXPECT_FALSE(s.lNoRepeat());
  SetSetting(s, "lRandomPic", "yes");
  FinishMakeDefaults(s, {{"lRandomPic", "yes"}});
  EXPECT_TRUE(s.lNoRepeat());
  SetSetting(s, "lnorepeat", "no");
  FinishMakeDefaults(s, {{"lRandomPic", "yes"}, {"lnorepeat", "no"}});
  EXPECT_FALSE(s.lNoRepeat());
}

TEST(SettingValuesTest, PresentationSettingsTakeTheirValuesOnly) {
  TSSFileLocations s;
  SetSetting(s, "PanZoom", " 30 ");
  EXPECT_EQ(s.PanZoom(), 30);
  SetSetting(s, "fillmode", "2");
  EXPECT_EQ(s.FillMode(), 2);
  EXPECT_THAT(Refusal([&] { SetSetting(s, "PanZoom", "31"); }), HasSubstr("0..30"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "FillMode", "-1"); }), HasSubstr("2 (crop)"));
  EXPECT_THAT(Refusal([&] { SetSetting(s, "CaptionMode", "blur"); }), HasSubstr("1 (each picture's description)"));
  EXPECT_EQ(s.FillMode(), 2);
}

}  // namespace
}  // namespace scr::tool::test
