#pragma once
// The Windows headers, for this backend's own files only.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace scr::platform::win32 {

// The system's text for an error number, trailing blanks, line breaks and full stops
// removed.
std::string SystemErrorText(DWORD code);

inline HWND ToHwnd(uintptr_t h) { return reinterpret_cast<HWND>(h); }
inline uintptr_t FromHwnd(HWND h) { return reinterpret_cast<uintptr_t>(h); }

}  // namespace scr::platform::win32
