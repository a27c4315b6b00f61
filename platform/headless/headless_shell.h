#pragma once
// The headless shell: records what the program asked it to open.
#include <string>
#include <vector>

#include "platform/headless/call_log.h"
#include "platform/shell.h"

namespace scr::platform::headless {

struct TShellRequest {
  TWindowHandle parent = 0;
  std::string target;
  friend bool operator==(const TShellRequest&, const TShellRequest&) = default;
};

class THeadlessShell : public IShell {
 public:
  explicit THeadlessShell(TCallLog& log) : log_(log) {}
  void Open(TWindowHandle parent, const std::string& target) override {
    log_.Add("ShellExecute open " + target);
    requests_.push_back(TShellRequest{parent, target});
  }
  const std::vector<TShellRequest>& Requests() const { return requests_; }

 private:
  TCallLog& log_;
  std::vector<TShellRequest> requests_;
};

}  // namespace scr::platform::headless
