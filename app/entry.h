#pragma once
// The runtime's entry: the mode switch decides between password change, preview, the
// setup dialog and the saver; everything runs under one catch-all that ends the run
// silently.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scr::app {

// The main form of a mode: its window is shown and the message loop runs until the
// window is destroyed. The form lives until the loop has ended.
class TMainForm {
 public:
  virtual ~TMainForm() = default;
  virtual platform::IWindow& Window() = 0;
};

using TFormFactory = std::function<std::unique_ptr<TMainForm>(platform::TPlatform&)>;

// The forms of setup and saver mode.
struct TEntryForms {
  TFormFactory setup;
  TFormFactory saver;
};

// The forms this program has now: see plain_forms.h.
TEntryForms DefaultForms();

// Runs the entry for the command-line arguments (without the program's own name;
// only the first two count) and returns the process exit code: 0, unless a part of
// the run set another one (the hook library that did not load sets -1), also when an
// error ended the run.
int RunEntry(platform::TPlatform& platform, const std::vector<std::string>& arguments,
             const TEntryForms& forms = DefaultForms());

// The single-instance lock's name for an executable path: its file name, extension
// and letter case unchanged, followed by "Semaphore".
std::string InstanceSemaphoreName(const std::string& executablePath);

}  // namespace scr::app
