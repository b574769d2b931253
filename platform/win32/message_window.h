// A hidden window whose messages go to a handler object. Every timer and
// hotkey receiver owns one, as the framework expects ("TPUtilWindow");
// errors its handler raises go to the loop's error handler. The window is
// made at its first use (Ensure), not with the object: most timers and
// hotkeys wait for a run or a capture, and a dozen hidden windows made at
// start cost Wine a tenth of the start.
#pragma once

#include "platform/win32/error_route.h"
#include "platform/win32/handles.h"
#include "platform/win32/window_classes.h"

namespace platform::win32 {

class MessageWindow {
 public:
  class Handler {
   public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

   protected:
    ~Handler() = default;
  };

  MessageWindow(WindowClasses& classes, const ErrorRoute& errors, const char* className, Handler& handler) noexcept
      : classes_(classes), className_(className), handler_(handler), errors_(errors) {}
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // The window, made now if there is none yet; null when the system
  // refuses the class or the window, which the next call asks for again.
  HWND Ensure();
  // The window if made, else null.
  [[nodiscard]] HWND get() const noexcept { return window_.get(); }
  [[nodiscard]] explicit operator bool() const noexcept { return static_cast<bool>(window_); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WindowClasses& classes_;
  const char* className_;
  Handler& handler_;
  const ErrorRoute& errors_;
  UniqueWindow window_;
};

}  // namespace platform::win32
