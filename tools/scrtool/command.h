#pragma once
// scrtool's subcommands register themselves here; each lives in a cmd_*.cpp of its own.
#include <functional>
#include <string>
#include <vector>

namespace scr::tool {

using TCommandMain = std::function<int(const std::vector<std::string>& args)>;

struct TCommand {
  std::string name;
  std::string summary;  // one line for `scrtool --help`
  TCommandMain run;     // args exclude "scrtool" and the subcommand name
};

// Registers a subcommand; used through a static TRegisterCommand in its file.
void RegisterCommand(TCommand command);
const std::vector<TCommand>& Commands();

struct TRegisterCommand {
  explicit TRegisterCommand(TCommand command) { RegisterCommand(std::move(command)); }
};

}  // namespace scr::tool
