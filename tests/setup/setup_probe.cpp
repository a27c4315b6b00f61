// A Win32 helper for the setup dialog's tests under Wine: it plays the user. It starts
// a saver with one argument, finds the saver's dialog, reports its caption and every
// control, and then does what it is told, printing key=value lines.
//
//   setup_probe SAVER ARG [--pause FILE] [--toggle] [--ok]
//
//   ARG        the saver's argument; "none" starts it without one
//   --pause    prints "ready=1" and waits until FILE exists (for a screenshot)
//   --toggle   posts a click to the check box and reports its new state
//   --ok       posts a click to the push button, then reports "ended=1" when the saver
//              ends, or the text of an error box it shows ("error=..."), closes that
//              box and reports whether the dialog is still open
//
// A saver still running at the end is ended ("terminated=1").
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/win32_probe.h"

namespace {

namespace w32 = scr::test::win32;
using w32::Children;
using w32::ClassOf;
using w32::WindowText;

constexpr DWORD kFindTimeoutMs = 20000;
constexpr DWORD kActionTimeoutMs = 10000;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

LONG ButtonType(HWND h) {
  if (ClassOf(h) != "Button") return -1;
  return GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK;
}

HWND FindButton(HWND form, LONG type) {
  for (HWND h : Children(form))
    if (ButtonType(h) == type) return h;
  return nullptr;
}

bool Checked(HWND box) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  return result == BST_CHECKED;
}

void Describe(HWND form) {
  Say("caption=" + WindowText(form));
  RECT client;
  GetClientRect(form, &client);
  POINT origin{0, 0};
  ClientToScreen(form, &origin);
  Say("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
  Say("client_origin=" + std::to_string(origin.x) + "," + std::to_string(origin.y));
  RECT outer;
  GetWindowRect(form, &outer);
  Say("window=" + std::to_string(outer.left) + "," + std::to_string(outer.top) + "," +
      std::to_string(outer.right - outer.left) + "," + std::to_string(outer.bottom - outer.top));
  const LONG style = GetWindowLongA(form, GWL_STYLE);
  Say(std::string("sysmenu=") + ((style & WS_SYSMENU) ? "1" : "0"));
  Say("screen=" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  for (HWND h : Children(form)) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    std::string line = "control=" + ClassOf(h) + "|" + WindowText(h) + "|" + std::to_string(r.left) + "," +
                       std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
                       std::to_string(r.bottom - r.top);
    if (ButtonType(h) == BS_AUTOCHECKBOX) line += std::string("|checked=") + (Checked(h) ? "1" : "0");
    Say(line);
  }
}

// The text of a message box: its static child that is not an icon.
std::string BoxText(HWND box) {
  for (HWND h : Children(box))
    if (ClassOf(h) == "Static" && !WindowText(h).empty()) return WindowText(h);
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    Say("usage: setup_probe SAVER ARG [--pause FILE] [--toggle] [--ok]");
    return 2;
  }
  std::vector<std::string> arguments;
  if (std::string(argv[2]) != "none") arguments.push_back(argv[2]);
  w32::TProcess saverRun(argv[1], arguments);
  if (!saverRun.Started()) {
    Say("started=0");
    return 1;
  }
  Say("started=1");

  HWND form = nullptr;
  const DWORD start = GetTickCount();
  while (!form && GetTickCount() - start < kFindTimeoutMs && !saverRun.WaitEnd(50))
    form = w32::FindVisibleWindow(saverRun.Id(), "TScrForm");
  if (!form) {
    Say("dialog=0");
  } else {
    Say("dialog=1");
    Sleep(300);  // let it paint
    Describe(form);
  }

  for (int i = 3; form && i < argc; ++i) {
    const std::string action = argv[i];
    if (action == "--pause" && i + 1 < argc) {
      const char* file = argv[++i];
      Say("ready=1");
      const DWORD waitStart = GetTickCount();
      while (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES && GetTickCount() - waitStart < 30000) Sleep(50);
    } else if (action == "--toggle") {
      HWND box = FindButton(form, BS_AUTOCHECKBOX);
      if (!box) {
        Say("toggled=0");
        continue;
      }
      const bool before = Checked(box);
      w32::PostClick(box);
      const DWORD t = GetTickCount();
      while (Checked(box) == before && GetTickCount() - t < kActionTimeoutMs) Sleep(20);
      Say(std::string("checked=") + (Checked(box) ? "1" : "0"));
    } else if (action == "--ok") {
      HWND ok = FindButton(form, BS_PUSHBUTTON);
      if (!ok) {
        Say("pressed=0");
        continue;
      }
      w32::PostClick(ok);
      const DWORD t = GetTickCount();
      HWND box = nullptr;
      bool ended = false;
      while (GetTickCount() - t < kActionTimeoutMs) {
        if (saverRun.WaitEnd(20)) {
          ended = true;
          break;
        }
        if ((box = w32::FindVisibleWindow(saverRun.Id(), "#32770")) != nullptr) break;
      }
      if (ended) {
        DWORD code = 0;
        GetExitCodeProcess(saverRun.Handle(), &code);
        Say("ended=1");
        Say("exit_code=" + std::to_string(code));
      } else if (box) {
        Sleep(200);
        Say("error_caption=" + WindowText(box));
        Say("error=" + BoxText(box));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        const DWORD closing = GetTickCount();
        while (IsWindow(box) && GetTickCount() - closing < kActionTimeoutMs) Sleep(20);
        Sleep(300);
        Say(std::string("dialog_open=") + (IsWindow(form) && IsWindowVisible(form) && saverRun.Running() ? "1" : "0"));
      } else {
        Say("ended=0");
      }
    }
  }

  if (saverRun.Running()) {
    saverRun.Finish(0);
    Say("terminated=1");
  }
  return 0;
}
