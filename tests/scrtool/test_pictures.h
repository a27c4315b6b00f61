#pragma once
// Pictures made in the tests with the image library: four coloured quadrants (red,
// green / blue, white), so that turns and mirrors can be told from the corners.
#include <vips/vips8>

#include <cstdint>
#include <string>
#include <vector>

#include "common/bitmap24.h"

namespace scr::tool::test {

inline constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// width x height, quadrants red (top left), green (top right), blue (bottom left),
// white (bottom right); with alpha, the left half is fully transparent.
vips::VImage Quadrants(int width, int height, bool alpha = false);

// The image saved in a format by suffix (".jpg[Q=95]", ".png", ".webp", ".tif"), with an
// EXIF orientation when given.
std::vector<uint8_t> Saved(const vips::VImage& image, const std::string& suffix, int orientation = 0);

// A HEIF file of the image, made with the libheif example encoder.
std::vector<uint8_t> SavedAsHeif(const vips::VImage& image, const std::string& workDir);

// The corner colours of a bitmap, inset by a few pixels past compression edges,
// in the order top left, top right, bottom left, bottom right, each rounded to the
// nearest of the quadrant colours.
std::vector<uint32_t> Corners(const TBitmap24& bitmap);

}  // namespace scr::tool::test
