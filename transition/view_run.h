#pragma once
// The run model of the picture show control: the states a transition run can be in,
// the events that reach it, and what each event does in each state, in one table.
//
//   state \ event | Execute | Step    | Progress | Manual on | Manual off | Stop      | Worker end | Destroy
//   --------------+---------+---------+----------+-----------+------------+-----------+------------+--------
//   Idle          | Start   | Ignore  | Ignore   | Reset     | Reset      | Ignore    | Ignore     | Release
//   Automatic     | Ignore  | Compose | Compose  | Store     | Ignore     | BeginStop | Finish     | Release
//   ByHand        | Ignore  | Compose | Compose  | Ignore    | Resume     | BeginStop | Finish     | Release
//   Composing     | Ignore  | Compose | Compose  | Store     | Resume     | BeginStop | Finish     | Release
//   Stopping      | Ignore  | Compose | Compose  | Store     | Store      | Ignore    | Finish     | Release
//   Completing    | Start   | Ignore  | Ignore   | Reset     | Reset      | Ignore    | Ignore     | Release
//   Ending        | Ignore  | Ignore  | Ignore   | Reset     | Reset      | Ignore    | Ignore     | Release
//
// States. Idle: no run. Automatic: a run stepped by the control's loop or its worker.
// ByHand: a run with Manual on, driven by Progress writes. Composing: a frame of a
// running run is being composed (its handlers run). Stopping: Stop is ending the run
// and waits for the worker, whose pending step still runs. Completing: the run has
// ended and OnComplete runs. Ending: the run ended while one of its frames was being
// composed; that frame finishes on the run's own bitmaps.
// Busy is true in Automatic, ByHand, Composing and Stopping.
//
// Actions. Start: Prepare, then step unless Manual. Compose: set Progress and compose
// the frame (a frame handler may start a nested one). Store: only Manual changes (the
// stepping sees it at its next check). Reset: Progress goes to the start value (100 when
// Reverse, else 0). Resume: automatic stepping goes on from the current Progress.
// BeginStop: Stopping, the worker is told to end and waited for (not from inside its own
// step), then the run completes without OnComplete. Finish: the run completes (OnComplete
// unless stopped; a run by hand stays Busy), or a worker that left because Manual was on,
// now off again, is replaced. Release: the worker is told to end and waited for, then
// nothing that is still running (a frame, the worker, a step) touches the control again.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace scr {

enum class TRunState : uint8_t { Idle, Automatic, ByHand, Composing, Stopping, Completing, Ending };
enum class TRunEvent : uint8_t { Execute, Step, ProgressWrite, ManualOn, ManualOff, Stop, WorkerEnd, Destroy };
enum class TRunAction : uint8_t { Ignore, Start, Compose, Store, Reset, Resume, BeginStop, Finish, Release };

inline constexpr int kRunStates = 7, kRunEvents = 8;

// The table above, row by state, column by event.
constexpr TRunAction RunAction(TRunState state, TRunEvent event) {
  using A = TRunAction;
  constexpr A I = A::Ignore, C = A::Compose, R = A::Reset, S = A::Store, F = A::Finish, X = A::Release;
  constexpr std::array<std::array<A, kRunEvents>, kRunStates> table{{
      {A::Start, I, I, R, R, I, I, X},              // Idle
      {I, C, C, S, I, A::BeginStop, F, X},          // Automatic
      {I, C, C, I, A::Resume, A::BeginStop, F, X},  // ByHand
      {I, C, C, S, A::Resume, A::BeginStop, F, X},  // Composing
      {I, C, C, S, S, I, F, X},                     // Stopping
      {A::Start, I, I, R, R, I, I, X},              // Completing
      {I, I, I, R, R, I, I, X},                     // Ending
  }};
  return table[static_cast<size_t>(state)][static_cast<size_t>(event)];
}

// Where a run stands; together with the number of frames being composed and Manual it
// gives the state of the table.
enum class TRunPhase : uint8_t { Idle, Running, Stopping, Completing };

constexpr TRunState RunState(TRunPhase phase, int frames, bool manual) {
  switch (phase) {
    case TRunPhase::Stopping: return TRunState::Stopping;
    case TRunPhase::Running:
      return frames > 0 ? TRunState::Composing : manual ? TRunState::ByHand : TRunState::Automatic;
    case TRunPhase::Completing: return frames > 0 ? TRunState::Ending : TRunState::Completing;
    case TRunPhase::Idle: break;
  }
  return frames > 0 ? TRunState::Ending : TRunState::Idle;
}

// The lock of a bitmap's canvas: held by whoever draws into it. Re-entrant within a
// thread, so only another thread's drawing makes a try-lock fail.
class TCanvasLock {
 public:
  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  bool TryLock() { return mutex_.try_lock(); }
  // The standard names, so std::lock_guard and friends work.
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::recursive_mutex mutex_;
};

// What the control shares with whatever may outlive it: its worker, and the frame or
// step under way when a handler destroys it. Those hold this block and check Gone
// before each access to the control; the worker reads the values it paces by here.
struct TRunShared {
  enum class TLife : uint8_t { Alive, Destroying, Gone };

  std::atomic<TLife> life{TLife::Alive};
  std::atomic<TRunPhase> phase{TRunPhase::Idle};
  std::atomic<bool> manual{false};
  std::atomic<bool> reverse{false};
  std::atomic<uint8_t> progress{0};
  std::atomic<uint16_t> delay{40};
  // Main thread only: frames being composed (nested when a frame handler writes
  // Progress), and the number of the current run, so a loop notices a newer one.
  int frames = 0;
  uint64_t run = 0;
  // FrameBitmap's canvas lock; here so that a frame that holds it can still let it go.
  TCanvasLock frameLock;

  bool Gone() const { return life.load() == TLife::Gone; }
  bool Destroying() const { return life.load() != TLife::Alive; }
  bool Busy() const {
    const TRunPhase p = phase.load();
    return p == TRunPhase::Running || p == TRunPhase::Stopping;
  }
  // Running with nobody driving it by hand: what the loop and the worker step.
  bool Automatic() const { return phase.load() == TRunPhase::Running && !manual.load(std::memory_order_relaxed); }
  bool AtEnd() const {
    const int p = progress.load(std::memory_order_relaxed);
    return reverse.load(std::memory_order_relaxed) ? p == 0 : p == 100;
  }
  TRunState State() const { return RunState(phase.load(), frames, manual.load(std::memory_order_relaxed)); }
};

}  // namespace scr
