#pragma once
// Screen sizes given to the benchmarks on the command line, as <prefix>WxH.
#include <cstdio>
#include <cstring>
#include <string>

namespace bench {

struct TScreenSize {
  int W = 0, H = 0;
};

// Reads "<prefix>WxH" with sides of 1 to 16384; false for anything else.
inline bool ParseSizeArg(const char* arg, const char* prefix, TScreenSize& out) {
  const size_t n = std::strlen(prefix);
  if (std::strncmp(arg, prefix, n) != 0) return false;
  TScreenSize s;
  char tail = 0;
  if (std::sscanf(arg + n, "%dx%d%c", &s.W, &s.H, &tail) != 2) return false;
  if (s.W <= 0 || s.H <= 0 || s.W > 16384 || s.H > 16384) return false;
  out = s;
  return true;
}

}  // namespace bench
