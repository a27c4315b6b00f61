// Rendering single frames by hand gives the frames of the automatic run, random styles
// included; and `scrtool frame` writes them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "common/errors.h"
#include "common/random.h"
#include "transition/frame_render.h"
#include "view_support.h"

namespace scr {
namespace {

using test::Graphic;
using test::Pattern;
using test::SamePicture;

// The frames of an automatic run from oldPic to newPic, by position, starting the way
// RenderTransitionFrame starts: old picture shown at 100, generator fresh.
std::map<int, TBitmap24> AutomaticFrames(const TBitmap24& oldPic, const TBitmap24& newPic, int style, int step,
                                         bool reverse) {
  test::TShownView s(oldPic, oldPic.Width(), oldPic.Height());
  s.view.SetStep(step);
  s.view.SetDelay(0);
  // Progress at 100, as after a finished forward run: switching Manual while idle puts
  // it at the start of a run in the current direction.
  s.view.SetReverse(true);
  s.view.SetManual(true);
  s.view.SetManual(false);
  s.view.SetReverse(reverse);
  s.view.SetStyle(static_cast<TShowStyle>(style));
  std::map<int, TBitmap24> frames;
  s.view.OnProgress = [&](TCustomTransitionView& v) { frames[v.Progress()] = v.FrameBitmap(); };
  ResetProgramRandom();
  s.view.SetPicture(Graphic(newPic).get());
  s.view.Execute();
  return frames;
}

TEST(FrameRender, ReproducesTheAutomaticRunFrameByFrame) {
  const TBitmap24 oldPic = Pattern(48, 30, 1), newPic = Pattern(48, 30, 2);
  for (int style : {0, 5, 14, 51, 57, 58, 64, 75, 90, 105, 118, 121, 125}) {
    for (bool reverse : {false, true}) {
      const auto frames = AutomaticFrames(oldPic, newPic, style, 8, reverse);
      ASSERT_FALSE(frames.empty());
      for (const auto& [p, frame] : frames) {
        TFrameRenderOptions o;
        o.style = style;
        o.progress = p;
        o.step = 8;
        o.reverse = reverse;
        ASSERT_TRUE(SamePicture(RenderTransitionFrame(oldPic, newPic, o), frame,
                                "render-style" + std::to_string(style) + "-p" + std::to_string(p)));
      }
    }
  }
}

TEST(FrameRender, StopsExactlyAtAPositionOffTheSequence) {
  const TBitmap24 oldPic = Pattern(40, 20, 1), newPic = Pattern(40, 20, 2);
  std::vector<int> seen;
  TFrameRenderOptions o;
  o.style = 5;
  o.progress = 50;
  const TBitmap24 f = RenderTransitionFrame(oldPic, newPic, o, [&](int p, const TBitmap24&) { seen.push_back(p); });
  // Prepare composes 0 (the old picture was shown at 100), then 4, 8, ..., 48, 50.
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen[seen.size() - 2], 48);
  EXPECT_EQ(seen.back(), 50);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(f.Pixel(x, 4), (x < 20 ? newPic : oldPic).Pixel(x, 4));
  EXPECT_THROW(RenderTransitionFrame(oldPic, Pattern(41, 20, 2), o), Exception);
}

std::vector<uint8_t> Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(FrameRender, ScrtoolFrameWritesTheFrameAndEveryFrameOnTheWay) {
  const std::filesystem::path dir = std::filesystem::path(SCR_TEST_OUTPUT_DIR) / "scrtool-frame";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "all");
  const TBitmap24 oldPic = Pattern(33, 21, 1), newPic = Pattern(33, 21, 2);
  auto write = [](const std::filesystem::path& p, const TBitmap24& b) {
    const std::vector<uint8_t> bytes = EncodeBmp24(b);
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
  };
  write(dir / "old.bmp", oldPic);
  write(dir / "new.bmp", newPic);
  const std::string command = std::string("\"") + SCRTOOL_PATH + "\" frame \"" + (dir / "old.bmp").string() +
                              "\" \"" + (dir / "new.bmp").string() + "\" --style 64 --progress 30 --step 10 -o \"" +
                              (dir / "out.bmp").string() + "\" --all-frames \"" + (dir / "all").string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  TFrameRenderOptions o;
  o.style = 64;
  o.progress = 30;
  o.step = 10;
  EXPECT_TRUE(SamePicture(DecodeBmp(Slurp((dir / "out.bmp").string())), RenderTransitionFrame(oldPic, newPic, o),
                          "scrtool-frame"));
  for (const char* name : {"000-p000.bmp", "001-p010.bmp", "002-p020.bmp", "003-p030.bmp"})
    EXPECT_TRUE(std::filesystem::exists(dir / "all" / name)) << name;
  // Wrong use is refused with a message, not a crash.
  const std::string bad = std::string("\"") + SCRTOOL_PATH + "\" frame \"" + (dir / "old.bmp").string() +
                          "\" \"" + (dir / "new.bmp").string() + "\" --style 5 --progress 300 -o \"" +
                          (dir / "x.bmp").string() + "\" 2>/dev/null";
  EXPECT_NE(std::system(bad.c_str()), 0);
}

}  // namespace
}  // namespace scr
