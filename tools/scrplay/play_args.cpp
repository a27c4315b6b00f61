#include "tools/scrplay/play_args.h"

#include <charconv>

namespace scr::play {

namespace {

// Digits only, no sign or blanks, in the given base; nothing when empty or too large.
std::optional<uint64_t> Digits(std::string_view text, int base) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::pair<int, int>> ParseWindowSize(std::string_view text) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<uint64_t> w = Digits(text.substr(0, x), 10), h = Digits(text.substr(x + 1), 10);
  if (!w || !h || *w < 1 || *h < 1 || *w > kMaxWindowSide || *h > kMaxWindowSide) return std::nullopt;
  return std::pair<int, int>(static_cast<int>(*w), static_cast<int>(*h));
}

std::optional<uintptr_t> ParseWindowId(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::optional<uint64_t> id = hex ? Digits(text.substr(2), 16) : Digits(text, 10);
  if (!id || *id == 0 || *id > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<uintptr_t>(*id);
}

TPlayArgs ParsePlayArgs(const std::vector<std::string>& args, const char* daemonWindow) {
  TPlayArgs out;
  bool root = false, preview = false, info = false;
  std::optional<uintptr_t> windowId;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      out.mode = TPlayMode::Help;
      return out;
    }
    if (a == "--version") {
      out.mode = TPlayMode::Version;
      return out;
    }
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--window") {
      if (i + 1 >= args.size()) throw EUsage("--window needs a size WxH");
      out.window = ParseWindowSize(args[++i]);
      if (!out.window) throw EUsage("--window needs a size WxH (1 to 16384 each), not \"" + args[i] + "\"");
    } else if (a == "--root" || a == "-root") {
      root = true;
    } else if (a == "--window-id" || a == "-window-id") {
      if (i + 1 >= args.size()) throw EUsage(a + " needs an X11 window id (decimal or 0x hexadecimal)");
      windowId = ParseWindowId(args[++i]);
      if (!windowId)
        throw EUsage(a + " needs an X11 window id (decimal or 0x hexadecimal), not \"" + args[i] + "\"");
    } else if (a == "--software") {
      out.software = true;
    } else if (a == "--preview") {
      preview = true;
    } else if (a == "--info") {
      info = true;
    } else if (a == "--mute") {
      out.mute = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw EUsage("unknown option " + a);
    } else if (out.saver.empty()) {
      out.saver = a;
    } else {
      throw EUsage("more than one saver file: " + out.saver + ", " + a);
    }
  }
  if (out.saver.empty()) throw EUsage("no saver file");
  if (info && (root || windowId || preview || out.window)) throw EUsage("--info goes alone (with --mute at most)");
  if ((root || windowId) && out.window) throw EUsage("--root or --window-id and --window exclude each other");
  if (info) {
    out.mode = TPlayMode::Info;
    return out;
  }
  out.mode = preview ? TPlayMode::Preview : TPlayMode::Saver;
  if (windowId) {
    out.hackWindow = windowId;
  } else if (daemonWindow && *daemonWindow) {
    out.hackWindow = ParseWindowId(daemonWindow);
    if (!out.hackWindow)
      throw EUsage("XSCREENSAVER_WINDOW holds no window id: \"" + std::string(daemonWindow) + "\"");
    out.window.reset();
  } else if (root) {
    out.hackWindow = 0;
  }
  return out;
}

}  // namespace scr::play
