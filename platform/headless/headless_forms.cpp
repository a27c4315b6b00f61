#include "platform/headless/headless_forms.h"

#include <stdexcept>

namespace scr::platform::headless {

namespace {

const char* CursorName(TCursor cursor) { return cursor == TCursor::crHandPoint ? "crHandPoint" : "crDefault"; }

int IndexOf(const TFormSpec& desc, std::string_view name) {
  const int i = FindControl(desc, name);
  if (i < 0) throw std::invalid_argument("no control named " + std::string(name));
  return i;
}

}  // namespace

THeadlessForm::THeadlessForm(THeadlessForms& owner, THeadlessDesktop& desktop, TFormSpec desc,
                             IWindowEvents* events)
    : owner_(owner), desktop_(desktop), spec_(std::move(desc)) {
  const TRect screen = desktop_.ScreenRect();
  const TPoint at = spec_.screenCenter ? TPoint{screen.left + (screen.Width() - spec_.clientWidth) / 2,
                                                screen.top + (screen.Height() - spec_.clientHeight) / 2}
                                       : spec_.position;
  bounds_ = platform::Bounds(at.x, at.y, spec_.clientWidth, spec_.clientHeight);
  TWindowSpec window;
  window.caption = spec_.caption;
  window.bounds = bounds_;
  window.color = spec_.color;
  window_ = desktop_.CreateTopWindow(window, events);
}

THeadlessForm::~THeadlessForm() { owner_.Forget(this); }

void THeadlessForm::Show() {
  ++shows_;
  Fire(spec_.onShow);
  window_->Show();
  if (focused_ < 0) {
    const std::vector<int> order = TabSequence(spec_);
    if (!order.empty()) focused_ = order.front();
  }
}

const TControlSpec& THeadlessForm::Control(std::string_view name) const {
  return spec_.controls[IndexOf(spec_, name)];
}

TControlSpec& THeadlessForm::Mutable(std::string_view name) { return spec_.controls[IndexOf(spec_, name)]; }

TRect THeadlessForm::ControlRect(std::string_view name) const {
  return LayoutControls(spec_, spec_.clientWidth, spec_.clientHeight)[IndexOf(spec_, name)];
}

void THeadlessForm::Fire(const TNotifyEvent& event) {
  if (!event) return;
  try {
    event();
  } catch (const EHeadlessStall&) {
    throw;
  } catch (const std::exception& e) {
    desktop_.ShowException(e.what());
  }
}

void THeadlessForm::Click(std::string_view name) {
  owner_.Log().Add("Click " + std::string(name));
  Press(IndexOf(spec_, name));
}

void THeadlessForm::KeyPress(const TFormKey& key) {
  const TFormKeyAction action = FormKeyAction(spec_, focused_, key);
  if (action.kind == TFormKeyAction::kFocus) focused_ = action.control;
  if (action.kind == TFormKeyAction::kPress) {
    owner_.Log().Add("Press " + spec_.controls[action.control].name);
    Press(action.control);
  }
}

std::string THeadlessForm::Focused() const { return focused_ < 0 ? std::string() : spec_.controls[focused_].name; }

void THeadlessForm::Press(int index) {
  TControlSpec& control = spec_.controls[index];
  if (control.kind == TControlKind::ckCheckBox) control.checked = !control.checked;
  // The event may close and free things; it runs on a copy of the handler.
  const TNotifyEvent event = control.onClick;
  Fire(event);
}

void THeadlessForm::MouseEnter(std::string_view name) {
  const TNotifyEvent event = Mutable(name).onMouseEnter;
  Fire(event);
}

void THeadlessForm::MouseLeave(std::string_view name) {
  const TNotifyEvent event = Mutable(name).onMouseLeave;
  Fire(event);
}

std::unique_ptr<IForm> THeadlessForms::CreateForm(TFormSpec desc, IWindowEvents* events) {
  CheckFormSpec(desc);
  auto form = std::make_unique<THeadlessForm>(*this, desktop_, std::move(desc), events);
  forms_.push_back(form.get());
  return form;
}

void THeadlessForms::SetCursor(TCursor cursor) {
  log_.Add(std::string("SetCursor ") + CursorName(cursor));
  cursor_ = cursor;
}

THeadlessForm* THeadlessForms::Find(TWindowHandle handle) const {
  for (THeadlessForm* f : forms_)
    if (f->Handle() == handle) return f;
  return nullptr;
}

}  // namespace scr::platform::headless
