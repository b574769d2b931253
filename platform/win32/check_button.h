// Check boxes and radio buttons: the system's BUTTON without its automatic
// states (BS_CHECKBOX, BS_RADIOBUTTON), because the framework decides the
// state itself on the click and pushes it back.
#pragma once

#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32CheckButton final : public Win32Window, public CheckPeer {
 public:
  // buttonStyle: BS_CHECKBOX or BS_RADIOBUTTON.
  Win32CheckButton(Win32Windows& windows, const PeerParams& params, PeerEvents& events, DWORD buttonStyle)
      : Win32Window(windows, params, events), buttonStyle_(buttonStyle) {}

  // BM_SETCHECK always answers 0; there is no failure to see.
  void SetChecked(bool checked) override {
    SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"BUTTON"; }
  [[nodiscard]] DWORD Style() const noexcept override { return buttonStyle_; }
  void Created(const PeerParams& params) override {
    if (params.checked) SetChecked(true);
  }
  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) events().PeerClicked();
  }
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, true); }

 private:
  DWORD buttonStyle_;
};

}  // namespace platform::win32
