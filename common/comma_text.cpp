#include "common/comma_text.h"

namespace scr {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

bool EndsItem(char c) { return static_cast<unsigned char>(c) <= 32 || c == kDelimiter; }

bool NeedsQuotes(std::string_view item) {
  for (char c : item)
    if (static_cast<unsigned char>(c) <= 32 || c == kQuote || c == kDelimiter) return true;
  return false;
}

}  // namespace

std::vector<std::string> ParseCommaText(std::string_view text) {
  std::vector<std::string> items;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };

  // Outside quotes a zero byte ends the text; inside quotes it is an ordinary
  // character, so every rendered list parses back to itself.
  auto atEnd = [&](size_t at) { return at >= text.size() || text[at] == '\0'; };

  skipBlanks();
  while (!atEnd(i)) {
    std::string item;
    if (text[i] == kQuote) {
      ++i;
      while (i < text.size()) {
        if (text[i] == kQuote) {
          if (i + 1 < text.size() && text[i + 1] == kQuote) {
            item += kQuote;
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
        item += text[i++];
      }
    } else {
      const size_t start = i;
      while (i < text.size() && !EndsItem(text[i])) ++i;
      item.assign(text.substr(start, i - start));
    }
    items.push_back(std::move(item));

    skipBlanks();
    if (i < text.size() && text[i] == kDelimiter) {
      if (atEnd(i + 1)) items.emplace_back();
      ++i;
      skipBlanks();
    }
  }
  return items;
}

std::string RenderCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return std::string(2, kQuote);
  std::string out;
  for (size_t n = 0; n < items.size(); ++n) {
    if (n > 0) out += kDelimiter;
    const std::string& item = items[n];
    if (!NeedsQuotes(item)) {
      out += item;
      continue;
    }
    out += kQuote;
    for (char c : item) {
      if (c == kQuote) out += kQuote;
      out += c;
    }
    out += kQuote;
  }
  return out;
}

}  // namespace scr
