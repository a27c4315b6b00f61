#include "platform/headless/headless_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "common/errors.h"
#include "package/bmp_codec.h"
#include "platform/canvas_host.h"
#include "platform/freetype/freetype_text.h"
#include "platform/headless/headless_cover_window.h"
#include "platform/headless/headless_input.h"
#include "transition/colors.h"

namespace scr::platform::headless {

namespace {

constexpr uint32_t kTimer = 0x0113;

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Writes the BMP file of a bitmap (what a failed write leaves is no concern of the
// recording: the frames are for looking at).
void WriteBmp(const std::string& path, const TBitmap24& b) {
  const std::vector<uint8_t> bytes = EncodeBmp24(b);
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

class THeadlessRegistryKey : public IRegistryKey {
 public:
  THeadlessRegistryKey(std::map<std::string, std::pair<bool, int32_t>> values, TCallLog& log)
      : values_(std::move(values)), log_(log) {}
  ~THeadlessRegistryKey() override { log_.Add("RegCloseKey"); }
  int32_t ReadInteger(const std::string& name) override {
    log_.Add("RegQueryValue " + name);
    const auto it = values_.find(Lower(name));
    if (it == values_.end()) throw Exception("Failed to get data for '" + name + "'");
    if (!it->second.first) throw Exception("Invalid data type for '" + name + "'");
    return it->second.second;
  }

 private:
  std::map<std::string, std::pair<bool, int32_t>> values_;
  TCallLog& log_;
};

}  // namespace

// ---- Screen windows ----

class THeadlessScreenWindow : public IScreenWindow, public TCanvasHost, public TScreenEventsRelay {
 public:
  THeadlessScreenWindow(THeadlessScreen& screen, const TWindowSpec& desc, IScreenWindowEvents* events)
      : TScreenEventsRelay(events), screen_(screen), desktop_(screen.Desktop()), bounds_(desc.bounds) {
    window_ = desktop_.CreateTopWindow(desc, this);
    SetCanvasColor(desc.color);
    SetClientSize(std::max(0, bounds_.Width()), std::max(0, bounds_.Height()));
    desktop_.SetMessageHandler(window_->Handle(), [this](uint32_t m, uintptr_t wp, intptr_t lp) {
      return Input(m, wp, lp);
    });
  }
  ~THeadlessScreenWindow() override {
    WaitWorkers();  // while the window they belong to is still there
    screen_.WindowGone(this);
    window_.reset();
  }

  // IWindow
  TWindowHandle Handle() const override { return window_->Handle(); }
  void Show() override {
    if (events_ && !desktop_.OwnWindowVisible(Handle())) events_->Showing();
    window_->Show();
    InvalidateRect(Canvas().Bounds());
  }
  void Hide() override { window_->Hide(); }
  void Close() override { window_->Close(); }
  bool Exists() const override { return window_->Exists(); }

  // IScreenWindow
  ITransitionHost& TransitionHost() override { return *this; }
  void SetColor(uint32_t rgb) override { SetCanvasColor(rgb); }
  uint32_t Color() const override { return CanvasColor(); }
  void SetBounds(const TRect& bounds) override {
    bounds_ = bounds;
    desktop_.SetOwnBounds(Handle(), bounds);
    screen_.Log().Add("SetBounds " + std::to_string(bounds.left) + "," + std::to_string(bounds.top) + "," +
                      std::to_string(bounds.right) + "," + std::to_string(bounds.bottom));
    SetClientSize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
  }
  TRect Bounds() const override { return bounds_; }
  void MakeTopmost() override {
    topmost_ = true;
    screen_.Log().Add("SetWindowPos HWND_TOPMOST");
  }
  bool Topmost() const override { return topmost_; }
  void HideTaskbarEntry() override { screen_.Log().Add("HideTaskbarEntry"); }
  void ReleaseMouseCapture() override { screen_.Log().Add("ReleaseCapture"); }

  // ITransitionHost: virtual time passes one millisecond per pump.
  uint32_t TickCount() override { return desktop_.TickCount(); }
  void ProcessMessages() override {
    PumpThenServe(desktop_);
    desktop_.Advance(1);
  }
  void UpdateNow() override { PaintPending(); }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  void PaintPending() {
    if (!window_->Exists() || !desktop_.OwnWindowVisible(Handle())) return;
    const TRect area = TakeInvalidRect();
    if (area.IsEmpty()) return;
    PaintArea(area);
    screen_.Presented();
  }
  bool Visible() const { return window_->Exists() && desktop_.OwnWindowVisible(Handle()); }

 private:
  bool Input(uint32_t m, uintptr_t wp, intptr_t lp) { return DeliverInput(events_, m, wp, lp); }

  THeadlessScreen& screen_;
  THeadlessDesktop& desktop_;
  TRect bounds_;
  bool topmost_ = false;
  std::unique_ptr<IWindow> window_;
};

// ---- Timers ----

class THeadlessTimer : public ITimer {
 public:
  THeadlessTimer(THeadlessScreen& screen, uint32_t id) : screen_(screen), id_(id) {}
  ~THeadlessTimer() override { screen_.TimerGone(id_); }

  void SetInterval(uint32_t ms) override {
    if (ms == interval_) return;
    interval_ = ms;
    Arm();
  }
  uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    screen_.Log().Add("Timer " + std::to_string(id_) + (enabled ? " on " + std::to_string(interval_) : " off") +
                      " @" + std::to_string(screen_.Desktop().Now()));
    Arm();
  }
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()> onTimer) override {
    onTimer_ = std::move(onTimer);
    Arm();
  }

