#include "app/plain_forms.h"

#include "app/extract.h"
#include "package/package_reader.h"
#include "package/settings.h"

namespace scr::app {

namespace {

class TPlainSetupForm : public TMainForm, public platform::IWindowEvents {
 public:
  explicit TPlainSetupForm(platform::TPlatform& p) {
    platform::TWindowSpec desc;
    desc.caption = "Setup";
    desc.bounds = TRect{100, 100, 100 + 380, 100 + 260};
    desc.color = 0xC0C0C0;
    window_ = p.Windowing().CreateTopWindow(desc, this);
  }
  platform::IWindow& Window() override { return *window_; }

 private:
  std::unique_ptr<platform::IWindow> window_;
};

class TPlainSaverForm : public TMainForm, public platform::IWindowEvents {
 public:
  explicit TPlainSaverForm(platform::TPlatform& p) : p_(p) {
    platform::TWindowSpec desc;
    desc.caption = "Saver";
    desc.bounds = TRect{0, 0, 320, 240};
    desc.color = 0;
    desc.borderless = true;
    window_ = p.Windowing().CreateTopWindow(desc, this);
  }
  platform::IWindow& Window() override { return *window_; }

  void Activated() override {
    if (!initializing_) return;
    initializing_ = false;
    std::unique_ptr<TStream> file = p_.Files().OpenRead(p_.System().ExecutablePath());
    try {
      if (!ReadSettingsInto(*file, settings_, p_.System().AnsiDecoder())) return;  // no trailer: nothing more to do
    } catch (const Exception&) {
      p_.Application().Terminate();
      return;
    }
    ExtractMediaFiles(p_, *file, settings_);
    ExtractHookLibrary(p_, *file, settings_);
  }

  bool UserMessage(uint32_t message, uintptr_t, intptr_t) override {
    if (message != kStopShowMessage) return false;
    window_->Close();
    return true;
  }

  void Destroyed() override { DeleteExtractedSounds(p_, settings_); }

 private:
  platform::TPlatform& p_;
  std::unique_ptr<platform::IWindow> window_;
  TSSFileLocations settings_;
  bool initializing_ = true;
};

}  // namespace

std::unique_ptr<TMainForm> CreatePlainSetupForm(platform::TPlatform& p) {
  return std::make_unique<TPlainSetupForm>(p);
}

std::unique_ptr<TMainForm> CreatePlainSaverForm(platform::TPlatform& p) {
  return std::make_unique<TPlainSaverForm>(p);
}

TEntryForms DefaultForms() { return TEntryForms{CreatePlainSetupForm, CreatePlainSaverForm}; }

}  // namespace scr::app
