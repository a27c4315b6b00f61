// scrtool frame: renders one frame (or every frame up to it) of a transition between
// two bitmap files, as the picture show control composes it.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/bmp_codec.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"
#include "transition/frame_render.h"

namespace scr::tool {

namespace {

constexpr const char* kUsage =
    "usage: scrtool frame OLD.bmp NEW.bmp --style N --progress P [--step S] [--reverse]\n"
    "                     -o OUT.bmp [--all-frames DIR]\n"
    "Shows OLD, then drives a manual transition to NEW through the positions the automatic\n"
    "loop steps through (from 0, or from 100 with --reverse, by S, default 4) up to P, and\n"
    "writes the frame at P as a 24-bit bitmap. The pictures must be of one size. The random\n"
    "generator starts fresh, so the random styles repeat. --all-frames also writes every\n"
    "frame composed on the way as DIR/NNN-pPPP.bmp.\n";

int ParseInt(const std::string& option, const std::string& text) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw std::runtime_error(option + " needs a number, not '" + text + "'");
  return value;
}

int Frame(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  std::string out, allFrames;
  TFrameRenderOptions options;
  bool haveStyle = false, haveProgress = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
      return args[++i];
    };
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--style") {
      options.style = ParseInt(a, value());
      haveStyle = true;
    } else if (a == "--progress") {
      options.progress = ParseInt(a, value());
      haveProgress = true;
    } else if (a == "--step") {
      options.step = ParseInt(a, value());
    } else if (a == "--reverse") {
      options.reverse = true;
    } else if (a == "-o") {
      out = value();
    } else if (a == "--all-frames") {
      allFrames = value();
    } else if (!a.empty() && a[0] == '-') {
      throw std::runtime_error("unknown option " + a + "\n" + kUsage);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2 || out.empty() || !haveStyle || !haveProgress) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options.style < 0 || options.style > 255) throw std::runtime_error("--style takes 0 to 255");
  if (options.progress < 0 || options.progress > 100) throw std::runtime_error("--progress takes 0 to 100");
  if (options.step < 1 || options.step > 100) throw std::runtime_error("--step takes 1 to 100");

  const TBitmap24 oldPic = DecodeBmp(ReadFileBytes(files[0]));
  const TBitmap24 newPic = DecodeBmp(ReadFileBytes(files[1]));
  int index = 0;
  const TBitmap24 frame = RenderTransitionFrame(
      oldPic, newPic, options, [&](int progress, const TBitmap24& f) {
        if (allFrames.empty()) return;
        char name[32];
        std::snprintf(name, sizeof name, "/%03d-p%03d.bmp", index++, progress);
        WriteFileBytes(allFrames + name, EncodeBmp24(f));
      });
  WriteFileBytes(out, EncodeBmp24(frame));
  return 0;
}

const TRegisterCommand kRegister{TCommand{"frame", "render a frame of a transition between two bitmaps", Frame}};

}  // namespace

}  // namespace scr::tool
