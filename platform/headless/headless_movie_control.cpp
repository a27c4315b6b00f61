#include "platform/headless/headless_movie_control.h"

#include "common/ansi_text.h"
#include "common/errors.h"

namespace scr::platform::headless {

namespace {

// The text the system gives when a class is not registered.
constexpr const char* kClassNotRegistered = "Class not registered";

class THeadlessMovieControl final : public IMovieControl {
 public:
  THeadlessMovieControl(TCallLog& log, std::shared_ptr<THeadlessMovieState> state)
      : log_(log), s_(std::move(state)) {}
  ~THeadlessMovieControl() override {
    s_->alive = false;
    s_->onFSCommand = {};
    log_.Add("Movie free");
  }

  void SetVisible(bool visible) override {
    s_->visible = visible;
    Record(visible ? "Show" : "Hide");
  }
  bool Visible() const override { return s_->visible; }

  void SetMovie(const std::u16string& path) override {
    Check(TMovieCall::SetMovie);
    s_->movies.push_back(path);
    Record("Movie " + Utf16ToAnsi(path));
  }
  int32_t TotalFrames() override {
    Check(TMovieCall::TotalFrames);
    Record("TotalFrames");
    return s_->totalFrames;
  }
  int32_t CurrentFrame() override {
    Check(TMovieCall::CurrentFrame);
    Record("CurrentFrame");
    return s_->currentFrame;
  }
  void Play() override {
    Check(TMovieCall::Play);
    Record("Play");
  }
  void Stop() override {
    Check(TMovieCall::Stop);
    Record("Stop");
  }
  void StopPlay() override {
    Check(TMovieCall::StopPlay);
    Record("StopPlay");
  }
  void SetOnFSCommand(TFSCommandEvent handler) override { s_->onFSCommand = std::move(handler); }

 private:
  void Record(const std::string& call) {
    s_->calls.push_back(call);
    log_.Add("Movie " + call);
  }
  void Check(TMovieCall call) {
    const auto failure = s_->failures.find(call);
    if (failure != s_->failures.end()) throw Exception(failure->second);
  }

  TCallLog& log_;
  std::shared_ptr<THeadlessMovieState> s_;
};

}  // namespace

std::unique_ptr<IMovieControl> THeadlessMovieControls::CreateMovieControl(TWindowHandle parent, const TRect& bounds) {
  if (!installed_) {
    log_.Add("Movie create failed");
    throw Exception(kClassNotRegistered);
  }
  ++created_;
  last_ = std::make_shared<THeadlessMovieState>();
  last_->parent = parent;
  last_->bounds = bounds;
  log_.Add("Movie create " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
           std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
  return std::make_unique<THeadlessMovieControl>(log_, last_);
}

void THeadlessMovieControls::FireFSCommand(std::u16string_view command, std::u16string_view args) {
  if (!last_ || !last_->alive || !last_->onFSCommand) return;
  // A copy: the handler may free the control.
  const TFSCommandEvent handler = last_->onFSCommand;
  handler(command, args);
}

TDialogAnswer THeadlessDialogs::InformationYesNo(TWindowHandle owner, const std::string& text) {
  shown_.push_back(TShown{owner, text});
  log_.Add("MessageDlg Information " + text + (answer_ == TDialogAnswer::Yes ? " -> Yes" : " -> No"));
  return answer_;
}

}  // namespace scr::platform::headless
