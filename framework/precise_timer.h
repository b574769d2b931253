// The system timer of a framework timer that drives clicking: a deadline
// timer that keeps the time (each deadline counted from the last, so that
// a wait never grows by the time a tick took to arrive), with a WM_TIMER
// beside it for the modal loops of the system's (a message box, a file
// dialog, a menu), which wait on nothing of the program's. Either one
// serves a deadline, never both. In the program's own loop each deadline
// puts the fallback off past the next one; once the fallback has served
// one (a modal loop), it repeats at the period until a deadline is served
// again.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/timers.h"

class PreciseTimer final : public platform::TimerHandle, private platform::DeadlineSink, private platform::TimerSink {
 public:
  // Null where the system has no deadline timer to give, or refuses the
  // fallback's window: the caller keeps today's timer.
  static std::unique_ptr<PreciseTimer> Create(platform::Timers& timers, platform::TimerSink& sink);
  // Made by Create, which gives it its two system timers.
  PreciseTimer(platform::Timers& timers, platform::TimerSink& sink) noexcept : timers_(timers), sink_(sink) {}
  ~PreciseTimer() override;
  PreciseTimer(const PreciseTimer&) = delete;
  PreciseTimer& operator=(const PreciseTimer&) = delete;

  // As SetTimer: a new countdown from now, or, asked from within its own
  // tick (a list run's next entry), from that tick's deadline.
  bool Start(std::uint32_t milliseconds) override;
  void Stop() override;

  // How much after a deadline the fallback first fires: a fifth of the
  // period, at most 10 ms.
  static constexpr std::uint32_t kFallbackSlackMs = 10;

 private:
  void DeadlineReached() override { Due(false); }
  void TimerFired() override { Due(true); }
  void Due(bool byFallback);
  // Arms the fallback a little after the deadline.
  bool PushFallback(std::uint64_t now);

  platform::Timers& timers_;
  platform::TimerSink& sink_;
  std::unique_ptr<platform::DeadlineHandle> deadline_;
  std::unique_ptr<platform::TimerHandle> fallback_;
  std::uint64_t period_ = 0;  // microseconds, as all the times below
  std::uint64_t due_ = 0;
  std::uint64_t firedDue_ = 0;
  bool running_ = false;
  bool firing_ = false;
  bool fallbackPeriodic_ = false;
};
