#include "saver/cover_windows.h"

namespace scr::saver {

// One cover: its window and the events that pass its input on, offset into the
// saver window's client coordinates.
class TCoverWindows::TCover : public platform::IScreenWindowEvents {
 public:
  TCover(const TRules& rules, TPoint offset) : rules_(rules), offset_(offset) {}
  ~TCover() override { window_.reset(); }

  bool Open(platform::TPlatform& p, const TRect& bounds) {
    window_ = p.Screen().CreateCoverWindow(bounds, this);
    if (!window_) return false;
    window_->Show();
    return true;
  }

  void KeyDown(uint16_t key, platform::TShiftBits shift) override {
    if (rules_.keyDown) rules_.keyDown(key, shift);
  }
  void MouseMove(platform::TShiftBits shift, int x, int y) override {
    if (rules_.mouseMove) rules_.mouseMove(shift, x + offset_.x, y + offset_.y);
  }
  void MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y) override {
    if (rules_.mouseDown) rules_.mouseDown(button, shift, x + offset_.x, y + offset_.y);
  }

 private:
  const TRules& rules_;
  TPoint offset_;
  std::unique_ptr<platform::IWindow> window_;
};

std::vector<TRect> CoveredMonitors(const std::vector<platform::TMonitor>& monitors, const TRect& saver) {
  std::vector<TRect> out;
  for (const platform::TMonitor& m : monitors) {
    if (m.primary || m.bounds.IsEmpty()) continue;
    if (Intersect(m.bounds, saver) == m.bounds) continue;
    out.push_back(m.bounds);
  }
  return out;
}

TCoverWindows::TCoverWindows(TRules rules) : rules_(std::move(rules)) {}

TCoverWindows::~TCoverWindows() { Close(); }

void TCoverWindows::Open(platform::TPlatform& p, const TRect& saver) {
  Close();
  for (const TRect& bounds : CoveredMonitors(p.Windowing().Monitors(), saver)) {
    auto cover = std::make_unique<TCover>(rules_, TPoint{bounds.left - saver.left, bounds.top - saver.top});
    // A backend that cannot make covers leaves the other displays as they are.
    if (cover->Open(p, bounds)) covers_.push_back(std::move(cover));
  }
}

void TCoverWindows::Close() {
  // The rules may close the saver, which closes the covers: the list is emptied first.
  std::vector<std::unique_ptr<TCover>> closing = std::move(covers_);
  covers_.clear();
}

}  // namespace scr::saver
