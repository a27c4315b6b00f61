#pragma once
// The player's command line: scrplay SAVER [--window WxH] [--root] [--preview]
// [--info] [--mute], and the window the screen saver daemon names in
// XSCREENSAVER_WINDOW.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scr::play {

// Wrong usage: the text says what is wrong; the program prints it with the usage and
// exits with status 2.
class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kUsage =
    "usage: scrplay SAVER [--window WxH] [--mute]   play full screen or in a window\n"
    "       scrplay SAVER --root [--mute]           draw into the root window or $XSCREENSAVER_WINDOW\n"
    "       scrplay SAVER --preview [--window WxH]  show the preview picture\n"
    "       scrplay SAVER --info [--mute]           print the saver's details\n";

enum class TPlayMode : uint8_t { Saver, Preview, Info };

struct TPlayArgs {
  std::string saver;
  TPlayMode mode = TPlayMode::Saver;
  // An ordinary window of this client size; none: full screen.
  std::optional<std::pair<int, int>> window;
  // Hack mode: the X11 window to draw into, 0 for the root window.
  std::optional<uintptr_t> hackWindow;
  bool mute = false;
};

// The largest side a window may ask for.
inline constexpr int kMaxWindowSide = 16384;

// "WxH" with both sides from 1 to kMaxWindowSide; nothing otherwise.
std::optional<std::pair<int, int>> ParseWindowSize(std::string_view text);
// A window id as decimal or 0x-hexadecimal digits, above 0 and within 32 bits;
// nothing otherwise.
std::optional<uintptr_t> ParseWindowId(std::string_view text);

// The arguments (without the program's name) and XSCREENSAVER_WINDOW's value (null
// when unset). A daemon's window makes hack mode whatever else is asked for, except
// --info. Raises EUsage.
TPlayArgs ParsePlayArgs(const std::vector<std::string>& args, const char* daemonWindow);

}  // namespace scr::play
