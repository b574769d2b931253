// What the program's own loops wait on besides messages: the deadline
// timers that are armed. MsgWaitForMultipleObjectsEx hands back a
// signalled timer before the input waiting, so a flood of messages never
// holds a click up; WM_TIMER, by contrast, is only made when the queue is
// otherwise empty. The system's modal loops (a message box, a file dialog,
// a menu, a window being moved) wait on messages only; there a precise
// timer's WM_TIMER fallback serves.
#pragma once

#include <vector>

#include "platform/win32/error_route.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

class Waits {
 public:
  class Waiter {
   public:
    virtual void Signalled() = 0;

   protected:
    ~Waiter() = default;
  };

  explicit Waits(const ErrorRoute& errors) noexcept : errors_(errors) {}

  // At most MAXIMUM_WAIT_OBJECTS - 1 at once (the program has two).
  [[nodiscard]] bool Add(HANDLE handle, Waiter& waiter);
  void Remove(HANDLE handle) noexcept;

  // The next message, serving the timers that signal before it comes:
  // GetMessage's answer (0 on WM_QUIT, -1 when the queue is unusable).
  int NextMessage(MSG& message);
  // Serves what has signalled already, without waiting.
  void ServeSignalled();

 private:
  void Serve(std::size_t index);

  const ErrorRoute& errors_;
  std::vector<HANDLE> handles_;
  std::vector<Waiter*> waiters_;
};

}  // namespace platform::win32
