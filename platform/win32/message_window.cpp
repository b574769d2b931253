#include "platform/win32/message_window.h"

namespace platform::win32 {

HWND MessageWindow::Ensure() {
  if (window_) return window_.get();
  const WindowClasses::Entry* registered = classes_.Ensure(className_, nullptr, &MessageWindow::Procedure);
  if (registered == nullptr) return nullptr;
  window_.reset(CreateWindowExW(0, registered->name(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  return window_.get();
}

MessageWindow::~MessageWindow() {
  // Detached first: the handler that owns this window is being destroyed.
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr && message == WM_NCCREATE) {
    self = static_cast<MessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    // Cannot fail for a window of this thread while it is being created.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  const ErrorRoute& errors = self->errors_;  // the handler may end its own window
  try {
    return self->handler_.HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    errors.Report(std::current_exception());
    return 0;
  }
}

}  // namespace platform::win32
