#pragma once
// The picture files the tests feed the decoders (tests/support/picture_files.h), and
// an image comparison that leaves both images on disk when it fails.
#include <string>

#include <gtest/gtest.h>

#include "common/bitmap24.h"
#include "tests/support/picture_files.h"

namespace scr::test {

// Compares two bitmaps allowing `tolerance` per channel; on failure writes both as BMP
// files named after `name` into the test output folder and says where.
::testing::AssertionResult BitmapsNear(const TBitmap24& actual, const TBitmap24& expected, int tolerance,
                                       const std::string& name);

}  // namespace scr::test
