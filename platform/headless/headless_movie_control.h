#pragma once
// Headless movie controls: a fake control whose frame counters, failures and commands
// a test sets, recording every call it receives (also into the call log as
// "Movie <call>"), and a message dialog that answers as the test says.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/call_log.h"
#include "platform/message_dialog.h"
#include "platform/movie_control.h"

namespace scr::platform::headless {

enum class TMovieCall { SetMovie, TotalFrames, CurrentFrame, Play, Stop, StopPlay };

// What one control does; shared by the control and the factory so a test can reach the
// control after its owner let it go.
struct THeadlessMovieState {
  bool alive = true;
  TWindowHandle parent = 0;
  TRect bounds;
  bool visible = true;
  int32_t totalFrames = 0;
  int32_t currentFrame = 0;
  std::vector<std::u16string> movies;  // every path set, in order
  std::vector<std::string> calls;      // "Play", "Stop", "StopPlay", "Movie <path>", ...
  std::map<TMovieCall, std::string> failures;  // call -> error text
  TFSCommandEvent onFSCommand;
};

class THeadlessMovieControls : public IMovieControls {
 public:
  explicit THeadlessMovieControls(TCallLog& log) : log_(log) {}

  // Without the control installed, creating one fails with the system's text.
  void SetInstalled(bool installed) { installed_ = installed; }

  // The last control created (whether or not its owner still holds it); null before.
  THeadlessMovieState* Control() { return last_.get(); }
  int Created() const { return created_; }

  // The movie sends a command, as the control would from the message loop.
  void FireFSCommand(std::u16string_view command, std::u16string_view args);

  std::unique_ptr<IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& bounds) override;

 private:
  TCallLog& log_;
  bool installed_ = true;
  int created_ = 0;
  std::shared_ptr<THeadlessMovieState> last_;
};

class THeadlessDialogs : public IMessageDialogs {
 public:
  struct TShown {
    TWindowHandle owner;
    std::string text;
  };
  explicit THeadlessDialogs(TCallLog& log) : log_(log) {}

  void SetAnswer(TDialogAnswer answer) { answer_ = answer; }
  const std::vector<TShown>& Shown() const { return shown_; }

  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;

 private:
  TCallLog& log_;
  TDialogAnswer answer_ = TDialogAnswer::No;
  std::vector<TShown> shown_;
};

}  // namespace scr::platform::headless
