#pragma once
// Published properties as text, for tools that set and show settings by name:
// integers as decimal (colours as $BBGGRR hex) or an identifier of their type,
// Booleans and enumerations by value name, sets as [a,b], strings as they are.
#include <string>
#include <string_view>
#include <vector>

#include "package/persistent.h"

namespace scr {

struct TPropertyRef {
  std::string path;  // dotted, e.g. "TextFont.Height"
  const TPropInfo* info = nullptr;
  const TPersistent* object = nullptr;  // the object that owns the property
};

// Every published value property in stream order, the owned objects' ones under dotted
// paths (picture data blocks are left out).
std::vector<TPropertyRef> ListProperties(const TPersistent& root);

// The text form of a property's value.
std::string PropertyText(const TPersistent& object, const TPropInfo& info);

// Sets the property at a dotted path from its text form. Integers also take any
// integer text ("$FF", "0x10", "-3"); Booleans "True"/"False" in any case or "1"/"0";
// sets "[fsBold,fsItalic]" or "fsBold,fsItalic". Unknown paths raise
// Exception("Unknown property <path>"), unusable text Exception("Invalid value for
// <path>: <text>").
void SetPropertyText(TPersistent& root, std::string_view path, std::string_view text);

}  // namespace scr
