// A panel: a container of our own class, filled with its colour and
// edged with a raised bevel.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32Panel final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  [[nodiscard]] DWORD Style() const noexcept override { return WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT; }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return Win32Window::HandleMessage(message, wParam, lParam);
    const PaintDc paint(handle());
    RECT client;
    // Without a context or a size there is no bevel to draw this time.
    if (paint && GetClientRect(handle(), &client) != 0) DrawEdge(paint.get(), &client, BDR_RAISEDINNER, BF_RECT);
    return 0;
  }
};

}  // namespace platform::win32
