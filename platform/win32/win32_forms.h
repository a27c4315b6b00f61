#pragma once
// Forms made from their descriptions as real windows: the form a top-level window of
// its own class, panels and labels child windows of the backend's classes (so each
// control's text can be read back with the system's window functions), check boxes
// and push buttons the system's button controls.
#include "platform/application.h"
#include "platform/forms.h"

namespace scr::platform::win32 {

class TWin32Forms : public IForms {
 public:
  // Errors that escape a form's events go to app's error report.
  explicit TWin32Forms(IApplication& app) : app_(app) {}

  std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) override;
  void SetCursor(TCursor cursor) override;
  TCursor Cursor() const override;

 private:
  IApplication& app_;
};

}  // namespace scr::platform::win32
