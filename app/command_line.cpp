#include "app/command_line.h"

#include "common/int_convert.h"

namespace scr::app {

namespace {

bool SwitchIs(std::string_view arg, char letter) {
  if (arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') && arg[1] == letter) return true;
  return !arg.empty() && arg[0] == letter;
}

}  // namespace

TRunMode RunModeForSwitch(std::string_view upperFirst) {
  TRunMode mode = TRunMode::rmSaver;
  if (SwitchIs(upperFirst, 'A')) mode = TRunMode::rmChangePassword;
  if (SwitchIs(upperFirst, 'P')) mode = TRunMode::rmPreview;
  if (SwitchIs(upperFirst, 'C')) mode = TRunMode::rmSetup;
  if (upperFirst.empty()) mode = TRunMode::rmSetup;
  return mode;
}

platform::TWindowHandle WindowHandleArgument(std::string_view second) {
  return platform::HandleFromInt(StrToInt(second));
}

}  // namespace scr::app
