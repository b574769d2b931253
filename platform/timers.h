// System timers and the clock.
// A framework timer owns one TimerHandle, which stands for a hidden window
// holding one system timer with identifier 1. The fake runs them on a
// virtual clock so tests can assert exact times.
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

class Timers {
 public:
  virtual ~Timers() = default;
  // Null when the system refuses the timer's window.
  virtual std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) = 0;
  // 1 ms scheduler resolution on (timeBeginPeriod) or off (timeEndPeriod).
  virtual void SetHighResolution(bool on) = 0;
  // Milliseconds since some fixed point; only differences are meaningful.
  virtual std::uint64_t Now() = 0;
};

}  // namespace platform
