#include "package/bmp_dib.h"

#include <algorithm>

#include "common/errors.h"
#include "package/bmp_rle.h"
#include "package/picture_bytes.h"
#include "package/picture_limits.h"

namespace scr::dib {

using picture::Fits;
using picture::Get16;
using picture::Get32;
using picture::GetS32;

void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

namespace {

bool ValidBitCount(int bits, bool core) {
  switch (bits) {
    case 1: case 4: case 8: case 24: return true;
    case 16: case 32: return !core;
    default: return false;
  }
}

bool ValidCompression(uint32_t compression, int bits, bool topDown) {
  switch (compression) {
    case kRgb: return true;
    // Run-length data is always stored bottom-up.
    case kRle8: return bits == 8 && !topDown;
    case kRle4: return bits == 4 && !topDown;
    case kBitFields:
    case kAlphaBitFields: return bits == 16 || bits == 32;
    default: return false;  // embedded JPEG or PNG, or unknown
  }
}

std::array<uint32_t, 4> DefaultMasks(int bits) {
  if (bits == 16) return {0x7C00, 0x03E0, 0x001F, 0};
  if (bits == 32) return {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  return {};
}

// One colour channel of a 16- or 32-bit pixel: its mask and how to widen it to 8 bits.
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit TChannel(uint32_t m) : mask(m) {
    if (m == 0) return;
    while (!((m >> shift) & 1)) ++shift;
    for (uint32_t v = m >> shift; v; v >>= 1) ++bits;
  }

  // Narrow channels repeat their bits downwards (5 bits abcde give abcdeabc), so that
  // full intensity stays full.
  uint8_t Expand(uint32_t pixel) const {
    if (bits == 0) return 0;
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t out = 0;
    for (int free = 8; free > 0; free -= bits)
      out |= free >= bits ? v << (free - bits) : v >> (bits - free);
    return static_cast<uint8_t>(out);
  }
};

void PutEntry(uint8_t* dst, const std::vector<TPaletteEntry>& palette, unsigned index) {
  if (index < palette.size()) {
    dst[0] = palette[index].blue;
    dst[1] = palette[index].green;
    dst[2] = palette[index].red;
  } else {
    dst[0] = dst[1] = dst[2] = 0;
  }
}

}  // namespace

uint64_t RowBytes(int width, int bitCount) {
  return (static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount) + 31) / 32 * 4;
}

TDibHeader ReadDibHeader(std::span<const uint8_t> dib, size_t bitsOffset) {
  if (!Fits(dib.size(), 0, 4)) Invalid();
  const uint32_t size = Get32(dib, 0);
  if (size < 12 || !Fits(dib.size(), 0, size)) Invalid();
  const bool core = size == 12;
  if (!core && size < 16) Invalid();

  TDibHeader h;
  h.headerSize = size;
  int64_t width = 0, height = 0;
  uint32_t colorsUsed = 0;
  if (core) {
    width = Get16(dib, 4);
    height = Get16(dib, 6);
    h.bitCount = Get16(dib, 10);
  } else {
    // OS/2 2.x headers may stop anywhere after 16 bytes; absent fields read as 0.
    const auto field = [&](size_t at) -> uint32_t { return at + 4 <= size ? Get32(dib, at) : 0; };
    width = GetS32(dib, 4);
    height = GetS32(dib, 8);
    h.bitCount = Get16(dib, 14);
    h.compression = field(16);
    colorsUsed = field(32);
    // In OS/2 2.x headers compression 3 is Huffman and 4 is 24-bit run-length.
    const bool os2 = size < 40 || size == 64;
    if (os2 && h.compression >= kBitFields) Invalid();
  }
  if (height < 0) {
    h.topDown = true;
    height = -height;
  }
  if (width < 0 || !picture::SizeAllowed(width, height)) Invalid();
  if (!ValidBitCount(h.bitCount, core) || !ValidCompression(h.compression, h.bitCount, h.topDown)) Invalid();
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(height);

  size_t pos = size;
  h.masks = DefaultMasks(h.bitCount);
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    const size_t count = h.compression == kAlphaBitFields ? 4 : 3;
    if (size == 40) {
      // A plain info header is followed by its masks.
      if (!Fits(dib.size(), pos, 4 * count)) Invalid();
      pos += 4 * count;
    } else if (size < 40 + 4 * count) {
      Invalid();
    }
    // Longer headers hold all four masks; the alpha mask counts there too.
    const size_t read = size >= 56 ? 4 : count;
    h.masks = {0, 0, 0, 0};
    for (size_t i = 0; i < read; ++i) h.masks[i] = Get32(dib, 40 + 4 * i);
  }

  // The colour table: colorsUsed entries when given, else a full table for up to 8 bits.
  const uint64_t entrySize = core ? 3 : 4;
  const uint64_t fullTable = h.bitCount <= 8 ? uint64_t{1} << h.bitCount : 0;
  const uint64_t stored = colorsUsed != 0 ? colorsUsed : fullTable;
  const uint64_t tableBytes = stored * entrySize;
  uint64_t available = tableBytes;
  if (bitsOffset != 0 && bitsOffset >= pos && bitsOffset <= dib.size()) {
    h.bitsOffset = bitsOffset;
    available = std::min<uint64_t>(tableBytes, bitsOffset - pos);
  } else {
    if (!Fits(dib.size(), pos, tableBytes)) Invalid();
    h.bitsOffset = static_cast<size_t>(pos + tableBytes);
  }
  const uint64_t entries = std::min(std::min(stored, fullTable), available / entrySize);
  h.palette.resize(static_cast<size_t>(entries));
  for (size_t i = 0; i < h.palette.size(); ++i) {
    const size_t at = pos + i * entrySize;
    h.palette[i] = TPaletteEntry{dib[at], dib[at + 1], dib[at + 2]};
  }
  return h;
}

