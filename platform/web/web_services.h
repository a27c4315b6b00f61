#pragma once
// The page's small services: the information question as the page's dialog, error
// boxes as the page's messages, addresses opened in a new tab, the system services of
// a saver file held in memory, and forms (the setup dialog is not part of the page:
// making one fails).
#include <map>
#include <memory>
#include <string>

#include "platform/forms.h"
#include "platform/message_dialog.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace scr::platform::web {

class TWebDialogs : public IMessageDialogs {
 public:
  TDialogAnswer InformationYesNo(TWindowHandle owner, const std::string& text) override;
};

// Error boxes go to the page as messages (text and caption are Windows-1252).
void WebErrorBox(const std::string& text, const std::string& caption);

class TWebShell : public IShell {
 public:
  void Open(TWindowHandle parent, const std::string& target) override;
};

class TWebForms : public IForms {
 public:
  std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) override;
  void SetCursor(TCursor cursor) override { cursor_ = cursor; }
  TCursor Cursor() const override { return cursor_; }

 private:
  TCursor cursor_ = TCursor::crDefault;
};

// The saver file stands where the Windows runtime finds its own executable; one
// in-memory folder serves as both the temporary and the system directory, so the
// files the saver writes out go with the run. No libraries load.
class TWebSystem : public ISystem {
 public:
  TWebSystem(std::string saverPath, std::string folder) : saverPath_(std::move(saverPath)), folder_(std::move(folder)) {}

  std::string ExecutablePath() override { return saverPath_; }
  std::string TempPath() override { return folder_ + "\\"; }
  std::string SystemDirectory() override { return folder_; }
  std::string ErrorText(uint32_t code) override;
  TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) override;
  std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) override { return nullptr; }

 private:
  std::string saverPath_;
  std::string folder_;
  std::shared_ptr<std::map<std::string, int>> semaphores_ = std::make_shared<std::map<std::string, int>>();
};

}  // namespace scr::platform::web
