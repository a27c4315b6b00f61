// INI text as the language file "nuvscr.ini" and as the stored mute choice
// "CONTROL.INI": every interface text is read from it through the profile the Linux
// backends use, and a choice written into it must read back as written, whatever
// else the file holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/call_log.h"
#include "platform/headless/headless_profile.h"
#include "platform/headless/headless_system.h"
#include "platform/headless/memory_files.h"
#include "setup/interface_texts.h"
#include "setup/mute_setting.h"

namespace {

constexpr const char* kFolder = "C:\\saver";
constexpr const char* kLanguageFile = "C:\\saver\\nuvscr.ini";
constexpr const char* kControlIni = "C:\\saver\\CONTROL.INI";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scr;
  using namespace scr::platform::headless;
  TCallLog log;
  THeadlessSystem system(log);
  TMemoryFileSystem files(log, system);
  files.AddDirectory(kFolder);
  files.SetFile(kLanguageFile, std::vector<uint8_t>(data, data + size));
  files.SetFile(kControlIni, std::vector<uint8_t>(data, data + size));
  THeadlessProfile profile(log, files);

  const setup::TLanguageFile language(profile, kLanguageFile);
  for (int id = 0; id <= static_cast<int>(setup::TInterfaceText::itDownloadSWF); ++id) {
    const std::string text = language.Text(static_cast<setup::TInterfaceText>(id));
    // The buffer bounds the characters read; as UTF-8 a Windows-1252 character takes
    // up to three bytes.
    if (text.size() >= 3 * platform::kProfileStringBuffer) __builtin_trap();
  }

  for (const char* value : {"1", "0"}) {
    if (!profile.WriteString(kControlIni, setup::kMuteSection, setup::kMuteKey, value)) __builtin_trap();
    if (profile.ReadString(kControlIni, setup::kMuteSection, setup::kMuteKey, "none") != value) __builtin_trap();
  }
  return 0;
}
