// A deadline timer on Windows: a high-resolution waitable timer
// (CreateWaitableTimerExW with CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
// Windows 10 1803 and later), auto-reset, armed with a due time relative to
// the performance counter's now and waited on by the program's loops.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/timers.h"
#include "platform/win32/handles.h"
#include "platform/win32/waits.h"

// Older headers lack the flag; its value is the system's.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform::win32 {

class Win32DeadlineTimer final : public DeadlineHandle, private Waits::Waiter {
 public:
  // Null before Windows 10 1803, which refuses the flag (ERROR_INVALID_PARAMETER).
  static std::unique_ptr<Win32DeadlineTimer> Create(Waits& waits, DeadlineSink& sink,
                                                    std::function<std::uint64_t()> now) {
    UniqueKernelHandle timer(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                                    TIMER_MODIFY_STATE | SYNCHRONIZE));
    if (!timer) return nullptr;
    return std::make_unique<Win32DeadlineTimer>(waits, sink, std::move(now), std::move(timer));
  }
  // Made by Create.
  Win32DeadlineTimer(Waits& waits, DeadlineSink& sink, std::function<std::uint64_t()> now,
                     UniqueKernelHandle timer) noexcept
      : waits_(waits), sink_(sink), now_(std::move(now)), timer_(std::move(timer)) {}
  ~Win32DeadlineTimer() override { Disarm(); }
  Win32DeadlineTimer(const Win32DeadlineTimer&) = delete;
  Win32DeadlineTimer& operator=(const Win32DeadlineTimer&) = delete;

  bool Arm(std::uint64_t dueMicroseconds) override {
    const std::uint64_t now = now_();
    // Relative, in 100 ns units, negative; a due time past signals at once.
    LARGE_INTEGER due{};
    due.QuadPart = dueMicroseconds > now ? -static_cast<LONGLONG>((dueMicroseconds - now) * 10) : -1;
    if (SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE) == 0) return false;
    return waits_.Add(timer_.get(), *this);
  }
  void Disarm() override {
    // Fails only for a timer not armed; a signal it left is no longer waited on.
    CancelWaitableTimer(timer_.get());
    waits_.Remove(timer_.get());
  }

 private:
  void Signalled() override { sink_.DeadlineReached(); }

  Waits& waits_;
  DeadlineSink& sink_;
  std::function<std::uint64_t()> now_;
  UniqueKernelHandle timer_;
};

}  // namespace platform::win32
