// scrtool: makes, inspects, checks, extracts and renders savers. `scrtool COMMAND ...`;
// `scrtool help COMMAND` or `scrtool COMMAND --help` shows a command's options.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/scrtool/command.h"

namespace scr::tool {

namespace {
std::vector<TCommand>& Registry() {
  static std::vector<TCommand> commands;
  return commands;
}

const TCommand* FindCommand(const std::string& name) {
  for (const TCommand& c : Commands())
    if (c.name == name) return &c;
  return nullptr;
}

int RunOne(const TCommand& c, const std::vector<std::string>& args) {
  try {
    return c.run(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scrtool %s: %s\n", c.name.c_str(), e.what());
    return 1;
  }
}

void PrintOverview(std::FILE* out) {
  std::fprintf(out,
               "usage: scrtool COMMAND [ARGS...]\n"
               "       scrtool help COMMAND | scrtool COMMAND --help | scrtool --version\n\ncommands:\n");
  for (const TCommand& c : Commands()) std::fprintf(out, "  %-10s %s\n", c.name.c_str(), c.summary.c_str());
  std::fprintf(out, "\nExample: scrtool make -o holiday.scr ~/Pictures/holiday\n");
}
}  // namespace

void RegisterCommand(TCommand command) { Registry().push_back(std::move(command)); }
const std::vector<TCommand>& Commands() { return Registry(); }

}  // namespace scr::tool

int main(int argc, char** argv) {
  using namespace scr::tool;
  const std::string name = argc > 1 ? argv[1] : "";
  if (name == "--version" || name == "-V") {
    std::printf("scrtool %s\n", SCR_VERSION);
    return 0;
  }
  if (name.empty()) {
    PrintOverview(stderr);
    return 2;
  }
  if (name == "--help" || name == "-h" || (name == "help" && argc == 2)) {
    PrintOverview(stdout);
    return 0;
  }
  if (name == "help") {
    const TCommand* c = FindCommand(argv[2]);
    if (c == nullptr) {
      std::fprintf(stderr, "scrtool: unknown command '%s' (see scrtool --help)\n", argv[2]);
      return 2;
    }
    return RunOne(*c, {"--help"});
  }
  if (const TCommand* c = FindCommand(name)) return RunOne(*c, std::vector<std::string>(argv + 2, argv + argc));
  std::fprintf(stderr, "scrtool: unknown command '%s' (see scrtool --help)\n", name.c_str());
  return 2;
}
