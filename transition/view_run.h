#pragma once
// The run model of the picture show control, in one table.
//
// A run starts with Execute and steps Progress from one end to the other: by a loop in
// the caller (pumping messages between steps), by a worker thread that asks the main
// thread for each step, or by hand through Progress writes while Manual is on. It ends
// when Progress reaches its end (OnComplete), by Stop (no OnComplete), by an error, or
// when the control is destroyed. Every one of these is an event; each state answers it
// with one action and one next phase, and Apply (transition_run.cpp) is the only code
// that changes the phase. The state is the phase told apart by what else holds: a
// frame under way (its handlers may raise events), and Manual.
//
//   state \ event  | Execute | Step    | Progress | ManualOn | ManualOff | Stop     | Complete | WorkerEnd | Fail    | Clear | Destroy
//   ---------------+---------+---------+----------+----------+-----------+----------+----------+-----------+---------+-------+--------
//   Idle           | Start R | -       | -        | Reset    | Reset     | -        | -        | -         | -       | Clear | Release D
//   Stepping       | -       | Compose | Compose  | Store    | -         | Halt S   | Finish I | Resume    | Abandon I | -   | Release D
//   ByHand         | -       | Compose | Compose  | -        | Resume    | Halt S   | -        | -         | Abandon I | -   | Release D
//   Composing      | -       | Compose | Compose  | Store    | Resume    | Halt S   | Finish I | Resume    | Abandon I | -   | Release D
//   Stopping       | -       | Compose | Compose  | Store    | Store     | -        | Settle I | -         | -       | -     | Release D
//   EndedMidFrame  | -       | -       | -        | Reset    | Reset     | -        | -        | -         | -       | -     | Release D
//   Destroyed      | -       | -       | -        | -        | -         | -        | -        | -         | -       | -     | -
//
// Next phase: R Running, S Stopping, I Idle, D Destroyed; "-" keeps the phase.
// States. Idle: no run. Stepping: a run stepped by the control's loop or its worker.
// ByHand: a run with Manual on. Composing: a frame of a run is being composed.
// Stopping: Stop waits for the worker, whose pending step still composes. EndedMidFrame:
// the run ended while one of its frames was being composed; that frame finishes on the
// run's own bitmaps. Destroyed: destruction has begun; nothing runs any more.
//
// Events. Step: the loop's or the worker's next step. Complete: Progress reached its end
// (the loop, or the worker's last step). WorkerEnd: the worker left before the end
// (Manual went on, or it was told to end). Fail: a step or Prepare raised an error.
//
// Actions. Start: Prepare, then step unless Manual. Compose: set Progress and compose
// the frame. Store: only Manual changes (the stepping sees it at its next check).
// Reset: Progress goes to the start value (100 when Reverse, else 0). Resume: automatic
// stepping goes on from the current Progress (a worker still on its way out is waited
// for: its WorkerEnd resumes). Halt: the worker is told to end and waited for (not from
// inside its own step), then the run settles. Finish: the bitmaps go, then OnComplete.
// Settle and Abandon: the bitmaps go, no OnComplete. Clear: FrameBitmap empties.
// Release: the worker is told to end and waited for; from then on no handler runs and
// nothing still under way (a frame, the worker, a step) touches the control again.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "transition/stepping_defaults.h"

