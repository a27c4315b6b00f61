#pragma once
// The image component of picture items: a TImage whose Picture holds the graphic read
// from "Picture.Data". Its placement and display properties are read and kept but have
// no effect anywhere.
#include <cstdint>
#include <memory>
#include <span>

#include "common/graphic.h"
#include "package/persistent.h"

namespace scr {

class TPicture : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The graphic, or nullptr when the picture is empty (also for an unknown class).
  const TGraphic* Graphic() const { return graphic_.get(); }
  bool Empty() const { return graphic_ == nullptr || graphic_->Empty(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic) { graphic_ = std::move(graphic); }
  // Hands the graphic over to the caller; the picture is empty afterwards.
  std::unique_ptr<TGraphic> TakeGraphic() { return std::move(graphic_); }

  // The "Data" block: picture class name and that class's data.
  void SetData(std::span<const uint8_t> block);

 private:
  std::unique_ptr<TGraphic> graphic_;
};

class TImage : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }

  int32_t Left() const { return left_; }
  void SetLeft(int32_t v) { left_ = v; }
  int32_t Top() const { return top_; }
  void SetTop(int32_t v) { top_ = v; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t v) { width_ = v; }
  int32_t Height() const { return height_; }
  void SetHeight(int32_t v) { height_ = v; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v) { autoSize_ = v; }
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v; }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v) { proportional_ = v; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }

 private:
  TPicture picture_;
  int32_t left_ = 0, top_ = 0, width_ = 105, height_ = 105;
  bool autoSize_ = false, center_ = false, proportional_ = false, stretch_ = false, transparent_ = false;
  bool visible_ = true;
};

}  // namespace scr
