// The click interval: five fields (hours, minutes, seconds, tenths,
// hundredths) turned into timer milliseconds, the delay a new click entry
// stores, and the wait a stored delay gives back.
#pragma once

#include <cstdint>

struct IntervalFields {
  double hours = 0;
  double minutes = 0;
  double seconds = 0;
  double tenths = 0;
  double hundredths = 0;
};

// The weighted sum truncated toward zero, low 32 bits as the timer takes it.
std::uint32_t IntervalMilliseconds(const IntervalFields& fields) noexcept;
// The same sum divided by 1000, kept whole: 1 s 2 tenths 5 hundredths is 1.25.
double EntryDelaySeconds(const IntervalFields& fields) noexcept;
// A stored delay back to milliseconds, as the list run waits: the extended
// product truncated, so 0.3 s waits 299 ms; negative delays wrap.
std::uint32_t EntryWaitMilliseconds(double delaySeconds) noexcept;

// The longest wait the system's timer keeps: 0x7FFFFFFF ms, some 24.8 days.
inline constexpr std::uint32_t kLongestWaitMilliseconds = 0x7FFFFFFF;
// The same in seconds, as messages name it.
inline constexpr const char* kLongestWaitText = "2147483.647";
// Whether the list run can wait a delay: not negative, a number, and no
// longer than the longest wait. Any other would stall the run for good.
bool DelayIsWaitable(double delaySeconds) noexcept;
