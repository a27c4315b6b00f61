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
#include "tests/support/win32_probe.h"

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

bool Exists(const std::string& file) { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

int Watch(const std::string& saver, DWORD ms, const std::vector<std::string>& files) {
  namespace w32 = scr::test::win32;
  w32::TProcess saverRun(saver, {"/s"});
  if (!saverRun.Started()) {
    std::printf("started=0\n");
    return 1;
  }
  std::vector<bool> seen(files.size(), false);
  std::string dialog;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && !saverRun.WaitEnd(50)) {
    for (size_t i = 0; i < files.size(); ++i) seen[i] = seen[i] || Exists(files[i]);
    for (HWND d : w32::WindowsOf(saverRun.Id()).dialogs) {
      const std::string text = w32::MessageBoxText(d);
      if (dialog.empty()) dialog = text.empty() ? "(untitled)" : text;
    }
  }
  int seenCount = 0;
  for (bool s : seen) seenCount += s ? 1 : 0;
  std::printf("running=%d\ndialog=%s\nseen=%d\n", saverRun.Running() ? 1 : 0, dialog.c_str(), seenCount);
  // The stop message ends the saver like an exit request.
  const DWORD closeStart = GetTickCount();
  while (!saverRun.WaitEnd(100) && GetTickCount() - closeStart < 15000) w32::PostStopRequest(saverRun.Id());
  const bool ended = saverRun.WaitEnd(0);
  int left = 0;
  for (const std::string& f : files) left += Exists(f) ? 1 : 0;
  std::printf("ended=%d\nleft=%d\n", ended ? 1 : 0, left);
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
