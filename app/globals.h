#pragma once
// The program-wide state of the runtime: the run mode, written once by the entry and
// read by the saver window, and the two upper-cased command-line arguments.
#include <cstdint>
#include <string>

namespace scr::app {

enum class TRunMode : uint8_t {
  rmChangePassword = 0,
  rmPreview = 1,
  rmSetup = 2,
  rmSaver = 3,
};

// rmSaver until the entry has looked at the command line.
extern TRunMode RunMode;
// The first and second command-line arguments, upper-cased (ASCII letters only).
extern std::string FirstArgument;
extern std::string SecondArgument;

// Back to the values at load (for tests that run the entry more than once).
void ResetProgramState();

}  // namespace scr::app
