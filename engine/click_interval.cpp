#include "engine/click_interval.h"

#include <cmath>

#include "framework/sysutils.h"

namespace {

// Accumulated in the order the fields were always summed, smallest unit
// first; for the whole numbers the fields hold the sum is exact.
double WeightedSum(const IntervalFields& f) noexcept {
  return f.hundredths * 10 + f.tenths * 100 + f.seconds * 1000 + f.minutes * 60000 + f.hours * 3600000;
}

}  // namespace

std::uint32_t IntervalMilliseconds(const IntervalFields& fields) noexcept {
  const double sum = std::trunc(WeightedSum(fields));
  if (!(std::fabs(sum) < 9.2e18)) return 0;  // outside 64 bits: no usable interval
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(sum)));
}

double EntryDelaySeconds(const IntervalFields& fields) noexcept { return WeightedSum(fields) / 1000; }

std::uint32_t EntryWaitMilliseconds(double delaySeconds) noexcept {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(TruncMillisecondsOf(delaySeconds)));
}

bool DelayIsWaitable(double delaySeconds) noexcept {
  // Far beyond the longest wait first, so that the conversion sees only
  // numbers it can hold.
  if (!(delaySeconds >= 0 && delaySeconds < 4294968.0)) return false;
  return TruncMillisecondsOf(delaySeconds) <= static_cast<std::int64_t>(kLongestWaitMilliseconds);
}
