#include "platform/web/web_services.h"

#include "common/ansi_text.h"
#include "common/errors.h"
#include "platform/web/web_bridge.h"

namespace scr::platform::web {

namespace {

class TSemaphoreHandle : public ISystemHandle {
 public:
  TSemaphoreHandle(std::shared_ptr<std::map<std::string, int>> table, std::string name)
      : table_(std::move(table)), name_(std::move(name)) {
    ++(*table_)[name_];
  }
  ~TSemaphoreHandle() override { Close(); }
  void Close() override {
    if (!table_) return;
    if (--(*table_)[name_] == 0) table_->erase(name_);
    table_.reset();
  }

 private:
  std::shared_ptr<std::map<std::string, int>> table_;
  std::string name_;
};

}  // namespace

TDialogAnswer TWebDialogs::InformationYesNo(TWindowHandle, const std::string& text) {
  return JsConfirm(AnsiToUtf8(text)) ? TDialogAnswer::Yes : TDialogAnswer::No;
}

void WebErrorBox(const std::string& text, const std::string& caption) { JsMessage(AnsiToUtf8(caption), AnsiToUtf8(text)); }

void TWebShell::Open(TWindowHandle, const std::string& target) { JsOpen(AnsiToUtf8(target)); }

std::unique_ptr<IForm> TWebForms::CreateForm(TFormSpec, IWindowEvents*) {
  throw Exception("Forms are not available in the page");
}

std::string TWebSystem::ErrorText(uint32_t code) {
  switch (code) {
    case kErrorAlreadyExists: return "Cannot create a file when that file already exists";
    case kErrorInvalidName: return "The filename, directory name, or volume label syntax is incorrect";
    default: return "System error " + std::to_string(code);
  }
}

TSemaphoreResult TWebSystem::CreateNamedSemaphore(const std::string& name, int32_t, int32_t) {
  TSemaphoreResult result;
  result.alreadyExisted = semaphores_->count(name) > 0;
  result.handle = std::make_unique<TSemaphoreHandle>(semaphores_, name);
  return result;
}

}  // namespace scr::platform::web
