#pragma once
// CLI11 inside a subcommand's run: the words after the subcommand name parsed, help
// printed (exit 0) and wrong usage reported (exit 2) the same way for each command.
#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace scr::tool {

// Parses args; an exit code when the command should end now (help or wrong usage).
inline std::optional<int> ParseCommandLine(CLI::App& app, const std::vector<std::string>& args) {
  std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& e) {
    app.exit(e);
    return 0;
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  return std::nullopt;
}

struct TFrameSize {
  int width = 0, height = 0;
};

// "WxH" with each side in [minSide, maxSide]; nothing for anything else.
inline std::optional<TFrameSize> ParseFrameSize(const std::string& text, int minSide, int maxSide) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos || x == 0 || x + 1 == text.size()) return std::nullopt;
  TFrameSize size;
  for (auto [part, side] : {std::pair{text.substr(0, x), &size.width}, std::pair{text.substr(x + 1), &size.height}}) {
    if (part.size() > 5 || part.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    *side = std::stoi(part);
    if (*side < minSide || *side > maxSide) return std::nullopt;
  }
  return size;
}

}  // namespace scr::tool
