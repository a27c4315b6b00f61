#include "package/font.h"

#include "common/muldiv.h"
#include "package/type_info.h"

namespace scr {

int32_t TFont::Size() const { return -MulDiv(height_, 72, kFontPixelsPerInch); }

void TFont::SetSize(int32_t points) { height_ = -MulDiv(points, kFontPixelsPerInch, 72); }

const TClassInfo& TFont::StaticClassInfo() {
  using props::Ordinal;
  static const TClassInfo info{
      "TFont",
      nullptr,
      {
          Ordinal("Charset", CharsetType(), &TFont::Charset, &TFont::SetCharset),
          Ordinal("Color", ColorType(), &TFont::Color, &TFont::SetColor),
          Ordinal("Height", IntegerType(), &TFont::Height, &TFont::SetHeight),
          props::String("Name", StringType(), &TFont::Name, &TFont::SetName),
          props::WithDefault(Ordinal("Pitch", FontPitchType(), &TFont::Pitch, &TFont::SetPitch), 0),
          // Height carries the size, so Size is read but never written.
          props::NotStored(Ordinal("Size", IntegerType(), &TFont::Size, &TFont::SetSize)),
          Ordinal("Style", FontStylesType(), &TFont::Style, &TFont::SetStyle),
      }};
  return info;
}

}  // namespace scr
