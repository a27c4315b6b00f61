#include "saver/cover_windows.h"

#include <algorithm>

namespace scr::saver {

// One cover: its window and the events that pass its input on, offset into the
// saver window's client coordinates.
class TCoverWindows::TCover : public platform::IScreenWindowEvents {
 public:
  TCover(const TRules& rules, TPoint offset) : rules_(rules), offset_(offset) {}
  TRect bounds;
  TPoint Offset() const { return offset_; }
  ~TCover() override { window_.reset(); }

  bool Open(platform::TPlatform& p, const TRect& where) {
    bounds = where;
    window_ = p.Screen().CreateCoverWindow(where, this);
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

TCoverWindows::TCoverWindows(TRules rules) : rules_(std::move(rules)) {}

TCoverWindows::~TCoverWindows() { Close(); }

void TCoverWindows::Match(platform::TPlatform& p, const std::vector<TRect>& bounds, const TRect& saver) {
  const TPoint origin{saver.left, saver.top};
  auto wanted = [&](const TCover& c) {
    return c.Offset() == TPoint{c.bounds.left - origin.x, c.bounds.top - origin.y} &&
           std::find(bounds.begin(), bounds.end(), c.bounds) != bounds.end();
  };
  std::vector<std::unique_ptr<TCover>> kept, closing;
  for (std::unique_ptr<TCover>& c : covers_) (wanted(*c) ? kept : closing).push_back(std::move(c));
  covers_ = std::move(kept);
  closing.clear();
  for (const TRect& b : bounds) {
    if (b.IsEmpty()) continue;
    if (std::any_of(covers_.begin(), covers_.end(), [&](const auto& c) { return c->bounds == b; })) continue;
    auto cover = std::make_unique<TCover>(rules_, TPoint{b.left - origin.x, b.top - origin.y});
    // A backend that cannot make covers leaves the other displays as they are.
    if (cover->Open(p, b)) covers_.push_back(std::move(cover));
  }
}

void TCoverWindows::Close() {
  // The rules may close the saver, which closes the covers: the list is emptied first.
  std::vector<std::unique_ptr<TCover>> closing = std::move(covers_);
  covers_.clear();
}

}  // namespace scr::saver
