#pragma once
// A one-line progress bar on standard error, drawn only when that is a terminal: moved
// by a fraction with a note of its own, or by counting finished items and their bytes.
// Safe to move from several threads.
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace scr::tool {

class TProgressBar {
 public:
  explicit TProgressBar(std::string label);
  // A bar over totalCount items of totalBytes together, moved by Advance; drawn at
  // once when there is anything to count.
  TProgressBar(std::string label, size_t totalCount, uint64_t totalBytes);
  ~TProgressBar();
  TProgressBar(const TProgressBar&) = delete;
  TProgressBar& operator=(const TProgressBar&) = delete;

  // fraction 0..1, and a short note after the bar.
  void Show(double fraction, const std::string& note);
  // One more item of `bytes` done: the bar moves by bytes (by items when there are no
  // bytes to count) and the note says "items/total, MB/total MB".
  void Advance(uint64_t bytes);
  // Ends the line.
  void Done();

 private:
  void Draw(double fraction, const std::string& note);  // with mutex_ held
  void DrawCounts();                                    // with mutex_ held

  std::mutex mutex_;
  std::string label_;
  bool terminal_;
  bool drawn_ = false;
  int lastPermille_ = -1;
  std::string lastNote_;
  size_t totalCount_ = 0, doneCount_ = 0;
  uint64_t totalBytes_ = 0, doneBytes_ = 0;
};

}  // namespace scr::tool
