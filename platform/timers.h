// System timers and the clock.
// A framework timer owns one TimerHandle, which stands for a hidden window
// holding one system timer with identifier 1. A timer that drives clicking
// also keeps a deadline timer: SetTimer rounds to the system's tick, may be
// coalesced, and its WM_TIMER is made only when the queue is otherwise
// empty, so it cannot keep 10 ms; a high-resolution waitable timer waited
// on by the program's own loop can. The fake runs them all on a virtual
// clock so tests can assert exact times.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class TimerSink {
 public:
  virtual void TimerFired() = 0;

 protected:
  ~TimerSink() = default;
};

class TimerHandle {
 public:
  virtual ~TimerHandle() = default;  // kills the timer and its window
  // SetTimer(window, 1, ms): replaces a running countdown. False when the
  // system refuses a timer.
  [[nodiscard]] virtual bool Start(std::uint32_t milliseconds) = 0;
  virtual void Stop() = 0;  // KillTimer(window, 1); harmless when not running
};

class DeadlineSink {
 public:
  virtual void DeadlineReached() = 0;

 protected:
  ~DeadlineSink() = default;
};

// A high-resolution waitable timer, signalled at an absolute due time and
// served by the program's own message loop (not by a modal loop of the
// system's: a message box, a file dialog, a menu, a window being moved).
class DeadlineHandle {
 public:
  virtual ~DeadlineHandle() = default;  // closes the timer
  // Signals at `due` on PreciseNow's clock; replaces an earlier due time.
  // A due time already past signals at once. False when refused.
  [[nodiscard]] virtual bool Arm(std::uint64_t dueMicroseconds) = 0;
  virtual void Disarm() = 0;  // harmless when not armed
};

class Timers {
 public:
  virtual ~Timers() = default;
  // Null when the system refuses the timer's window.
  virtual std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) = 0;
  // Null where the system has no high-resolution waitable timer (before
  // Windows 10 1803), or refuses one.
  virtual std::unique_ptr<DeadlineHandle> CreateDeadlineTimer(DeadlineSink& sink) = 0;
  // 1 ms scheduler resolution on (timeBeginPeriod) or off (timeEndPeriod).
  virtual void SetHighResolution(bool on) = 0;
  // Exempt: the process opts out of the power throttling that Windows
  // puts on a program whose windows are hidden (its timer resolution
  // ignored, its execution slowed); not: what was before is put back.
  virtual void SetThrottlingExempt(bool exempt) = 0;
  // Milliseconds since some fixed point; only differences are meaningful.
  virtual std::uint64_t Now() = 0;
  // Microseconds on a steady high-resolution clock (the performance
  // counter), the clock of deadline timers.
  virtual std::uint64_t PreciseNow() = 0;
};

}  // namespace platform
