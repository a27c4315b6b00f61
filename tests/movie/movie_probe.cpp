// A Win32 helper for the movie-mode tests under Wine: plays the user who is asked to
// install the movie control. It prints its findings as key=value lines.
//
//   movie_probe question SAVER TIMEOUT_MS
//       runs SAVER /s, waits for its message box with the caption "Information", tells
//       the box's text and button texts, answers "No", and tells whether the saver
//       then ended by itself, its exit code, which other message boxes it showed, and
//       whether any window of it ever covered the screen.
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "tests/support/win32_probe.h"

namespace {

namespace w32 = scr::test::win32;

struct TButtons {
  std::vector<std::string> texts;
  HWND no = nullptr;
};

TButtons ButtonsOf(HWND box) {
  TButtons b;
  for (HWND h : w32::Children(box)) {
    if (w32::ClassOf(h) != "Button") continue;
    b.texts.push_back(w32::WindowText(h));
    if (GetDlgCtrlID(h) == IDNO) b.no = h;
  }
  return b;
}

// Answers No. Posted: a sent command would wait for the box's own loop.
void Answer(HWND box) { w32::PostButtonCommand(box, IDNO, ButtonsOf(box).no); }

int Question(const std::string& saver, DWORD timeout) {
  w32::TProcess saverRun(saver, {"/s"});
  if (!saverRun.Started()) {
    std::printf("started=0\n");
    return 1;
  }
  std::printf("started=1\n");
  bool fullscreen = false;
  std::set<std::string> others;
  HWND question = nullptr;
  const DWORD start = GetTickCount();
  while (!question && GetTickCount() - start < timeout && saverRun.Running()) {
    const w32::TProcessWindows f = w32::WindowsOf(saverRun.Id());
    for (HWND w : f.windows) fullscreen = fullscreen || w32::CoversScreen(w);
    for (HWND d : f.dialogs) {
      if (!IsWindowVisible(d)) continue;
      if (w32::WindowText(d) == "Information") {
        question = d;
      } else {
        // Any other box (an error) is told and closed so the run can go on.
        others.insert(w32::WindowText(d) + ": " + w32::MessageBoxText(d));
        PostMessageA(d, WM_CLOSE, 0, 0);
      }
    }
    Sleep(25);
  }
  std::printf("question=%d\n", question ? 1 : 0);
  if (question) {
    std::printf("text=%s\n", w32::MessageBoxText(question).c_str());
    std::string list;
    for (const std::string& t : ButtonsOf(question).texts) list += (list.empty() ? "" : "|") + t;
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
    if (saverRun.WaitEnd(25)) {
      ended = true;
      break;
    }
    const w32::TProcessWindows f = w32::WindowsOf(saverRun.Id());
    for (HWND w : f.windows) fullscreen = fullscreen || w32::CoversScreen(w);
    for (HWND d : f.dialogs)
      if (IsWindowVisible(d) && w32::WindowText(d) == "Information" && answeredBoxes.insert(d).second) {
        ++questions;
        Answer(d);
      }
  }
  std::printf("questions=%d\n", questions);
  DWORD code = 0;
  saverRun.Finish(0, &code);
  std::string list;
  for (const std::string& o : others) list += (list.empty() ? "" : "|") + o;
  std::printf("ended=%d\nexit_code=%ld\nother_dialogs=%s\nfullscreen=%d\n", ended ? 1 : 0,
              static_cast<long>(code), list.c_str(), fullscreen ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 3 && a[0] == "question") return Question(a[1], static_cast<DWORD>(std::atol(a[2].c_str())));
  std::fprintf(stderr, "usage: movie_probe question SAVER TIMEOUT_MS\n");
  return 2;
}
