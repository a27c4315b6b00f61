#include "tools/scrtool/caption_text.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <locale.h>
#include <time.h>

#include "common/ansi_text.h"

namespace scr::tool {

namespace {

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

// strftime in the C locale (month and day names in English, whatever the environment
// says). The flag "%-" (a number without its leading zeros or blanks, "%-d" for 7) is
// done here: not every C library knows it, and the web build's does not.
std::string Strftime(const std::string& format, const std::tm& tm) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  const auto one = [&](const std::string& part) {
    std::array<char, 512> out{};
    return std::string(out.data(), strftime_l(out.data(), out.size(), part.c_str(), &tm, c));
  };
  std::string result, plain;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
      plain += "%%";
      ++i;
    } else if (format[i] == '%' && i + 2 < format.size() && format[i + 1] == '-') {
      result += one(plain);
      plain.clear();
      std::string number = one(std::string("%") + format[i + 2]);
      const size_t first = number.find_first_not_of("0 ");
      number = first == std::string::npos ? (number.empty() ? number : std::string("0")) : number.substr(first);
      result += number;
      i += 2;
    } else {
      plain += format[i];
    }
  }
  return result + one(plain);
}

}  // namespace

std::string MetadataText(std::string text) {
  // ASCII values may carry their terminating zeros.
  if (const size_t zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
  text = Trimmed(std::move(text));
  return IsValidUtf8(text) ? text : AnsiToUtf8(text);
}

std::string NameCaption(std::string_view name) {
  return MetadataText(std::filesystem::path(std::string(name)).stem().string());
}

std::string FirstCaption(const std::vector<std::string>& texts) {
  for (const std::string& raw : texts)
    if (std::string text = MetadataText(raw); !text.empty()) return text;
  return {};
}

std::string FormatExifDate(std::string_view exifDate, const std::string& format) {
  std::tm tm{};
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  const std::string text(exifDate.substr(0, 19));
  const int fields = std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second);
  if (fields != 3 && fields != 6) return {};
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 ||
      hour < 0 || minute < 0 || second < 0)
    return {};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  // Fills in the day of the week and of the year, for %A and %j.
  std::tm normal = tm;
  normal.tm_isdst = -1;
  if (timegm(&normal) != -1) {
    tm.tm_wday = normal.tm_wday;
    tm.tm_yday = normal.tm_yday;
  }
  return Strftime(format, tm);
}

}  // namespace scr::tool