namespace scr {

enum class TRunPhase : uint8_t { Idle, Running, Stopping, Destroyed };
enum class TRunState : uint8_t { Idle, Stepping, ByHand, Composing, Stopping, EndedMidFrame, Destroyed };
enum class TRunEvent : uint8_t {
  Execute, Step, ProgressWrite, ManualOn, ManualOff, Stop, Complete, WorkerEnd, Fail, Clear, Destroy
};
enum class TRunAction : uint8_t {
  Ignore, Start, Compose, Store, Reset, Resume, Halt, Finish, Settle, Abandon, Clear, Release
};

inline constexpr int kRunStates = 7, kRunEvents = 11;

struct TRunCell {
  TRunAction action;
  TRunPhase next;
};

constexpr TRunState RunState(TRunPhase phase, bool framing, bool manual) {
  switch (phase) {
    case TRunPhase::Idle: return framing ? TRunState::EndedMidFrame : TRunState::Idle;
    case TRunPhase::Running:
      return framing ? TRunState::Composing : manual ? TRunState::ByHand : TRunState::Stepping;
    case TRunPhase::Stopping: return TRunState::Stopping;
    case TRunPhase::Destroyed: break;
  }
  return TRunState::Destroyed;
}

// The table above, row by state, column by event. A cell that keeps the phase names
// the phase of its row.
constexpr TRunCell RunCell(TRunState state, TRunEvent event) {
  using A = TRunAction;
  using P = TRunPhase;
  constexpr P phaseOf[kRunStates] = {P::Idle, P::Running, P::Running, P::Running, P::Stopping, P::Idle, P::Destroyed};
  constexpr A I = A::Ignore, C = A::Compose, S = A::Store, R = A::Reset, U = A::Resume, H = A::Halt, X = A::Release;
  constexpr std::array<std::array<A, kRunEvents>, kRunStates> actions{{
      {A::Start, I, I, R, R, I, I, I, I, A::Clear, X},    // Idle
      {I, C, C, S, I, H, A::Finish, U, A::Abandon, I, X},  // Stepping
      {I, C, C, I, U, H, I, I, A::Abandon, I, X},          // ByHand
      {I, C, C, S, U, H, A::Finish, U, A::Abandon, I, X},  // Composing
      {I, C, C, S, S, I, A::Settle, I, I, I, X},           // Stopping
      {I, I, I, R, R, I, I, I, I, I, X},                   // EndedMidFrame
      {I, I, I, I, I, I, I, I, I, I, I},                   // Destroyed
  }};
  const A action = actions[static_cast<size_t>(state)][static_cast<size_t>(event)];
  switch (action) {
    case A::Start: return {action, P::Running};
    case A::Halt: return {action, P::Stopping};
    case A::Finish:
    case A::Settle:
    case A::Abandon: return {action, P::Idle};
    case A::Release: return {action, P::Destroyed};
    default: return {action, phaseOf[static_cast<size_t>(state)]};
  }
}

// The lock of a bitmap's canvas: held by whoever draws into it. Re-entrant within a
// thread, so only another thread's drawing makes a try-lock fail.
class TCanvasLock {
 public:
  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  bool TryLock() { return mutex_.try_lock(); }
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::recursive_mutex mutex_;
};

// What the control shares with whatever may outlive it: its worker, and the frame or
// step under way when a handler destroys it. Those hold this block and check Destroyed
// before each access to the control; the worker reads the values it paces by here.
struct TRunShared {
  std::atomic<TRunPhase> phase{TRunPhase::Idle};
  std::atomic<bool> manual{false};
  std::atomic<bool> reverse{false};
  std::atomic<uint8_t> progress{0};
  std::atomic<uint16_t> delay{kDefaultDelay};
  // Main thread only: frames being composed (nested when a frame handler writes
  // Progress), and the number of the current run, so a loop notices a newer one.
  int frames = 0;
  uint64_t run = 0;
  // FrameBitmap's canvas lock; here so that a frame that holds it can still let it go.
  TCanvasLock frameLock;

  bool Destroyed() const { return phase.load() == TRunPhase::Destroyed; }
  bool Busy() const {
    const TRunPhase p = phase.load();
    return p == TRunPhase::Running || p == TRunPhase::Stopping;
  }
  // Running with nobody driving it by hand: what the loop and the worker step.
  bool Stepping() const { return phase.load() == TRunPhase::Running && !manual.load(std::memory_order_relaxed); }
  bool AtEnd() const {
    const int p = progress.load(std::memory_order_relaxed);
    return reverse.load(std::memory_order_relaxed) ? p == 0 : p == 100;
  }
  TRunState State() const { return RunState(phase.load(), frames > 0, manual.load(std::memory_order_relaxed)); }
};

}  // namespace scr
