// Panels and framework timers.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/controls.h"
#include "platform/timers.h"

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  enum class TBevel { bvNone, bvRaised, bvLowered };
  void SetBevelOuter(TBevel bevel);

 protected:
  platform::Rect AdjustClientRect() const override;

 private:
  TBevel bevelOuter_ = TBevel::bvRaised;
};

// A container with a single sunken border line; its children lie inside it.
class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner, std::string className = "TScrollBox");

 protected:
  void UpdateClientSize() override;
};

// A framework timer: one hidden window holding one system timer. An
// interval of 0 never fires; only a real change of Interval, Enabled or
// OnTimer kills or sets the system timer. A refused timer raises
// EOutOfResources "Not enough timers available" and keeps the new state.
class TTimer : public TComponent, private platform::TimerSink {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  [[nodiscard]] std::uint32_t Interval() const noexcept { return interval_; }
  void SetInterval(std::uint32_t interval);
  [[nodiscard]] const TNotifyEvent& OnTimer() const noexcept { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  // True while a system timer is counting down for this timer.
  [[nodiscard]] bool Running() const noexcept { return running_; }
  // A timer that drives clicking keeps its time: a deadline timer where
  // the system has one (today's timer where it has not), and while it
  // runs faster than the system's tick the program is exempt from power
  // throttling. The rules above stay the same.
  [[nodiscard]] bool Precise() const noexcept { return precise_; }
  void SetPrecise(bool precise);

 private:
  void UpdateTimer();
  void SetRunning(bool running, bool fast);
  void TimerFired() override;

  std::unique_ptr<platform::TimerHandle> handle_;
  bool precise_ = false;
  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  bool running_ = false;
  bool fast_ = false;
};
