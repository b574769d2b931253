// Busy loops on threads of the driver's own, at normal priority, one per
// processor: the program then shares every core with work that never
// waits, as on a machine busy with a build.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace e2e {

class BusyLoad {
 public:
  BusyLoad() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const DWORD count = std::max<DWORD>(2, system.dwNumberOfProcessors);
    for (DWORD i = 0; i < count; ++i) {
      HANDLE thread = CreateThread(nullptr, 0, &BusyLoad::Spin, this, 0, nullptr);
      if (thread != nullptr) threads_.push_back(thread);
    }
  }
  ~BusyLoad() {
    stop();
    for (HANDLE thread : threads_) CloseHandle(thread);
  }
  BusyLoad(const BusyLoad&) = delete;
  BusyLoad& operator=(const BusyLoad&) = delete;

  [[nodiscard]] std::size_t threads() const noexcept { return threads_.size(); }

  // Processor time the loops have had so far, in milliseconds: proof that
  // they did load the machine.
  [[nodiscard]] double processorMilliseconds() const {
    double total = 0;
    for (HANDLE thread : threads_) {
      FILETIME created{};
      FILETIME exited{};
      FILETIME kernel{};
      FILETIME user{};
      if (GetThreadTimes(thread, &created, &exited, &kernel, &user) != 0)
        total += Milliseconds(kernel) + Milliseconds(user);
    }
    return total;
  }

  // Ends the loops; their processor time stays readable.
  void stop() {
    stopping_.store(true);
    for (HANDLE thread : threads_) WaitForSingleObject(thread, INFINITE);
  }

 private:
  static double Milliseconds(FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  }

  static DWORD WINAPI Spin(void* self) {
    const auto& stopping = static_cast<BusyLoad*>(self)->stopping_;
    volatile unsigned long long turns = 0;
    while (!stopping.load(std::memory_order_relaxed)) turns = turns + 1;
    return 0;
  }

  std::atomic<bool> stopping_{false};
  std::vector<HANDLE> threads_;
};

}  // namespace e2e
