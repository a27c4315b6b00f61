// The gallery's clips: every effect's animated WebP decodes, frame for frame, to what
// the picture show control composes at each position, with the page's timing; the
// WebP writer's frame handling; the page; picture fitting.
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "tests/support/saver_files.h"
#include "tools/media/image_library.h"
#include "tools/media/picture_cover.h"
#include "tools/media/webp_animation.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/gallery/gallery_build.h"
#include "tools/scrtool/gallery/gallery_page.h"
#include "tools/scrtool/gallery/gallery_pictures.h"
#include "transition/effect_catalog.h"
#include "transition/frame_render.h"

namespace scr::tool {
namespace {

struct TDecoded {
  int width = 0, height = 0;
  std::vector<TBitmap24> frames;
  std::vector<int> durations;
};

TDecoded Decode(const std::vector<uint8_t>& file) {
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  const WebPData data{file.data(), file.size()};
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  TDecoded out;
  if (!decoder) return out;
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  out.width = static_cast<int>(info.canvas_width);
  out.height = static_cast<int>(info.canvas_height);
  int previous = 0;
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    uint8_t* rgba = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) break;
    TBitmap24 frame(out.width, out.height);
    for (int y = 0; y < out.height; ++y)
      for (int x = 0; x < out.width; ++x) {
        const uint8_t* p = rgba + 4 * (static_cast<size_t>(y) * out.width + x);
        frame.SetPixel(x, y, p[0] | (p[1] << 8) | (p[2] << 16));
      }
    out.frames.push_back(std::move(frame));
    out.durations.push_back(timestamp - previous);
    previous = timestamp;
  }
  WebPAnimDecoderDelete(decoder);
  return out;
}

