#pragma once
// A picture property: owns at most one graphic, a copy of whatever was assigned, and
// tells its owner when it changes.
#include <functional>
#include <memory>

#include "common/graphic.h"

namespace scr {

class TViewPicture {
 public:
  TViewPicture() = default;
  TViewPicture(const TViewPicture&) = delete;
  TViewPicture& operator=(const TViewPicture&) = delete;

  // The graphic, or null when the picture holds none.
  const TGraphic* Graphic() const { return graphic_.get(); }
  bool HasGraphic() const { return graphic_ != nullptr; }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // Keeps a copy of g; null empties the picture. Reports the change either way.
  void Assign(const TGraphic* g) {
    graphic_ = g ? g->Clone() : nullptr;
    Changed();
  }
  void Assign(const TViewPicture& other) { Assign(other.Graphic()); }
  // Takes g over without copying.
  void Take(std::unique_ptr<TGraphic> g) {
    graphic_ = std::move(g);
    Changed();
  }
  void Clear() { Assign(static_cast<const TGraphic*>(nullptr)); }

  // Called after every change; set by the owner.
  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace scr
