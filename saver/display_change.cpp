// The saver window on a desk whose displays change while it runs: it follows the
// primary display's new size, and the covers and shows follow the others.
#include "saver/screen_saver.h"

namespace scr::saver {

int32_t TfrmScrn::MonitorModeInUse() const {
  // Movies play on the primary display alone.
  if (settings_->IsFlash() && parts_.flash) return kMonitorsBlack;
  return settings_->MonitorMode();
}

void TfrmScrn::FormDisplayChanged() {
  // Before set-up has placed the window there is nothing to follow; set-up reads the
  // desk as it is then.
  if (initializing_ || !window_->Exists()) return;
  const TRect screen = p_.Windowing().ScreenRect();
  if (window_->Bounds() != screen) window_->SetBounds(screen);
  monitors_.Match(p_, MonitorModeInUse(), window_->Bounds());
}

}  // namespace scr::saver
