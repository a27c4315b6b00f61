// Streams cut off at any byte, or damaged anywhere, fail with a clean error.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "common/random.h"
#include "package/bmp_codec.h"
#include "package/component_reader.h"
#include "package/component_writer.h"
#include "reader_helpers.h"
#include "stream_bytes.h"
#include "settings_fixture.h"

namespace scr {
namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Reading every proper prefix of `stream` fails: before the signature is complete with
// "Invalid stream format", else with "Stream read error", wrapped when the cut falls
// inside a property's value.
void ExpectEveryCutFails(const std::vector<uint8_t>& stream, const std::string& label) {
  size_t wrapped = 0;
  for (size_t n = 0; n < stream.size(); ++n) {
    const std::vector<uint8_t> cut(stream.begin(), stream.begin() + n);
    const std::string error = test::CreateError(cut);
    if (n < 4) {
      ASSERT_EQ(error, "Invalid stream format") << n;
    } else if (error != "Stream read error") {
      ASSERT_EQ(error.rfind("Error reading " + label + ".", 0), 0u) << n << ": " << error;
      ASSERT_TRUE(EndsWith(error, ": Stream read error")) << n << ": " << error;
      ++wrapped;
    }
  }
  EXPECT_GT(wrapped, 0u);
  EXPECT_EQ(test::CreateError(stream), "");
}

TEST(Truncation, SettingsStreamCutAnywhere) {
  ExpectEveryCutFails(WriteComponentStream(test::FullSettings()), "TSSFileLocations");
}

TEST(Truncation, ImageStreamCutAnywhere) {
  ExpectEveryCutFails(BuildImageStream("TBitmap", EncodeBmp24(test::Filled(5, 3, 0x123456))), "TImage");
}

TEST(Truncation, CutInsideAValueIsWrapped) {
  std::vector<uint8_t> s = WriteComponentStream(test::FullSettings());
  const std::string_view last = "\",,last";
  const auto at = std::search(s.begin(), s.end(), last.begin(), last.end());
  ASSERT_NE(at, s.end());
  s.erase(at + 2, s.end());  // inside the descriptions' text
  EXPECT_EQ(test::CreateError(s), "Error reading TSSFileLocations.DescriptCommaList: Stream read error");
}

// Damaged bytes anywhere: the reader either succeeds or raises one of its own errors.
TEST(Truncation, DamagedStreamsFailCleanly) {
  const std::vector<uint8_t> settings = WriteComponentStream(test::FullSettings());
  const std::vector<uint8_t> image = BuildImageStream("TBitmap", EncodeBmp24(test::Filled(4, 4, 0xABCDEF)));
  TRandom random;
  for (const std::vector<uint8_t>* original : {&settings, &image}) {
    for (int round = 0; round < 3000; ++round) {
      std::vector<uint8_t> bytes = *original;
      const uint32_t changes = 1 + random.Next(4);
      for (uint32_t c = 0; c < changes; ++c)
        bytes[random.Next(static_cast<uint32_t>(bytes.size()))] = static_cast<uint8_t>(random.Next(256));
      test::TOwnedStream in(bytes);
      try {
        ReadComponentStream(in);
      } catch (const Exception&) {
      }
    }
  }
}

}  // namespace
}  // namespace scr
