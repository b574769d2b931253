// What a run needs of a timer: a wait in milliseconds that repeats until it
// is switched off. The window hands in its own timers; the engine's tests
// hand in one on the fake clock.
#pragma once

#include <cstdint>

class Ticker {
 public:
  virtual ~Ticker() = default;
  [[nodiscard]] virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  [[nodiscard]] virtual std::uint32_t Interval() const = 0;
  virtual void SetInterval(std::uint32_t milliseconds) = 0;
  // Counting down now: enabled, with a wait the system took.
  [[nodiscard]] virtual bool Running() const = 0;

 protected:
  Ticker() = default;
  Ticker(const Ticker&) = default;
  Ticker& operator=(const Ticker&) = default;
};
