#pragma once
// Process and system services: the running executable, the system's folders, the
// named semaphore of the single-instance lock, libraries and their exports.
#include <cstdint>
#include <memory>
#include <string>

#include "common/ansi_text.h"
#include "platform/types.h"

namespace scr::platform {

// The system's error numbers that callers test or report.
inline constexpr uint32_t kErrorAlreadyExists = 183;
inline constexpr uint32_t kErrorInvalidName = 123;

// A kernel object handle (the semaphore); closed when the object goes or on Close().
class ISystemHandle {
 public:
  virtual ~ISystemHandle() = default;
  virtual void Close() = 0;
};

struct TSemaphoreResult {
  std::unique_ptr<ISystemHandle> handle;  // empty when creation failed
  bool alreadyExisted = false;            // the last error was "already exists"
};

// An export of a loaded library; 0 when not found.
using TProcAddress = uintptr_t;

// A loaded library; unloaded when the object goes.
class ILibrary {
 public:
  virtual ~ILibrary() = default;
  virtual TProcAddress FindExport(const std::string& name) = 0;
  // Calls an export of the PwdChangePasswordA kind: (provider, window, reserved,
  // reserved) returning a 32-bit result.
  virtual uint32_t CallChangePassword(TProcAddress proc, const std::string& provider, TWindowHandle window,
                                      uint32_t reserved1, uint32_t reserved2) = 0;
};

// Text and paths given to and returned by the platform are UTF-8.
class ISystem {
 public:
  virtual ~ISystem() = default;
  // How the system's single-byte text (its ANSI code page) becomes UTF-8: Windows-1252
  // unless the system has a code page of its own.
  virtual TAnsiDecoder AnsiDecoder() { return AnsiToUtf8; }
  // Full path of the running executable, as the system reports it.
  virtual std::string ExecutablePath() = 0;
  // The temporary directory as the system gives it (normally ending in a backslash),
  // complete even when longer than the usual 254 characters; empty when the call fails.
  virtual std::string TempPath() = 0;
  // The system directory (normally without a trailing backslash); empty on failure.
  virtual std::string SystemDirectory() = 0;
  // The system's text for an error number, without trailing blanks, line breaks or
  // full stop ("Access is denied").
  virtual std::string ErrorText(uint32_t code) = 0;
  // Creates (or opens) a named semaphore with the given counts.
  virtual TSemaphoreResult CreateNamedSemaphore(const std::string& name, int32_t initialCount, int32_t maximumCount) = 0;
  // Loads a library by path; empty when it does not load.
  virtual std::unique_ptr<ILibrary> OpenLibrary(const std::string& path) = 0;
};

}  // namespace scr::platform
