#include "framework/precise_timer.h"

#include <algorithm>

namespace {
// SetTimer's own bounds (USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM), so that a
// precise timer waits as long as today's would.
constexpr std::uint32_t kMinimumMs = 10;
constexpr std::uint32_t kMaximumMs = 0x7FFFFFFF;
// A high-resolution timer signals on time, but its clock and the
// performance counter may differ by a little: within this it is due.
constexpr std::uint64_t kEarlyUs = 1000;
}  // namespace

std::unique_ptr<PreciseTimer> PreciseTimer::Create(platform::Timers& timers, platform::TimerSink& sink) {
  auto timer = std::make_unique<PreciseTimer>(timers, sink);
  timer->deadline_ = timers.CreateDeadlineTimer(*timer);
  if (!timer->deadline_) return nullptr;
  timer->fallback_ = timers.CreateTimer(*timer);
  if (!timer->fallback_) return nullptr;
  return timer;
}

PreciseTimer::~PreciseTimer() { Stop(); }

bool PreciseTimer::Start(std::uint32_t milliseconds) {
  period_ = std::uint64_t{std::clamp(milliseconds, kMinimumMs, kMaximumMs)} * 1000;
  const std::uint64_t now = timers_.PreciseNow();
  due_ = (firing_ ? firedDue_ : now) + period_;
  running_ = true;
  // Both must take at a start; during a run the one that took serves.
  const bool deadline = deadline_->Arm(due_);
  if (PushFallback(now) && deadline) return true;
  Stop();
  return false;
}

void PreciseTimer::Stop() {
  running_ = false;
  fallbackPeriodic_ = false;
  if (deadline_) deadline_->Disarm();
  if (fallback_) fallback_->Stop();
}

bool PreciseTimer::PushFallback(std::uint64_t now) {
  const std::uint64_t left = due_ > now ? (due_ - now + 999) / 1000 : 0;
  const std::uint64_t slack = std::clamp<std::uint64_t>(period_ / 5000, 1, kFallbackSlackMs);
  fallbackPeriodic_ = false;
  return fallback_->Start(static_cast<std::uint32_t>(std::min<std::uint64_t>(left + slack, kMaximumMs)));
}

void PreciseTimer::Due(bool byFallback) {
  if (!running_) return;
  const std::uint64_t now = timers_.PreciseNow();
  // A signal left from before the last arming, or a fallback ahead of
  // its deadline (the deadline moved on): not yet.
  if (now + kEarlyUs < due_) {
    static_cast<void>(deadline_->Arm(due_));
    static_cast<void>(PushFallback(now));
    return;
  }
  firedDue_ = due_;
  // The next deadline from this one. One already past (the thread held
  // up a little longer than a period) comes at once; more than that are
  // dropped, not made up in a burst.
  due_ += period_;
  if (due_ + period_ <= now) due_ += (now - due_) / period_ * period_;
  // A re-arming refused leaves the other one to serve the next deadline.
  static_cast<void>(deadline_->Arm(due_));
  if (!byFallback) {
    // The program's own loop: the fallback is put off past the next deadline.
    static_cast<void>(PushFallback(now));
  } else if (!fallbackPeriodic_) {
    // A modal loop of the system's: from here the fallback repeats at the
    // period itself, as WM_TIMER does without losing the time each message
    // takes to arrive, each just after its deadline.
    fallbackPeriodic_ = fallback_->Start(static_cast<std::uint32_t>(period_ / 1000));
  }
  struct Firing {
    bool& flag;
    ~Firing() { flag = false; }
  } firing{firing_};
  firing_ = true;
  sink_.TimerFired();
}
