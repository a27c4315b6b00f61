// scrtool: makes, inspects and renders savers. `scrtool COMMAND ...`; see --help.
#include <cstdio>
#include <exception>

#include "tools/scrtool/command.h"

namespace scr::tool {

namespace {
std::vector<TCommand>& Registry() {
  static std::vector<TCommand> commands;
  return commands;
}
}  // namespace

void RegisterCommand(TCommand command) { Registry().push_back(std::move(command)); }
const std::vector<TCommand>& Commands() { return Registry(); }

}  // namespace scr::tool

int main(int argc, char** argv) {
  using namespace scr::tool;
  const std::string name = argc > 1 ? argv[1] : "";
  if (name.empty() || name == "--help" || name == "-h" || name == "help") {
    std::printf("usage: scrtool COMMAND [ARGS...]\n\ncommands:\n");
    for (const TCommand& c : Commands()) std::printf("  %-10s %s\n", c.name.c_str(), c.summary.c_str());
    return name.empty() ? 2 : 0;
  }
  for (const TCommand& c : Commands()) {
    if (c.name != name) continue;
    try {
      return c.run(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "scrtool %s: %s\n", name.c_str(), e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "scrtool: unknown command '%s' (see scrtool --help)\n", name.c_str());
  return 2;
}
