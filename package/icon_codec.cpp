#include "package/icon_codec.h"

#include <algorithm>
#include <optional>

#include "common/errors.h"
#include "package/bmp_dib.h"
#include "package/picture_bytes.h"

namespace scr {

namespace {

using picture::Fits;
using picture::Get16;
using picture::Get32;

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;

[[noreturn]] void Invalid() { throw EInvalidGraphic(kIconInvalid); }

bool IsPng(std::span<const uint8_t> data) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return data.size() >= 8 && std::equal(kSignature, kSignature + 8, data.begin());
}

// One bitmap image of the directory, its header already read.
struct TCandidate {
  std::span<const uint8_t> data;
  dib::TDibHeader header;
  int64_t area = 0;
};

std::optional<dib::TDibHeader> TryHeader(std::span<const uint8_t> data) {
  try {
    dib::TDibHeader header = dib::ReadDibHeader(data);
    // The stored height covers the colour rows and then the mask rows.
    header.height /= 2;
    if (header.width == 0 || header.height == 0) return std::nullopt;
    return header;
  } catch (const EInvalidGraphic&) {
    return std::nullopt;
  }
}

// Reads the AND mask after the colour rows: a set bit leaves the target unchanged.
// Missing mask rows count as opaque.
void ApplyAndMask(const TCandidate& c, TBitmap24& opacity) {
  const dib::TDibHeader& h = c.header;
  if (h.compression == dib::kRle8 || h.compression == dib::kRle4) return;  // mask position unknown
  const uint64_t maskAt = h.bitsOffset + dib::RowBytes(h.width, h.bitCount) * h.height;
  const uint64_t stride = dib::RowBytes(h.width, 1);
  for (int r = 0; r < h.height; ++r) {
    const uint64_t rowAt = maskAt + stride * r;
    if (!Fits(c.data.size(), rowAt, (h.width + 7) / 8)) break;
    const uint8_t* bits = c.data.data() + rowAt;
    uint8_t* out = opacity.Row(h.topDown ? r : h.height - 1 - r);
    for (int x = 0; x < h.width; ++x)
      if ((bits[x >> 3] >> (7 - (x & 7))) & 1) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = 0;
  }
}

TIconPicture DecodeCandidate(const TCandidate& c) {
  TIconPicture picture;
  std::vector<uint8_t> alpha;
  try {
    picture.image = dib::DecodeDibPixels(c.header, c.data.subspan(c.header.bitsOffset), &alpha);
  } catch (const EInvalidGraphic&) {
    Invalid();
  }
  const int w = c.header.width, h = c.header.height;
  picture.opacity.SetSize(w, h, 0xFFFFFF);
  const bool hasAlpha = std::any_of(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; });
  if (hasAlpha) {
    for (int y = 0; y < h; ++y) {
      uint8_t* out = picture.opacity.Row(y);
      for (int x = 0; x < w; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = alpha[static_cast<size_t>(y) * w + x];
    }
  } else {
    ApplyAndMask(c, picture.opacity);
  }
  return picture;
}

}  // namespace

TIconPicture DecodeIcon(std::span<const uint8_t> file) {
  if (file.size() < kDirectoryHeader) Invalid();
  const uint16_t reserved = Get16(file, 0), type = Get16(file, 2), count = Get16(file, 4);
  // Type 1 is an icon, 2 a cursor, which stores its images the same way.
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) Invalid();
  if (!Fits(file.size(), kDirectoryHeader, kDirectoryEntry * count)) Invalid();

  std::optional<TCandidate> best;
  bool sawPng = false;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectoryHeader + kDirectoryEntry * i;
    const uint32_t bytes = Get32(file, entry + 8), offset = Get32(file, entry + 12);
    if (offset >= file.size()) continue;
    // Some writers get the image size wrong: the image may not run past the file.
    const std::span<const uint8_t> data = file.subspan(offset, std::min<size_t>(bytes, file.size() - offset));
    if (IsPng(data)) {
      sawPng = true;
      continue;
    }
    const std::optional<dib::TDibHeader> header = TryHeader(data);
    if (!header) continue;
    TCandidate c{data, *header, int64_t{header->width} * header->height};
    if (!best || c.area > best->area || (c.area == best->area && c.header.bitCount > best->header.bitCount))
      best = c;
  }
  if (!best) {
    if (sawPng) throw EInvalidGraphic(kIconPngNotSupported);
    Invalid();
  }
  return DecodeCandidate(*best);
}

}  // namespace scr
