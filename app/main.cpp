// The runtime executable: the entry on the system's own backend.
#include <string>
#include <vector>

#include "app/entry.h"
#include "saver/saver_form.h"
#include "setup/setup_form.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc && i < 3; ++i) arguments.emplace_back(argv[i]);
  std::unique_ptr<scr::platform::TPlatform> platform = scr::platform::CreateDefaultPlatform();
  if (!platform) return 0;
  scr::app::TEntryForms forms = scr::app::DefaultForms();
  forms.setup = scr::setup::CreateSetupForm;
  forms.saver = scr::saver::CreateSaverForm;
  return scr::app::RunEntry(*platform, arguments, forms);
}
