// A group box: the system's BUTTON drawing a captioned frame, and a
// container whose controls the dialog manager reaches with Tab.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32GroupBox final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"BUTTON"; }
  [[nodiscard]] DWORD Style() const noexcept override { return BS_GROUPBOX | WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT; }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, true); }
};

}  // namespace platform::win32
