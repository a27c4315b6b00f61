#pragma once
#include <functional>

#include "platform/application.h"
#include "platform/windowing.h"

namespace scr::platform::win32 {

class TWin32Desktop : public IWindowing, public IApplication {
 public:
  ~TWin32Desktop() override;

  bool Exists(TWindowHandle window) override;
  bool IsVisible(TWindowHandle window) override;
  std::optional<TRect> WindowRect(TWindowHandle window) override;
  std::optional<TRect> ClientRect(TWindowHandle window) override;
  std::unique_ptr<IDeviceContext> WindowDC(TWindowHandle window) override;
  TRect ScreenRect() override;
  std::vector<TMonitor> Monitors() override;
  std::unique_ptr<IWindow> CreateTopWindow(const TWindowSpec& desc, IWindowEvents* events) override;
  bool PostMessageTo(TWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;

  void Initialize() override;
  void ProcessMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  void Run(IWindow& mainWindow) override;
  void Terminate() override;
  void ShowException(const std::string& message) override;
  uint32_t TickCount() override;

  // The application's idle handler: Run calls it each time it finds the queue empty,
  // before it waits. An error escaping it is reported like a handler's.
  void SetIdleHandler(std::function<void()> handler) { idle_ = std::move(handler); }

 private:
  bool comInitialized_ = false;
  bool terminated_ = false;
  std::function<void()> idle_;
};

}  // namespace scr::platform::win32
