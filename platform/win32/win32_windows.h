// The Windows behind the framework's peers, and what the windows share:
// the class table, the error route, the GDI cache, the forms whose keys
// the dialog manager handles and the next child identifier.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "platform/peers.h"
#include "platform/win32/error_route.h"
#include "platform/win32/gdi.h"
#include "platform/win32/waits.h"
#include "platform/win32/window_classes.h"

namespace platform::win32 {

// Asks a form of ours whether it takes a page key (wParam the key, lParam
// the shift bits); it answers 1 when it did.
inline constexpr UINT kPageKeyMessage = WM_APP + 0x71;

class Win32Windows final : public Windows {
 public:
  Win32Windows(WindowClasses& classes, const ErrorRoute& errors, Waits& waits) noexcept
      : classes_(classes), errors_(errors), waits_(waits) {}

  std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) override;
  Size FormFrameSize(bool withMenu, FormBorder border) override;
  int ScrollBarWidth() override;
  Size MeasureText(const std::string& text, const FontSpec& font) override;
  Size MeasureWrapped(const std::string& text, const FontSpec& font, int width) override;
  Size ScreenSize() override;

  [[nodiscard]] WindowClasses& classes() noexcept { return classes_; }
  [[nodiscard]] const ErrorRoute& errors() const noexcept { return errors_; }
  // What every loop of the program's waits on besides messages.
  [[nodiscard]] Waits& waits() const noexcept { return waits_; }
  [[nodiscard]] GdiCache& gdi() noexcept { return gdi_; }

  // Child identifiers stay clear of IDOK and IDCANCEL, which the dialog
  // manager sends for Enter and Esc.
  int NextChildId() noexcept;

  // Forms: where the dialog manager handles Tab, the arrows, Enter and Esc.
  void AddForm(HWND form) { forms_.insert(form); }
  void RemoveForm(HWND window) noexcept { forms_.erase(window); }
  [[nodiscard]] bool IsForm(HWND window) const noexcept { return forms_.count(window) != 0; }
  // Hands a page key to the form; true when it took it.
  bool PageKey(HWND form, std::uint16_t key, ShiftBits shift) const;

 private:
  static constexpr int kFirstChildId = 100;

  WindowClasses& classes_;
  const ErrorRoute& errors_;
  Waits& waits_;
  GdiCache gdi_;
  std::set<HWND> forms_;
  int nextChildId_ = kFirstChildId;
};

}  // namespace platform::win32
