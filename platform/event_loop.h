// The GUI thread's message loop.
// Everything the program reacts to (input, timers, hotkeys) arrives through
// it one message at a time, so no handler ever interrupts another.
#pragma once

#include <exception>
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
  // Where an error goes that reaches the platform's own code (a window
  // procedure), which no exception may cross: the default error handler.
  virtual void SetErrorHandler(std::function<void(std::exception_ptr)> handler) = 0;
};

}  // namespace platform