  // A tick message arrived.
  void Tick(intptr_t generation) {
    if (generation != static_cast<intptr_t>(generation_) || !enabled_) return;
    pending_ = false;
    screen_.Log().Add("Timer " + std::to_string(id_) + " tick @" + std::to_string(screen_.Desktop().Now()));
    if (onTimer_) {
      const std::function<void()> handler = onTimer_;
      handler();
    }
  }

 private:
  // A new period: ticks of the old one no longer count.
  void Arm() {
    ++generation_;
    pending_ = false;
    if (!enabled_ || interval_ == 0 || !onTimer_) return;
    Schedule(screen_.Desktop().Now() + interval_);
  }
  void Schedule(uint64_t at) {
    THeadlessScreen* screen = &screen_;
    const uint32_t id = id_;
    const uint32_t generation = generation_;
    screen_.Desktop().At(at, [screen, id, generation, at] {
      const auto it = screen->timers_.find(id);
      if (it == screen->timers_.end()) return;
      THeadlessTimer& t = *it->second;
      if (t.generation_ != generation) return;
      // Like the system's timer messages, at most one waits in the queue.
      if (!t.pending_) {
        t.pending_ = true;
        screen->Desktop().PostMessageTo(screen->TimerWindow(), kTimer, id, static_cast<intptr_t>(generation));
      }
      t.Schedule(at + t.interval_);
    });
  }

