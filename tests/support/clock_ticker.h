// A ticker on the fake platform's clock, for testing the engine's runs
// without a window: advancing the clock fires onTick as a timer would.
#pragma once

#include <functional>
#include <memory>

#include "engine/ticker.h"
#include "platform/timers.h"

namespace testing_support {

class ClockTicker final : public Ticker, private platform::TimerSink {
 public:
  explicit ClockTicker(platform::Timers& timers) : handle_(timers.CreateTimer(*this)) {}
  std::function<void()> onTick;

  [[nodiscard]] bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Arm();
  }
  [[nodiscard]] std::uint32_t Interval() const override { return interval_; }
  void SetInterval(std::uint32_t milliseconds) override {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Arm();
  }
  [[nodiscard]] bool Running() const override { return running_; }

 private:
  void Arm() {
    handle_->Stop();
    running_ = enabled_ && interval_ > 0 && handle_->Start(interval_);
  }
  void TimerFired() override {
    if (onTick) onTick();
  }

  std::unique_ptr<platform::TimerHandle> handle_;
  bool enabled_ = false;
  std::uint32_t interval_ = 1000;
  bool running_ = false;
};

}  // namespace testing_support
