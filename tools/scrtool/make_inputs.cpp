#include "tools/scrtool/make_inputs.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "tools/scrtool/input_order.h"

namespace scr::tool {

namespace fs = std::filesystem;

namespace {

const char* KindName(TContentKind kind) {
  switch (kind) {
    case TContentKind::Picture:
      return "a picture";
    case TContentKind::Sound:
      return "a sound";
    case TContentKind::Movie:
      return "a Flash movie";
    case TContentKind::Unknown:
      break;
  }
  return "not a picture, sound or Flash movie";
}

TInputFile Inspect(const fs::path& path) {
  std::error_code ec;
  const uint64_t size = fs::file_size(path, ec);
  if (ec) throw std::runtime_error("cannot read " + path.string() + ": " + ec.message());
  return {path.string(), path.filename().string(), DetectFileContent(path.string()), size};
}

void Add(TInputFile file, TSortedInputs& into, const TWarn& warn) {
  switch (file.type.kind) {
    case TContentKind::Picture:
      into.pictures.push_back(std::move(file));
      break;
    case TContentKind::Sound:
      if (!file.type.windowsPlays)
        warn(file.path + " is " + file.type.format +
             " audio, which the Windows media player will not play in the saver (WAV, MP3 and MIDI play); it goes "
             "in all the same");
      into.sounds.push_back(std::move(file));
      break;
    case TContentKind::Movie:
      into.movies.push_back(std::move(file));
      break;
    case TContentKind::Unknown:
      break;
  }
}

void Walk(const fs::path& folder, TSortedInputs& into, const TWarn& warn) {
  std::vector<fs::directory_entry> entries;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) entries.push_back(e);
  if (ec) throw std::runtime_error("cannot read the folder " + folder.string() + ": " + ec.message());
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) {
              return NaturalCompare(a.path().filename().string(), b.path().filename().string()) < 0;
            });
  for (const fs::directory_entry& e : entries) {
    if (e.path().filename().string().starts_with(".")) continue;
    if (e.is_directory()) {
      if (!e.is_symlink()) Walk(e.path(), into, warn);  // linked folders could loop
      continue;
    }
    if (!e.is_regular_file()) continue;
    TInputFile file = Inspect(e.path());
    if (file.type.kind == TContentKind::Unknown)
      warn("skipped " + file.path + ": not a picture, sound or Flash movie");
    else
      Add(std::move(file), into, warn);
  }
}

}  // namespace

void SortInputs(const std::vector<std::string>& inputs, TSortedInputs& into, const TWarn& warn) {
  for (const std::string& input : inputs) {
    std::error_code ec;
    const fs::file_status status = fs::status(input, ec);
    if (ec || !fs::exists(status)) throw std::runtime_error("no such file or folder: " + input);
    if (fs::is_directory(status)) {
      Walk(input, into, warn);
      continue;
    }
    TInputFile file = Inspect(input);
    if (file.type.kind == TContentKind::Unknown)
      throw std::runtime_error(input + " is not a picture, sound or Flash movie that the maker knows (by its content)");
    Add(std::move(file), into, warn);
  }
}

TInputFile InputOfKind(const std::string& path, TContentKind kind, const TWarn& warn) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw std::runtime_error(path + " is a folder; give folders as inputs without an option");
  if (!fs::exists(path, ec)) throw std::runtime_error("no such file: " + path);
  TInputFile file = Inspect(path);
  if (file.type.kind == kind) {
    TSortedInputs ignored;
    Add(file, ignored, warn);  // the same warnings as for any input
    return file;
  }
  // Music and movies named as such go in whatever they hold; pictures must be pictures.
  if (kind == TContentKind::Picture)
    throw std::runtime_error(path + " is " + KindName(file.type.kind) + ", not a picture (by its content)");
  warn(path + " is " + KindName(file.type.kind) + " by its content; it goes in as " + KindName(kind) +
       (kind == TContentKind::Sound ? ", but the Windows media player plays only WAV, MP3 and MIDI" : ""));
  file.type = TContentType{kind, "unknown", {}, false};
  return file;
}

}  // namespace scr::tool
