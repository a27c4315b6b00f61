#pragma once
// The files the runtime keeps beside its executable.
#include <string>
#include <string_view>

namespace scr::setup {

// The folder part of a path, up to and including its last "\", "/" or ":" (empty when
// there is none), so a file name can follow it directly.
inline std::string ExtractFilePath(std::string_view path) {
  const size_t cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1));
}

}  // namespace scr::setup
