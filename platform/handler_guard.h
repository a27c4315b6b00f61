#pragma once
// One rule for handlers that the window system (or the headless backend's own
// dispatch) calls: no exception may cross the system's frames. An error that escapes a
// handler ends that handler and is reported; the program carries on.
#include <exception>
#include <utility>

namespace scr::platform {

// No exception passes the guard.
struct TNothingPassesThrough {};

// Runs handler; an exception it throws is reported (report gets its message) and goes
// no further, except a Pass, which goes on up (the headless backend's stall).
template <class Pass = TNothingPassesThrough, class Handler, class Report>
void GuardHandler(Handler&& handler, Report&& report) {
  try {
    std::forward<Handler>(handler)();
  } catch (const Pass&) {
    throw;
  } catch (const std::exception& e) {
    report(e.what());
  } catch (...) {
  }
}

}  // namespace scr::platform
