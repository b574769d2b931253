// The program's own framework timers on the fake desktop, for tests of the
// engine without a window: a bare application and form own them, as the
// main window owns its run timers, and TimerTicker hands one to the engine
// exactly as the window does. So the engine runs on the very timer rules
// the program has, not on a copy of them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/extctrls.h"
#include "framework/forms.h"
#include "platform/fake/fake_platform.h"
#include "ui/timer_ticker.h"

namespace testing_support {

class TimerHost {
 public:
  explicit TimerHost(platform::fake::FakePlatform& fake) : application_(fake) {
    application_.Initialize();
    form_ = application_.CreateForm<TForm>("TimerHost");
  }

  // A timer as the layout makes the run timers: disabled, precise, with
  // the given interval; every tick runs onTick.
  TTimer& NewTimer(std::function<void()> onTick, std::uint32_t interval = 1000) {
    auto* timer = Make<TTimer>(*form_, "timer");
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetPrecise(true);
    timer->SetOnTimer([tick = std::move(onTick)](TObject*) {
      if (tick) tick();
    });
    return *timer;
  }

  [[nodiscard]] TApplication& Application() noexcept { return application_; }

 private:
  TApplication application_;
  TForm* form_ = nullptr;
};

// A ticker on a host's timer, with the tick settable afterwards (the run
// that ticks is made with the ticker).
class HostedTicker {
 public:
  explicit HostedTicker(TimerHost& host, std::uint32_t interval = 1000)
      : timer_(host.NewTimer(
            [this] {
              if (onTick) onTick();
            },
            interval)),
        ticker_(timer_) {}
  std::function<void()> onTick;
  [[nodiscard]] TimerTicker& ticker() noexcept { return ticker_; }
  [[nodiscard]] TTimer& timer() noexcept { return timer_; }

 private:
  TTimer& timer_;
  TimerTicker ticker_;
};

}  // namespace testing_support
