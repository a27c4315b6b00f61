#pragma once
// What every scrtool command shares: argument parsing through CLI11 with the same
// --help layout (a description, the options, real examples), and one rule for exit
// status: 0 success, 1 the work failed, 2 the command was used wrongly.
#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/scrtool/usage_error.h"

namespace scr::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A command's parser: "scrtool NAME", its description and examples for --help.
std::unique_ptr<CLI::App> NewCommandApp(const std::string& name, const std::string& description,
                                        const std::vector<std::string>& examples);

// Parses `args` into `app` and runs `work`: --help prints the help and gives 0, parse
// errors and EUsage print the message with a pointer to --help and give 2, any other
// exception prints "scrtool NAME: message" and gives 1.
int RunCommand(CLI::App& app, const std::vector<std::string>& args, const std::function<int()>& work);

// "scrtool NAME: warning: text" on stderr.
void Warn(const std::string& command, const std::string& text);

}  // namespace scr::tool