std::string OutputDir(const std::string& name) {
  const std::string dir = std::string(SCR_TEST_OUTPUT_DIR) + "/" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(Gallery, EachClipShowsTheComposedFrameAtEveryPositionWithThePageTiming) {
  constexpr int kW = 40, kH = 24;
  TGalleryInput input{OutputDir("gallery-small"), GalleryOldPicture(kW, kH), GalleryNewPicture(kW, kH), 2};
  int reported = 0;
  BuildGallery(input, [&](int done, int total) {
    EXPECT_EQ(total, 128);
    reported = done;
  });
  EXPECT_EQ(reported, 128);
  EXPECT_TRUE(FileExists(input.dir + "/index.html"));

  std::vector<int> expectedDurations(25, 40);
  expectedDurations.push_back(1000);
  for (const TEffectInfo& e : EffectCatalog()) {
    SCOPED_TRACE("effect " + std::to_string(e.number));
    const TDecoded clip = Decode(ReadFileBytes(input.dir + "/" + ClipFileName(e.number)));
    ASSERT_EQ(clip.width, kW);
    ASSERT_EQ(clip.height, kH);
    ASSERT_EQ(clip.frames.size(), 26u);
    EXPECT_EQ(clip.durations, expectedDurations);
    for (int i = 0; i < 26; ++i) {
      TFrameRenderOptions at;
      at.style = e.number;
      at.progress = 4 * i;
      ASSERT_TRUE(clip.frames[i] == RenderTransitionFrame(input.oldPic, input.newPic, at)) << "position " << at.progress;
    }
  }
}

#ifdef SCRTOOL_PATH
TEST(Gallery, TheCommandFitsTheGivenPicturesAndShowsTheSameFrames) {
  // Bitmaps of the clip size are used as they are; a larger one is cut about its centre.
  const std::string dir = OutputDir("gallery-pictures");
  const TBitmap24 oldPic = scr::test::PatternBitmap(64, 36);
  TBitmap24 larger(96, 36);
  larger.Fill(0x0000FF);
  DrawBitmap(larger, 16, 0, GalleryNewPicture(64, 36));
  WriteFileBytes(dir + "/old.bmp", EncodeBmp24(oldPic));
  WriteFileBytes(dir + "/new.bmp", EncodeBmp24(larger));
  const std::string command = std::string(SCRTOOL_PATH) + " gallery " + dir + "/page --size 64x36 --pictures " + dir +
                              "/old.bmp " + dir + "/new.bmp > " + dir + "/log.txt 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const TBitmap24 newPic = GalleryNewPicture(64, 36);
  for (int style : {5, 51, 65, 101, 118, 127}) {
    const TDecoded clip = Decode(ReadFileBytes(dir + "/page/" + ClipFileName(style)));
    ASSERT_EQ(clip.frames.size(), 26u) << style;
    for (int i = 0; i < 26; ++i) {
      TFrameRenderOptions at;
      at.style = style;
      at.progress = 4 * i;
      ASSERT_TRUE(clip.frames[i] == RenderTransitionFrame(oldPic, newPic, at)) << style << " at " << at.progress;
    }
  }
}
#endif

TEST(WebPAnimation, RepeatsStayFramesOrMergeAndOddEdgesSurvive) {
  // 7 x 5, so changed areas start at odd columns and rows.
  TBitmap24 a(7, 5), b(7, 5);
  a.Fill(0x204060);
  b.Fill(0x204060);
  b.SetPixel(5, 3, 0xFFFFFF);
  for (bool merge : {false, true}) {
    media::TWebPAnimation clip(7, 5, media::TWebPOptions{true, 50, 1, merge});
    clip.Add(a, 40);
    clip.Add(a, 40);
    clip.Add(b, 30);
    clip.Add(b, 1000);
    const TDecoded d = Decode(clip.Finish());
    if (merge) {
      ASSERT_EQ(d.frames.size(), 2u);
      EXPECT_EQ(d.durations, (std::vector<int>{80, 1030}));
    } else {
      ASSERT_EQ(d.frames.size(), 4u);
      EXPECT_EQ(d.durations, (std::vector<int>{40, 40, 30, 1000}));
    }
    EXPECT_TRUE(d.frames.front() == a);
    EXPECT_TRUE(d.frames.back() == b);
  }
}

TEST(GalleryPage, OneTileForEveryEffectWithItsClipNumberAndNames) {
  EXPECT_EQ(ClipFileName(5), "effect-005.webp");
  EXPECT_EQ(ClipFileName(127), "effect-127.webp");
  const std::string page = GalleryPage(320, 180);
  size_t figures = 0;
  for (size_t at = page.find("<figure"); at != std::string::npos; at = page.find("<figure", at + 1)) ++figures;
  EXPECT_EQ(figures, 128u);
  for (const TEffectInfo& e : EffectCatalog()) {
    EXPECT_NE(page.find("src=\"" + ClipFileName(e.number) + "\""), std::string::npos);
    EXPECT_NE(page.find("data-number=\"" + std::to_string(e.number) + "\" data-family=\"" + std::string(e.family)),
              std::string::npos);
  }
  // Nothing is fetched from elsewhere: the page works from a local folder.
  EXPECT_EQ(page.find("http"), std::string::npos);
}

TEST(PictureCover, CoversTheSizeAndKeepsTheCentre) {
  // 80 x 20: red, green and blue quarters with green twice in the middle.
  TBitmap24 wide(80, 20);
  wide.FillRect(TRect{0, 0, 20, 20}, 0x0000FF);
  wide.FillRect(TRect{20, 0, 60, 20}, 0x00FF00);
  wide.FillRect(TRect{60, 0, 80, 20}, 0xFF0000);
  const TBitmap24 square = media::PictureCovering(wide, 20, 20);
  ASSERT_EQ(square.Width(), 20);
  ASSERT_EQ(square.Height(), 20);
  for (int y = 0; y < 20; y += 19)
    for (int x = 0; x < 20; x += 19) EXPECT_EQ(square.Pixel(x, y), 0x00FF00u) << x << "," << y;
  // A small picture is enlarged to cover the size.
  const TBitmap24 large = media::PictureCovering(wide, 160, 160);
  EXPECT_EQ(large.Width(), 160);
  EXPECT_EQ(large.Height(), 160);
  EXPECT_EQ(large.Pixel(80, 80), 0x00FF00u);
}

TEST(PictureCover, PngBytesComeBackAsTheBitmap) {
  // Odd sizes catch row strides; the pattern catches swapped colour channels.
  const TBitmap24 pattern = scr::test::PatternBitmap(13, 7);
  const std::vector<uint8_t> png = media::EncodePng(pattern, 1);
  const vips::VImage read = vips::VImage::new_from_buffer(png.data(), png.size(), "");
  EXPECT_STREQ(read.get_string("vips-loader"), "pngload_buffer");
  EXPECT_TRUE(media::BitmapOf(read) == pattern);
}

}  // namespace
}  // namespace scr::tool
