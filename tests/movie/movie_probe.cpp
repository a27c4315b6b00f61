// A Win32 helper for the movie-mode tests under Wine: plays the user who is asked to
// install the movie control. It prints its findings as key=value lines.
//
//   movie_probe question SAVER TIMEOUT_MS
//       runs SAVER /s, waits for its message box with the caption "Information", tells
//       the box's text and button texts, answers "No", and tells whether the saver
//       then ended by itself, its exit code, which other message boxes it showed, and
//       whether any window of it ever covered the screen.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Text(HWND h) {
  char buf[2048] = "";
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string ClassOf(HWND h) {
  char cls[64] = "";
  GetClassNameA(h, cls, sizeof cls);
  return cls;
}

struct TWindows {
  DWORD pid;
  std::vector<HWND> dialogs;
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND h, LPARAM l) {
  auto* found = reinterpret_cast<TWindows*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != found->pid) return TRUE;
  (ClassOf(h) == "#32770" ? found->dialogs : found->windows).push_back(h);
  return TRUE;
}

TWindows WindowsOf(DWORD pid) {
  TWindows f{pid, {}, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&f));
  return f;
}

struct TButtons {
  std::vector<std::string> texts;
  HWND no = nullptr;
};

BOOL CALLBACK CollectButton(HWND h, LPARAM l) {
  auto* b = reinterpret_cast<TButtons*>(l);
  if (ClassOf(h) != "Button") return TRUE;
  b->texts.push_back(Text(h));
  if (GetDlgCtrlID(h) == IDNO) b->no = h;
  return TRUE;
}

// Answers No. Posted: a sent command would wait for the box's own loop.
void Answer(HWND box) {
  TButtons buttons;
  EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(buttons.no));
}

bool CoversScreen(HWND w) {
  RECT r;
  if (!IsWindowVisible(w) || !GetWindowRect(w, &r)) return false;
  return r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
         r.bottom >= GetSystemMetrics(SM_CYSCREEN);
}

int Question(const std::string& saver, DWORD timeout) {
  std::string line = "\"" + saver + "\" /s";
  std::vector<char> cmd(line.begin(), line.end());
  cmd.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(saver.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::printf("started=0\n");
    return 1;
  }
  std::printf("started=1\n");
  bool fullscreen = false;
  std::set<std::string> others;
  HWND question = nullptr;
  const DWORD start = GetTickCount();
  while (!question && GetTickCount() - start < timeout && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
    const TWindows f = WindowsOf(pi.dwProcessId);
    for (HWND w : f.windows) fullscreen = fullscreen || CoversScreen(w);
    for (HWND d : f.dialogs) {
      if (!IsWindowVisible(d)) continue;
      if (Text(d) == "Information") {
        question = d;
      } else {
        // Any other box (an error) is told and closed so the run can go on.
        char text[1024] = "";
        GetDlgItemTextA(d, 0xFFFF, text, sizeof text);
        others.insert(Text(d) + ": " + text);
        PostMessageA(d, WM_CLOSE, 0, 0);
      }
    }
    Sleep(25);
  }
  std::printf("question=%d\n", question ? 1 : 0);
  if (question) {
    char text[2048] = "";
    GetDlgItemTextA(question, 0xFFFF, text, sizeof text);
    std::printf("text=%s\n", text);
    TButtons buttons;
    EnumChildWindows(question, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    std::string list;
    for (const std::string& t : buttons.texts) list += (list.empty() ? "" : "|") + t;
    std::printf("buttons=%s\n", list.c_str());
    Answer(question);
  }
  std::fflush(stdout);
  // A saver that asks again is told here (and answered No each time).
  int questions = question ? 1 : 0;
  std::set<HWND> answeredBoxes{question};
  const DWORD answered = GetTickCount();
  bool ended = false;
  while (GetTickCount() - answered < timeout) {
    if (WaitForSingleObject(pi.hProcess, 25) == WAIT_OBJECT_0) {
      ended = true;
      break;
    }
    const TWindows f = WindowsOf(pi.dwProcessId);
    for (HWND w : f.windows) fullscreen = fullscreen || CoversScreen(w);
    for (HWND d : f.dialogs)
      if (IsWindowVisible(d) && Text(d) == "Information" && answeredBoxes.insert(d).second) {
        ++questions;
        Answer(d);
      }
  }
  std::printf("questions=%d\n", questions);
  DWORD code = 0;
  if (!ended) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 2000);
  }
  GetExitCodeProcess(pi.hProcess, &code);
  std::string list;
  for (const std::string& o : others) list += (list.empty() ? "" : "|") + o;
  std::printf("ended=%d\nexit_code=%ld\nother_dialogs=%s\nfullscreen=%d\n", ended ? 1 : 0,
              static_cast<long>(code), list.c_str(), fullscreen ? 1 : 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 3 && a[0] == "question") return Question(a[1], static_cast<DWORD>(std::atol(a[2].c_str())));
  std::fprintf(stderr, "usage: movie_probe question SAVER TIMEOUT_MS\n");
  return 2;
}
