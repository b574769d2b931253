// What every peer's native window does, whatever its kind: creation, the
// common setters, keys, focus and the window procedure. A kind answers a few
// questions (style, system class, colours) and handles its own messages; a
// parent's notifications about a child go to the child's peer, from here only.
#pragma once

#include <optional>
#include <string>

#include "platform/peers.h"
#include "platform/win32/win32_windows.h"

namespace platform::win32 {

// Shift, Ctrl and Alt as the current message sees them.
ShiftBits KeyboardShift() noexcept;

class Win32Window : public WindowPeer {
 public:
  // A kind's peer is made by the factory, which calls Create next.
  Win32Window(Win32Windows& windows, const PeerParams& params, PeerEvents& events);
  ~Win32Window() override;  // destroys the native window
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Makes the native window; false when the system refuses its class or
  // the window. Not in the constructor, so that the kind's answers count.
  [[nodiscard]] bool Create(const PeerParams& params);

  void SetText(const std::string& text) override;
  void SetBounds(const Rect& bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetColor(Color color) override;
  void SetFont(const FontSpec& font) override;
  void SetFocus() override;
  void Invalidate() override;
  void SetCursor(CursorShape cursor) override { cursor_ = cursor; }

  [[nodiscard]] HWND handle() const noexcept { return window_; }
  [[nodiscard]] static HWND HandleOf(const WindowPeer* peer) noexcept {
    return peer != nullptr ? static_cast<const Win32Window*>(peer)->window_ : nullptr;
  }

 protected:
  // ---- what the kind is made of
  [[nodiscard]] virtual const wchar_t* SystemClass() const noexcept { return nullptr; }  // null: a class of our own
  [[nodiscard]] virtual DWORD Style() const noexcept { return 0; }
  [[nodiscard]] virtual DWORD ExStyle() const noexcept { return 0; }
  // Top-level windows get no WS_CHILD, no identifier and no parent control.
  [[nodiscard]] virtual bool IsTopLevel() const noexcept { return false; }
  [[nodiscard]] virtual HWND ParentFor(const PeerParams& params) const noexcept { return HandleOf(params.parent); }
  [[nodiscard]] virtual Rect InitialBounds(const PeerParams& params) const { return params.bounds; }
  virtual void Created(const PeerParams& /*params*/) {}
  // Filled with the window's colour on WM_ERASEBKGND.
  [[nodiscard]] virtual bool ErasesBackground() const noexcept { return false; }

  // ---- messages: the kind's own first, then the common handling
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What the parent was told about this window.
  virtual void OnCommand(WORD /*code*/) {}
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
  // WM_CTLCOLOR*: the brush of the background, or null for the system's colours.
  virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }

  LRESULT CallBase(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(base_, window_, message, wParam, lParam);
  }
  // Text in the font's colour (grey while disabled, when asked) on the window's colour.
  HBRUSH ControlColors(HDC dc, bool greyWhenDisabled);
  [[nodiscard]] std::string WindowText() const;
  [[nodiscard]] Size ClientArea() const noexcept;

  [[nodiscard]] Win32Windows& windows() noexcept { return windows_; }
  [[nodiscard]] PeerEvents& events() noexcept { return events_; }
  [[nodiscard]] Color color() const noexcept { return color_; }
  [[nodiscard]] const FontSpec& font() const noexcept { return font_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> ForwardToChild(UINT message, WPARAM wParam, LPARAM lParam);
  [[nodiscard]] Win32Window* PeerOf(HWND window) const noexcept;
  void Detach() noexcept;

  Win32Windows& windows_;
  PeerEvents& events_;
  HWND window_ = nullptr;
  WNDPROC base_ = DefWindowProcW;
  Color color_;
  FontSpec font_;
  CursorShape cursor_;
  bool destroying_ = false;
};

}  // namespace platform::win32
