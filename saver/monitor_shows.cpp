#include "saver/monitor_shows.h"

#include <algorithm>
#include <map>

#include "common/errors.h"
#include "common/graphic.h"
#include "common/random.h"
#include "package/package_reader.h"
#include "saver/caption.h"
#include "saver/compose.h"
#include "saver/prepared_picture.h"
#include "saver/show_view.h"
#include "transition/transition_view.h"

namespace scr::saver {

std::vector<TRect> Outside(const TRect& r, const TRect& hole) {
  const TRect h = Intersect(r, hole);
  if (h.IsEmpty()) return r.IsEmpty() ? std::vector<TRect>{} : std::vector<TRect>{r};
  std::vector<TRect> out;
  auto add = [&out](TRect b) {
    if (!b.IsEmpty()) out.push_back(b);
  };
  add({r.left, r.top, r.right, h.top});
  add({r.left, h.top, h.left, h.bottom});
  add({h.right, h.top, r.right, h.bottom});
  add({r.left, h.bottom, r.right, r.bottom});
  return out;
}

TMonitorLayout LayOutMonitors(const std::vector<platform::TMonitor>& monitors, const TRect& saver, int32_t mode) {
  const bool shows = mode == kMonitorsSame || mode == kMonitorsDifferent;
  TMonitorLayout out;
  std::vector<TRect> seen;
  for (const platform::TMonitor& m : monitors) {
    const TRect b = m.bounds;
    if (m.primary || b.IsEmpty() || Intersect(b, saver) == b) continue;
    if (std::find(seen.begin(), seen.end(), b) != seen.end()) continue;  // a mirrored display
    seen.push_back(b);
    if (!Intersect(b, saver).IsEmpty()) {
      for (const TRect& part : Outside(b, saver)) out.covers.push_back(part);
    } else {
      (shows ? out.shows : out.covers).push_back(b);
    }
  }
  return out;
}

// One display's show: a borderless topmost window over the display with its own
// picture show control, stepped by hand as the primary's transition goes.
class TMonitorShows::TShow : public platform::IScreenWindowEvents {
 public:
  TShow(const TRules& rules, int32_t effectStart) : effectIndex(effectStart), rules_(rules) {}
  ~TShow() override {
    // The control paints into the window: it goes first.
    view_.reset();
    window_.reset();
  }

  bool Open(platform::TPlatform& p, const TRect& bounds, const TRect& saver) {
    platform::TWindowSpec desc;
    desc.caption = "frmMonitor";
    desc.bounds = bounds;
    desc.color = 0;
    desc.borderless = true;
    window_ = p.Screen().CreateScreenWindow(desc, this);
    if (!window_) return false;
    view_ = std::make_unique<TShowView>(window_->TransitionHost());
    view_->Control().SetManual(true);
    window_->SetColor(0);
    Place(bounds, saver);
    window_->MakeTopmost();
    window_->Show();
    return true;
  }
  void Place(const TRect& bounds, const TRect& saver) {
    if (window_->Bounds() != bounds) window_->SetBounds(bounds);
    bounds_ = bounds;
    offset_ = TPoint{bounds.left - saver.left, bounds.top - saver.top};
  }
  bool Fits(const TRect& bounds, const TRect& saver) const {
    return bounds_ == bounds && offset_ == TPoint{bounds.left - saver.left, bounds.top - saver.top};
  }
  const TRect& Bounds() const { return bounds_; }
  TShowView& View() { return *view_; }

  int32_t picture = -1;
  int32_t effectIndex = 0;
  // The picture made ready for this display, while the settings prepare pictures.
  std::unique_ptr<TPreparedPicture> prepared;
  TBitmap24 motionFrame;

 private:
  void Showing() override { window_->HideTaskbarEntry(); }
  void KeyDown(uint16_t key, platform::TShiftBits shift) override {
    if (rules_.keyDown) rules_.keyDown(key, shift);
  }
  void MouseMove(platform::TShiftBits shift, int x, int y) override {
    if (rules_.mouseMove) rules_.mouseMove(shift, x + offset_.x, y + offset_.y);
  }
  void MouseDown(platform::TButton button, platform::TShiftBits shift, int x, int y) override {
    if (rules_.mouseDown) rules_.mouseDown(button, shift, x + offset_.x, y + offset_.y);
  }

