#pragma once
// The names music and movies are stored under. The runtime writes each to a file of
// that name when the saver starts, on any Windows whatever its code page, so the maker
// stores plain ASCII names, unique within the saver: letters with accents lose them
// (é to e, ł to l, ß to ss), every other character a file name could not hold becomes
// '_', and a number keeps two names apart ("song-2.mp3").
#include <set>
#include <string>
#include <string_view>

namespace scr::tool {

// A plain ASCII file name for a name given as UTF-8 (a file's own name, or the name a
// manifest asks for).
std::string PlainAsciiName(std::string_view utf8);

// Gives out names that are plain ASCII and unique (without regard to letter case, as
// Windows compares them).
class TItemNamer {
 public:
  std::string Name(std::string_view wanted);

 private:
  std::set<std::string> taken_;  // lower-cased
};

}  // namespace scr::tool
