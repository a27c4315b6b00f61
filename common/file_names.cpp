#include "common/file_names.h"

#include "common/ascii.h"

namespace scr {

namespace {

constexpr size_t kLongestFileName = 255;

bool IsDeviceName(std::string_view name) {
  // The system treats "NUL.txt" and "nul  " as the device too.
  std::string base = AsciiUpperCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::optional<std::string> PlainFileNameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  bool onlyDotsAndBlanks = true;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '/' || c == ':') return "the name holds a path";
    if (c < 32 || c == 127) return "the name holds control characters";
    if (std::string_view("<>\"|?*").find(ch) != std::string_view::npos)
      return std::string("the name holds '") + ch + "', which Windows file names cannot hold";
    if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
  }
  if (onlyDotsAndBlanks) return "the name is a folder reference";
  if (name.back() == '.' || name.back() == ' ') return "the name ends in a dot or a space, which Windows drops";
  if (IsDeviceName(name)) return "the name is a Windows device name";
  if (name.size() > kLongestFileName) return "the name is longer than 255 characters";
  return std::nullopt;
}

}  // namespace scr
