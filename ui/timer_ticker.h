// A window's timer as the engine's ticker: the engine decides when a run
// waits and how long; the timer component does the waiting.
#pragma once

#include "engine/ticker.h"
#include "framework/extctrls.h"

class TimerTicker final : public Ticker {
 public:
  explicit TimerTicker(TTimer& timer) noexcept : timer_(timer) {}
  [[nodiscard]] bool Enabled() const override { return timer_.Enabled(); }
  void SetEnabled(bool enabled) override { timer_.SetEnabled(enabled); }
  [[nodiscard]] std::uint32_t Interval() const override { return timer_.Interval(); }
  void SetInterval(std::uint32_t milliseconds) override { timer_.SetInterval(milliseconds); }
  [[nodiscard]] bool Running() const override { return timer_.Running(); }

 private:
  TTimer& timer_;
};
