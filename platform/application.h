#pragma once
// The application object: the main thread's component services, its message queue
// and the message loop.
#include <cstdint>
#include <string>

#include "platform/windowing.h"

namespace scr::platform {

class IApplication {
 public:
  virtual ~IApplication() = default;
  // Initialises the component object services for the main thread (single-threaded
  // apartment); undone when the platform object goes. Called once, before any form.
  virtual void Initialize() = 0;
  // Dispatches the messages already waiting, then returns.
  virtual void ProcessMessages() = 0;
  // Blocks until a message arrives or timeoutMs pass, without using the processor.
  virtual void WaitForMessages(uint32_t timeoutMs) = 0;
  // The message loop: runs until mainWindow is destroyed or Terminate is called.
  virtual void Run(IWindow& mainWindow) = 0;
  // Ends the message loop at its next turn.
  virtual void Terminate() = 0;
  // The application's standard report of an error that escaped an event handler: a
  // message box with the error's text. The program carries on.
  virtual void ShowException(const std::string& message) = 0;
  // Milliseconds since an arbitrary start; wraps at 2^32.
  virtual uint32_t TickCount() = 0;
};

}  // namespace scr::platform
