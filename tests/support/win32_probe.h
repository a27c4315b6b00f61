#pragma once
// What the Win32 probes of the Wine tests share: starting a program and waiting for it,
// finding the windows of its process, reading what the screen shows, and posting input
// and requests to its windows. Probes print their findings; these helpers only act.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scr::test::win32 {

// Handles this thread's waiting window messages.
void Pump();

// A started program. A process still running when the object goes is left running;
// Finish ends it.
class TProcess {
 public:
  TProcess() = default;
  // Starts `program` (a full path) with its quoted path and then `arguments`, each
  // after a blank, as its command line. Started() tells whether that worked.
  TProcess(const std::string& program, const std::vector<std::string>& arguments);
  TProcess(TProcess&& other) noexcept;
  TProcess& operator=(TProcess&& other) noexcept;
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;
  ~TProcess();

  bool Started() const { return info_.hProcess != nullptr; }
  HANDLE Handle() const { return info_.hProcess; }
  DWORD Id() const { return info_.dwProcessId; }
  bool Running() const;
  // Waits up to ms for the end without handling messages.
  bool WaitEnd(DWORD ms) const;
  // Waits up to ms for the end, handling this thread's messages meanwhile (a probe
  // that owns windows must, or Wine stops taking in its X events).
  bool WaitEndPumping(DWORD ms) const;
  // Waits (pumping) up to ms, ends a process still running then with exit code 99,
  // closes the handles and tells whether it had ended by itself; its exit code goes
  // to *exitCode when given.
  bool Finish(DWORD ms, DWORD* exitCode = nullptr);

 private:
  void Close();
  PROCESS_INFORMATION info_{};
};

std::string WindowText(HWND h);
std::string ClassOf(HWND h);
// The message text of a system message box.
std::string MessageBoxText(HWND box);

// The top-level windows of a process: its dialogs and message boxes (class "#32770")
// and the others.
struct TProcessWindows {
  std::vector<HWND> dialogs;
  std::vector<HWND> windows;
};
TProcessWindows WindowsOf(DWORD processId);

// The first visible top-level window of the process with that class, or nullptr.
HWND FindVisibleWindow(DWORD processId, const std::string& className);

std::vector<HWND> Children(HWND parent);

// Whether the window is visible and covers the whole primary screen.
bool CoversScreen(HWND h);

// Pixels as the screen shows them (another process's drawing reaches the screen, not
// this process's own window DC): top row first, bytes blue, green, red, rows padded to
// four bytes.
struct TScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgr;

  size_t Stride() const { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }
  COLORREF At(int x, int y) const;
};
TScreenPixels CaptureScreen(const RECT& area);
// The screen under the window's rectangle.
TScreenPixels CaptureWindow(HWND h);
// Writes the pixels as a bottom-up 24-bit bitmap file; false when it cannot.
bool WriteBmp(const std::string& path, const TScreenPixels& pixels);

// Posts a click to a button of another process (a sent one would wait for its loop).
void PostClick(HWND button);
// Posts the command a message box's button sends, as if that button were pressed.
void PostButtonCommand(HWND box, int id, HWND button = nullptr);
// Posts a key press and release of the virtual key to the window.
void PostKeyPress(HWND h, UINT virtualKey);
// Asks every window of a saver to end: its boxes are closed and its other windows get
// the stop message 0x402, which ends a saver like an exit request.
void PostStopRequest(DWORD processId);

}  // namespace scr::test::win32
