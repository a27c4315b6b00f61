#pragma once
// A headless world with a saver file at C:\SAVERS\TEST.SCR made by the package
// builder, and the setup dialog opened on it.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "package/package_builder.h"
#include "platform/headless/headless_platform.h"
#include "setup/setup_design.h"
#include "setup/setup_form.h"

namespace scr::setup::test {

inline constexpr const char* kSaverPath = "C:\\SAVERS\\TEST.SCR";
inline constexpr const char* kIniPath = "C:\\SAVERS\\CONTROL.INI";
inline constexpr const char* kLanguagePath = "C:\\SAVERS\\nuvscr.ini";

inline std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

class SetupTest : public ::testing::Test {
 protected:
  SetupTest() {
    TSSFileLocations& s = builder_.Settings();
    s.SetTitle("Lake Views");
    s.SetAuthor("Ann Author");
    s.SetEmail("ann@example.invalid");
    s.SetWeb("www.example.invalid/lake");
  }

  // The builder's saver file, installed as the running executable.
  TBuiltPackage InstallSaver() {
    std::vector<uint8_t> runtime(4096, 0x90);
    runtime[0] = 'M';
    runtime[1] = 'Z';
    builder_.SetRuntime(runtime);
    TBuiltPackage built = builder_.Build();
    p_.Files().SetFile(kSaverPath, built.bytes);
    return built;
  }
  void SetLanguageFile(std::string_view text) { p_.Files().SetFile(kLanguagePath, Bytes(text)); }
  void SetIni(std::string_view text) { p_.Files().SetFile(kIniPath, Bytes(text)); }
  std::string Ini() {
    const auto bytes = p_.Files().File(kIniPath);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
  }

  // Creates the dialog and shows it, as the entry does.
  platform::headless::THeadlessForm& Open() {
    dialog_ = std::make_unique<TfrmSetup>(p_);
    dialog_->Window().Show();
    return Model();
  }
  platform::headless::THeadlessForm& Model() { return *p_.Forms().Find(dialog_->Window().Handle()); }

  // Every named control's text, and the caption under "caption".
  std::map<std::string, std::string> Texts() {
    std::map<std::string, std::string> out;
    out["caption"] = dialog_->Form().Caption();
    for (const platform::TControlSpec& c : Model().Desc().controls)
      if (!c.name.empty()) out[c.name] = c.text;
    return out;
  }
  std::map<std::string, std::string> Expected(std::string caption, std::string title, std::string author,
                                              std::string email, std::string web, std::string mute,
                                              std::string ok) {
    return {{"caption", caption}, {klblTitle, title}, {klblAuthor, author}, {klblEmail, email},
            {klblWeb, web},       {kcbMute, mute},    {kOKButton, ok},      {kPanel1, ""},
            {kPanel2, ""}};
  }
  std::vector<std::string> Errors() { return p_.Log().Only({"ShowException"}); }

  TPackageBuilder builder_;
  platform::headless::THeadlessPlatform p_;
  std::unique_ptr<TfrmSetup> dialog_;
};

}  // namespace scr::setup::test
