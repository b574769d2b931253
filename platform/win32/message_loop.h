// The GUI thread's message loop. The main loop and every modal one send
// each message the same way, so the dialog manager moves the focus in our
// forms, and timers and hotkeys are served, whichever loop is running.
#pragma once

#include <functional>

#include "platform/event_loop.h"
#include "platform/win32/error_route.h"
#include "platform/win32/win32_windows.h"

namespace platform::win32 {

// IsDialogMessage for our forms, otherwise TranslateMessage and DispatchMessage.
void Dispatch(const Win32Windows& windows, MSG& message);

// Dispatches until done() holds; on WM_QUIT it leaves it for the outer
// loop. Deadline timers are served as in the main loop.
void RunModalLoop(const Win32Windows& windows, const std::function<bool()>& done);

class Win32Loop final : public EventLoop {
 public:
  Win32Loop(const Win32Windows& windows, ErrorRoute& errors) noexcept : windows_(windows), errors_(errors) {}

  void Run() override;
  void Quit() override;
  void ProcessPending() override;
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;

 private:
  const Win32Windows& windows_;
  ErrorRoute& errors_;
};

}  // namespace platform::win32
