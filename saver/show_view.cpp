#include "saver/show_view.h"

#include "transition/transition_view.h"

namespace scr::saver {

namespace {

platform::TButton ToButton(TMouseButton b) {
  switch (b) {
    case mbRight: return platform::TButton::Right;
    case mbMiddle: return platform::TButton::Middle;
    default: return platform::TButton::Left;
  }
}

TMouseButton FromButton(platform::TButton b) {
  switch (b) {
    case platform::TButton::Right: return mbRight;
    case platform::TButton::Middle: return mbMiddle;
    default: return mbLeft;
  }
}

}  // namespace

TShowView::TShowView(ITransitionHost& host) : view_(std::make_unique<TTransitionView>(host)) {
  view_->SetAlign(alClient);
  view_->SetCenter(true);
  view_->SetThreaded(false);
  view_->OnMouseMove = [this](TCustomTransitionView&, TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(static_cast<platform::TShiftBits>(shift), x, y);
  };
  view_->OnMouseDown = [this](TCustomTransitionView&, TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(ToButton(button), static_cast<platform::TShiftBits>(shift), x, y);
  };
  view_->OnComplete = [this](TCustomTransitionView&) {
    if (OnComplete) OnComplete();
  };
}

TShowView::~TShowView() = default;

bool TShowView::Busy() const { return view_->Busy(); }
void TShowView::Stop() { view_->Stop(); }
void TShowView::SetPicture(const TGraphic* graphic) { view_->SetPicture(graphic); }
void TShowView::SetStyle(uint8_t style) { view_->SetStyle(style); }
uint8_t TShowView::Style() const { return view_->Style(); }
void TShowView::Clear() { view_->Clear(); }
void TShowView::Update() { view_->Update(); }
void TShowView::Execute() { view_->Execute(); }
bool TShowView::ReplaceFrame(TBitmap24& frame) { return view_->ReplaceFrame(frame); }
bool TShowView::Visible() const { return view_->Visible(); }
void TShowView::SetVisible(bool visible) { view_->SetVisible(visible); }
TRect TShowView::BoundsRect() const { return view_->BoundsRect(); }
const TBitmap24& TShowView::FrameBitmap() const { return view_->FrameBitmap(); }

void TShowView::MouseMove(platform::TShiftBits shift, int x, int y) {
  view_->MouseMove(static_cast<TShiftState>(shift), x, y);
}

void TShowView::MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y) {
  view_->MouseDown(FromButton(button), static_cast<TShiftState>(shift), x, y);
}

}  // namespace scr::saver
