#include "platform/loop_screen.h"

#include "platform/absent_services.h"
#include "platform/loop_timer.h"
#include "transition/colors.h"

namespace scr::platform {

TLoopScreenWindow::TLoopScreenWindow(TLoopDesktop& desktop, TLoopWindow& window, const TWindowSpec& desc,
                                     IScreenWindowEvents* events, std::function<void()> wakeMainThread)
    : TCanvasHost(std::move(wakeMainThread)),
      TScreenEventsRelay(events),
      desktop_(desktop),
      window_(window),
      bounds_(desc.bounds) {
  SetCanvasColor(desc.color);
  SetClientSize(std::max(0, bounds_.Width()), std::max(0, bounds_.Height()));
}

void TLoopScreenWindow::Show() {
  if (window_.Visible()) return;
  if (events_) events_->Showing();
  window_.Show();
  InvalidateRect(Canvas().Bounds());
}

void TLoopScreenWindow::SetBounds(const TRect& bounds) {
  bounds_ = bounds;
  SetClientSize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
}

void TLoopScreenWindow::PaintPending() {
  if (!window_.Visible()) return;
  const TRect area = TakeInvalidRect();
  if (area.IsEmpty()) return;
  Present(Canvas(), PaintArea(area));
}

std::unique_ptr<ITimer> TLoopScreen::CreateTimer() { return std::make_unique<TLoopTimer>(desktop_); }

int TLoopScreen::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  ApplyCursor(cursorCount_ >= 0);
  return cursorCount_;
}

bool TLoopScreen::SetScreenSaverRunning(bool) { return NoScreenSaverParameter(); }

uint32_t TLoopScreen::SysColor(int index) { return DefaultSysColor(index); }

std::unique_ptr<IRegistryKey> TLoopScreen::OpenCurrentUserKey(const std::string&) { return NoRegistryKey(); }

bool TLoopScreen::CallVerifyScreenSavePwd(TProcAddress, TWindowHandle) { return NoPasswordCheck(); }

}  // namespace scr::platform
