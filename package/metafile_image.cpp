#include "package/metafile_image.h"

#include "common/errors.h"
#include "common/muldiv.h"
#include "package/picture_bytes.h"
#include "package/picture_limits.h"

namespace scr {

namespace {

using picture::Get16;
using picture::Get32;
using picture::GetS16;
using picture::GetS32;

// The one renderer of the program, registered by the platform at start-up.
TMetafileRenderer& Renderer() {
  static TMetafileRenderer renderer;
  return renderer;
}

[[noreturn]] void Invalid() { throw EInvalidGraphic(kMetafileInvalid); }

constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfHeaderSize = 88;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;

struct TSize {
  int64_t width = 0;
  int64_t height = 0;
};

// An enhanced metafile's frame is in hundredths of a millimetre, converted through the
// reference device the header names; without a usable device the bounds (pixels,
// inclusive) give the size.
TSize EmfSize(std::span<const uint8_t> d) {
  const int32_t boundsL = GetS32(d, 8), boundsT = GetS32(d, 12), boundsR = GetS32(d, 16), boundsB = GetS32(d, 20);
  const int32_t frameL = GetS32(d, 24), frameT = GetS32(d, 28), frameR = GetS32(d, 32), frameB = GetS32(d, 36);
  const int32_t devW = GetS32(d, 72), devH = GetS32(d, 76), mmW = GetS32(d, 80), mmH = GetS32(d, 84);
  if (devW > 0 && devH > 0 && mmW > 0 && mmH > 0 && mmW <= INT32_MAX / 100 && mmH <= INT32_MAX / 100) {
    const int64_t fw = int64_t{frameR} - frameL, fh = int64_t{frameB} - frameT;
    if (fw >= INT32_MIN && fw <= INT32_MAX && fh >= INT32_MIN && fh <= INT32_MAX)
      return TSize{MulDiv(static_cast<int>(fw), devW, mmW * 100), MulDiv(static_cast<int>(fh), devH, mmH * 100)};
  }
  return TSize{int64_t{boundsR} - boundsL + 1, int64_t{boundsB} - boundsT + 1};
}

}  // namespace

void SetMetafileRenderer(TMetafileRenderer renderer) { Renderer() = std::move(renderer); }

TMetafile::TMetafile(std::vector<uint8_t> data) {
  if (data.empty()) return;
  const std::span<const uint8_t> d(data);
  TSize size;
  if (d.size() >= kEmfHeaderSize && Get32(d, 40) == kEmfSignature) {
    if (Get32(d, 0) != kEmrHeader || Get32(d, 4) < kEmfHeaderSize) Invalid();
    enhanced_ = true;
    size = EmfSize(d);
  } else if (d.size() >= kPlaceableSize + kWmfHeaderSize && Get32(d, 0) == kPlaceableKey) {
    // A placeable header gives the bounding box in logical units and units per inch.
    const int left = GetS16(d, 6), top = GetS16(d, 8), right = GetS16(d, 10), bottom = GetS16(d, 12);
    const int inch = Get16(d, 14);
    if (inch == 0) Invalid();
    size = TSize{MulDiv(right - left, kMetafilePixelsPerInch, inch), MulDiv(bottom - top, kMetafilePixelsPerInch, inch)};
  } else if (d.size() >= kWmfHeaderSize && (Get16(d, 0) == 1 || Get16(d, 0) == 2) && Get16(d, 2) == 9) {
    // A bare Windows metafile states no size: it has none until drawn into a rectangle.
  } else {
    Invalid();
  }
  // A frame given right to left or bottom to top still has its extent.
  if (size.width < 0) size.width = -size.width;
  if (size.height < 0) size.height = -size.height;
  if (!picture::SizeAllowed(size.width, size.height)) Invalid();
  width_ = static_cast<int>(size.width);
  height_ = static_cast<int>(size.height);
  data_ = std::make_shared<const std::vector<uint8_t>>(std::move(data));
}

const std::vector<uint8_t>& TMetafile::Data() const {
  static const std::vector<uint8_t> kNone;
  return data_ ? *data_ : kNone;
}

void TMetafile::Draw(TBitmap24& dst, int x, int y) const { StretchDraw(dst, TRect{x, y, x + width_, y + height_}); }

void TMetafile::StretchDraw(TBitmap24& dst, const TRect& r) const {
  if (!data_) return;
  const TMetafileRenderer& renderer = Renderer();
  if (!renderer) throw EInvalidGraphic(kMetafileDrawingUnavailable);
  renderer(*this, dst, r);
}

}  // namespace scr
