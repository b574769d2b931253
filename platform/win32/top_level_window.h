// What the two top-level kinds share, the application window and the
// forms: closing and minimising become requests to the framework, focus is
// the active window's business, and modal loops run the same way.
#pragma once

#include <functional>

#include "platform/win32/message_loop.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32TopLevelWindow : public Win32Window, public TopLevelPeer {
 public:
  [[nodiscard]] Size ClientSize() override { return ClientArea(); }
  void RunModal(const std::function<bool()>& done) override { RunModalLoop(windows(), done); }
  // The frame's styles change; the outer size stays what the framework set.
  void SetBorder(FormBorder border) override {
    HWND window = handle();
    if (window == nullptr) return;
    const auto buttons = static_cast<LONG_PTR>(BorderStyle(FormBorder::kSizeable));
    const auto style = (GetWindowLongPtrW(window, GWL_STYLE) & ~buttons) | static_cast<LONG_PTR>(BorderStyle(border));
    const auto exStyle = (GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME)) |
                         static_cast<LONG_PTR>(BorderExStyle(border));
    // All fail only for a window that is gone.
    SetWindowLongPtrW(window, GWL_STYLE, style);
    SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The sizing frame and the title bar's boxes of each kind of border, and
  // the dialog frame's extended style.
  [[nodiscard]] static DWORD BorderStyle(FormBorder border) noexcept {
    return border == FormBorder::kSizeable ? WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX : 0;
  }
  [[nodiscard]] static DWORD BorderExStyle(FormBorder border) noexcept {
    return border == FormBorder::kDialog ? WS_EX_DLGMODALFRAME : 0;
  }
  [[nodiscard]] int Dpi() override { return DpiOf(handle()); }

 protected:
  using Win32Window::Win32Window;

  [[nodiscard]] bool IsTopLevel() const noexcept override { return true; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CLOSE:
        events().PeerCloseRequested();
        return 0;
      case WM_QUERYENDSESSION:
        // Asked first; the session may still go on if another program refuses.
        events().PeerSessionEnding(false);
        return TRUE;
      case WM_ENDSESSION:
        if (wParam != FALSE) events().PeerSessionEnding(true);
        return 0;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
          events().PeerMinimizeRequested();
          return 0;
        }
        break;
      case WM_DPICHANGED: {
        // Per-monitor aware: the window was moved onto a monitor of another
        // scale, and the framework lays it out again for that scale.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        events().PeerDpiChanged(LOWORD(wParam), Rect{suggested.left, suggested.top, suggested.right - suggested.left,
                                                     suggested.bottom - suggested.top});
        return 0;
      }
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        // A top-level window's focus is its activation, reported as such.
        return CallBase(message, wParam, lParam);
      default:
        break;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
  }
};

}  // namespace platform::win32
