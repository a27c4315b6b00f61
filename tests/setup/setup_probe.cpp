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
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kFindTimeoutMs = 20000;
constexpr DWORD kActionTimeoutMs = 10000;

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string WindowText(HWND h) {
  char buf[4096] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string ClassOf(HWND h) {
  char buf[256] = "";
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

struct TSearch {
  DWORD process = 0;
  std::string className;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopWindow(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TSearch*>(lp);
  DWORD process = 0;
  GetWindowThreadProcessId(h, &process);
  if (process == s->process && IsWindowVisible(h) && ClassOf(h) == s->className) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowOf(DWORD process, const char* className) {
  TSearch s{process, className, nullptr};
  EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
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

bool Ended(HANDLE process, DWORD ms) { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }

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
  std::string line = "\"" + std::string(argv[1]) + "\"";
  if (std::string(argv[2]) != "none") line += " " + std::string(argv[2]);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    Say("started=0");
    return 1;
  }
  Say("started=1");

  HWND form = nullptr;
  const DWORD start = GetTickCount();
  while (!form && GetTickCount() - start < kFindTimeoutMs && !Ended(pi.hProcess, 50))
    form = FindWindowOf(pi.dwProcessId, "TScrForm");
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
      PostMessageA(box, BM_CLICK, 0, 0);
      const DWORD t = GetTickCount();
      while (Checked(box) == before && GetTickCount() - t < kActionTimeoutMs) Sleep(20);
      Say(std::string("checked=") + (Checked(box) ? "1" : "0"));
    } else if (action == "--ok") {
      HWND ok = FindButton(form, BS_PUSHBUTTON);
      if (!ok) {
        Say("pressed=0");
        continue;
      }
      PostMessageA(ok, BM_CLICK, 0, 0);
      const DWORD t = GetTickCount();
      HWND box = nullptr;
      bool ended = false;
      while (GetTickCount() - t < kActionTimeoutMs) {
        if (Ended(pi.hProcess, 20)) {
          ended = true;
          break;
        }
        if ((box = FindWindowOf(pi.dwProcessId, "#32770")) != nullptr) break;
      }
      if (ended) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
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
        Say(std::string("dialog_open=") + (IsWindow(form) && IsWindowVisible(form) && !Ended(pi.hProcess, 0) ? "1" : "0"));
      } else {
        Say("ended=0");
      }
    }
  }

  if (!Ended(pi.hProcess, 0)) {
    TerminateProcess(pi.hProcess, 1);
    Ended(pi.hProcess, 5000);
    Say("terminated=1");
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}
