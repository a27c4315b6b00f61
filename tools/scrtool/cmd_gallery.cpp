// scrtool gallery: a web page of every transition effect, each as a looping clip,
// for choosing the numbers of a saver's effect list by eye.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/media/picture_cover.h"
#include "tools/scrtool/cli.h"
#include "tools/scrtool/command.h"
#include "tools/scrtool/file_bytes.h"
#include "tools/scrtool/frame_size.h"
#include "tools/scrtool/gallery/gallery_build.h"
#include "tools/scrtool/gallery/gallery_pictures.h"
#include "tools/scrtool/picture_convert.h"
#include "tools/scrtool/progress_bar.h"

namespace scr::tool {

namespace {

// A picture of any format the maker accepts, upright, covering the clip size.
TBitmap24 ClipPicture(const std::string& path, const TFrameSize& size) {
  return media::PictureCovering(DecodeAnyPicture(ReadFileBytes(path), path), size.width, size.height);
}

int Gallery(const std::vector<std::string>& args) {
  auto app = NewCommandApp(
      "gallery",
      "Writes DIR/index.html with one animated WebP per transition effect (effect-NNN.webp) beside it:\n"
      "the old picture, the transition at the default Step and Delay, the new picture held for a second.\n"
      "The page opens from the folder with no network; it filters by family, enlarges a clip on click\n"
      "and lists the numbers of the marked clips, ready for 'scrtool make --effects'.",
      {"scrtool gallery build/gallery", "scrtool gallery effects --size 480x270 --pictures beach.jpg city.png"});
  std::string dir, sizeText = "320x180";
  std::vector<std::string> pictures;
  app->add_option("DIR", dir, "folder for the page and its clips (made when missing)")->required();
  app->add_option("--size", sizeText, "clip size WxH (default 320x180)");
  app->add_option("--pictures", pictures, "OLD NEW: two pictures of any format the maker takes, cropped to fill the size")
      ->expected(2);
  return RunCommand(*app, args, [&] {
    const TFrameSize size = FrameSizeOption("--size", sizeText, 8, 1920);
    TGalleryInput input;
    input.dir = dir;
    if (pictures.empty()) {
      input.oldPic = GalleryOldPicture(size.width, size.height);
      input.newPic = GalleryNewPicture(size.width, size.height);
    } else {
      input.oldPic = ClipPicture(pictures[0], size);
      input.newPic = ClipPicture(pictures[1], size);
    }
    const auto start = std::chrono::steady_clock::now();
    TProgressBar bar("gallery");
    BuildGallery(input, [&](int done, int total) {
      bar.Show(static_cast<double>(done) / total, std::to_string(done) + "/" + std::to_string(total) + " effects");
    });
    bar.Done();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wrote %s/index.html and 128 clips in %.1f s\n", dir.c_str(), seconds);
    return kExitOk;
  });
}

const TRegisterCommand kRegister{TCommand{"gallery", "write a web page showing every transition effect", Gallery}};

}  // namespace

}  // namespace scr::tool
