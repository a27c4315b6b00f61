#pragma once
// Wrong usage found after parsing (a value of the wrong form, a missing input): the
// tools report it like a parse error, with exit status 2. Kept apart from the command
// parser so the settings code builds for the web page too.
#include <stdexcept>

namespace scr::tool {

class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace scr::tool
