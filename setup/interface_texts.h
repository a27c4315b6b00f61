#pragma once
// The texts the user sees, replaceable through the language file "nuvscr.ini" beside
// the executable (section "Language"). Without the file the built-in texts show; with
// it, each key's value replaces its text, and a missing key gives the text written
// for that case (which for the OK button differs from the built-in one). A file that
// cannot be read counts as present with every key missing.
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace scr::setup {

inline constexpr const char* kLanguageFileName = "nuvscr.ini";
inline constexpr const char* kLanguageSection = "Language";

enum class TInterfaceText { itTitle, itAuthor, itEmail, itWeb, itBtnOK, itMuteMusic, itDownloadSWF };

struct TInterfaceTextEntry {
  const char* key;
  const char* whenKeyMissing;  // the file exists, the key does not
  const char* builtIn;         // there is no file
};

const TInterfaceTextEntry& InterfaceTextEntry(TInterfaceText id);

// The folder of the executable (ending in "\") followed directly by "nuvscr.ini".
std::string LanguageFilePath(std::string_view executablePath);

class TLanguageFile {
 public:
  // Looks once whether the file exists.
  TLanguageFile(platform::IProfile& profile, std::string path);
  // The language file beside the running executable.
  static TLanguageFile OfExecutable(platform::TPlatform& platform);

  bool Exists() const { return exists_; }
  const std::string& Path() const { return path_; }
  // The file's text for id (its value, or the missing-key text); nothing without a file.
  std::optional<std::string> Replacement(TInterfaceText id) const;
  // What the user sees: the replacement, or the built-in text without a file.
  std::string Text(TInterfaceText id) const;

 private:
  platform::IProfile& profile_;
  std::string path_;
  bool exists_;
};

// The question asked when the movie control cannot be created.
std::string DownloadSwfQuestion(platform::TPlatform& platform);

}  // namespace scr::setup
