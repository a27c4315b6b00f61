#pragma once
// The options of `scrtool make`, in one place: declared on the command's parser, and
// laid over a job in one order. What is typed on the command line wins over the
// manifest, and the manifest over the defaults. A new option is declared in Declare
// and applied in Apply, nowhere else.
#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/scrtool/saver_maker.h"

namespace scr::tool {

class TMakeOptions {
 public:
  void Declare(CLI::App& app);

  const std::string& Manifest() const { return manifest_; }
  bool DryRun() const { return dryRun_; }

  // The job: the manifest's (when one is given) with the typed options over it.
  // Refused values raise EUsage (exit status 2).
  TMakeJob Job() const;

 private:
  void Apply(TMakeJob& job) const;
  bool Given(const char* option) const { return app_ != nullptr && app_->count(option) > 0; }

  CLI::App* app_ = nullptr;
  TMakeJob typed_;  // output, runtime, hook, preview, inputs as typed
  std::string manifest_;
  std::vector<std::string> pictures_, sounds_, movies_, sets_;
  std::string maxSize_, effects_, interval_, descriptions_, order_, monitors_, captions_, dateFormat_;
  // The show's presentation: each option and its opposite.
  std::string fill_, panZoom_;
  bool pairOn_ = false, pairOff_ = false, noRepeat_ = false, repeat_ = false, captionScaled_ = false,
       captionFixed_ = false;
  std::vector<std::pair<std::string, std::string>> texts_ = {
      {"Title", ""}, {"Author", ""}, {"Email", ""}, {"Web", ""}, {"Text", ""}};
  int quality_ = 0;
  bool flash_ = false, keepOriginals_ = false, noHook_ = false, skipBad_ = false, dryRun_ = false;
};

}  // namespace scr::tool
