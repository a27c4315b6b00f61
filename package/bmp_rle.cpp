#include "package/bmp_rle.h"

#include <algorithm>

namespace scr::dib {

namespace {

// Writes pixels in stored order: rows count from the bottom of the picture.
class TRleCursor {
 public:
  TRleCursor(const TDibHeader& h, TBitmap24& out) : h_(h), out_(out) {}

  bool Done() const { return row_ >= h_.height; }
  bool RowFull() const { return x_ >= h_.width; }

  void Put(unsigned index) {
    if (x_ >= h_.width || row_ >= h_.height) return;
    uint8_t* p = out_.Row(h_.height - 1 - row_) + 3 * x_;
    if (index < h_.palette.size()) {
      p[0] = h_.palette[index].blue;
      p[1] = h_.palette[index].green;
      p[2] = h_.palette[index].red;
    }
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++row_;
  }
  void Move(int dx, int dy) {
    x_ = std::min(x_ + dx, h_.width);
    row_ = std::min(row_ + dy, h_.height);
  }

 private:
  const TDibHeader& h_;
  TBitmap24& out_;
  int x_ = 0;
  int row_ = 0;
};

}  // namespace

void DecodeRlePixels(const TDibHeader& h, std::span<const uint8_t> bits, TBitmap24& out) {
  const bool four = h.compression == kRle4;
  TRleCursor cursor(h, out);
  size_t p = 0;
  const size_t size = bits.size();
  while (!cursor.Done() && p + 2 <= size) {
    const unsigned count = bits[p];
    const unsigned value = bits[p + 1];
    p += 2;
    if (count != 0) {
      // Encoded run: one index, or two alternating 4-bit indexes.
      for (unsigned i = 0; i < count && !cursor.RowFull(); ++i)
        cursor.Put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    switch (value) {
      case 0: cursor.NextLine(); break;
      case 1: return;
      case 2:
        if (p + 2 > size) return;
        cursor.Move(bits[p], bits[p + 1]);
        p += 2;
        break;
      default: {
        // Absolute block of `value` indexes, padded to a 16-bit boundary.
        const size_t bytes = four ? (value + 1) / 2 : value;
        for (unsigned i = 0; i < value && !cursor.RowFull(); ++i) {
          const size_t at = p + (four ? i / 2 : i);
          if (at >= size) return;
          cursor.Put(four ? ((i & 1) ? bits[at] & 15 : bits[at] >> 4) : bits[at]);
        }
        p += (bytes + 1) & ~size_t{1};
      }
    }
  }
}

}  // namespace scr::dib
