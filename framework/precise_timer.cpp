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
  if (Arm(now)) return true;
  Stop();
  return false;
}

void PreciseTimer::Stop() {
  running_ = false;
  if (deadline_) deadline_->Disarm();
  if (fallback_) fallback_->Stop();
}

bool PreciseTimer::Arm(std::uint64_t now) {
  const std::uint64_t left = due_ > now ? (due_ - now + 999) / 1000 : 0;
  const std::uint64_t slack = std::clamp<std::uint64_t>(period_ / 2000, 1, kFallbackSlackMs);
  const auto fallback = static_cast<std::uint32_t>(std::min<std::uint64_t>(left + slack, kMaximumMs));
  const bool deadline = deadline_->Arm(due_);
  // Both must take at a start; during a run the one that took serves.
  return fallback_->Start(fallback) && deadline;
}

void PreciseTimer::Due() {
  if (!running_) return;
  const std::uint64_t now = timers_.PreciseNow();
  // A signal left from before the last arming, or a fallback ahead of
  // its deadline: not yet.
  if (now + kEarlyUs < due_) {
    static_cast<void>(Arm(now));
    return;
  }
  firedDue_ = due_;
  // The next deadline from this one; ticks the thread missed (held up
  // longer than a period) are dropped, not made up in a burst.
  due_ += period_;
  if (due_ <= now) due_ += ((now - due_) / period_ + 1) * period_;
  // A re-arming refused leaves the other one to serve the next deadline.
  static_cast<void>(Arm(now));
  struct Firing {
    bool& flag;
    ~Firing() { flag = false; }
  } firing{firing_};
  firing_ = true;
  sink_.TimerFired();
}
