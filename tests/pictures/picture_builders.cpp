#include "tests/pictures/picture_builders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "package/bmp_codec.h"

namespace scr::test {

::testing::AssertionResult BitmapsNear(const TBitmap24& actual, const TBitmap24& expected, int tolerance,
                                       const std::string& name) {
  std::string problem;
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
    problem = "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) + " instead of " +
              std::to_string(expected.Width()) + "x" + std::to_string(expected.Height());
  } else {
    for (int y = 0; y < actual.Height() && problem.empty(); ++y)
      for (int x = 0; x < 3 * actual.Width(); ++x)
        if (std::abs(actual.Row(y)[x] - expected.Row(y)[x]) > tolerance) {
          problem = "pixel (" + std::to_string(x / 3) + ", " + std::to_string(y) + ") channel " +
                    std::to_string(x % 3) + " is " + std::to_string(actual.Row(y)[x]) + ", expected " +
                    std::to_string(expected.Row(y)[x]);
          break;
        }
  }
  if (problem.empty()) return ::testing::AssertionSuccess();
  const std::filesystem::path dir = std::filesystem::path(SCR_TEST_OUTPUT_DIR) / "pictures";
  std::filesystem::create_directories(dir);
  for (const auto& [suffix, bitmap] : {std::pair{"actual", &actual}, std::pair{"expected", &expected}}) {
    const std::vector<uint8_t> file = EncodeBmp24(*bitmap);
    std::ofstream(dir / (name + "-" + suffix + ".bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
  return ::testing::AssertionFailure() << problem << " (images written to " << (dir / name).string() << "-*.bmp)";
}

}  // namespace scr::test
