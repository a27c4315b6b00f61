#pragma once
// The caption font: a plain description (face, size, colour, style, character set);
// drawing is the platform's business.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/colour.h"
#include "package/persistent.h"

namespace scr {

enum class TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint8_t;  // bit n set: style n present
constexpr TFontStyles FontStyleBit(TFontStyle s) { return static_cast<TFontStyles>(1u << s); }

inline constexpr uint8_t DEFAULT_CHARSET = 1;
// The screen resolution that relates Height (pixels) and Size (points).
inline constexpr int kFontPixelsPerInch = 96;

class TFont : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  uint8_t Charset() const { return charset_; }
  void SetCharset(uint8_t charset) { charset_ = charset; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  // Negative: character height in pixels; positive: cell height.
  int32_t Height() const { return height_; }
  void SetHeight(int32_t height) { height_ = height; }
  const std::string& Name() const { return name_; }
  void SetName(std::string_view name) { name_ = name; }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch) { pitch_ = pitch; }
  // Points, derived from Height at 96 pixels per inch.
  int32_t Size() const;
  void SetSize(int32_t points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style) { style_ = style; }
  bool HasStyle(TFontStyle s) const { return (style_ & FontStyleBit(s)) != 0; }

  // Takes over every attribute of another font.
  void Assign(const TFont& other) { *this = other; }

  friend bool operator==(const TFont& a, const TFont& b) {
    return a.charset_ == b.charset_ && a.color_ == b.color_ && a.height_ == b.height_ && a.name_ == b.name_ &&
           a.pitch_ == b.pitch_ && a.style_ == b.style_;
  }

 private:
  uint8_t charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  int32_t height_ = -11;  // 8 points
  std::string name_ = "MS Sans Serif";
  TFontPitch pitch_ = TFontPitch::fpDefault;
  TFontStyles style_ = 0;
};

}  // namespace scr
