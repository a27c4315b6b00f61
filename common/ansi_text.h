#pragma once
// Conversion between the system's 8-bit text and Unicode. The ANSI code page used is
// Windows-1252 (Western European); characters it cannot hold become '?'.
#include <optional>
#include <string>
#include <string_view>

namespace scr {

// UTF-16 code units to ANSI text: one '?' per character without a mapping, and per
// unpaired surrogate.
std::string Utf16ToAnsi(std::u16string_view text);

// UTF-8 to ANSI text: one '?' per character without a mapping and per malformed
// sequence (a bad lead byte, a missing continuation, an overlong form, a surrogate or a
// value above U+10FFFF).
std::string Utf8ToAnsi(std::string_view text);

// UTF-8 to ANSI text when every character has a mapping, else nothing (also for
// malformed UTF-8).
std::optional<std::string> Utf8ToAnsiExact(std::string_view text);

bool IsValidUtf8(std::string_view text);
// Malformed sequences replaced by U+FFFD, so the text can be shown or stored as UTF-8.
std::string SanitizeUtf8(std::string_view text);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// ANSI text to UTF-8 (every byte has a mapping; the five bytes Windows-1252 leaves
// unassigned become the control characters of the same number).
std::string AnsiToUtf8(std::string_view text);

// Turns the system's single-byte (ANSI code page) text into UTF-8. AnsiToUtf8 is the
// Windows-1252 one; the Windows backend gives the system's own code page.
using TAnsiDecoder = std::string (*)(std::string_view);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

// UTF-8 to UTF-16 code units; a malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-8 to UTF-32 code points; a malformed sequence becomes U+FFFD.
std::u32string Utf8ToCodePoints(std::string_view text);

// ANSI text to UTF-16 code units, with the same mapping as AnsiToUtf8.
std::u16string AnsiToUtf16(std::string_view text);

}  // namespace scr
