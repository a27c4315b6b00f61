#pragma once
// libvips as every tool uses it: started once with the same safety settings, its
// error texts tidied for messages, bitmaps in and out of its images, and PNG files.
#include <vips/vips8>

#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap24.h"

namespace scr::media {

// Starts the image library once per process; loaders marked untrusted stay blocked,
// and no operation is cached past its call (buffers are not copied into the library).
void StartImageLibrary();

// An error text of the image library without its trailing line breaks and spaces.
std::string ImageLibraryReason(std::string text);

// The bitmap as an 8-bit sRGB image holding its own copy of the pixels.
vips::VImage ImageOf(const TBitmap24& bitmap);
// An 8-bit image of three bands (red, green, blue) as a bitmap.
TBitmap24 BitmapOf(const vips::VImage& image);

// A bitmap as an 8-bit RGB PNG file's bytes; compression 0 (fast, large) to 9 (slow, small).
std::vector<uint8_t> EncodePng(const TBitmap24& bitmap, int compression = 6);

}  // namespace scr::media
