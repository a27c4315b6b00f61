#include "tools/scrtool/item_names.h"

#include <cstdint>

#include "common/ascii.h"
#include "common/file_names.h"

namespace scr::tool {

namespace {

// The letters without their accents for U+00C0..U+017F, two characters per code
// point ("A " for a single letter, "__" for none); U+0218..U+021B follow apart.
constexpr std::string_view kLatinLetters =
    "A A A A A A AEC E E E E I I I I "   // C0
    "D N O O O O O __O U U U U Y THss"   // D0
    "a a a a a a aec e e e e i i i i "   // E0
    "d n o o o o o __o u u u u y thy "   // F0
    "A a A a A a C c C c C c C c D d "   // 100
    "D d E e E e E e E e E e G g G g "   // 110
    "G g G g H h H h I i I i I i I i "   // 120
    "I i IJijJ j K k k L l L l L l L "   // 130
    "l L l N n N n N n n N n O o O o "   // 140
    "O o OEoeR r R r R r S s S s S s "   // 150
    "S s T t T t T t U u U u U u U u "   // 160
    "U u U u W w Y y Y Z z Z z Z z s ";  // 170

// The next code point of UTF-8 text; a malformed byte gives 0xFFFD and moves on by one.
char32_t NextCodePoint(std::string_view text, size_t& i) {
  const auto b = static_cast<unsigned char>(text[i]);
  const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t c = length == 1 ? b : b & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (next & 0x3F);
  }
  i += length;
  return c;
}

std::string Plain(char32_t c) {
  if (c >= 0x20 && c < 0x7F) return std::string(1, static_cast<char>(c));
  std::string_view letters;
  if (c >= 0xC0 && c <= 0x17F) letters = kLatinLetters.substr((c - 0xC0) * 2, 2);
  if (c >= 0x218 && c <= 0x21B) letters = std::string_view("SsTt").substr(c - 0x218, 1);
  if (letters.empty() || letters == "__") return "_";
  return std::string(letters.substr(0, letters[1] == ' ' ? 1 : 2));
}

// "stem-n.ext" for "stem.ext".
std::string Numbered(const std::string& name, int n) {
  const size_t dot = name.rfind('.');
  const std::string suffix = "-" + std::to_string(n);
  return dot == std::string::npos || dot == 0 ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

}  // namespace

std::string PlainAsciiName(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    std::string plain = Plain(NextCodePoint(utf8, i));
    if (plain.size() == 1 && !IsPlainFileName(plain) && plain != "." && plain != " ") plain = "_";
    out += plain;
  }
  for (size_t k = out.size(); k > 0 && (out[k - 1] == '.' || out[k - 1] == ' '); --k) out[k - 1] = '_';
  if (out.size() > 200) out = out.substr(0, 100) + out.substr(out.size() - 100);
  if (!IsPlainFileName(out)) out = "_" + out;  // a device name, or nothing left
  return out;
}

std::string TItemNamer::Name(std::string_view wanted) {
  const std::string plain = PlainAsciiName(wanted);
  std::string name = plain;
  for (int n = 2; taken_.count(AsciiLowerCase(name)) != 0; ++n) name = Numbered(plain, n);
  taken_.insert(AsciiLowerCase(name));
  return name;
}

}  // namespace scr::tool
