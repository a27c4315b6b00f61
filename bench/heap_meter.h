#pragma once
// Counts the bytes a benchmark program holds through operator new: now, and the most
// held since the last ResetPeak. Include it in exactly one source file of a program:
// it replaces the global allocation functions of that program.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace bench {

inline std::atomic<size_t> heapNow{0};
inline std::atomic<size_t> heapPeak{0};

inline void ResetPeak() { heapPeak.store(heapNow.load()); }
inline size_t HeapNow() { return heapNow.load(); }
inline size_t HeapPeak() { return heapPeak.load(); }

// Each block carries its size in front of the caller's bytes; the header keeps the
// strictest fundamental alignment.
constexpr size_t kHeader = alignof(std::max_align_t);

inline void* Take(size_t n) {
  void* block = std::malloc(n + kHeader);
  if (!block) throw std::bad_alloc();
  *static_cast<size_t*>(block) = n;
  const size_t now = heapNow.fetch_add(n) + n;
  size_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

inline void Give(void* p) {
  if (!p) return;
  void* block = static_cast<char*>(p) - kHeader;
  heapNow.fetch_sub(*static_cast<size_t*>(block));
  std::free(block);
}

}  // namespace bench

void* operator new(size_t n) { return bench::Take(n); }
void* operator new[](size_t n) { return bench::Take(n); }
void operator delete(void* p) noexcept { bench::Give(p); }
void operator delete[](void* p) noexcept { bench::Give(p); }
void operator delete(void* p, size_t) noexcept { bench::Give(p); }
void operator delete[](void* p, size_t) noexcept { bench::Give(p); }
