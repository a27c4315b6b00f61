#include "saver/music_part.h"

#include "saver/music_playlist.h"
#include "saver/screen_saver.h"

namespace scr::saver {

namespace {

class TMusicPart : public IMusicPart, private IMusicHost {
 public:
  explicit TMusicPart(platform::TPlatform& platform) : playlist_(platform, *this) {}

  void SetupDone(TfrmScrn& form) override { form_ = &form; }
  void ShowStarting(TfrmScrn& form) override {
    if (form_ == &form) playlist_.Start();
  }
  void Destroying(TfrmScrn&) override {
    playlist_.Close();
    form_ = nullptr;
  }

 private:
  // IMusicHost: only asked while the playlist runs, that is after SetupDone.
  const TSSFileLocations& MusicSettings() override { return form_ ? form_->Settings() : empty_; }
  int32_t SndIndex() override { return form_ ? form_->SndIndex() : 0; }
  void SetSndIndex(int32_t index) override {
    if (form_) form_->SetSndIndex(index);
  }

  TSSFileLocations empty_;
  TfrmScrn* form_ = nullptr;
  TMusicPlaylist playlist_;
};

}  // namespace

std::unique_ptr<IMusicPart> CreateMusicPart(platform::TPlatform& platform) {
  return std::make_unique<TMusicPart>(platform);
}

}  // namespace scr::saver