  THeadlessScreen& screen_;
  uint32_t id_;
  uint32_t interval_ = 1000;
  bool enabled_ = false;
  bool pending_ = false;
  uint32_t generation_ = 0;
  std::function<void()> onTimer_;
};

// ---- The screen ----

THeadlessScreen::THeadlessScreen(TCallLog& log, THeadlessDesktop& desktop)
    : log_(log), desktop_(desktop), text_(std::make_unique<TFreeTypeText>()) {
  if (const char* folder = std::getenv("SCR_HEADLESS_FRAMES")) frameFolder_ = folder;
}

THeadlessScreen::~THeadlessScreen() = default;

std::unique_ptr<IScreenWindow> THeadlessScreen::CreateScreenWindow(const TWindowSpec& desc,
                                                                   IScreenWindowEvents* events) {
  auto w = std::make_unique<THeadlessScreenWindow>(*this, desc, events);
  windows_.push_back(w.get());
  return w;
}

void THeadlessScreen::WindowGone(THeadlessScreenWindow* w) { std::erase(windows_, w); }

void THeadlessScreen::SetIdleHandler(std::function<void()> handler) {
  idle_ = std::move(handler);
  log_.Add(idle_ ? "SetIdleHandler" : "RemoveIdleHandler");
  // The desktop's idle turn also brings the windows' pending repaints to the screen,
  // as the system paints when the queue runs empty.
  if (idle_) {
    desktop_.SetIdleHandler([this] {
      PaintPending();
      if (idle_) {
        const std::function<void()> idle = idle_;
        idle();
      }
    });
  } else {
    desktop_.SetIdleHandler([this] { PaintPending(); });
  }
}

void THeadlessScreen::PaintPending() {
  for (THeadlessScreenWindow* w : std::vector<THeadlessScreenWindow*>(windows_)) w->PaintPending();
}

void THeadlessScreen::Presented() {
  ++framesPresented_;
  if (OnPresent) OnPresent();
  if (frameFolder_.empty()) return;
  char name[32];
  std::snprintf(name, sizeof name, "/frame-%06d.bmp", framesPresented_);
  WriteBmp(frameFolder_ + name, Snapshot());
}

TBitmap24 THeadlessScreen::Snapshot() const {
  const TRect screen = desktop_.ScreenRect();
  TBitmap24 shot(screen.Width(), screen.Height());
  for (const THeadlessScreenWindow* w : windows_)
    if (w->Visible()) DrawBitmap(shot, w->Bounds().left - screen.left, w->Bounds().top - screen.top, w->Canvas());
  return shot;
}

TBitmap24 THeadlessScreen::Snapshot(const TRect& area) const {
  TBitmap24 shot(std::max(0, area.Width()), std::max(0, area.Height()));
  for (const THeadlessScreenWindow* w : windows_)
    if (w->Visible()) DrawBitmap(shot, w->Bounds().left - area.left, w->Bounds().top - area.top, w->Canvas());
  for (const THeadlessCoverWindow* c : covers_) {
    if (!c->Visible()) continue;
    const TRect b = Intersect(c->Bounds(), area);
    for (int y = b.top; y < b.bottom; ++y)
      std::fill_n(shot.Row(y - area.top) + 3 * (b.left - area.left), 3 * b.Width(), uint8_t{0});
  }
  return shot;
}

std::vector<THeadlessScreen::TCoverState> THeadlessScreen::ScreenWindows() const {
  std::vector<TCoverState> out;
  for (const THeadlessScreenWindow* w : windows_) out.push_back(TCoverState{w->Handle(), w->Bounds(), w->Visible()});
  return out;
}

THeadlessScreenWindow* THeadlessScreen::InputTarget() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->Visible()) return *it;
  return nullptr;
}

std::optional<std::pair<TWindowHandle, TRect>> THeadlessScreen::WindowAt(int x, int y) const {
  for (const THeadlessCoverWindow* c : covers_) {
    const TRect b = c->Bounds();
    if (c->Visible() && x >= b.left && x < b.right && y >= b.top && y < b.bottom) return std::pair{c->Handle(), b};
  }
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    const TRect b = (*it)->Bounds();
    if ((*it)->Visible() && x >= b.left && x < b.right && y >= b.top && y < b.bottom)
      return std::pair{(*it)->Handle(), b};
  }
  if (const THeadlessScreenWindow* w = InputTarget()) return std::pair{w->Handle(), w->Bounds()};
  return std::nullopt;
}

bool THeadlessScreen::PostKeyDown(uint16_t key, TShiftBits shift) {
  THeadlessScreenWindow* w = InputTarget();
  return w && PostKeyDownTo(w->Handle(), key, shift);
}

bool THeadlessScreen::PostKeyDownTo(TWindowHandle window, uint16_t key, TShiftBits shift) {
  return desktop_.PostMessageTo(window, kKeyDownMessage, key | (static_cast<uintptr_t>(shift) << 16), 0);
}

bool THeadlessScreen::PostMouseMove(int x, int y, TShiftBits shift) {
  const auto target = WindowAt(x, y);
  return target && desktop_.PostMessageTo(target->first, kMouseMoveMessage, static_cast<uintptr_t>(shift) << 16,
                                          PointParam(x - target->second.left, y - target->second.top));
}

bool THeadlessScreen::PostMouseDown(TButton button, int x, int y, TShiftBits shift) {
  return PostButton(ButtonMessage(button, false), x, y, shift);
}

bool THeadlessScreen::PostDoubleClick(TButton button, int x, int y, TShiftBits shift) {
  return PostButton(ButtonMessage(button, true), x, y, shift);
}

bool THeadlessScreen::PostButton(uint32_t message, int x, int y, TShiftBits shift) {
  const auto target = WindowAt(x, y);
  return target && desktop_.PostMessageTo(target->first, message, static_cast<uintptr_t>(shift) << 16,
                                          PointParam(x - target->second.left, y - target->second.top));
}