TBitmap24 DecodeDibPixels(const TDibHeader& h, std::span<const uint8_t> bits, std::vector<uint8_t>* alpha) {
  TBitmap24 out;
  if (alpha) alpha->clear();
  if (h.width == 0 || h.height == 0) return out;
  if (h.compression == kRle8 || h.compression == kRle4) {
    out.SetSize(h.width, h.height);
    DecodeRlePixels(h, bits, out);
    return out;
  }
  const uint64_t stride = RowBytes(h.width, h.bitCount);
  const uint64_t lastRow = (static_cast<uint64_t>(h.width) * h.bitCount + 7) / 8;
  if (stride * (h.height - 1) + lastRow > bits.size()) Invalid();

  out.SetSize(h.width, h.height);
  const bool wantAlpha = alpha && h.bitCount == 32;
  if (wantAlpha) alpha->assign(static_cast<size_t>(h.width) * h.height, 0);
  const TChannel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alphaChannel(h.masks[3]);
  for (int r = 0; r < h.height; ++r) {
    const int y = h.topDown ? r : h.height - 1 - r;
    const uint8_t* src = bits.data() + static_cast<size_t>(r) * stride;
    uint8_t* dst = out.Row(y);
    for (int x = 0; x < h.width; ++x, dst += 3) {
      switch (h.bitCount) {
        case 1: PutEntry(dst, h.palette, (src[x >> 3] >> (7 - (x & 7))) & 1); break;
        case 4: PutEntry(dst, h.palette, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15); break;
        case 8: PutEntry(dst, h.palette, src[x]); break;
        case 24:
          dst[0] = src[3 * x];
          dst[1] = src[3 * x + 1];
          dst[2] = src[3 * x + 2];
          break;
        default: {
          const uint32_t px = h.bitCount == 16 ? static_cast<uint32_t>(src[2 * x] | (src[2 * x + 1] << 8))
                                               : static_cast<uint32_t>(src[4 * x]) | (src[4 * x + 1] << 8) |
                                                     (src[4 * x + 2] << 16) | (static_cast<uint32_t>(src[4 * x + 3]) << 24);
          dst[0] = blue.Expand(px);
          dst[1] = green.Expand(px);
          dst[2] = red.Expand(px);
          if (wantAlpha) (*alpha)[static_cast<size_t>(y) * h.width + x] = alphaChannel.Expand(px);
        }
      }
    }
  }
  return out;
}

}  // namespace scr::dib
