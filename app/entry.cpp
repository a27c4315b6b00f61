#include "app/entry.h"

#include "app/command_line.h"
#include "app/globals.h"
#include "app/password.h"
#include "app/paths.h"
#include "app/preview.h"
#include "common/ascii.h"

namespace scr::app {

namespace {

void RunSteps(platform::TPlatform& p, const std::vector<std::string>& arguments, const TEntryForms& forms) {
  FirstArgument = AsciiUpperCase(arguments.size() > 0 ? arguments[0] : std::string());
  SecondArgument = AsciiUpperCase(arguments.size() > 1 ? arguments[1] : std::string());
  RunMode = RunModeForSwitch(FirstArgument);

  if (RunMode == TRunMode::rmChangePassword) {
    ChangePassword(p, SecondArgument);
    return;
  }

  // The lock: a second instance of the same saver file ends here. Without a handle
  // (creation failed) the run goes on unlocked.
  platform::TSemaphoreResult lock =
      p.System().CreateNamedSemaphore(InstanceSemaphoreName(p.System().ExecutablePath()), 0, 1);
  if (lock.handle && lock.alreadyExisted) {
    lock.handle->Close();
    return;
  }

  p.Application().Initialize();
  p.Application().ProcessMessages();

  if (RunMode == TRunMode::rmPreview) {
    RunPreview(p, SecondArgument);
  } else {
    const TFormFactory& make = RunMode == TRunMode::rmSetup ? forms.setup : forms.saver;
    if (make) {
      std::unique_ptr<TMainForm> form = make(p);
      if (form) {
        form->Window().Show();
        p.Application().Run(form->Window());
      }
    }
  }
  if (lock.handle) lock.handle->Close();
}

}  // namespace

std::string InstanceSemaphoreName(const std::string& executablePath) {
  return ExtractFileName(executablePath) + "Semaphore";
}

int RunEntry(platform::TPlatform& p, const std::vector<std::string>& arguments, const TEntryForms& forms) {
  try {
    RunSteps(p, arguments, forms);
  } catch (...) {
    // Every error on the way ends the run quietly; the objects on the way out (files,
    // device context, the lock) have released themselves.
  }
  return p.Hooks().ProcessExitCode();
}

}  // namespace scr::app
