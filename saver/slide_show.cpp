// The slide show of the saver window: which picture and effect come next, reading the
// picture record straight out of the executable, and the pacing by the slide timer;
// with the presentation settings, the prepared pictures, portrait pairs and the slow
// pan and zoom of a held picture.
#include <algorithm>

#include "common/random.h"
#include "package/package_reader.h"
#include "saver/caption.h"
#include "saver/compose.h"
#include "saver/screen_saver.h"

namespace scr::saver {

namespace {

// How often a moving picture is redrawn while it is held.
constexpr uint32_t kMotionPeriodMs = 33;

}  // namespace

void TfrmScrn::StartShow() {
  if (showStarted_) return;
  showStarted_ = true;
  // The music begins with the show.
  if (parts_.music) parts_.music->ShowStarting(*this);
  NextPicture();
}

void TfrmScrn::ComposePicture(TImage& record) {
  const TRect screen = p_.Windowing().ScreenRect();
  saver::ComposePicture(record, *settings_, screen.Width(), screen.Height(), p_.Screen(),
                        CaptionFor(*settings_, picIndex_));
}

int32_t TfrmScrn::ChoosePicture() {
  const TSSFileLocations& s = *settings_;
  if (pendingIndex_ >= 0) {
    const int32_t i = std::min(pendingIndex_, s.PicCount() - 1);
    pendingIndex_ = -1;
    return i;
  }
  if (s.lRandomPic()) return s.lNoRepeat() ? shuffle_.Next(s.PicCount()) : Random(s.PicCount());
  return picIndex_ > s.PicCount() - 1 ? 0 : picIndex_;
}

// The picture the record holds, and beside it the next one when both are portraits
// on a landscape screen. Returns how many pictures the frame shows.
int TfrmScrn::PictureToShow(TStream& file, TImage& record, TBitmap24& picture, std::string& caption) {
  const TSSFileLocations& s = *settings_;
  picture = GraphicBitmap(record.Picture().Graphic());
  caption = CaptionFor(s, picIndex_);
  const TRect screen = p_.Windowing().ScreenRect();
  if (!s.lPairPortraits() || s.PicCount() < 2 || screen.Width() <= screen.Height() || !IsPortrait(picture)) return 1;
  const int32_t second = s.lRandomPic() ? ChoosePicture() : (picIndex_ + 1) % s.PicCount();
  if (second == picIndex_) return 1;
  std::unique_ptr<TImage> next = ReadPictureAt(file, s.PicPosition(second));
  TBitmap24 other = GraphicBitmap(next->Picture().Graphic());
  if (!IsPortrait(other)) {
    // Shown next on its own, without drawing again.
    if (s.lRandomPic()) pendingIndex_ = second;
    return 1;
  }
  picture = SideBySide(picture, other, ColorToRGB(s.Background(), p_.Screen()));
  const std::string otherCaption = CaptionFor(s, second);
  caption = PairCaption(caption, otherCaption);
  return 2;
}

void TfrmScrn::NextPicture() {
  const TSSFileLocations& s = *settings_;
  if (s.PicCount() == 0) return;
  slideTimer_->SetEnabled(false);
  if (motionTimer_) motionTimer_->SetEnabled(false);

  picIndex_ = ChoosePicture();

  // An error from here on leaves the timer off: the show stops on the picture shown.
  std::unique_ptr<TStream> file = p_.Files().OpenRead(p_.System().ExecutablePath());
  std::unique_ptr<TImage> record = ReadPictureAt(*file, s.PicPosition(picIndex_));
  if (pshow_->Busy()) pshow_->Stop();
  int shown = 1;
  TShownPicture forOthers;
  if (!UsesPreparedPictures(s)) {
    prepared_.reset();
    ComposePicture(*record);
    pshow_->SetPicture(record->Picture().Graphic());
  } else {
    TBitmap24 picture;
    std::string caption;
    shown = PictureToShow(*file, *record, picture, caption);
    record.reset();
    const TRect screen = p_.Windowing().ScreenRect();
    prepared_ = std::make_unique<TPreparedPicture>(
        PreparePicture(picture, caption, s, screen.Width(), screen.Height(), p_.Screen()));
    // The transition ends on the first frame of the picture's motion.
    TBitmap24 first;
    DrawPreparedFrame(*prepared_, 0, first, s, p_.Screen());
    const TBitmapGraphic graphic(std::move(first));
    pshow_->SetPicture(&graphic);
    // Kept for the other displays of mode 1, which show the same.
    if (monitors_.ShowCount() > 0) forOthers = TShownPicture{std::move(picture), std::move(caption), prepared_->motion};
  }

  if (s.EffectCount() == 0) {
    pshow_->SetStyle(0);
  } else if (s.lRandomStyle()) {
    pshow_->SetStyle(static_cast<uint8_t>(s.Effect(Random(s.EffectCount()))));
  } else {
    pshow_->SetStyle(static_cast<uint8_t>(s.Effect(effectIndex_)));
    effectIndex_ = effectIndex_ < s.EffectCount() - 1 ? effectIndex_ + 1 : 0;
  }

  if (s.lClearOldImage()) {
    pshow_->Clear();
    pshow_->Update();
  }
  monitors_.StartPicture(p_, s, picIndex_, pshow_->Style(), prepared_ ? &forOthers : nullptr);
  forOthers = TShownPicture{};
  pshow_->Execute();
  monitors_.FinishPicture();

  record.reset();
  file.reset();
  p_.Application().ProcessMessages();
  // The window may have been closed and destroyed while messages were processed; its
  // record is then empty and the timer stays off.
  if (!window_->Exists()) return;
  picIndex_ += shown;
  picturesShown_ += shown;
  slideTimer_->SetEnabled(true);
  StartMotion();
}

void TfrmScrn::StartMotion() {
  // A still picture is never redrawn: holding it costs nothing.
  if (!prepared_ || prepared_->motion.percent <= 0 || settings_->Interval() <= 0) return;
  if (!motionTimer_) {
    motionTimer_ = p_.Screen().CreateTimer();
    motionTimer_->SetInterval(kMotionPeriodMs);
    motionTimer_->SetOnTimer([this] { MoveHeldPicture(); });
  }
  motionStart_ = p_.Application().TickCount();
  motionTimer_->SetEnabled(true);
}

void TfrmScrn::MoveHeldPicture() {
  if (!prepared_ || pshow_->Busy() || !window_->Exists()) return;
  const uint32_t elapsed = p_.Application().TickCount() - motionStart_;
  const int64_t interval = std::max<int32_t>(settings_->Interval(), 1);
  const int32_t t = static_cast<int32_t>(std::min<int64_t>(kMotionEnd, int64_t{elapsed} * kMotionEnd / interval));
  DrawPreparedFrame(*prepared_, t, motionFrame_, *settings_, p_.Screen());
  if (pshow_->ReplaceFrame(motionFrame_) && OnHeldFrame) OnHeldFrame(pshow_->FrameBitmap());
  monitors_.MoveHeld(t, *settings_, p_.Screen());
  // At the end of the hold the picture rests until the next one comes.
  if (t >= kMotionEnd) motionTimer_->SetEnabled(false);
}

}  // namespace scr::saver
