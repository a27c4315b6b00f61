#pragma once
// The player's command line: scrplay SAVER [--window WxH] [--root] [--window-id ID]
// [--preview] [--info] [--mute] [--software], --help, --version, and the window the
// screen saver daemon names in XSCREENSAVER_WINDOW. The daemons' own spellings with
// one dash (-root, -window-id ID) are taken too.
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
    "usage: scrplay SAVER [--window WxH] [--mute] [--software]  play full screen or in a window\n"
    "       scrplay SAVER --root [--mute]            draw into the root window or $XSCREENSAVER_WINDOW\n"
    "       scrplay SAVER --window-id ID [--mute]    draw into the X11 window ID (decimal or 0x hex)\n"
    "       scrplay SAVER --preview [--window WxH]   show the preview picture\n"
    "       scrplay SAVER --info [--mute]            print the saver's details\n"
    "       scrplay --help | --version\n";

inline constexpr const char* kHelpDetails =
    "\n"
    "options:\n"
    "  --window WxH       an ordinary window of that client size instead of full screen\n"
    "  --root, -root      hack mode: draw into $XSCREENSAVER_WINDOW, or the root window\n"
    "  --window-id ID, -window-id ID\n"
    "                     hack mode: draw into the X11 window ID (decimal or 0x hexadecimal)\n"
    "  --preview          the saver's still preview picture\n"
    "  --info             the saver's pictures, music, effects and settings\n"
    "  --mute             no music, whatever the saver or CONTROL.INI says\n"
    "  --software         SDL's software renderer (as SDL_RENDER_DRIVER=software does)\n"
    "  --help, --version\n"
    "\n"
    "examples:\n"
    "  scrplay holiday.scr                      full screen; a key, a click or a move ends it\n"
    "  scrplay holiday.scr --window 1280x720    in a window\n"
    "  scrplay holiday.scr --root               as a hack (the line for ~/.xscreensaver)\n"
    "  scrplay holiday.scr -window-id 0x600008  into a window made by another program\n"
    "  scrplay holiday.scr --info\n"
    "\n"
    "exit status: 0 after a run, 1 for a saver that cannot be played or no display,\n"
    "2 for wrong usage, 3 for a movie saver in hack mode.\n";

enum class TPlayMode : uint8_t { Saver, Preview, Info, Help, Version };

struct TPlayArgs {
  std::string saver;
  TPlayMode mode = TPlayMode::Saver;
  // An ordinary window of this client size; none: full screen.
  std::optional<std::pair<int, int>> window;
  // Hack mode: the X11 window to draw into, 0 for the root window.
  std::optional<uintptr_t> hackWindow;
  bool mute = false;
  // SDL's software renderer, not the one SDL would choose.
  bool software = false;
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
// --info and a window named by --window-id. --help and --version need no saver and
// win over everything else. Raises EUsage.
TPlayArgs ParsePlayArgs(const std::vector<std::string>& args, const char* daemonWindow);

}  // namespace scr::play
