// A scroll box: a container of our own class filled with its colour, with
// one sunken border line round it (the static edge), so its client area is
// the window inset by a pixel on each side. The framework scrolls its
// contents itself; the window has no scroll bars.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32ScrollBox final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  [[nodiscard]] DWORD Style() const noexcept override { return WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT | WS_EX_STATICEDGE; }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }
};

}  // namespace platform::win32
