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

FakeClock::FakeClock() = default;
FakeClock::~FakeClock() = default;

void FakeClock::advance(std::uint64_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  runPending();
  for (;;) {
    FakeTimer* next = nullptr;
    for (FakeTimer* timer : running_) {
      if (timer->due_ > target) continue;
      if (next == nullptr || timer->due_ < next->due_ || (timer->due_ == next->due_ && timer->order_ < next->order_)) {
        next = timer;
      }
    }
    if (next == nullptr) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    next->order_ = ++sequence_;
    next->sink_.TimerFired();
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

void FakeClock::SetHighResolution(bool on) {
  ++highResolutionCalls_;
  highResolutionDepth_ += on ? 1 : -1;
}

}  // namespace platform::fake
