#include "setup/setup_form.h"

#include <stdexcept>

#include "common/ascii.h"
#include "package/package_reader.h"
#include "setup/interface_texts.h"
#include "setup/mute_setting.h"
#include "setup/setup_design.h"

namespace scr::setup {

std::string WebLinkTarget(std::string_view text) {
  if (AsciiLowerCase(text).find("http://") != std::string::npos) return std::string(text);
  return "http://" + std::string(text);
}

TfrmSetup::TfrmSetup(platform::TPlatform& p) : p_(p) {
  TSetupHandlers h;
  h.FormShow = [this] { FormShow(); };
  h.cbMuteClick = [this] { cbMuteClick(); };
  h.OKButtonClick = [this] { OKButtonClick(); };
  h.lblEmailClick = [this] { lblEmailClick(); };
  h.lblWebClick = [this] { lblWebClick(); };
  h.lblEmailMouseEnter = [this] { lblEmailMouseEnter(); };
  h.lblEmailMouseLeave = [this] { lblEmailMouseLeave(); };
  form_ = p_.Forms().CreateForm(SetupFormDesign(h), nullptr);
  if (!form_) throw std::runtime_error("the setup dialog could not be created");
  FormCreate();
}

TfrmSetup::~TfrmSetup() = default;

void TfrmSetup::FormCreate() {
  muteChanged_ = false;
  const TLanguageFile language = TLanguageFile::OfExecutable(p_);
  if (!language.Exists()) return;  // the design texts stay
  const std::pair<TInterfaceText, const char*> targets[] = {
      {TInterfaceText::itTitle, klblTitle},     {TInterfaceText::itAuthor, klblAuthor},
      {TInterfaceText::itEmail, klblEmail},     {TInterfaceText::itWeb, klblWeb},
      {TInterfaceText::itBtnOK, kOKButton},     {TInterfaceText::itMuteMusic, kcbMute},
  };
  for (const auto& [id, control] : targets) form_->SetText(control, *language.Replacement(id));
}

void TfrmSetup::FormShow() {
  const std::string exe = p_.System().ExecutablePath();
  std::unique_ptr<TStream> file = p_.Files().OpenRead(exe);
  // Too short for the trailer: the dialog keeps its texts and an unchecked box.
  std::unique_ptr<TSSFileLocations> settings = ReadSettingsRecord(*file, p_.System().AnsiDecoder());
  if (!settings) return;

  // Without a stored choice the box shows unchecked, whatever the settings' lMute.
  SetMuteChecked(ReadStoredMute(p_, exe, false));
  form_->SetCaption("Setup [" + settings->Title() + "]");
  form_->SetText(klblTitle, form_->Text(klblTitle) + settings->Title());
  form_->SetText(klblAuthor, form_->Text(klblAuthor) + settings->Author());
  form_->SetText(klblEmail, settings->Email());
  form_->SetText(klblWeb, settings->Web());
}

void TfrmSetup::SetMuteChecked(bool checked) {
  if (form_->Checked(kcbMute) == checked) return;
  form_->SetChecked(kcbMute, checked);
  cbMuteClick();
}

void TfrmSetup::OKButtonClick() {
  if (muteChanged_) WriteStoredMute(p_, p_.System().ExecutablePath(), form_->Checked(kcbMute));
  form_->Close();
}

void TfrmSetup::lblEmailClick() { p_.Shell().Open(form_->Handle(), "mailto:" + form_->Text(klblEmail)); }

void TfrmSetup::lblWebClick() { p_.Shell().Open(form_->Handle(), WebLinkTarget(form_->Text(klblWeb))); }

void TfrmSetup::lblEmailMouseEnter() { p_.Forms().SetCursor(platform::TCursor::crHandPoint); }

void TfrmSetup::lblEmailMouseLeave() { p_.Forms().SetCursor(platform::TCursor::crDefault); }

std::unique_ptr<app::TMainForm> CreateSetupForm(platform::TPlatform& platform) {
  return std::make_unique<TfrmSetup>(platform);
}

}  // namespace scr::setup
