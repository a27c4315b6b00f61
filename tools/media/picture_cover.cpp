#include "tools/media/picture_cover.h"

#include <vips/vips8>

#include <string>

#include "common/errors.h"
#include "tools/media/image_library.h"

namespace scr::media {

TBitmap24 PictureCovering(const TBitmap24& picture, int width, int height) {
  if (picture.Width() == width && picture.Height() == height) return picture;
  try {
    const vips::VImage image = ImageOf(picture).thumbnail_image(
        width,
        vips::VImage::option()->set("height", height)->set("crop", VIPS_INTERESTING_CENTRE)->set("size", VIPS_SIZE_BOTH));
    return BitmapOf(image.cast(VIPS_FORMAT_UCHAR));
  } catch (const vips::VError& e) {
    throw Exception("cannot fit a picture to " + std::to_string(width) + "x" + std::to_string(height) + ": " +
                    ImageLibraryReason(e.what()));
  }
}

}  // namespace scr::media
