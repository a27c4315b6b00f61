// scrtool frame: renders one frame (or every frame up to it) of a transition between
// two pictures, as the picture show control composes it.
#include <cstdio>
#include <filesystem>
#include <optional>

#include "common/ascii.h"
#include "common/graphic.h"
#include "package/bmp_codec.h"
#include "tools/media/image_library.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/effect_list.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/picture_convert.h"
#include "transition/frame_render.h"

namespace scr::tool {

namespace {

// The picture scaled to fit inside width x height, keeping its aspect ratio, centred on
// black; unchanged when it has that size already.
TBitmap24 Fitted(const TBitmap24& picture, int width, int height) {
  if (picture.Width() == width && picture.Height() == height) return picture;
  TBitmap24 out;
  out.SetSize(width, height, 0);
  const double scale = std::min(double(width) / picture.Width(), double(height) / picture.Height());
  const int w = std::max(1, int(picture.Width() * scale + 0.5)), h = std::max(1, int(picture.Height() * scale + 0.5));
  const int left = (width - w) / 2, top = (height - h) / 2;
  TBitmapGraphic(picture).StretchDraw(out, TRect{left, top, left + w, top + h});
  return out;
}

std::vector<uint8_t> Encoded(const TBitmap24& frame, const std::string& path) {
  return AsciiLowerCase(path).ends_with(".png") ? media::EncodePng(frame) : EncodeBmp24(frame);
}

int Frame(const std::vector<std::string>& args) {
  auto app = NewCommandApp(
      "frame",
      "Shows OLD, then drives a manual transition to NEW through the positions the automatic loop\n"
      "steps through (from 0, or from 100 with --reverse, by --step) up to --progress, and writes\n"
      "the frame there: a PNG when OUT ends in .png, else a 24-bit bitmap. Pictures of any format\n"
      "the maker accepts; NEW is fitted onto OLD's size (or both onto --size). The random generator\n"
      "starts fresh, so the random styles repeat. --all-frames also writes every frame composed\n"
      "on the way as DIR/NNN-pPPP.bmp (or .png), creating DIR.",
      {"scrtool frame old.jpg new.png --style 51 --progress 50 -o half.png",
       "scrtool frame a.bmp b.bmp --style 77 --progress 100 --step 10 -o end.bmp --all-frames frames"});
  std::string oldPath, newPath, out, allFrames, size;
  TFrameRenderOptions options;
  app->add_option("old", oldPath, "the picture shown first")->required();
  app->add_option("new", newPath, "the picture the transition brings in")->required();
  app->add_option("--style", options.style, "effect number 0..127 ('scrtool effects' lists them)")
      ->required()
      ->check(CLI::Range(0, kLastEffect));
  app->add_option("--progress", options.progress, "the position to stop at, 0..100")->required()->check(CLI::Range(0, 100));
  app->add_option("--step", options.step, "the position step, 1..100 (default 4)")->check(CLI::Range(1, 100));
  app->add_flag("--reverse", options.reverse, "run from 100 down");
  app->add_option("-o,--output", out, "the frame file to write (.png or .bmp)")->required();
  app->add_option("--all-frames", allFrames, "also write every frame into this folder");
  app->add_option("--size", size, "fit both pictures onto WxH");
  return RunCommand(*app, args, [&] {
    const std::optional<TFrameSize> fit =
        size.empty() ? std::nullopt : std::optional(FrameSizeOption("--size", size, 1, kMaxFrameSide));
    TBitmap24 oldPic = DecodeAnyPicture(ReadFileBytes(oldPath), oldPath);
    TBitmap24 newPic = DecodeAnyPicture(ReadFileBytes(newPath), newPath);
    const int width = fit ? fit->width : oldPic.Width(), height = fit ? fit->height : oldPic.Height();
    oldPic = Fitted(oldPic, width, height);
    newPic = Fitted(newPic, width, height);
    if (!allFrames.empty()) std::filesystem::create_directories(allFrames);
    const std::string extension = AsciiLowerCase(out).ends_with(".png") ? ".png" : ".bmp";
    int index = 0;
    const TBitmap24 frame =
        RenderTransitionFrame(oldPic, newPic, options, [&](int progress, const TBitmap24& f) {
          if (allFrames.empty()) return;
          char name[32];
          std::snprintf(name, sizeof name, "/%03d-p%03d", index++, progress);
          WriteFileBytes(allFrames + name + extension, Encoded(f, extension));
        });
    WriteFileBytes(out, Encoded(frame, out));
    return kExitOk;
  });
}

const TRegisterCommand kRegister{TCommand{"frame", "render a frame of a transition between two pictures", Frame}};

}  // namespace

}  // namespace scr::tool
