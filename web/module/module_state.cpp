#include "web/module/module_state.h"

namespace scr::web {

TModuleState& State() {
  static TModuleState state;
  return state;
}

}  // namespace scr::web
