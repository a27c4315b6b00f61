#pragma once
// A one-line progress bar on standard error, drawn only when that is a terminal.
#include <string>

namespace scr::tool {

class TProgressBar {
 public:
  explicit TProgressBar(std::string label);
  ~TProgressBar();
  // fraction 0..1, and a short note after the bar.
  void Show(double fraction, const std::string& note);
  // Ends the line.
  void Done();

 private:
  std::string label_;
  bool terminal_;
  bool drawn_ = false;
  int lastPermille_ = -1;
};

}  // namespace scr::tool
