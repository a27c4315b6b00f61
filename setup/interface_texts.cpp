#include "setup/interface_texts.h"

#include "setup/setup_paths.h"

namespace scr::setup {

namespace {

constexpr const char* kFlashQuestion = "Please install the Macromedia Flash Player ActiveX control.";

constexpr TInterfaceTextEntry kEntries[] = {
    {"Title", "Title:", "Title:"},
    {"Author", "Author:", "Author:"},
    {"Email", "Email:", "Email:"},
    {"Web", "Web address:", "Web address:"},
    {"btnOK", "OK", "&Ok"},
    {"MuteMusic", "Mute music", "Mute music"},
    {"DownloadSWF", kFlashQuestion, kFlashQuestion},
};

}  // namespace

const TInterfaceTextEntry& InterfaceTextEntry(TInterfaceText id) { return kEntries[static_cast<int>(id)]; }

std::string LanguageFilePath(std::string_view executablePath) {
  return ExtractFilePath(executablePath) + kLanguageFileName;
}

TLanguageFile::TLanguageFile(platform::IProfile& profile, std::string path)
    : profile_(profile), path_(std::move(path)), exists_(profile_.FileExists(path_)) {}

TLanguageFile TLanguageFile::OfExecutable(platform::TPlatform& platform) {
  return TLanguageFile(platform.Profile(), LanguageFilePath(platform.System().ExecutablePath()));
}

std::optional<std::string> TLanguageFile::Replacement(TInterfaceText id) const {
  if (!exists_) return std::nullopt;
  const TInterfaceTextEntry& entry = InterfaceTextEntry(id);
  return profile_.ReadString(path_, kLanguageSection, entry.key, entry.whenKeyMissing);
}

std::string TLanguageFile::Text(TInterfaceText id) const {
  std::optional<std::string> text = Replacement(id);
  return text ? *text : InterfaceTextEntry(id).builtIn;
}

std::string DownloadSwfQuestion(platform::TPlatform& platform) {
  return TLanguageFile::OfExecutable(platform).Text(TInterfaceText::itDownloadSWF);
}

}  // namespace scr::setup
