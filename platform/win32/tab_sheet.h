// A tab sheet: one page of a page control, a container of our own class
// filled with its colour. Its caption is its tab's, which the page control
// shows; the sheet's own window has no text to change.
#pragma once

#include <string>

#include "platform/win32/window_base.h"

namespace platform::win32 {

// The sheet's window is the tab row's sibling, not its child, laid over
// the row's display area: the dialog manager then stops at the row as at
// any control (a window holding others is never a stop), and Tab reaches
// it after the page's controls. The framework's places, relative to the
// page control, are moved by the row's place in its parent.
class Win32TabSheet final : public Win32Window {
 public:
  Win32TabSheet(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
      : Win32Window(windows, params, events), row_(HandleOf(params.parent)) {}

  void SetText(const std::string& /*text*/) override {}
  void SetBounds(const Rect& bounds) override { Win32Window::SetBounds(OverRow(bounds)); }

 protected:
  [[nodiscard]] DWORD Style() const noexcept override { return WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT; }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }
  [[nodiscard]] HWND ParentFor(const PeerParams& /*params*/) const noexcept override {
    return row_ != nullptr ? GetParent(row_) : nullptr;
  }
  [[nodiscard]] Rect InitialBounds(const PeerParams& params) const override { return OverRow(params.bounds); }
  void Created(const PeerParams& /*params*/) override {
    // Below every sheet, so that they cover its display area, and so last
    // among them in the Tab order. Fails only for a row that is gone.
    if (row_ != nullptr) {
      SetWindowPos(row_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
  }

 private:
  [[nodiscard]] Rect OverRow(Rect bounds) const noexcept {
    if (row_ == nullptr) return bounds;
    POINT origin{0, 0};
    MapWindowPoints(row_, GetParent(row_), &origin, 1);  // fails only for a row that is gone
    bounds.left += origin.x;
    bounds.top += origin.y;
    return bounds;
  }

  HWND row_;  // the page control's tab row
};

}  // namespace platform::win32
