// A label: the system's STATIC, one line as the layout measured it, in
// the control's own colours.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32Label final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  [[nodiscard]] const char* SystemClass() const noexcept override { return "STATIC"; }
  [[nodiscard]] DWORD Style() const noexcept override { return SS_LEFTNOWORDWRAP; }
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, true); }
};

}  // namespace platform::win32
