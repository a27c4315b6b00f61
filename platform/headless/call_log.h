#pragma once
// The headless backend's record of every system call the program made, in order, one
// text line each ("CreateSemaphore TEST.SCRSemaphore 0 1"), for tests to read back.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scr::platform::headless {

class TCallLog {
 public:
  void Add(std::string entry) { entries_.push_back(std::move(entry)); }
  const std::vector<std::string>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }

  // Index of the first entry starting with prefix at or after from; npos when none.
  size_t Find(std::string_view prefix, size_t from = 0) const {
    for (size_t i = from; i < entries_.size(); ++i)
      if (std::string_view(entries_[i]).substr(0, prefix.size()) == prefix) return i;
    return npos;
  }
  bool Has(std::string_view prefix) const { return Find(prefix) != npos; }
  size_t Count(std::string_view prefix) const {
    size_t n = 0;
    for (const std::string& e : entries_)
      if (std::string_view(e).substr(0, prefix.size()) == prefix) ++n;
    return n;
  }
  // The entries that start with one of the prefixes, in order (a filtered view for
  // comparing the order of the steps that matter).
  std::vector<std::string> Only(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> out;
    for (const std::string& e : entries_)
      for (std::string_view p : prefixes)
        if (std::string_view(e).substr(0, p.size()) == p) {
          out.push_back(e);
          break;
        }
    return out;
  }

  static constexpr size_t npos = static_cast<size_t>(-1);

 private:
  std::vector<std::string> entries_;
};

}  // namespace scr::platform::headless
