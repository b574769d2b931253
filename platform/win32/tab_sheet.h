// A tab sheet: one page of a page control, a container of our own class
// filled with its colour. Its caption is its tab's, which the page control
// shows; the sheet's own window has no text to change.
#pragma once

#include <string>

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32TabSheet final : public Win32Window {
 public:
  using Win32Window::Win32Window;

  void SetText(const std::string& /*text*/) override {}

 protected:
  [[nodiscard]] DWORD Style() const noexcept override { return WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT; }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }
};

}  // namespace platform::win32
