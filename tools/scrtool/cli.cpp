#include "tools/scrtool/cli.h"

#include <algorithm>
#include <cstdio>

namespace scr::tool {

namespace {

// CLI11's formatter with a wider option column, so the long option forms stay on one line.
std::shared_ptr<CLI::Formatter> Formatter() {
  auto f = std::make_shared<CLI::Formatter>();
  f->column_width(34);
  return f;
}

std::string CommandName(const CLI::App& app) { return app.get_name(); }

}  // namespace

std::unique_ptr<CLI::App> NewCommandApp(const std::string& name, const std::string& description,
                                        const std::vector<std::string>& examples) {
  auto app = std::make_unique<CLI::App>(description + "\n", "scrtool " + name);
  app->formatter(Formatter());
  std::string footer = "\nExamples:\n";
  for (const std::string& e : examples) footer += "  " + e + "\n";
  app->footer(footer);
  return app;
}

int RunCommand(CLI::App& app, const std::vector<std::string>& args, const std::function<int()>& work) {
  const std::string name = CommandName(app);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the options and examples.\n", name.c_str(), e.what(),
                 name.c_str());
    return kExitUsage;
  }
  try {
    return work();
  } catch (const EUsage& e) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the options and examples.\n", name.c_str(), e.what(),
                 name.c_str());
    return kExitUsage;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), e.what());
    return kExitFailure;
  }
}

void Warn(const std::string& command, const std::string& text) {
  std::fprintf(stderr, "scrtool %s: warning: %s\n", command.c_str(), text.c_str());
}

}  // namespace scr::tool
