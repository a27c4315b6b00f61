#pragma once
// The files `make` is given, sorted into pictures, sounds and movies by their content:
// folders are walked recursively in natural name order (IMG_9 before IMG_10, letter
// case folded), hidden files and folders skipped.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/scrtool/content_kind.h"

namespace scr::tool {

struct TInputFile {
  std::string path;
  std::string name;  // the file's own name, as the package lists it
  TContentType type;
  uint64_t size = 0;
  bool namedByHand = false;  // the name was given (a manifest's name = "..."), not the file's own
};

struct TSortedInputs {
  std::vector<TInputFile> pictures, sounds, movies;
};

using TWarn = std::function<void(const std::string&)>;

// Sorts files and folders by content. A named file that is none of the three kinds
// raises std::runtime_error; such a file found in a folder is skipped with a warning,
// as is a sound in a format the Windows media player does not play (it still goes in).
void SortInputs(const std::vector<std::string>& inputs, TSortedInputs& into, const TWarn& warn);

// A named file of a known kind (for --picture, --sound and --movie); raises
// std::runtime_error naming the file when its content is another kind.
TInputFile InputOfKind(const std::string& path, TContentKind kind, const TWarn& warn);

}  // namespace scr::tool
