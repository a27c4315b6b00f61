// The trailer's fields: decoding what may be found there, writing them, and reading
// them from files of every length.
#include <gtest/gtest.h>

#include <string>

#include "common/stream.h"
#include "package/trailer.h"

namespace scr {
namespace {

int32_t Decode(const std::string& field) {
  return DecodeTrailerField(std::span(reinterpret_cast<const uint8_t*>(field.data()), field.size()));
}

std::string Text(std::span<const uint8_t> b) { return std::string(b.begin(), b.end()); }

TEST(Trailer, DecodesPaddedAndDamagedFields) {
  EXPECT_EQ(Decode("694206              "), 694206);
  EXPECT_EQ(Decode("   694206\t\t\t\t      "), 694206);
  EXPECT_EQ(Decode(std::string("694206\0garbage12345", 20)), 694206);
  EXPECT_EQ(Decode(std::string("\x01\x1f" "42\x20\x0d", 6)), 42);
  EXPECT_EQ(Decode("$10                 "), 16);
  EXPECT_EQ(Decode("abcdefghijklmnopqrst"), 0);
  EXPECT_EQ(Decode("12 34               "), 0);
  EXPECT_EQ(Decode(std::string(20, '\0')), 0);
  EXPECT_EQ(Decode("99999999999999999999"), 0);
}

TEST(Trailer, WritesDecimalPaddedWithSpaces) {
  const auto t = EncodeTrailer({694206, 1392435});
  EXPECT_EQ(Text(t), "694206              1392435             ");
  EXPECT_EQ(Text(EncodeTrailerField(0)), "0                   ");
  EXPECT_EQ(Text(EncodeTrailerField(2147483647)), "2147483647          ");
  EXPECT_THROW(EncodeTrailerField(-1), std::out_of_range);
  EXPECT_THROW(EncodeTrailerField(2147483648), std::out_of_range);
}

// The layout of a real saver: a 699392-byte runtime, a 1163-byte settings stream at
// 1392435, so the file is 1393638 bytes long.
TEST(Trailer, SampleLayoutIsConsistent) {
  std::vector<uint8_t> file(1393638 - 40, 0);
  const auto t = EncodeTrailer({694206, 1392435});
  file.insert(file.end(), t.begin(), t.end());
  TMemoryStream s(file);
  const auto read = ReadTrailer(s);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->PackageLength, 694206);
  EXPECT_EQ(read->SettingsOffset, 1392435);
  EXPECT_EQ(PackageStart(s.Size(), read->PackageLength), 699392);
  EXPECT_EQ(1392435 + 1163, s.Size() - 40);  // the stream ends right before the trailer
  EXPECT_EQ(ReadPackageLength(s), 694206);
  EXPECT_EQ(ReadSettingsOffset(s), 1392435);
}

TEST(Trailer, ShortFilesHaveNoTrailer) {
  for (size_t size : {0, 1, 19, 20, 39}) {
    std::vector<uint8_t> file(size, '1');
    TMemoryStream s(file);
    EXPECT_FALSE(ReadTrailer(s)) << size;
    EXPECT_FALSE(ReadPackageLength(s)) << size;
    // The settings offset is the last 20 bytes, present from 20 bytes on.
    EXPECT_EQ(ReadSettingsOffset(s).has_value(), size >= 20) << size;
  }
  // A runtime without a package ends in zero bytes: both fields read 0.
  std::vector<uint8_t> bare(4096, 0);
  TMemoryStream s(bare);
  ASSERT_TRUE(ReadTrailer(s));
  EXPECT_EQ(ReadTrailer(s)->PackageLength, 0);
  EXPECT_EQ(ReadTrailer(s)->SettingsOffset, 0);
}

}  // namespace
}  // namespace scr