std::unique_ptr<IWindow> THeadlessScreen::CreateCoverWindow(const TRect& bounds, IScreenWindowEvents* events) {
  auto c = std::make_unique<THeadlessCoverWindow>(*this, bounds, events);
  covers_.push_back(c.get());
  return c;
}

void THeadlessScreen::CoverGone(THeadlessCoverWindow* c) { std::erase(covers_, c); }

std::vector<THeadlessScreen::TCoverState> THeadlessScreen::Covers() const {
  std::vector<TCoverState> out;
  for (const THeadlessCoverWindow* c : covers_) out.push_back(TCoverState{c->Handle(), c->Bounds(), c->Visible()});
  return out;
}

std::unique_ptr<ITimer> THeadlessScreen::CreateTimer() {
  const uint32_t id = nextTimer_++;
  auto t = std::make_unique<THeadlessTimer>(*this, id);
  timers_[id] = t.get();
  return t;
}

void THeadlessScreen::TimerGone(uint32_t id) { timers_.erase(id); }

TWindowHandle THeadlessScreen::TimerWindow() {
  if (!timerWindow_ || !timerWindow_->Exists()) {
    TWindowSpec desc;
    desc.caption = "TimerWindow";
    desc.bounds = TRect{};
    timerWindow_ = desktop_.CreateTopWindow(desc, nullptr);
    desktop_.SetMessageHandler(timerWindow_->Handle(), [this](uint32_t m, uintptr_t wp, intptr_t lp) {
      if (m != kTimer) return false;
      if (const auto it = timers_.find(static_cast<uint32_t>(wp)); it != timers_.end()) it->second->Tick(lp);
      return true;
    });
  }
  return timerWindow_->Handle();
}

int THeadlessScreen::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  log_.Add(std::string("ShowCursor ") + (show ? "1" : "0") + " " + std::to_string(cursorCount_));
  return cursorCount_;
}

bool THeadlessScreen::SetScreenSaverRunning(bool running) {
  saverRunning_ = running;
  log_.Add(std::string("SystemParametersInfo 97 ") + (running ? "1" : "0"));
  return true;
}

uint32_t THeadlessScreen::SysColor(int index) { return DefaultSysColor(index); }

void THeadlessScreen::SetRegistryKey(const std::string& path) { registry_[Lower(path)]; }

void THeadlessScreen::RemoveRegistryKey(const std::string& path) { registry_.erase(Lower(path)); }

void THeadlessScreen::SetRegistryInteger(const std::string& path, const std::string& name,
                                         std::optional<int32_t> value) {
  auto& key = registry_[Lower(path)];
  if (value)
    key[Lower(name)] = TRegValue{true, *value};
  else
    key.erase(Lower(name));
}

void THeadlessScreen::SetRegistryText(const std::string& path, const std::string& name, const std::string&) {
  registry_[Lower(path)][Lower(name)] = TRegValue{false, 0};
}

std::unique_ptr<IRegistryKey> THeadlessScreen::OpenCurrentUserKey(const std::string& path) {
  const auto it = registry_.find(Lower(path));
  if (it == registry_.end()) {
    log_.Add("RegOpenKey " + path + " failed");
    return nullptr;
  }
  log_.Add("RegOpenKey " + path);
  std::map<std::string, std::pair<bool, int32_t>> values;
  for (const auto& [name, v] : it->second) values[name] = {v.integer, v.value};
  return std::make_unique<THeadlessRegistryKey>(std::move(values), log_);
}

bool THeadlessScreen::CallVerifyScreenSavePwd(TProcAddress proc, TWindowHandle window) {
  log_.Add("VerifyScreenSavePwd " + std::to_string(window) + (passwordAnswer_ ? " accepted" : " refused"));
  return passwordAnswer_;
}

TTextSize THeadlessScreen::TextExtent(const TTextFont& font, std::string_view text) {
  return text_->Extent(font, text);
}

void THeadlessScreen::DrawTextAt(TBitmap24& bitmap, int x, int y, const TTextFont& font, std::string_view text) {
  log_.Add("DrawText " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(text));
  text_->Draw(bitmap, x, y, font, text);
}

}  // namespace scr::platform::headless
