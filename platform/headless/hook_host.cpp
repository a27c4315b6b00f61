#include "platform/headless/hook_host.h"

#include <utility>

namespace scr::platform::headless {

// The system's event record; receivers read its first field.
struct THeadlessHookHost::TEventRecord {
  uint32_t Message;
  uint32_t ParamL;
  uint32_t ParamH;
  uint32_t Time;
  uintptr_t Window;
};

namespace {

constexpr int32_t kHookActionCode = 0;

}  // namespace

class THeadlessHookHost::TLibrary final : public hook::THookSystem {
 public:
  explicit TLibrary(THeadlessHookHost* host) : host_(host) {}

  void Detach() { host_ = nullptr; }

  uintptr_t SetJournalHook() override {
    if (refuse_) return 0;
    ++hooksSet_;
    installed_ = true;
    return 0x4B000 + static_cast<uintptr_t>(hooksSet_);
  }
  void RemoveJournalHook(uintptr_t) override { installed_ = false; }
  intptr_t CallNextHook(uintptr_t, int32_t, uintptr_t, intptr_t) override { return 0; }
  intptr_t Send(uint32_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return host_ ? host_->SendToWindow(window, message, wParam, lParam) : 0;
  }
  void SetLastError(uint32_t code) override { lastError_ = code; }

  hook::THookTable table_{};
  hook::THookState state_{table_, *this};
  THeadlessHookHost* host_;
  bool refuse_ = false;
  bool installed_ = false;
  int hooksSet_ = 0;
  int unloads_ = 0;
  uint32_t lastError_ = 0;
  std::vector<TInstallCall> installs_;
  std::vector<TUninstallCall> uninstalls_;
};

namespace {

class THeadlessModule final : public IHookModule {
 public:
  THeadlessModule(std::shared_ptr<THeadlessHookHost::TLibrary> library, bool entryPoints)
      : library_(std::move(library)), entryPoints_(entryPoints) {}
  ~THeadlessModule() override { ++Lib().unloads_; }

  std::optional<int32_t> InstallHook(TWindowHandle window, uint32_t message) override {
    if (!entryPoints_) return std::nullopt;
    const int32_t result = Lib().state_.InstallHook(static_cast<uint32_t>(window), message);
    Lib().installs_.push_back({window, message, result});
    return result;
  }
  std::optional<int32_t> UninstallHook(TWindowHandle window) override {
    if (!entryPoints_) return std::nullopt;
    const int32_t result = Lib().state_.UninstallHook(static_cast<uint32_t>(window));
    Lib().uninstalls_.push_back({window, result});
    return result;
  }

 private:
  THeadlessHookHost::TLibrary& Lib() { return *library_; }
  std::shared_ptr<THeadlessHookHost::TLibrary> library_;
  bool entryPoints_;
};

}  // namespace

THeadlessHookHost::THeadlessHookHost() : library_(std::make_shared<TLibrary>(this)) {}

THeadlessHookHost::~THeadlessHookHost() { library_->Detach(); }

void THeadlessHookHost::SetRefuseJournalHook(bool refuse) { library_->refuse_ = refuse; }

intptr_t THeadlessHookHost::InjectEvent(uint32_t eventMessage) {
  if (!library_->installed_) return 0;
  TEventRecord record{eventMessage, 0, 0, 0, 0};
  const TEventRecord* outer = std::exchange(currentRecord_, &record);
  const intptr_t result = library_->state_.HookProc(kHookActionCode, 0, reinterpret_cast<intptr_t>(&record));
  currentRecord_ = outer;
  return result;
}

intptr_t THeadlessHookHost::InjectNotice(int32_t code) {
  if (!library_->installed_) return 0;
  return library_->state_.HookProc(code, 0, 0);
}

int THeadlessHookHost::Unloads() const { return library_->unloads_; }
const std::vector<THeadlessHookHost::TInstallCall>& THeadlessHookHost::InstallCalls() const {
  return library_->installs_;
}
const std::vector<THeadlessHookHost::TUninstallCall>& THeadlessHookHost::UninstallCalls() const {
  return library_->uninstalls_;
}
bool THeadlessHookHost::JournalHookInstalled() const { return library_->installed_; }
uint32_t THeadlessHookHost::LastError() const { return library_->lastError_; }
int THeadlessHookHost::JournalHooksSet() const { return library_->hooksSet_; }
const hook::THookTable& THeadlessHookHost::Table() const { return library_->table_; }

intptr_t THeadlessHookHost::SendToWindow(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  TNuvMessage M;
  M.Msg = message;
  M.WParam = wParam;
  M.LParam = lParam;
  // Only the record of the event being recorded is read; any other lParam (a message
  // sent by some other program) is just a number.
  if (lParam != 0 && currentRecord_ && lParam == reinterpret_cast<intptr_t>(currentRecord_))
    M.EventMessage = currentRecord_->Message;
  // A copy: the procedure may destroy its own window.
  const THookWindowProc proc = it->second;
  proc(M);
  return M.Result;
}

std::unique_ptr<IHookModule> THeadlessHookHost::LoadHookModule(const std::string& path) {
  loadedPaths_.push_back(path);
  if (!libraryPresent_) return nullptr;
  return std::make_unique<THeadlessModule>(library_, entryPointsPresent_);
}

TWindowHandle THeadlessHookHost::CreateHookWindow(THookWindowProc proc) {
  if (refuseWindows_) return 0;
  const TWindowHandle window = nextWindow_;
  nextWindow_ += 0x10;
  windows_.emplace(window, std::move(proc));
  return window;
}

void THeadlessHookHost::DestroyHookWindow(TWindowHandle window) { windows_.erase(window); }

void THeadlessHookHost::ErrorBox(const std::string& text, const std::string& caption) {
  messageBoxes_.push_back({text, caption});
}

}  // namespace scr::platform::headless