  const TRules& rules_;
  TRect bounds_;
  TPoint offset_;
  std::unique_ptr<platform::IScreenWindow> window_;
  std::unique_ptr<TShowView> view_;
};

TMonitorShows::TMonitorShows(TRules rules) : rules_(std::move(rules)), covers_(rules_) {}

TMonitorShows::~TMonitorShows() { Close(); }

void TMonitorShows::Match(platform::TPlatform& p, int32_t mode, const TRect& saver) {
  mode_ = mode;
  const TMonitorLayout layout = LayOutMonitors(p.Windowing().Monitors(), saver, mode);
  std::vector<std::unique_ptr<TShow>> old = std::move(shows_), placed(layout.shows.size());
  shows_.clear();
  // Shows whose display is unchanged stay where they are.
  for (size_t i = 0; i < layout.shows.size(); ++i)
    for (std::unique_ptr<TShow>& s : old)
      if (s && s->Fits(layout.shows[i], saver)) {
        placed[i] = std::move(s);
        break;
      }
  // Then the others follow a display that moved or changed size, in order.
  auto spare = old.begin();
  for (size_t i = 0; i < layout.shows.size(); ++i) {
    if (placed[i]) continue;
    while (spare != old.end() && !*spare) ++spare;
    if (spare == old.end()) break;
    placed[i] = std::move(*spare);
    placed[i]->Place(layout.shows[i], saver);
  }
  // What no display wants any more closes before anything new opens over it.
  old.clear();
  covers_.Match(p, layout.covers, saver);
  for (size_t i = 0; i < layout.shows.size(); ++i) {
    if (!placed[i]) {
      auto show = std::make_unique<TShow>(rules_, static_cast<int32_t>(i) + 1);
      // A backend that cannot make the window leaves that display as it is.
      if (!show->Open(p, layout.shows[i], saver)) continue;
      placed[i] = std::move(show);
    }
    shows_.push_back(std::move(placed[i]));
  }
}

void TMonitorShows::Close() {
  // The rules may close the saver, which closes these: the lists are emptied first.
  std::vector<std::unique_ptr<TShow>> closing = std::move(shows_);
  shows_.clear();
  closing.clear();
  covers_.Close();
}

std::vector<int32_t> TMonitorShows::DealPictures(const TSSFileLocations& s, int32_t primary) const {
  const int32_t n = s.PicCount();
  std::vector<int32_t> out;
  if (mode_ != kMonitorsDifferent) {
    out.assign(shows_.size(), primary);
    return out;
  }
  std::vector<int32_t> taken{primary};
  for (size_t k = 0; k < shows_.size(); ++k) {
    // In order, each display keeps its distance from the primary's picture; at random,
    // each draws its own. A picture another display shows is passed over while any
    // other is left.
    int32_t pick = s.lRandomPic() ? Random(n) : static_cast<int32_t>((primary + 1 + static_cast<int64_t>(k)) % n);
    for (int32_t tries = 0; tries < n && std::find(taken.begin(), taken.end(), pick) != taken.end() &&
                            taken.size() < static_cast<size_t>(n);
         ++tries)
      pick = (pick + 1) % n;
    taken.push_back(pick);
    out.push_back(pick);
  }
  return out;
}

void TMonitorShows::StartPicture(platform::TPlatform& p, const TSSFileLocations& s, int32_t picture, uint8_t style,
                                 const TShownPicture* shown) {
  if (shows_.empty() || s.PicCount() == 0 || picture < 0 || picture >= s.PicCount()) return;
  const std::vector<int32_t> pictures = DealPictures(s, picture);
  std::unique_ptr<TStream> file = p.Files().OpenRead(p.System().ExecutablePath());
  // Each picture is read once, however many displays show it.
  std::map<int32_t, std::unique_ptr<TImage>> records;
  for (size_t k = 0; k < shows_.size(); ++k) {
    TShow& show = *shows_[k];
    TShowView& view = show.View();
    if (view.Busy()) view.Stop();
    std::unique_ptr<TImage>& record = records[pictures[k]];
    try {
      if (!record) record = ReadPictureAt(*file, s.PicPosition(pictures[k]));
    } catch (const Exception&) {
      continue;
    }
    uint8_t showStyle = style;
    if (mode_ == kMonitorsDifferent) {
      if (s.EffectCount() == 0) {
        showStyle = 0;
      } else if (s.lRandomStyle()) {
        showStyle = static_cast<uint8_t>(s.Effect(Random(s.EffectCount())));
      } else {
        if (show.effectIndex >= s.EffectCount()) show.effectIndex %= s.EffectCount();
        showStyle = static_cast<uint8_t>(s.Effect(show.effectIndex));
        show.effectIndex = show.effectIndex < s.EffectCount() - 1 ? show.effectIndex + 1 : 0;
      }
    }
    const TRect b = show.Bounds();
    TBitmap24 composed;
    if (!UsesPreparedPictures(s)) {
      show.prepared.reset();
      composed = ComposeFrame(record->Picture().Graphic(), s, b.Width(), b.Height(), p.Screen(),
                              CaptionFor(s, pictures[k]));
    } else {
      const bool same = mode_ != kMonitorsDifferent && shown;
      if (same) {
        show.prepared = std::make_unique<TPreparedPicture>(PreparePicture(
            shown->picture, shown->caption, s, b.Width(), b.Height(), p.Screen(), &shown->motion));
      } else {
        TBitmap24 own;
        std::string caption;
        OwnPicture(*file, s, pictures[k], *record, b, p.Screen(), own, caption);
        show.prepared = std::make_unique<TPreparedPicture>(
            PreparePicture(own, std::move(caption), s, b.Width(), b.Height(), p.Screen()));
      }
      DrawPreparedFrame(*show.prepared, 0, composed, s, p.Screen());
    }
    const TBitmapGraphic frame(std::move(composed));
    view.SetPicture(&frame);
    view.SetStyle(showStyle);
    show.picture = pictures[k];
    if (s.lClearOldImage()) {
      view.Clear();
      view.Update();
    }
    view.Execute();  // by hand: prepared at position 0, stepped by FollowProgress
  }
}

void TMonitorShows::OwnPicture(TStream& file, const TSSFileLocations& s, int32_t index, const TImage& record,
                               const TRect& display, platform::IScreen& screen, TBitmap24& picture,
                               std::string& caption) {
  picture = GraphicBitmap(record.Picture().Graphic());
  caption = CaptionFor(s, index);
  if (!s.lPairPortraits() || s.PicCount() < 2 || display.Width() <= display.Height() || !IsPortrait(picture)) return;
  const int32_t second = (index + 1) % s.PicCount();
  std::unique_ptr<TImage> next;
  try {
    next = ReadPictureAt(file, s.PicPosition(second));
  } catch (const Exception&) {
    return;  // shown alone
  }
  const TBitmap24 other = GraphicBitmap(next->Picture().Graphic());
  if (!IsPortrait(other)) return;
  picture = SideBySide(picture, other, ColorToRGB(s.Background(), screen));
  caption = PairCaption(caption, CaptionFor(s, second));
}

void TMonitorShows::MoveHeld(int32_t t, const TSSFileLocations& s, platform::IScreen& screen) {
  for (const std::unique_ptr<TShow>& show : shows_) {
    if (!show->prepared || show->prepared->motion.percent <= 0 || show->View().Busy()) continue;
    DrawPreparedFrame(*show->prepared, t, show->motionFrame, s, screen);
    show->View().ReplaceFrame(show->motionFrame);
  }
}

void TMonitorShows::FollowProgress(int position) {
  for (size_t k = 0; k < shows_.size(); ++k) {
    TShowView& view = shows_[k]->View();
    if (view.Busy()) view.Control().SetProgress(position);
  }
}

void TMonitorShows::FinishPicture() {
  for (size_t k = 0; k < shows_.size(); ++k) {
    TShowView& view = shows_[k]->View();
    if (!view.Busy()) continue;
    view.Control().SetProgress(100);
    view.Stop();  // a run by hand stays busy at its end until stopped; the picture stays
  }
}

std::vector<int32_t> TMonitorShows::ShowPictures() const {
  std::vector<int32_t> out;
  for (const auto& s : shows_) out.push_back(s->picture);
  return out;
}

std::vector<TRect> TMonitorShows::ShowBounds() const {
  std::vector<TRect> out;
  for (const auto& s : shows_) out.push_back(s->Bounds());
  return out;
}

}  // namespace scr::saver
