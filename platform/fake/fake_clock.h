// The fake desktop's clock and message loop. Time moves only when a test
// moves it: advance() fires every system timer that falls due, in time
// order, and delivers queued messages (hotkey presses, requests of other
// programs) in between, so a test sees exactly the ticks it asks for.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "platform/event_loop.h"
#include "platform/timers.h"

namespace platform::fake {

class FakeClock final : public Timers, public EventLoop {
 public:
  FakeClock();
  ~FakeClock() override;
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  [[nodiscard]] std::uint64_t now() const noexcept { return now_; }
  // Moves the clock on, firing due timers and delivering queued messages in order.
  void advance(std::uint64_t milliseconds);
  // Delivers what is queued at the current time.
  void runPending();
  // Queues work for the event loop, as a posted message.
  void post(std::function<void()> message);
  [[nodiscard]] bool quitRequested() const noexcept { return quitRequested_; }
  // An error that reached the system's side of a window procedure goes
  // where the program said (SetErrorHandler); without a handler it is
  // thrown on, so that the test sees it.
  void reportError(const std::exception_ptr& error);

  [[nodiscard]] bool highResolution() const noexcept { return highResolutionDepth_ > 0; }
  [[nodiscard]] int highResolutionCalls() const noexcept { return highResolutionCalls_; }
  // The power-throttling opt-out the program asked for, and how often.
  [[nodiscard]] bool throttlingExempt() const noexcept { return throttlingExempt_; }
  [[nodiscard]] int throttlingCalls() const noexcept { return throttlingCalls_; }
  // A system without high-resolution waitable timers (before Windows 10
  // 1803): CreateDeadlineTimer answers null.
  void lackDeadlineTimers(bool lack) noexcept { lackDeadlineTimers_ = lack; }
  // Every timer, deadline or WM_TIMER, is served this much after it falls
  // due: a thread held up, a loaded machine.
  void setLatency(std::uint64_t milliseconds) noexcept { latency_ = milliseconds; }
  // While one runs, the thread is in a modal loop of the system's (a
  // message box, a file dialog): WM_TIMER is served, deadline timers wait
  // for the program's own loop.
  void enterSystemModalLoop() noexcept { ++systemModalDepth_; }
  void leaveSystemModalLoop() noexcept { --systemModalDepth_; }
  // The last armings of deadline timers (a day's run would keep millions):
  // when each was asked and the due time asked for, in microseconds.
  struct DeadlineArm {
    std::uint64_t at = 0;
    std::uint64_t due = 0;
  };
  [[nodiscard]] const std::deque<DeadlineArm>& deadlineArms() const noexcept { return deadlineArms_; }
  [[nodiscard]] std::uint64_t deadlineArmCount() const noexcept { return deadlineArmCount_; }
  void refuseTimers(bool refuse) noexcept { refuseTimers_ = refuse; }
  // No timer window at all: CreateTimer answers null.
  void refuseTimerWindows(bool refuse) noexcept { refuseTimerWindows_ = refuse; }
  [[nodiscard]] int runningTimers() const noexcept;
  [[nodiscard]] int timerStarts() const noexcept { return timerStarts_; }

  // Timers
  std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) override;
  std::unique_ptr<DeadlineHandle> CreateDeadlineTimer(DeadlineSink& sink) override;
  void SetHighResolution(bool on) override;
  void SetThrottlingExempt(bool exempt) override;
  std::uint64_t Now() override { return now_; }
  std::uint64_t PreciseNow() override { return now_ * 1000; }
  // EventLoop
  void Run() override { runPending(); }
  void Quit() override { quitRequested_ = true; }
  void ProcessPending() override { runPending(); }
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override { errorHandler_ = std::move(handler); }

 private:
  class FakeTimer;
  class FakeDeadline;

  std::uint64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  std::deque<std::function<void()>> queue_;
  bool quitRequested_ = false;
  std::function<void(std::exception_ptr)> errorHandler_;
  // The running timers, all that advance() looks at: a fast run fires
  // millions of times among a dozen idle ones.
  std::vector<FakeTimer*> running_;
  std::vector<FakeDeadline*> armed_;
  std::deque<DeadlineArm> deadlineArms_;
  std::uint64_t deadlineArmCount_ = 0;
  bool lackDeadlineTimers_ = false;
  std::uint64_t latency_ = 0;
  int systemModalDepth_ = 0;
  bool throttlingExempt_ = false;
  int throttlingCalls_ = 0;
  bool refuseTimers_ = false;
  bool refuseTimerWindows_ = false;
  int highResolutionDepth_ = 0;
  int highResolutionCalls_ = 0;
  int timerStarts_ = 0;
};

}  // namespace platform::fake
