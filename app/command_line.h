#pragma once
// The mode switch on the command line and the window handle that follows it.
#include <string_view>

#include "app/globals.h"
#include "platform/types.h"

namespace scr::app {

// The run mode for an upper-cased first argument. Only its beginning counts: "/A",
// "-A" or a first character "A" asks for a password change, likewise P for preview
// and C for setup; an empty argument is setup too; anything else runs the saver. The
// tests run in the order A, P, C, empty, each matching one assigning its mode.
TRunMode RunModeForSwitch(std::string_view upperFirst);

// The second argument as a window handle: optional leading blanks, an optional sign,
// decimal digits or hexadecimal after "$", "x", "X", "0x" or "0X". Anything else
// (also an empty or missing argument) raises EConvertError.
platform::TWindowHandle WindowHandleArgument(std::string_view second);

}  // namespace scr::app
