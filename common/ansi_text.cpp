#include "common/ansi_text.h"

#include <array>
#include <cstdint>
#include <optional>

namespace scr {

namespace {

// Unicode of the bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 sequence starting at text[i]: its code point, or nullopt for a
// malformed one (a bad lead byte, a missing continuation, an overlong form, a
// surrogate or a value above U+10FFFF). `length` receives the bytes it spans; a
// malformed sequence spans its lead byte and the continuation bytes that belonged to it.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t i, size_t& length) {
  const auto b = static_cast<uint8_t>(text[i]);
  length = 1;
  if (b < 0x80) return b;
  size_t expected = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    expected = 2, cp = b & 0x1F, minimum = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    expected = 3, cp = b & 0x0F, minimum = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    expected = 4, cp = b & 0x07, minimum = 0x10000;
  }
  if (expected == 0) return std::nullopt;
  for (size_t n = 1; n < expected; ++n) {
    if (i + n >= text.size() || (static_cast<uint8_t>(text[i + n]) & 0xC0) != 0x80) {
      length = n;
      return std::nullopt;
    }
    cp = (cp << 6) | (static_cast<uint8_t>(text[i + n]) & 0x3F);
  }
  length = expected;
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

}  // namespace

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;  // a pair: a character beyond the code page
      out += '?';
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      out += '?';
    } else {
      out += ToAnsi(u);
    }
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length) {
    const std::optional<char32_t> cp = DecodeUtf8(text, i, length);
    out += cp ? ToAnsi(*cp) : '?';
  }
  return out;
}

std::optional<std::string> Utf8ToAnsiExact(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length) {
    const std::optional<char32_t> cp = DecodeUtf8(text, i, length);
    if (!cp) return std::nullopt;
    const char c = ToAnsi(*cp);
    if (c == '?' && *cp != U'?') return std::nullopt;
    out += c;
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length)
    if (!DecodeUtf8(text, i, length)) return false;
  return true;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? U'\uFFFD' : static_cast<char32_t>(u));
    }
  }
  return out;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length) {
    const std::optional<char32_t> cp = DecodeUtf8(text, i, length);
    AppendUtf8(out, cp ? *cp : U'\uFFFD');
  }
  return out;
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<uint8_t>(c);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : static_cast<char32_t>(b));
  }
  return out;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<uint8_t>(c) >= 0x80) return false;
  return true;
}

std::u32string Utf8ToCodePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length) {
    const std::optional<char32_t> cp = DecodeUtf8(text, i, length);
    out += cp ? *cp : U'\uFFFD';
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char32_t cp : Utf8ToCodePoints(text)) {
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::u16string AnsiToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<uint8_t>(c);
    out += b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : static_cast<char16_t>(b);
  }
  return out;
}

}  // namespace scr
