#include "app/globals.h"

namespace scr::app {

TRunMode RunMode = TRunMode::rmSaver;
std::string FirstArgument;
std::string SecondArgument;

void ResetProgramState() {
  RunMode = TRunMode::rmSaver;
  FirstArgument.clear();
  SecondArgument.clear();
}

}  // namespace scr::app
