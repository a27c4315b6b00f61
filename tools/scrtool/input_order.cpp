#include "tools/scrtool/input_order.h"

#include <vips/vips8>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "common/ascii.h"
#include "tools/media/image_library.h"
#include "tools/scrtool/cli.h"

namespace scr::tool {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// An EXIF date as libvips shows it: "2019:05:04 12:00:00 (2019:05:04 12:00:00, ASCII, 20 components, 20 bytes)".
std::string ExifDate(const std::string& path) {
  media::StartImageLibrary();
  try {
    const vips::VImage image = vips::VImage::new_from_file(path.c_str());
    for (const char* field : {"exif-ifd2-DateTimeOriginal", "exif-ifd2-DateTimeDigitized", "exif-ifd0-DateTime"}) {
      if (image.get_typeof(field) == 0) continue;
      const std::string text = image.get_string(field);
      if (text.size() >= 19 && IsDigit(text[0]) && text.compare(0, 4, "0000") != 0) return text.substr(0, 19);
    }
  } catch (const vips::VError&) {
  }
  return {};
}

std::string FileTime(const std::string& path) {
  std::error_code ec;
  const auto when = std::filesystem::last_write_time(path, ec);
  if (ec) return {};
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(when));
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local);
  return text;
}

}  // namespace

TInputOrder ParseInputOrder(std::string_view text) {
  const std::string v = AsciiLowerCase(text);
  if (v == "name") return TInputOrder::Name;
  if (v == "date") return TInputOrder::Date;
  if (v == "given") return TInputOrder::Given;
  throw EUsage("--order: '" + std::string(text) +
               "' is not accepted; give name (natural order of names), date (when taken) or given (as listed)");
}

int NaturalCompare(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t ei = i, ej = j;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      std::string_view x = a.substr(i, ei - i), y = b.substr(j, ej - j);
      while (x.size() > 1 && x[0] == '0') x.remove_prefix(1);
      while (y.size() > 1 && y[0] == '0') y.remove_prefix(1);
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
      if (const int c = x.compare(y); c != 0) return c;
      i = ei;
      j = ej;
      continue;
    }
    const char x = Folded(a[i]), y = Folded(b[j]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

std::string TakenDate(const std::string& path) {
  std::string date = ExifDate(path);
  return date.empty() ? FileTime(path) : date;
}

void OrderInputs(std::vector<TInputFile>& files, TInputOrder order) {
  if (order == TInputOrder::Given) return;
  if (order == TInputOrder::Name) {
    std::stable_sort(files.begin(), files.end(),
                     [](const TInputFile& a, const TInputFile& b) { return NaturalCompare(a.path, b.path) < 0; });
    return;
  }
  std::vector<std::pair<std::string, TInputFile>> keyed;
  for (TInputFile& f : files) keyed.emplace_back(TakenDate(f.path), std::move(f));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return NaturalCompare(a.second.path, b.second.path) < 0;
  });
  files.clear();
  for (auto& [key, f] : keyed) files.push_back(std::move(f));
}

}  // namespace scr::tool
