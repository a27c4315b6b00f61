// WxH sizes as every command reads them: plain digits within bounds, and the
// largest-picture size of the maker with its "0" for no limit.
#include <gtest/gtest.h>

#include "tools/scrtool/cli.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/saver_maker.h"

namespace scr::tool {
namespace {

TEST(FrameSize, WidthByHeightWithinBounds) {
  const auto s = ParseFrameSize("320x180", 8, 1920);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->width, 320);
  EXPECT_EQ(s->height, 180);
  EXPECT_TRUE(ParseFrameSize("12X34", 8, 1920));
  EXPECT_TRUE(ParseFrameSize("8x1920", 8, 1920));
  for (const char* bad : {"", "x", "320", "x180", "320x", "0x5", "7x8", "8x7", "-8x8", "8x+8", "+8x8", "1921x8",
                          "99999999999x8", "8x99999999999", "8x8x8", " 8x8", "8x8 ", "8 x8", "8.0x8", "0x10x8"})
    EXPECT_FALSE(ParseFrameSize(bad, 8, 1920)) << bad;
}

TEST(FrameSize, OptionMessageNamesTheOptionAndBounds) {
  EXPECT_EQ(FrameSizeOption("--size", "640x360", 16, 7680).width, 640);
  try {
    FrameSizeOption("--size", "9000x10", 16, 7680);
    FAIL() << "no error";
  } catch (const EUsage& e) {
    EXPECT_STREQ(e.what(), "--size takes WxH, each side 16 to 7680, not '9000x10'");
  }
}

TEST(FrameSize, MaxSizeTakesZeroForNoLimit) {
  EXPECT_EQ(ParseMaxSize("0"), std::make_pair(0, 0));
  EXPECT_EQ(ParseMaxSize("3840x2160"), std::make_pair(3840, 2160));
  EXPECT_EQ(ParseMaxSize("100000x1"), std::make_pair(100000, 1));
  for (const char* bad : {"", "00", "0x0", "0x100", "3840", "+3840x2160", " 3840x2160", "3840x2160px", "-1x5",
                          "99999999999x1"})
    EXPECT_THROW(ParseMaxSize(bad), EUsage) << bad;
}

}  // namespace
}  // namespace scr::tool
