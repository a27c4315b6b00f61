#pragma once
// Worker threads whose work is handed to the main thread, for the backends' window
// hosts: a worker's Synchronize request waits until the main thread serves it (from
// its message processing, or while it waits for that worker).
#include <functional>
#include <utility>

#include "transition/worker_registry.h"

namespace scr::platform {

class TWorkerThreads : public TWorkerRegistry {
 public:
  // wake is called from a worker when it has a request for the main thread; may be
  // empty.
  explicit TWorkerThreads(std::function<void()> wake = {}) : TWorkerRegistry(TMode::Free, std::move(wake)) {}
};

}  // namespace scr::platform
