#pragma once
// Whole saver runs on the headless backend: a saver file made with the package builder
// placed where the headless system says the executable is, the saver window created as
// the entry creates it, and the message loop run in virtual time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "common/random.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "platform/headless/headless_platform.h"
#include "saver/screen_saver.h"
#include "tests/support/saver_files.h"

namespace scr::saver::test {

using platform::headless::THeadlessPlatform;

// One transition that ran to its end: when, which picture, which effect.
struct TShown {
  uint64_t at = 0;
  int32_t picture = 0;
  int style = 0;
};

class SaverTest : public ::testing::Test {
 protected:
  SaverTest() {
    app::ResetProgramState();
    ResetProgramRandom();
    MouseSkipCount = 0;
    builder_.SetRuntime(scr::test::FakeRuntime());
    builder_.Settings().SetInterval(2000);
  }

  TSSFileLocations& Settings() { return builder_.Settings(); }
  void AddPicture(const TBitmap24& picture) {
    builder_.AddPicture("p" + std::to_string(++pictures_) + ".bmp", BuildImageStream("TBitmap", EncodeBmp24(picture)));
  }
  void AddPictureStream(std::vector<uint8_t> stream) {
    builder_.AddPicture("p" + std::to_string(++pictures_) + ".bin", std::move(stream));
  }
  // A package of n pattern pictures of different sizes.
  void AddPictures(int n) {
    for (int i = 0; i < n; ++i) AddPicture(scr::test::PatternBitmap(100 + 10 * i, 80 + 10 * i));
  }
  void Install() { p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes); }

  // Creates and shows the window; its activation (the set-up) waits in the queue.
  TfrmScrn& Start() {
    Install();
    form_ = std::make_unique<TfrmScrn>(p_);
    form_->PShow().OnComplete = [this] {
      shown_.push_back(TShown{p_.Desktop().Now(), form_->PicIndex(), form_->PShow().Style()});
    };
    form_->Window().Show();
    return *form_;
  }
  // Runs the set-up without the message loop (so the show does not start).
  TfrmScrn& StartAndSetUp() {
    Start();
    Pump();
    return *form_;
  }
  // Dispatches what waits, and what that posts, a few rounds.
  void Pump() {
    for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  }
  // Runs the message loop for `duration` ms of virtual time, then asks the window to
  // stop.
  void RunFor(uint64_t duration) {
    p_.Desktop().At(p_.Desktop().Now() + duration, [this] {
      if (form_->Window().Exists())
        p_.Windowing().PostMessageTo(form_->Window().Handle(), WM_STOPSHOW, 0, 0);
    });
    p_.Application().Run(form_->Window());
  }
  bool WindowOpen() { return form_ && form_->Window().Exists(); }
  std::vector<int> Styles() const {
    std::vector<int> out;
    for (const TShown& s : shown_) out.push_back(s.style);
    return out;
  }
  std::vector<int32_t> Pictures() const {
    std::vector<int32_t> out;
    for (const TShown& s : shown_) out.push_back(s.picture);
    return out;
  }
  size_t ErrorBoxes() { return p_.Log().Count("ShowException"); }

  THeadlessPlatform p_;
  TPackageBuilder builder_;
  int pictures_ = 0;
  std::unique_ptr<TfrmScrn> form_;
  std::vector<TShown> shown_;
};

}  // namespace scr::saver::test
