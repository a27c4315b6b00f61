#include "package/type_info.h"

#include <array>

#include "common/ascii.h"

namespace scr {

namespace {

constexpr int32_t Sys(uint32_t n) { return static_cast<int32_t>(0xFF000000u | n); }

constexpr std::array<TIdentEntry, 52> kColors{{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clActiveBorder", Sys(0x0A)},
    {"clActiveCaption", Sys(0x02)},
    {"clAppWorkSpace", Sys(0x0C)},
    {"clBackground", Sys(0x01)},
    {"clBtnFace", Sys(0x0F)},
    {"clBtnHighlight", Sys(0x14)},
    {"clBtnShadow", Sys(0x10)},
    {"clBtnText", Sys(0x12)},
    {"clCaptionText", Sys(0x09)},
    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", Sys(0x1B)},
    {"clGradientInactiveCaption", Sys(0x1C)},
    {"clGrayText", Sys(0x11)},
    {"clHighlight", Sys(0x0D)},
    {"clHighlightText", Sys(0x0E)},
    {"clHotLight", Sys(0x1A)},
    {"clInactiveBorder", Sys(0x0B)},
    {"clInactiveCaption", Sys(0x03)},
    {"clInactiveCaptionText", Sys(0x13)},
    {"clInfoBk", Sys(0x18)},
    {"clInfoText", Sys(0x17)},
    {"clMenu", Sys(0x04)},
    {"clMenuBar", Sys(0x1E)},
    {"clMenuHighlight", Sys(0x1D)},
    {"clMenuText", Sys(0x07)},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", Sys(0x00)},
    {"cl3DDkShadow", Sys(0x15)},
    {"cl3DLight", Sys(0x16)},
    {"clWindow", Sys(0x05)},
    {"clWindowFrame", Sys(0x06)},
    {"clWindowText", Sys(0x08)},
}};

constexpr std::array<TIdentEntry, 18> kCharsets{{
    {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1},
    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},
    {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},
    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},
    {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},
    {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};

constexpr std::array<std::string_view, 2> kBoolean{"False", "True"};
constexpr std::array<std::string_view, 3> kPitch{"fpDefault", "fpVariable", "fpFixed"};
constexpr std::array<std::string_view, 4> kStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

}  // namespace

const TTypeInfo& IntegerType() {
  static const TTypeInfo t{"Integer", TTypeKind::Integer};
  return t;
}
const TTypeInfo& ColorType() {
  static const TTypeInfo t{"TColor", TTypeKind::Integer, kColors};
  return t;
}
const TTypeInfo& CharsetType() {
  static const TTypeInfo t{"TFontCharset", TTypeKind::Integer, kCharsets};
  return t;
}
const TTypeInfo& BooleanType() {
  static const TTypeInfo t{"Boolean", TTypeKind::Enumeration, {}, kBoolean};
  return t;
}
const TTypeInfo& FontPitchType() {
  static const TTypeInfo t{"TFontPitch", TTypeKind::Enumeration, {}, kPitch};
  return t;
}
const TTypeInfo& FontStylesType() {
  static const TTypeInfo t{"TFontStyles", TTypeKind::Set, {}, kStyles};
  return t;
}
const TTypeInfo& StringType() {
  static const TTypeInfo t{"string", TTypeKind::String};
  return t;
}
const TTypeInfo& FontClassType() {
  static const TTypeInfo t{"TFont", TTypeKind::Class};
  return t;
}
const TTypeInfo& PictureClassType() {
  static const TTypeInfo t{"TPicture", TTypeKind::Class};
  return t;
}
const TTypeInfo& PictureDataType() {
  static const TTypeInfo t{"TPictureData", TTypeKind::Binary};
  return t;
}

std::optional<int32_t> IdentToInt(const TTypeInfo& type, std::string_view name) {
  for (const TIdentEntry& e : type.idents)
    if (SameText(e.name, name)) return e.value;
  return std::nullopt;
}

std::optional<std::string_view> IntToIdent(const TTypeInfo& type, int32_t value) {
  for (const TIdentEntry& e : type.idents)
    if (e.value == value) return e.name;
  return std::nullopt;
}

std::optional<int32_t> NameToOrdinal(const TTypeInfo& type, std::string_view name) {
  for (size_t i = 0; i < type.names.size(); ++i)
    if (SameText(type.names[i], name)) return static_cast<int32_t>(i);
  return std::nullopt;
}

}  // namespace scr
