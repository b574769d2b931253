// A hidden window whose messages go to a handler object. Every timer and
// hotkey receiver owns one from its first use, as the framework expects
// ("TPUtilWindow"); errors its handler raises go to the loop's error handler.
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

  // Check with operator bool: the system may refuse the class or the window.
  MessageWindow(WindowClasses& classes, const ErrorRoute& errors, const char* className, Handler& handler);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  [[nodiscard]] HWND get() const noexcept { return window_.get(); }
  [[nodiscard]] explicit operator bool() const noexcept { return static_cast<bool>(window_); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Handler& handler_;
  const ErrorRoute& errors_;
  UniqueWindow window_;
};

}  // namespace platform::win32
