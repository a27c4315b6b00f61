#include "saver/saver_form.h"

#include "saver/flash_mode.h"
#include "saver/music_part.h"
#include "saver/screen_saver.h"

namespace scr::saver {

namespace {

class TSaverForm : public app::TMainForm {
 public:
  explicit TSaverForm(platform::TPlatform& p) : form_(p, TSaverParts{CreateMusicPart(p), CreateFlashPart(p)}) {}
  platform::IWindow& Window() override { return form_.Window(); }

 private:
  TfrmScrn form_;
};

}  // namespace

std::unique_ptr<app::TMainForm> CreateSaverForm(platform::TPlatform& p) { return std::make_unique<TSaverForm>(p); }

}  // namespace scr::saver
