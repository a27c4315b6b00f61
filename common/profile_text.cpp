#include "common/profile_text.h"

#include <vector>

namespace scr {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

struct Line {
  std::string_view text;  // without its line end
  size_t begin;           // offset in the whole text
  size_t end;             // offset after the line end
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find('\n', pos);
    const size_t next = eol == std::string_view::npos ? text.size() : eol + 1;
    if (eol == std::string_view::npos) eol = text.size();
    size_t stop = eol;
    if (stop > pos && text[stop - 1] == '\r') --stop;
    lines.push_back(Line{text.substr(pos, stop - pos), pos, next});
    pos = next;
  }
  return lines;
}

// The section name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return Trim(line.substr(1));
  return Trim(line.substr(1, close - 1));
}

// Splits a "key=value" line; lines without "=" have no value.
bool SplitEntry(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

std::string Cut(std::string_view v, size_t bufferSize) {
  const size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
  return std::string(v.substr(0, std::min(v.size(), limit)));
}

// Index of the first line of the first matching section's header, or npos.
size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].text);
    if (name && SameText(*name, section)) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<std::string> ReadProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key, size_t bufferSize) {
  const std::vector<Line> lines = SplitLines(text);
  const size_t header = FindSection(lines, section);
  if (header == std::string_view::npos) return std::nullopt;
  for (size_t i = header + 1; i < lines.size() && !SectionName(lines[i].text); ++i) {
    std::string_view k, v;
    if (SplitEntry(lines[i].text, k, v) && SameText(k, Trim(key))) return Cut(Unquote(v), bufferSize);
  }
  return std::nullopt;
}

std::string ReadProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t bufferSize) {
  if (auto v = ReadProfileValue(text, section, key, bufferSize)) return *v;
  return Cut(Trim(defaultValue), bufferSize);
}

std::string WriteProfileValue(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
  const size_t header = FindSection(lines, section);
  std::string out(text);
  if (header == std::string_view::npos) {
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    out += "[" + std::string(Trim(section)) + "]\r\n" + entry + "\r\n";
    return out;
  }
  size_t insertAt = lines[header].end;
  for (size_t i = header + 1; i < lines.size() && !SectionName(lines[i].text); ++i) {
    std::string_view k, v;
    if (SplitEntry(lines[i].text, k, v)) {
      if (SameText(k, Trim(key))) {
        // Keep the key as spelled in the file; replace the rest of the line.
        const std::string kept = std::string(Trim(lines[i].text.substr(0, lines[i].text.find('='))));
        out.replace(lines[i].begin, lines[i].text.size(), kept + "=" + std::string(value));
        return out;
      }
      insertAt = lines[i].end;
    } else if (!Trim(lines[i].text).empty()) {
      insertAt = lines[i].end;
    }
  }
  std::string piece = entry + "\r\n";
  if (insertAt > 0 && insertAt == out.size() && out.back() != '\n') piece = "\r\n" + piece;
  out.insert(insertAt, piece);
  return out;
}

}  // namespace scr
