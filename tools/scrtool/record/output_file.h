#pragma once
// The file a recording writes goes first to a temporary file beside it, renamed to its
// name at the very end: a recording that fails or is interrupted (SIGINT, SIGTERM)
// leaves no file, or the one that was there before untouched.
#include <csignal>
#include <string>

namespace scr::tool {

class TOutputFile {
 public:
  // The temporary file is DIR/.NAME.PID.part.EXT beside DIR/NAME.EXT (the extension
  // kept, as the writers choose their format by it).
  explicit TOutputFile(std::string path);
  // Removes the temporary file unless it was committed.
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& TempPath() const { return temp_; }
  // Renames the temporary file to the final name. scr::Exception when that fails.
  void Commit();

 private:
  std::string path_, temp_;
  bool committed_ = false;
};

// SIGINT and SIGTERM while it lives: the temporary file (when one is named) is
// removed at once, and the signal remembered for the work to end at its next look.
// When it ends, the former handlers return.
class TInterruptWatch {
 public:
  explicit TInterruptWatch(const std::string& tempFile = {});
  ~TInterruptWatch();
  TInterruptWatch(const TInterruptWatch&) = delete;
  TInterruptWatch& operator=(const TInterruptWatch&) = delete;

  // The signal that came, 0 for none.
  int Signal() const;
  // Ends the process as the signal would have, once everything is cleaned up.
  [[noreturn]] static void Reraise(int signal);

 private:
  struct sigaction oldInt_ {}, oldTerm_ {};
};

// Raised by the work when it sees a signal.
struct EInterrupted {
  int signal;
};

}  // namespace scr::tool
