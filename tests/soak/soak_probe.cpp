// The long-run test's helper under Wine: runs a saver and watches it, printing its
// findings as key=value lines.
//
//   soak_probe run SAVER SECONDS FIRST_SECONDS
//       runs SAVER /s for SECONDS, sampling twice a second the process's private
//       memory, working set, and GDI and USER objects (GetGuiResources; "-1" when the
//       system does not answer it), and watching for message boxes of the process.
//       Then prints the median, least and largest value of each measure over the
//       half of FIRST_SECONDS that ends at FIRST_SECONDS ("first_...") and over as
//       long at the end ("last_..."): memory swings by a whole decoded picture
//       between two samples, so one sample says little. Then "measured=1"; then it
//       waits up to 15 s for the saver to end (the test presses a key) and prints
//       "ended".
//       The samples go to stderr as they are taken.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/win32_probe.h"

// After <windows.h>, which it needs.
#include <psapi.h>

namespace {

namespace w32 = scr::test::win32;

struct TSample {
  DWORD atMs = 0;
  long long privateKb = -1;
  long long workingSetKb = -1;
  long gdiObjects = -1;
  long userObjects = -1;
};

// GetGuiResources answers 0 with ERROR_CALL_NOT_IMPLEMENTED where it is a stub; a
// process with windows always has objects, so 0 counts as no answer.
long GuiObjects(HANDLE process, DWORD kind) {
  SetLastError(0);
  const DWORD n = GetGuiResources(process, kind);
  return n == 0 ? -1 : static_cast<long>(n);
}

TSample Take(HANDLE process, DWORD atMs) {
  TSample s;
  s.atMs = atMs;
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(process, &pmc, sizeof pmc)) {
    s.privateKb = static_cast<long long>(pmc.PagefileUsage / 1024);
    s.workingSetKb = static_cast<long long>(pmc.WorkingSetSize / 1024);
  }
  s.gdiObjects = GuiObjects(process, GR_GDIOBJECTS);
  s.userObjects = GuiObjects(process, GR_USEROBJECTS);
  return s;
}

// The middle, least and largest values of one measure over the samples taken in
// [fromMs, toMs].
struct TSpread {
  long long median = -1;
  long long least = -1;
  long long largest = -1;
};

template <class Measure>
TSpread Spread(const std::vector<TSample>& samples, DWORD fromMs, DWORD toMs, Measure measure) {
  std::vector<long long> values;
  for (const TSample& s : samples)
    if (s.atMs >= fromMs && s.atMs <= toMs) values.push_back(measure(s));
  if (values.empty()) return TSpread{};
  std::sort(values.begin(), values.end());
  return TSpread{values[values.size() / 2], values.front(), values.back()};
}

void Print(const char* window, const std::vector<TSample>& samples, DWORD fromMs, DWORD toMs) {
  const auto print = [&](const char* name, TSpread s) {
    std::printf("%s_%s=%lld\n%s_%s_least=%lld\n%s_%s_largest=%lld\n", window, name, s.median, window, name, s.least,
                window, name, s.largest);
  };
  print("private_kb", Spread(samples, fromMs, toMs, [](const TSample& s) { return s.privateKb; }));
  print("working_set_kb", Spread(samples, fromMs, toMs, [](const TSample& s) { return s.workingSetKb; }));
  print("gdi", Spread(samples, fromMs, toMs, [](const TSample& s) { return static_cast<long long>(s.gdiObjects); }));
  print("user", Spread(samples, fromMs, toMs, [](const TSample& s) { return static_cast<long long>(s.userObjects); }));
}

int Run(const std::string& saver, DWORD seconds, DWORD firstSeconds) {
  w32::TProcess saverRun(saver, {"/s"});
  std::printf("started=%d\n", saverRun.Started() ? 1 : 0);
  if (!saverRun.Started()) return 1;
  const DWORD totalMs = seconds * 1000, firstMs = firstSeconds * 1000;
  std::vector<TSample> samples;
  int boxes = 0;
  std::string box;
  bool covered = false;
  std::vector<HWND> seenBoxes;
  const DWORD start = GetTickCount();
  DWORD nextSample = 500;
  for (DWORD now = 0; now < totalMs && saverRun.Running(); now = GetTickCount() - start) {
    const w32::TProcessWindows windows = w32::WindowsOf(saverRun.Id());
    for (HWND w : windows.windows) covered = covered || w32::CoversScreen(w);
    for (HWND d : windows.dialogs) {
      if (!IsWindowVisible(d) || std::find(seenBoxes.begin(), seenBoxes.end(), d) != seenBoxes.end()) continue;
      seenBoxes.push_back(d);
      ++boxes;
      if (box.empty()) box = w32::WindowText(d) + ": " + w32::MessageBoxText(d);
    }
    if (now >= nextSample) {
      samples.push_back(Take(saverRun.Handle(), now));
      const TSample& s = samples.back();
      std::fprintf(stderr, "%5lu ms: private %lld kB, working set %lld kB, GDI %ld, USER %ld\n",
                   static_cast<unsigned long>(now), s.privateKb, s.workingSetKb, s.gdiObjects, s.userObjects);
      nextSample += 500;
    }
    saverRun.WaitEnd(100);
  }
  const bool running = saverRun.Running();
  std::printf("running=%d\ncovered=%d\nboxes=%d\nbox=%s\nsamples=%u\n", running ? 1 : 0, covered ? 1 : 0, boxes,
              box.c_str(), static_cast<unsigned>(samples.size()));
  // Windows of the same length: the one that ends at FIRST_SECONDS (after start-up)
  // and the one that ends the run.
  const DWORD window = firstMs / 2;
  Print("first", samples, firstMs - window, firstMs);
  Print("last", samples, totalMs > window ? totalMs - window : 0, totalMs);
  std::printf("measured=1\n");
  std::fflush(stdout);
  const DWORD keyWait = GetTickCount();
  DWORD code = 0;
  const bool ended = saverRun.Finish(15000, &code);
  std::printf("ended=%d\nend_wait_ms=%lu\nexit_code=%lu\n", ended ? 1 : 0,
              static_cast<unsigned long>(GetTickCount() - keyWait), static_cast<unsigned long>(code));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> a(argv + 1, argv + argc);
  int rc = 2;
  if (a.size() == 4 && a[0] == "run") {
    rc = Run(a[1], static_cast<DWORD>(std::atol(a[2].c_str())), static_cast<DWORD>(std::atol(a[3].c_str())));
  } else {
    std::fprintf(stderr, "usage: soak_probe run SAVER SECONDS FIRST_SECONDS\n");
  }
  std::fflush(stdout);
  return rc;
}
