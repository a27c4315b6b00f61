#pragma once
// Headless forms: each form is a model of its description (texts, check states, the
// laid-out places of its controls) on one of the desktop's own windows. Tests find a
// form by handle, read its controls and click them the way a user would; errors that
// escape an event go to the application's error report, as on a real desktop.
#include <string>
#include <string_view>
#include <vector>

#include "platform/form_keys.h"
#include "platform/forms.h"
#include "platform/headless/call_log.h"
#include "platform/headless/headless_desktop.h"

namespace scr::platform::headless {

class THeadlessForms;

class THeadlessForm : public IForm {
 public:
  THeadlessForm(THeadlessForms& owner, THeadlessDesktop& desktop, TFormSpec desc, IWindowEvents* events);
  ~THeadlessForm() override;

  // IWindow: Show runs onShow, then shows the window.
  TWindowHandle Handle() const override { return window_->Handle(); }
  void Show() override;
  void Hide() override { window_->Hide(); }
  void Close() override { window_->Close(); }
  bool Exists() const override { return window_->Exists(); }

  // IForm
  std::string Caption() const override { return spec_.caption; }
  void SetCaption(const std::string& caption) override { spec_.caption = caption; }
  std::string Text(std::string_view control) const override { return Control(control).text; }
  void SetText(std::string_view control, const std::string& text) override { Mutable(control).text = text; }
  bool Checked(std::string_view control) const override { return Control(control).checked; }
  void SetChecked(std::string_view control, bool checked) override { Mutable(control).checked = checked; }

  // Inspection.
  // The description with the texts, caption and check states as they are now.
  const TFormSpec& Desc() const { return spec_; }
  const TControlSpec& Control(std::string_view name) const;
  // The control's place in its parent's client area, laid out for the form's size.
  TRect ControlRect(std::string_view name) const;
  // The window's screen rectangle (the client area; headless windows have no frame).
  TRect Bounds() const { return bounds_; }
  int ShowCount() const { return shows_; }

  // What a user does. A click on a check box toggles it, then runs its click event.
  void Click(std::string_view name);
  void MouseEnter(std::string_view name);
  void MouseLeave(std::string_view name);
  // A key pressed while the form is active (see form_keys.h); the focus goes to the
  // first control in tab order when the form is shown.
  void KeyPress(const TFormKey& key);
  // The name of the control with the focus; empty when none has it.
  std::string Focused() const;

 private:
  // Presses a control: a check box toggles, then the click event runs.
  void Press(int index);
  TControlSpec& Mutable(std::string_view name);
  // Runs a form or control event; an error that escapes it is reported.
  void Fire(const TNotifyEvent& event);

  THeadlessForms& owner_;
  THeadlessDesktop& desktop_;
  TFormSpec spec_;
  TRect bounds_;
  std::unique_ptr<IWindow> window_;
  int shows_ = 0;
  int focused_ = -1;
};

class THeadlessForms : public IForms {
 public:
  THeadlessForms(TCallLog& log, THeadlessDesktop& desktop) : log_(log), desktop_(desktop) {}

  std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) override;
  void SetCursor(TCursor cursor) override;
  TCursor Cursor() const override { return cursor_; }

  // The live form with that window handle, and the live form made last; null when none.
  THeadlessForm* Find(TWindowHandle handle) const;
  THeadlessForm* Last() const { return forms_.empty() ? nullptr : forms_.back(); }

  // Kept up by the forms themselves.
  void Forget(THeadlessForm* form) { std::erase(forms_, form); }
  TCallLog& Log() { return log_; }

 private:
  TCallLog& log_;
  THeadlessDesktop& desktop_;
  TCursor cursor_ = TCursor::crDefault;
  std::vector<THeadlessForm*> forms_;
};

}  // namespace scr::platform::headless
