#pragma once
// The setup dialog (frmSetup): the main window of setup mode. It shows the saver's
// title, author, e-mail and web address from the package's settings record, and the
// user's mute choice, which OK stores beside the executable when it was changed.
#include <memory>

#include "app/entry.h"
#include "platform/platform.h"

namespace scr::setup {

class TfrmSetup : public app::TMainForm {
 public:
  // Creates the dialog (hidden) and runs FormCreate.
  explicit TfrmSetup(platform::TPlatform& platform);
  ~TfrmSetup() override;

  platform::IWindow& Window() override { return *form_; }
  platform::IForm& Form() { return *form_; }
  bool MuteChanged() const { return muteChanged_; }

 private:
  // Applies the language file's texts to the labels, the check box and the button.
  void FormCreate();
  // Reads the saver's information and the stored mute choice.
  void FormShow();
  void cbMuteClick() { muteChanged_ = true; }
  void OKButtonClick();
  void lblEmailClick();
  void lblWebClick();
  void lblEmailMouseEnter();
  void lblEmailMouseLeave();
  // Sets the check box the way a program sets it: a change of state runs cbMuteClick.
  void SetMuteChecked(bool checked);

  platform::TPlatform& p_;
  std::unique_ptr<platform::IForm> form_;
  bool muteChanged_ = false;
};

// The factory for the entry's setup mode.
std::unique_ptr<app::TMainForm> CreateSetupForm(platform::TPlatform& platform);

// The address the web link opens: the text itself when its lower-case form contains
// "http://" anywhere, else "http://" in front of it (also before another scheme).
std::string WebLinkTarget(std::string_view text);

}  // namespace scr::setup
