// The GUI thread's message loop.
// Everything the program reacts to (input, timers, hotkeys) arrives through
// it one message at a time, so no handler ever interrupts another.
#pragma once

#include <functional>

namespace platform {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Dispatches messages until Quit is called. The fake dispatches what is
  // due at the current virtual time and returns; tests move the clock.
  virtual void Run() = 0;
  virtual void Quit() = 0;
  // Dispatches what is waiting without blocking.
  virtual void ProcessPending() = 0;
};

}  // namespace platform
