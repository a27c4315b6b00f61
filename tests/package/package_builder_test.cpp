// Packages made by the builder are found by every reader of a saver file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "package/package_reader.h"
#include "package/trailer.h"
#include "stream_bytes.h"

namespace scr {
namespace {

using test::TOwnedStream;

std::vector<uint8_t> Runtime(size_t size) {
  std::vector<uint8_t> r(size, 0x90);
  r[0] = 'M';
  r[1] = 'Z';
  return r;
}

std::vector<uint8_t> Picture(int w, int h, uint32_t rgb) {
  return BuildImageStream("TBitmap", EncodeBmp24(test::Filled(w, h, rgb)));
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& file, int32_t position, int32_t size) {
  return {file.begin() + position, file.begin() + position + size};
}

TEST(PackageBuilder, EveryItemIsWhereTheSettingsSay) {
  TPackageBuilder b(Runtime(5000));
  b.AddPicture("one.bmp", Picture(2, 2, 0x0000FF));
  b.AddPicture("two.bmp", Picture(4, 1, 0x00FF00));
  b.AddSound("a.mid", {1, 2, 3});
  b.AddSound("empty.wav", {});
  b.AddMovie("m.swf", {'F', 'W', 'S', 9});
  b.SetHookLibrary({'M', 'Z', 7, 7});
  b.Settings().SetTitle("Builder test");
  b.Settings().SetEffectCommaList("5,7");
  const TBuiltPackage built = b.Build();
  TOwnedStream file(built.bytes);

  TSSFileLocations s;
  ASSERT_TRUE(ReadSettingsInto(file, s));
  EXPECT_EQ(s.Title(), "Builder test");
  EXPECT_EQ(s.EffectCount(), 2);
  ASSERT_EQ(s.PicCount(), 2);
  EXPECT_EQ(s.PicPosition(0), 5000);  // the first item: also the preview
  EXPECT_EQ(s.PicFileNames(), (TStringList{"one.bmp", "two.bmp"}));
  EXPECT_EQ(ReadPictureAt(file, s.PicPosition(1))->Picture().Graphic()->Width(), 4);

  ASSERT_EQ(s.SndCount(), 2);
  EXPECT_EQ(s.SndFileName(0), "a.mid");
  EXPECT_EQ(Slice(built.bytes, s.SndPosition(0), s.SndSize(0)), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(s.SndSize(1), 0);
  ASSERT_EQ(s.FlashCount(), 1);
  EXPECT_EQ(s.FlashFileName(0), "m.swf");
  EXPECT_EQ(Slice(built.bytes, s.FlashPosition(0), s.FlashSize(0)), (std::vector<uint8_t>{'F', 'W', 'S', 9}));
  EXPECT_EQ(Slice(built.bytes, s.HookPosition(), s.HookSize()), (std::vector<uint8_t>{'M', 'Z', 7, 7}));

  // Items lie back to back: the hook library ends where the settings stream begins.
  EXPECT_EQ(s.HookPosition() + s.HookSize(), built.settingsOffset);
  EXPECT_EQ(built.settingsOffset + built.settingsLength + 40, static_cast<int64_t>(built.bytes.size()));
  EXPECT_EQ(built.packageLength, static_cast<int32_t>(built.bytes.size()) - 40 - 5000);

  const std::unique_ptr<TImage> preview = ReadPreviewImage(file);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->Picture().Graphic()->Width(), 2);
  const std::unique_ptr<TSSFileLocations> record = ReadSettingsRecord(file);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->HookSize(), 4);
}

TEST(PackageBuilder, SeparatePreviewComesFirst) {
  TPackageBuilder b(Runtime(100));
  b.SetPreview(Picture(7, 7, 0));
  b.AddPicture("p.bmp", Picture(1, 1, 0));
  const TBuiltPackage built = b.Build();
  TOwnedStream file(built.bytes);
  EXPECT_EQ(ReadPreviewImage(file)->Picture().Graphic()->Width(), 7);
  EXPECT_GT(built.settings.PicPosition(0), 100);
  EXPECT_EQ(ReadPictureAt(file, built.settings.PicPosition(0))->Picture().Graphic()->Width(), 1);
}

TEST(PackageBuilder, FlashSaverHasNoPreviewPicture) {
  TPackageBuilder b(Runtime(100));
  b.AddMovie("intro.swf", {'F', 'W', 'S', 6, 0, 0});
  b.Settings().SetVer("flash");
  const TBuiltPackage built = b.Build();
  TOwnedStream file(built.bytes);
  EXPECT_THROW(ReadPreviewImage(file), EReadError);  // the movie is no component stream
  EXPECT_EQ(built.settings.HookSize(), 0);           // no library given
}

TEST(PackageBuilder, PreviewOfAnotherClassDrawsNothing) {
  // A package whose first item is the settings stream itself.
  TPackageBuilder b(Runtime(64));
  const TBuiltPackage built = b.Build();
  TOwnedStream file(built.bytes);
  EXPECT_EQ(built.settingsOffset, 64);
  EXPECT_EQ(ReadPreviewImage(file), nullptr);
}

TEST(PackageBuilder, ReadersOfBrokenFiles) {
  // A package length of 0 makes the preview read the trailer itself.
  std::vector<uint8_t> bytes = Runtime(100);
  const auto t = EncodeTrailer({0, 0});
  bytes.insert(bytes.end(), t.begin(), t.end());
  TOwnedStream file(bytes);
  try {
    ReadPreviewImage(file);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
  TSSFileLocations s;
  EXPECT_THROW(ReadSettingsInto(file, s), EReadError);  // offset 0: the runtime

  TOwnedStream tiny(std::vector<uint8_t>(30, ' '));
  EXPECT_FALSE(ReadSettingsInto(tiny, s));
  EXPECT_EQ(ReadPreviewImage(tiny), nullptr);

  // Offsets before the start or beyond the end of the file.
  for (const char* field : {"-5", "999999"}) {
    std::vector<uint8_t> f = Runtime(100);
    const auto tr = EncodeTrailer({0, 0});
    f.insert(f.end(), tr.begin(), tr.end());
    std::copy(field, field + std::strlen(field), f.end() - 20);
    TOwnedStream in(f);
    EXPECT_THROW(ReadSettingsRecord(in), EReadError) << field;
  }
}

// The layout of a packaged saver: a 699392-byte runtime and a 1163-byte settings
// stream at 1392435 give the fields "694206" and "1392435".
TEST(PackageBuilder, SampleTrailer) {
  TPackageBuilder b(Runtime(699392));
  b.AddSound("big.mid", std::vector<uint8_t>(1392435 - 699392, 1));
  const int32_t bare = b.Build().settingsLength;
  // Pad the caption until the settings stream is 1163 bytes long: the record costs its
  // name, the tag and a length of 1 byte (tag 6) or 4 bytes (tag 12).
  TBuiltPackage built;
  for (int overhead : {1 + 4 + 1 + 1, 1 + 4 + 1 + 4}) {
    b.Settings().SetText(std::string(static_cast<size_t>(1163 - bare - overhead), 'c'));
    built = b.Build();
    if (built.settingsLength == 1163) break;
  }
  ASSERT_EQ(built.settingsLength, 1163);
  EXPECT_EQ(built.settingsOffset, 1392435);
  EXPECT_EQ(built.bytes.size(), 1393638u);
  const std::string trailer(built.bytes.end() - 40, built.bytes.end());
  EXPECT_EQ(trailer, "694206" + std::string(14, ' ') + "1392435" + std::string(13, ' '));
}

}  // namespace
}  // namespace scr
