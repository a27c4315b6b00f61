#pragma once
// Movie-mode saver runs on the headless backend: a "flash" saver file made with the
// package builder, the saver window made with movie mode as its part, the fake movie
// control, the simulated hook library and a message dialog that answers as told.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "common/random.h"
#include "hook/wexkhlib.h"
#include "package/bmp_codec.h"
#include "package/component_writer.h"
#include "package/package_builder.h"
#include "platform/headless/headless_movie_control.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/hook_host.h"
#include "saver/flash_mode.h"
#include "saver/screen_saver.h"
#include "tests/support/saver_files.h"

namespace scr::saver::test {

using platform::headless::THeadlessDialogs;
using platform::headless::THeadlessHookHost;
using platform::headless::THeadlessMovieControls;
using platform::headless::THeadlessMovieState;
using platform::headless::THeadlessPlatform;
using platform::headless::TMovieCall;

class MovieTest : public ::testing::Test {
 protected:
  MovieTest() {
    app::ResetProgramState();
    ResetProgramRandom();
    MouseSkipCount = 0;
    wexkhlib::Unload();
    builder_.SetRuntime(scr::test::FakeRuntime());
    builder_.Settings().SetInterval(2000);
    builder_.Settings().SetVer("flash");
    builder_.SetHookLibrary(std::vector<uint8_t>(64, 'h'));
  }
  ~MovieTest() override {
    form_.reset();
    wexkhlib::Unload();
  }

  TSSFileLocations& Settings() { return builder_.Settings(); }
  void AddMovies(int n) {
    for (int i = 0; i < n; ++i)
      builder_.AddMovie("m" + std::to_string(++movies_) + ".swf", std::vector<uint8_t>(10, 'm'));
  }
  void AddPictures(int n) {
    for (int i = 0; i < n; ++i)
      builder_.AddPicture("p" + std::to_string(i) + ".bmp",
                          BuildImageStream("TBitmap", EncodeBmp24(scr::test::PatternBitmap(40, 30))));
  }
  void SetLanguageFile(const std::string& text) {
    p_.Files().SetFile("C:\\SAVERS\\nuvscr.ini", std::vector<uint8_t>(text.begin(), text.end()));
  }

  // Creates and shows the window and runs its set-up (the first activation) without
  // the message loop.
  TfrmScrn& StartAndSetUp() {
    p_.Files().SetFile(p_.System().ExecutablePath(), builder_.Build().bytes);
    auto flash = std::make_unique<TFlashMode>(p_, TFlashServices{hooks_, movies_fake_, dialogs_});
    flash_ = flash.get();
    TSaverParts parts;
    parts.flash = std::move(flash);
    form_ = std::make_unique<TfrmScrn>(p_, std::move(parts));
    form_->PShow().OnComplete = [this] { ++shown_; };
    form_->Window().Show();
    Pump();
    return *form_;
  }
  void Pump() {
    for (int i = 0; i < 4; ++i) p_.Application().ProcessMessages();
  }
  // Runs the message loop for duration ms of virtual time, then ends it.
  void RunFor(uint64_t duration) {
    p_.Desktop().At(p_.Desktop().Now() + duration, [this] { p_.Application().Terminate(); });
    p_.Application().Run(form_->Window());
  }
  bool WindowOpen() { return form_ && form_->Window().Exists(); }
  THeadlessMovieState& Control() {
    THeadlessMovieState* c = movies_fake_.Control();
    EXPECT_NE(c, nullptr);
    return *c;
  }
  // The calls the control received, without the show and hide.
  std::vector<std::string> PlayerCalls() {
    std::vector<std::string> out;
    for (const std::string& c : Control().calls)
      if (c != "Show" && c != "Hide") out.push_back(c);
    return out;
  }
  size_t ErrorBoxes(const std::string& text) { return p_.Log().Count("ShowException " + text); }

  THeadlessPlatform p_;
  THeadlessHookHost hooks_;
  THeadlessMovieControls movies_fake_{p_.Log()};
  THeadlessDialogs dialogs_{p_.Log()};
  TPackageBuilder builder_;
  int movies_ = 0;
  int shown_ = 0;
  TFlashMode* flash_ = nullptr;
  std::unique_ptr<TfrmScrn> form_;
};

}  // namespace scr::saver::test
