// A page control: the common controls' tab row (SysTabControl32). The
// sheets are separate windows the framework places in DisplayRect; picking
// a tab is reported, and the framework shows the sheet.
#pragma once

#include <string>

#include "platform/win32/text.h"
#include "platform/win32/window_base.h"
// After windows.h, which window_base.h brings.
#include <commctrl.h>

namespace platform::win32 {

class Win32PageControl final : public Win32Window, public TabsPeer {
 public:
  using Win32Window::Win32Window;

  // A tab the control refuses leaves the row short; the framework's pages
  // stay right, and there is nobody to tell.
  void SetTab(int index, const std::string& caption) override {
    if (index < 0) return;
    std::wstring text = WideText(caption);  // the item wants a writable buffer
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const int count = static_cast<int>(SendMessageW(handle(), TCM_GETITEMCOUNT, 0, 0));
    SendMessageW(handle(), index < count ? TCM_SETITEMW : TCM_INSERTITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
  }

  // The answer is the previous tab, or -1 for an index out of range, which
  // leaves the selection as it was.
  void SetTabIndex(int index) override {
    SendMessageW(handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    KeepOnlySelectedPressed();
  }

  [[nodiscard]] Rect DisplayRect() override {
    RECT area{};
    if (GetClientRect(handle(), &area) == 0) return {};
    SendMessageW(handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return WC_TABCONTROLW; }
  // The sheets are its siblings (see the tab sheet): it holds no windows,
  // and is a Tab stop like any control.
  [[nodiscard]] DWORD Style() const noexcept override { return 0; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return 0; }

  LRESULT OnNotify(const NMHDR& header) override {
    if (header.code == TCN_SELCHANGE) {
      KeepOnlySelectedPressed();
      events().PeerTabSelected(static_cast<int>(SendMessageW(handle(), TCM_GETCURSEL, 0, 0)));
    }
    return 0;
  }

 private:
  // Wine's tab row moves its selection with the arrow keys but leaves the
  // tab it left marked pressed; a click then only clears that mark and the
  // tab clicked is not selected. Only the selected tab is pressed here.
  void KeepOnlySelectedPressed() {
    const int selected = static_cast<int>(SendMessageW(handle(), TCM_GETCURSEL, 0, 0));
    const int count = static_cast<int>(SendMessageW(handle(), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TCITEMW item{};
      item.mask = TCIF_STATE;
      item.dwStateMask = TCIS_BUTTONPRESSED;
      item.dwState = i == selected ? TCIS_BUTTONPRESSED : 0;
      SendMessageW(handle(), TCM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
  }
};

}  // namespace platform::win32
