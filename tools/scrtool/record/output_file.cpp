#include "tools/scrtool/record/output_file.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/errors.h"

namespace scr::tool {

namespace fs = std::filesystem;

TOutputFile::TOutputFile(std::string path) : path_(std::move(path)) {
  const fs::path p(path_);
  const fs::path name = "." + p.stem().string() + "." + std::to_string(::getpid()) + ".part" + p.extension().string();
  temp_ = (p.parent_path() / name).string();
}

TOutputFile::~TOutputFile() {
  if (!committed_) ::unlink(temp_.c_str());
}

void TOutputFile::Commit() {
  if (std::rename(temp_.c_str(), path_.c_str()) != 0)
    throw Exception("cannot write " + path_ + ": " + std::strerror(errno));
  committed_ = true;
}

namespace {

std::atomic<int> caught{0};
// The temporary file's name, for the handler (which may only call unlink).
char tempName[4096];

void OnSignal(int signal) {
  caught.store(signal);
  if (tempName[0]) ::unlink(tempName);
}

}  // namespace

TInterruptWatch::TInterruptWatch(const std::string& tempFile) {
  caught.store(0);
  if (tempFile.size() < sizeof tempName) std::memcpy(tempName, tempFile.c_str(), tempFile.size() + 1);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &oldInt_);
  sigaction(SIGTERM, &action, &oldTerm_);
}

TInterruptWatch::~TInterruptWatch() {
  sigaction(SIGINT, &oldInt_, nullptr);
  sigaction(SIGTERM, &oldTerm_, nullptr);
  tempName[0] = 0;
}

int TInterruptWatch::Signal() const { return caught.load(); }

void TInterruptWatch::Reraise(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  std::_Exit(128 + signal);
}

}  // namespace scr::tool
