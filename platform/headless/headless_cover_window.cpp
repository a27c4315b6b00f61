#include "platform/headless/headless_cover_window.h"

#include <string>

#include "platform/headless/headless_input.h"
#include "platform/headless/headless_screen.h"

namespace scr::platform::headless {

THeadlessCoverWindow::THeadlessCoverWindow(THeadlessScreen& screen, const TRect& bounds, IScreenWindowEvents* events)
    : screen_(screen), desktop_(screen.Desktop()), bounds_(bounds) {
  TWindowSpec desc;
  desc.caption = "cover";
  desc.bounds = bounds;
  desc.color = 0;
  desc.borderless = true;
  // No window events: a cover is never activated, closed by a request or told of
  // anything but input.
  window_ = desktop_.CreateTopWindow(desc, nullptr);
  desktop_.SetMessageHandler(window_->Handle(), [events](uint32_t m, uintptr_t wp, intptr_t lp) {
    return DeliverInput(events, m, wp, lp);
  });
  screen_.Log().Add("CreateCoverWindow " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
                    std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
}

THeadlessCoverWindow::~THeadlessCoverWindow() {
  screen_.CoverGone(this);
  window_.reset();
}

bool THeadlessCoverWindow::Visible() const { return window_->Exists() && desktop_.OwnWindowVisible(Handle()); }

}  // namespace scr::platform::headless
