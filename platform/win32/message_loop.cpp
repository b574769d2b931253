#include "platform/win32/message_loop.h"

#include "platform/win32/window_base.h"

#include <utility>

namespace platform::win32 {

void Dispatch(const Win32Windows& windows, MSG& message) {
  // Tab, the arrows, Enter, Esc and mnemonics belong to the form.
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  // Ctrl+Tab and Ctrl+PageUp/Down turn a form's pages, wherever its focus is;
  // the dialog manager would take Ctrl+Tab for a plain Tab.
  if (root != nullptr && windows.IsForm(root) && message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
      (message.wParam == VK_TAB || message.wParam == VK_PRIOR || message.wParam == VK_NEXT) &&
      windows.PageKey(root, static_cast<std::uint16_t>(message.wParam), KeyboardShift())) {
    return;
  }
  if (root != nullptr && windows.IsForm(root) && IsDialogMessageW(root, &message) != 0) return;
  TranslateMessage(&message);  // false only when there is no character to make
  DispatchMessageW(&message);  // its result is the window procedure's, meant for nobody here
}

void RunModalLoop(const Win32Windows& windows, const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const int got = windows.waits().NextMessage(message);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
      return;
    }
    if (got < 0) return;  // the queue is unusable; the outer loop stops the same way
    Dispatch(windows, message);
  }
}

void Win32Loop::Run() {
  MSG message;
  // Ends on WM_QUIT, and on an error of the queue itself (-1); a deadline
  // timer that signals is served before the messages waiting.
  while (windows_.waits().NextMessage(message) > 0) Dispatch(windows_, message);
}

void Win32Loop::Quit() { PostQuitMessage(0); }

void Win32Loop::ProcessPending() {
  MSG message;
  for (;;) {
    windows_.waits().ServeSignalled();
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == 0) return;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for Run to see
      return;
    }
    Dispatch(windows_, message);
  }
}

void Win32Loop::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  errors_.SetHandler(std::move(handler));
}

}  // namespace platform::win32
