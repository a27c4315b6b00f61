#pragma once
// Integer text as the system's integer parser reads it: optional leading spaces, an
// optional sign (+ or -), then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X". Nothing may follow the digits. Decimal values must lie in the
// signed 32-bit range; hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1).
#include <cstdint>
#include <optional>
#include <string_view>

namespace scr {

// The value, or nothing when the text is not such an integer.
std::optional<int32_t> TryStrToInt(std::string_view text);

// The strict conversion: text that is not an integer raises
// EConvertError("'<text>' is not a valid integer value").
int32_t StrToInt(std::string_view text);

// The lenient conversion: text that is not an integer gives `otherwise`.
inline int32_t StrToIntDef(std::string_view text, int32_t otherwise) {
  const std::optional<int32_t> v = TryStrToInt(text);
  return v ? *v : otherwise;
}

// The lenient conversion used for package positions, sizes and list items: 0 for text
// that is not an integer.
inline int32_t StrToIntOrZero(std::string_view text) { return StrToIntDef(text, 0); }

}  // namespace scr
