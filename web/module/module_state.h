#pragma once
// What the module keeps between the page's calls: the in-memory file store, the file
// being handed over, the last text and picture returned.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/web/web_files.h"

namespace scr::web {

struct TModuleState {
  platform::web::TWebFiles files;
  std::vector<uint8_t> incoming;
  std::string text;
  std::vector<uint8_t> picture;
};

TModuleState& State();

}  // namespace scr::web
