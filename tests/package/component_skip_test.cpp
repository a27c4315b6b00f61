// Properties this system does not use are passed over by their tags, whatever they
// carry, and reading goes on with the next record.
#include <gtest/gtest.h>

#include "reader_helpers.h"
#include "stream_bytes.h"

namespace scr {
namespace {

using test::ReadSettings;
using test::Settings;
using test::TargetError;
using test::TBytes;

// A stream with one unknown property carrying `value`, then Interval = 77.
std::vector<uint8_t> WithUnknown(const std::vector<uint8_t>& value) {
  return Settings().S("Unknown").Append(value).S("Interval")({2, 77}).Close().Take();
}

TEST(ComponentSkip, EveryTagIsPassedOver) {
  const std::vector<std::vector<uint8_t>> values = {
      TBytes()({0}).Take(),                                         // Null
      TBytes()({1, 2, 5, 6}).S("in a list")({1, 9, 0})({0}).Take(),  // nested lists
      TBytes()({2, 1}).Take(),
      TBytes()({3, 1, 2}).Take(),
      TBytes()({4, 1, 2, 3, 4}).Take(),
      TBytes()({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}).Take(),  // 1.0 as 80-bit
      TBytes()({6}).S("string").Take(),
      TBytes()({7}).S("clRed").Take(),
      TBytes()({8}).Take(),
      TBytes()({9}).Take(),
      TBytes()({10}).U32(3)({1, 2, 3}).Take(),
      TBytes()({11}).S("a").S("b")({0}).Take(),
      TBytes()({12}).U32(1000).Raw(std::string(1000, 'L')).Take(),
      TBytes()({13}).Take(),
      // A collection: an item with an index, an item without, each with properties.
      TBytes()({14, 2, 0, 1}).S("X")({2, 1}).S("Y")({6}).S("y")({0})({1}).S("Z")({9})({0})({0}).Take(),
      TBytes()({15, 0, 0, 0x80, 0x3F}).Take(),
      TBytes()({16, 1, 2, 3, 4, 5, 6, 7, 8}).Take(),
      TBytes()({17, 1, 2, 3, 4, 5, 6, 7, 8}).Take(),
      TBytes()({18}).U32(2)({'h', 0, 'i', 0}).Take(),
      TBytes()({19, 1, 2, 3, 4, 5, 6, 7, 8}).Take(),
      TBytes()({20}).U32(2).Raw("\xc3\xa9").Take(),
  };
  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE("value " + std::to_string(i));
    EXPECT_EQ(ReadSettings(WithUnknown(values[i])).Interval(), 77);
  }
}

TEST(ComponentSkip, UnknownPropertiesOfOwnedObjectsToo) {
  const TSSFileLocations s =
      ReadSettings(Settings().S("TextFont.Quality")({7}).S("fqDraft").S("TextFont.Height")({2, -12}).Close().Take());
  EXPECT_EQ(s.TextFont().Height(), -12);
}

TEST(ComponentSkip, UnknownTagIsAFormatError) {
  EXPECT_EQ(TargetError(WithUnknown({21})), "Error reading TSSFileLocations.Unknown: Invalid stream format");
  EXPECT_EQ(TargetError(WithUnknown({0xFF})), "Error reading TSSFileLocations.Unknown: Invalid stream format");
  // A collection item that does not open with 1.
  EXPECT_EQ(TargetError(WithUnknown({14, 5, 0, 0})), "Error reading TSSFileLocations.Unknown: Invalid stream format");
}

TEST(ComponentSkip, DeepNestingIsRefused) {
  TBytes ok, deep;
  for (int i = 0; i < 64; ++i) ok({1});
  for (int i = 0; i < 64; ++i) ok({0});
  EXPECT_EQ(ReadSettings(WithUnknown(ok.Take())).Interval(), 77);

  // Far deeper than the limit and cut short: refused before the end is reached.
  for (int i = 0; i < 100000; ++i) deep({1});
  EXPECT_EQ(TargetError(WithUnknown(deep.Take())), "Error reading TSSFileLocations.Unknown: Invalid stream format");

  TBytes collections;
  for (int i = 0; i < 1000; ++i) collections({14, 1}).S("P");
  EXPECT_EQ(TargetError(WithUnknown(collections.Take())),
            "Error reading TSSFileLocations.Unknown: Invalid stream format");
}

TEST(ComponentSkip, LengthsBeyondTheStreamFailWithoutAllocating) {
  for (int tag : {10, 12, 20}) {
    SCOPED_TRACE(tag);
    EXPECT_EQ(TargetError(WithUnknown(TBytes()({tag}).U32(0x7FFFFFFF).Take())),
              "Error reading TSSFileLocations.Unknown: Stream read error");
    EXPECT_EQ(TargetError(WithUnknown(TBytes()({tag}).U32(0xFFFFFFFF).Take())),
              "Error reading TSSFileLocations.Unknown: Stream read error");
  }
  EXPECT_EQ(TargetError(WithUnknown(TBytes()({18}).U32(0x40000000).Take())),
            "Error reading TSSFileLocations.Unknown: Stream read error");
  // The same lengths on properties that are read.
  EXPECT_EQ(TargetError(Settings().S("Title")({12}).U32(0x7FFFFFF0).Close().Take()),
            "Error reading TSSFileLocations.Title: Stream read error");
  EXPECT_EQ(TargetError(Settings().S("Title")({18}).U32(0x7FFFFFF0).Close().Take()),
            "Error reading TSSFileLocations.Title: Stream read error");
}

TEST(ComponentSkip, ChildObjectsAreReadPast) {
  std::vector<uint8_t> bytes = Settings()
                                   .S("Interval")({2, 4})({0})                          // end of properties
                                   .S("TChild").S("child1").S("Width")({2, 5})({0})     // a child ...
                                   .S("TGrandChild").S("")({0})({0})                    // ... with a child
                                   ({0})                                                // end of its children
                                   ({0xF2, 2, 1}).S("TOther").S("")({0})({0})           // a child with prefix
                                   ({0})                                                // end of children
                                   .Take();
  const size_t end = bytes.size();
  bytes.push_back(0x55);
  TMemoryStream in(bytes);
  TSSFileLocations s;
  ReadComponentStream(in, s);
  EXPECT_EQ(s.Interval(), 4);
  EXPECT_EQ(in.Position(), static_cast<int64_t>(end));
}

}  // namespace
}  // namespace scr
