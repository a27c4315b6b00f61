// The music tests' helper under Wine (win32 build).
//
//   music_probe play FILE...
//       Opens and plays each file through the runtime's own media player and prints
//       what the device answered: the device's product name, the open and play
//       results (the device's error text on failure) and the notice that arrived
//       within five seconds ("none" when none did).
//   music_probe watch SAVER MS FILE...
//       Starts SAVER /s, watches it for MS milliseconds (message boxes of its process,
//       which FILEs appear), then sends its windows the stop message and waits for it
//       to end; prints running, dialog, seen, ended and left (FILEs still there).
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media_player.h"
#include "platform/platform.h"

namespace {

using scr::platform::TMPNotifyValue;

const char* NoticeName(TMPNotifyValue v) {
  switch (v) {
    case TMPNotifyValue::Successful: return "successful";
    case TMPNotifyValue::Superseded: return "superseded";
    case TMPNotifyValue::Aborted: return "aborted";
    case TMPNotifyValue::Failure: return "failure";
  }
  return "?";
}

// The product name of the device the system picks for the file, straight from MCI.
std::string DeviceProduct(const std::string& file) {
  MCI_OPEN_PARMSA open{};
  open.lpstrElementName = file.c_str();
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0) return "-";
  char product[128] = "";
  MCI_INFO_PARMSA info{};
  info.lpstrReturn = product;
  info.dwRetSize = sizeof product;
  mciSendCommandA(open.wDeviceID, MCI_INFO, MCI_INFO_PRODUCT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&info));
  MCI_GENERIC_PARMS close{};
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
  return product;
}

int Play(const std::vector<std::string>& files) {
  std::unique_ptr<scr::platform::TPlatform> p = scr::platform::CreatePlatform("win32");
  if (!p) return 1;
  for (const std::string& file : files) {
    std::printf("file=%s\ndevice=%s\n", file.c_str(), DeviceProduct(file).c_str());
    std::unique_ptr<scr::platform::IMediaPlayer> player = p->Media().CreateMediaPlayer();
    std::optional<TMPNotifyValue> notice;
    player->SetOnNotify([&](TMPNotifyValue v) { notice = v; });
    player->SetFileName(file);
    try {
      player->Open();
      std::printf("open=ok\n");
      player->Play();
      std::printf("play=ok\n");
      const DWORD start = GetTickCount();
      while (!notice && GetTickCount() - start < 5000) {
        p->Application().WaitForMessages(50);
        p->Application().ProcessMessages();
      }
      std::printf("notice=%s\n", notice ? NoticeName(*notice) : "none");
    } catch (const scr::platform::EMediaPlayerError& e) {
      std::printf("%s=%s\n", player->IsOpen() ? "play" : "open", e.what());
    }
    player->Close();
    std::fflush(stdout);
  }
  return 0;
}

struct TFound {
  DWORD pid;
  std::vector<HWND> dialogs;
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND h, LPARAM l) {
  auto* found = reinterpret_cast<TFound*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != found->pid) return TRUE;
  char cls[64] = "";
  GetClassNameA(h, cls, sizeof cls);
  (std::string(cls) == "#32770" ? found->dialogs : found->windows).push_back(h);
  return TRUE;
}

TFound Windows(DWORD pid) {
  TFound f{pid, {}, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
  return f;
}

bool Exists(const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Watch(const std::string& saver, DWORD ms, const std::vector<std::string>& files) {
  std::string cmd = "\"" + saver + "\" /s";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("started=0\n");
    return 1;
  }
  std::vector<bool> seen(files.size(), false);
  std::string dialog;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
    for (size_t i = 0; i < files.size(); ++i) seen[i] = seen[i] || Exists(files[i]);
    for (HWND d : Windows(pi.dwProcessId).dialogs) {
      char text[1024] = "";
      GetDlgItemTextA(d, 0xFFFF, text, sizeof text);
      if (dialog.empty()) dialog = text[0] ? text : "(untitled)";
    }
  }
  int seenCount = 0;
  for (bool s : seen) seenCount += s ? 1 : 0;
  const bool running = WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
  std::printf("running=%d\ndialog=%s\nseen=%d\n", running ? 1 : 0, dialog.c_str(), seenCount);
  // The stop message ends the saver like an exit request.
  const DWORD closeStart = GetTickCount();
  while (WaitForSingleObject(pi.hProcess, 100) == WAIT_TIMEOUT && GetTickCount() - closeStart < 15000) {
    TFound f = Windows(pi.dwProcessId);
    for (HWND d : f.dialogs) PostMessageA(d, WM_CLOSE, 0, 0);
    for (HWND w : f.windows) PostMessageA(w, 0x402, 0, 0);
  }
  const bool ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
  int left = 0;
  for (const std::string& f : files) left += Exists(f) ? 1 : 0;
  std::printf("ended=%d\nleft=%d\n", ended ? 1 : 0, left);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  int rc = 2;
  if (a.size() >= 2 && a[0] == "play") {
    rc = Play(std::vector<std::string>(a.begin() + 1, a.end()));
  } else if (a.size() >= 3 && a[0] == "watch") {
    rc = Watch(a[1], static_cast<DWORD>(std::atoi(a[2].c_str())), std::vector<std::string>(a.begin() + 3, a.end()));
  } else {
    std::fprintf(stderr, "usage: music_probe play FILE... | watch SAVER MS FILE...\n");
  }
  std::fflush(stdout);
  return rc;
}
