#pragma once
// The whole gallery in a folder: index.html and one clip per effect beside it.
#include <functional>
#include <string>

#include "common/bitmap24.h"

namespace scr::tool {

struct TGalleryInput {
  std::string dir;
  TBitmap24 oldPic, newPic;  // of the clips' size
  int workers = 0;           // 0: one per processor
};

// Writes the page and the 128 clips; onClip is told after each clip is written (from
// the calling thread, in no particular order). scr::Exception on failure.
void BuildGallery(const TGalleryInput& input, const std::function<void(int done, int total)>& onClip = {});

}  // namespace scr::tool
