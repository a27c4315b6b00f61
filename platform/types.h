#pragma once
// Handles that cross the platform interface. A window handle is an integer: the
// command line carries it as integer text, and a backend maps it to its own windows.
#include <cstdint>

namespace scr::platform {

using TWindowHandle = uintptr_t;

// The command line's 32-bit signed handle text as a handle (sign-extended the way a
// 32-bit program takes it: -1 becomes 0xFFFFFFFF).
inline TWindowHandle HandleFromInt(int32_t value) {
  return static_cast<TWindowHandle>(static_cast<uint32_t>(value));
}

}  // namespace scr::platform
