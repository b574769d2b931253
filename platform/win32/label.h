// A label: the system's STATIC, one line as the layout measured it (or
// broken at words to fit its width), in the control's own colours.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32Label final : public Win32Window {
 public:
  Win32Label(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
      : Win32Window(windows, params, events), wordWrap_(params.wordWrap) {}

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"STATIC"; }
  [[nodiscard]] DWORD Style() const noexcept override { return wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; }
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, true); }

 private:
  bool wordWrap_;
};

}  // namespace platform::win32
