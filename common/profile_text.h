#pragma once
// Profile (INI) text, read and changed the way the system's private-profile functions
// do it: sections and keys compare without regard to ASCII case, the first matching
// section and key count, values lose surrounding blanks and one pair of matching
// quotes, and a value read is cut to a buffer of 2048 bytes (2047 characters).
// Backends that have no such system functions keep INI files with these.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scr {

inline constexpr size_t kProfileBufferSize = 2048;

// The value of key in section, or nothing when the section or the key is missing.
std::optional<std::string> ReadProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key, size_t bufferSize = kProfileBufferSize);

// GetPrivateProfileString's result: the value, or the default when missing (both cut
// to bufferSize - 1 characters).
std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t bufferSize = kProfileBufferSize);

// The text after writing key=value into section: an existing key keeps its place and
// its spelling, a new key goes after the section's last entry, a new section is added
// at the end. Lines end in CR LF.
std::string WriteProfileValue(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value);

}  // namespace scr
