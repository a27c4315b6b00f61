#pragma once
// The one rule for names taken from a package that become files of their own: a name
// that passes it names a file directly inside the folder it is joined to, and can be
// created on Windows as on Linux. Bytes of 128 and above are ordinary characters.
#include <optional>
#include <string>
#include <string_view>

namespace scr {

// Why `name` is no plain file name, in words for a person ("the name holds a path"),
// or nothing when it is one. Refused: the empty name; "\", "/" and ":" (paths, drives,
// streams); control characters; < > " | ? *; names of dots and blanks alone ("." and
// ".." among them); a name ending in a dot or a space (Windows drops them, so two
// names would meet); device names (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with
// an extension); names longer than 255 bytes.
std::optional<std::string> PlainFileNameProblem(std::string_view name);

inline bool IsPlainFileName(std::string_view name) { return !PlainFileNameProblem(name).has_value(); }

}  // namespace scr
