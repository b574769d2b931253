// What a glance at the notification area tells: what the session does,
// the clicks of the current run and the rate it actually reaches.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>

enum class Activity : std::uint8_t { kIdle, kClickingPoint, kClickingList, kPaused, kCapturing };

// Clicks a second over the last few seconds of the run, or since it began
// when that is sooner: the rate reached, whatever the interval asked.
class ClickRate {
 public:
  static constexpr std::uint64_t kWindowMs = 3000;

  void Begin(std::uint64_t now) {
    times_.clear();
    began_ = now;
    count_ = 0;
  }
  void Note(std::uint64_t now) {
    ++count_;
    times_.push_back(now);
    Trim(now);
  }
  [[nodiscard]] std::int64_t Count() const noexcept { return count_; }
  [[nodiscard]] double PerSecond(std::uint64_t now) {
    Trim(now);
    const std::uint64_t span = std::min(kWindowMs, now - began_);
    return span == 0 ? 0.0 : static_cast<double>(times_.size()) * 1000.0 / static_cast<double>(span);
  }

 private:
  void Trim(std::uint64_t now) {
    while (!times_.empty() && times_.front() + kWindowMs <= now) times_.pop_front();
  }
  std::deque<std::uint64_t> times_;
  std::uint64_t began_ = 0;
  std::int64_t count_ = 0;
};

// The icon's tip: "Tapfinch: clicking the list, 1,204 clicks, 99.7 a second".
std::string ActivityTip(Activity activity, std::int64_t clicks, double perSecond);
