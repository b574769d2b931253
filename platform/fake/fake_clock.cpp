#include "platform/fake/fake_clock.h"

#include <algorithm>

namespace platform::fake {

namespace {
// Windows clamps SetTimer intervals to USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM.
constexpr std::uint32_t kTimerMinimum = 10;
constexpr std::uint32_t kTimerMaximum = 0x7FFFFFFF;
}  // namespace

class FakeClock::FakeTimer final : public TimerHandle {
 public:
  FakeTimer(FakeClock& clock, TimerSink& sink) : clock_(clock), sink_(sink) {}
  ~FakeTimer() override { Stop(); }
  FakeTimer(const FakeTimer&) = delete;
  FakeTimer& operator=(const FakeTimer&) = delete;

  bool Start(std::uint32_t milliseconds) override {
    if (clock_.refuseTimers_) return false;
    ++clock_.timerStarts_;
    if (!running_) clock_.running_.push_back(this);
    running_ = true;
    interval_ = std::clamp(milliseconds, kTimerMinimum, kTimerMaximum);
    due_ = clock_.now_ + interval_;
    order_ = ++clock_.sequence_;
    return true;
  }
  void Stop() override {
    if (!running_) return;
    running_ = false;
    auto& list = clock_.running_;
    list.erase(std::find(list.begin(), list.end(), this));
  }

  FakeClock& clock_;
  TimerSink& sink_;
  bool running_ = false;
  std::uint32_t interval_ = 0;
  std::uint64_t due_ = 0;
  std::uint64_t order_ = 0;
};

class FakeClock::FakeDeadline final : public DeadlineHandle {
 public:
  FakeDeadline(FakeClock& clock, DeadlineSink& sink) : clock_(clock), sink_(sink) {}
  ~FakeDeadline() override { Disarm(); }
  FakeDeadline(const FakeDeadline&) = delete;
  FakeDeadline& operator=(const FakeDeadline&) = delete;

  bool Arm(std::uint64_t dueMicroseconds) override {
    constexpr std::size_t kKept = 1000;
    if (clock_.deadlineArms_.size() == kKept) clock_.deadlineArms_.pop_front();
    clock_.deadlineArms_.push_back({clock_.now_ * 1000, dueMicroseconds});
    ++clock_.deadlineArmCount_;
    if (!armed_) clock_.armed_.push_back(this);
    armed_ = true;
    due_ = dueMicroseconds;
    order_ = ++clock_.sequence_;
    return true;
  }
  void Disarm() override {
    if (!armed_) return;
    armed_ = false;
    auto& list = clock_.armed_;
    list.erase(std::find(list.begin(), list.end(), this));
  }
  // The clock's milliseconds: the first one at or after the due time.
  [[nodiscard]] std::uint64_t dueMilliseconds() const noexcept { return (due_ + 999) / 1000; }

  FakeClock& clock_;
  DeadlineSink& sink_;
  bool armed_ = false;
  std::uint64_t due_ = 0;
  std::uint64_t order_ = 0;
};

FakeClock::FakeClock() = default;
FakeClock::~FakeClock() = default;

void FakeClock::advance(std::uint64_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  runPending();
  for (;;) {
    // The next timer to be served, by the time it is served and then by
    // the order of arming.
    FakeTimer* timer = nullptr;
    FakeDeadline* deadline = nullptr;
    std::uint64_t when = 0;
    std::uint64_t order = 0;
    auto consider = [&](std::uint64_t at, std::uint64_t armed) {
      at = std::max(at + latency_, now_);
      if (at > target) return false;
      if ((timer == nullptr && deadline == nullptr) || at < when || (at == when && armed < order)) {
        when = at;
        order = armed;
        return true;
      }
      return false;
    };
    for (FakeTimer* t : running_) {
      if (consider(t->due_, t->order_)) {
        timer = t;
        deadline = nullptr;
      }
    }
    // A modal loop of the system's waits on nothing of the program's.
    if (systemModalDepth_ == 0) {
      for (FakeDeadline* d : armed_) {
        if (consider(d->dueMilliseconds(), d->order_)) {
          deadline = d;
          timer = nullptr;
        }
      }
    }
    if (timer == nullptr && deadline == nullptr) break;
    now_ = when;
    if (timer != nullptr) {
      // Served late, a timer made no message for the expiries it missed.
      timer->due_ += timer->interval_;
      while (timer->due_ + latency_ <= now_) timer->due_ += timer->interval_;
      timer->order_ = ++sequence_;
      timer->sink_.TimerFired();
    } else {
      deadline->Disarm();  // signalled once; armed again for the next
      deadline->sink_.DeadlineReached();
    }
    runPending();
  }
  now_ = target;
  runPending();
}

void FakeClock::runPending() {
  while (!queue_.empty()) {
    auto message = std::move(queue_.front());
    queue_.pop_front();
    message();
  }
}

void FakeClock::post(std::function<void()> message) { queue_.push_back(std::move(message)); }

void FakeClock::reportError(const std::exception_ptr& error) {
  if (!errorHandler_) std::rethrow_exception(error);
  errorHandler_(error);
}

int FakeClock::runningTimers() const noexcept { return static_cast<int>(running_.size()); }

std::unique_ptr<TimerHandle> FakeClock::CreateTimer(TimerSink& sink) {
  if (refuseTimerWindows_) return nullptr;
  return std::make_unique<FakeTimer>(*this, sink);
}

std::unique_ptr<DeadlineHandle> FakeClock::CreateDeadlineTimer(DeadlineSink& sink) {
  if (lackDeadlineTimers_) return nullptr;
  return std::make_unique<FakeDeadline>(*this, sink);
}

void FakeClock::SetThrottlingExempt(bool exempt) {
  ++throttlingCalls_;
  throttlingExempt_ = exempt;
}

void FakeClock::SetHighResolution(bool on) {
  ++highResolutionCalls_;
  highResolutionDepth_ += on ? 1 : -1;
}

}  // namespace platform::fake
