#pragma once
// The property types the package's classes use, with their identifier tables.
#include <optional>
#include <string_view>

#include "package/persistent.h"

namespace scr {

const TTypeInfo& IntegerType();      // plain 32-bit integer, no identifiers
const TTypeInfo& ColorType();        // TColor: colour identifiers (clBlack .. clWindowText)
const TTypeInfo& CharsetType();      // TFontCharset: character-set identifiers
const TTypeInfo& BooleanType();      // False, True
const TTypeInfo& FontPitchType();    // fpDefault, fpVariable, fpFixed
const TTypeInfo& FontStylesType();   // set of fsBold, fsItalic, fsUnderline, fsStrikeOut
const TTypeInfo& StringType();
const TTypeInfo& FontClassType();    // the owned TFont
const TTypeInfo& PictureClassType(); // the owned TPicture
const TTypeInfo& PictureDataType();  // a picture's data block

// Identifier lookups of an integer type (names compare without regard to ASCII case).
std::optional<int32_t> IdentToInt(const TTypeInfo& type, std::string_view name);
// The first identifier for a value, if the type has one.
std::optional<std::string_view> IntToIdent(const TTypeInfo& type, int32_t value);
// The ordinal of an enumeration value name or set element name.
std::optional<int32_t> NameToOrdinal(const TTypeInfo& type, std::string_view name);

}  // namespace scr
