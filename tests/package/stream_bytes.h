#pragma once
// Hand-made component stream bytes for the tests, independent of the project's writer.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "common/bitmap24.h"
#include "common/stream.h"

namespace scr::test {

class TBytes {
 public:
  // Raw bytes.
  TBytes& operator()(std::initializer_list<int> bytes) {
    for (int b : bytes) v_.push_back(static_cast<uint8_t>(b));
    return *this;
  }
  // Raw characters.
  TBytes& Raw(std::string_view s) {
    v_.insert(v_.end(), s.begin(), s.end());
    return *this;
  }
  // A short string: length byte and characters.
  TBytes& S(std::string_view s) {
    v_.push_back(static_cast<uint8_t>(s.size()));
    return Raw(s);
  }
  TBytes& U32(uint32_t n) { return (*this)({int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF), int(n >> 24)}); }
  TBytes& Append(const std::vector<uint8_t>& more) {
    v_.insert(v_.end(), more.begin(), more.end());
    return *this;
  }
  // "TPF0", class name, object name.
  TBytes& Header(std::string_view className, std::string_view objectName = "") {
    return Raw("TPF0").S(className).S(objectName);
  }
  // End of properties and end of children.
  TBytes& Close() { return (*this)({0, 0}); }
  const std::vector<uint8_t>& operator*() const { return v_; }
  std::vector<uint8_t> Take() { return std::move(v_); }

 private:
  std::vector<uint8_t> v_;
};

// A memory stream that keeps its own copy of the bytes.
struct TByteHolder {
  std::vector<uint8_t> bytes;
};
class TOwnedStream : private TByteHolder, public TMemoryStream {
 public:
  explicit TOwnedStream(const std::vector<uint8_t>& b) : TByteHolder{b}, TMemoryStream(TByteHolder::bytes) {}
};

inline TBitmap24 Filled(int w, int h, uint32_t rgb) {
  TBitmap24 b;
  b.SetSize(w, h, rgb);
  return b;
}

inline TBytes Settings() { return TBytes().Header("TSSFileLocations"); }

}  // namespace scr::test
