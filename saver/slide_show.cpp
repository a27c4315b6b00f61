// The slide show of the saver window: which picture and effect come next, reading the
// picture record straight out of the executable, and the pacing by the slide timer.
#include "common/random.h"
#include "package/package_reader.h"
#include "saver/compose.h"
#include "saver/screen_saver.h"

namespace scr::saver {

void TfrmScrn::StartShow() {
  if (showStarted_) return;
  showStarted_ = true;
  // The music begins with the show.
  if (parts_.music) parts_.music->ShowStarting(*this);
  NextPicture();
}

void TfrmScrn::ComposePicture(TImage& record) {
  const TRect screen = p_.Windowing().ScreenRect();
  saver::ComposePicture(record, *settings_, screen.Width(), screen.Height(), p_.Screen());
}

void TfrmScrn::NextPicture() {
  const TSSFileLocations& s = *settings_;
  if (s.PicCount() == 0) return;
  slideTimer_->SetEnabled(false);

  if (s.lRandomPic())
    picIndex_ = Random(s.PicCount());
  else if (picIndex_ > s.PicCount() - 1)
    picIndex_ = 0;

  // An error from here on leaves the timer off: the show stops on the picture shown.
  std::unique_ptr<TStream> file = p_.Files().OpenRead(p_.System().ExecutablePath());
  std::unique_ptr<TImage> record = ReadPictureAt(*file, s.PicPosition(picIndex_));
  if (pshow_->Busy()) pshow_->Stop();
  ComposePicture(*record);
  pshow_->SetPicture(record->Picture().Graphic());

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
  monitors_.StartPicture(p_, s, picIndex_, pshow_->Style());
  pshow_->Execute();
  monitors_.FinishPicture();

  record.reset();
  file.reset();
  p_.Application().ProcessMessages();
  // The window may have been closed and destroyed while messages were processed; its
  // record is then empty and the timer stays off.
  if (!window_->Exists()) return;
  ++picIndex_;
  slideTimer_->SetEnabled(true);
}

}  // namespace scr::saver
