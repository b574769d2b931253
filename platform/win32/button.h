// A push button: the system's BUTTON under the framework's class name.
// Its click is the one notification the framework wants of it.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32Button final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"BUTTON"; }
  [[nodiscard]] DWORD Style() const noexcept override { return BS_PUSHBUTTON; }
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) events().PeerClicked();
  }
};

}  // namespace platform::win32
