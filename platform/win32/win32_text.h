#pragma once
// Text at this backend's edge: the program's strings are UTF-8; the system takes and
// gives UTF-16 through its wide functions, and single-byte text in its ANSI code page.
#include <string>
#include <string_view>

namespace scr::platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The system's ANSI code page to UTF-8 and back (characters the code page lacks
// become its default character).
std::string AnsiCodePageToUtf8(std::string_view ansi);
std::string Utf8ToAnsiCodePage(std::string_view utf8);

}  // namespace scr::platform::win32
