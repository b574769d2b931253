// Shared parts of the Windows implementation: colour and font caches,
// the window classes named after the framework classes, and the services
// behind each platform interface.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"

namespace platform::win32 {

COLORREF Resolve(Color color) noexcept;
ShiftBits KeyboardShift() noexcept;

class GdiCache {
 public:
  HFONT Font(const FontSpec& font);
  HBRUSH Brush(Color color);

 private:
  std::map<std::tuple<std::string, int, bool, bool>, UniqueGdiObject> fonts_;
  std::map<Color, UniqueGdiObject> brushes_;
};

// Window classes are registered on first use. Standard controls are
// superclassed under the framework's name ("TButton" from "BUTTON") and
// keep the system's window procedure as their base.
WNDPROC BaseProcedureOf(HWND window) noexcept;
const char* EnsureWindowClass(const std::string& name, PeerKind kind, WNDPROC procedure);

// A hidden window whose messages go to a handler object; the timers and
// hotkey receivers each own one, as the framework expects.
class MessageWindow {
 public:
  class Handler {
   public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

   protected:
    ~Handler() = default;
  };
  MessageWindow(const char* className, Handler& handler);
  [[nodiscard]] HWND get() const noexcept { return window_.get(); }

 private:
  UniqueWindow window_;
};

class Win32Windows final : public Windows {
 public:
  std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) override;
  Size FormFrameSize(bool withMenu) override;
  int ScrollBarWidth() override;
  Size MeasureText(const std::string& text, const FontSpec& font) override;

  GdiCache& gdi() noexcept { return gdi_; }
  HWND applicationWindow = nullptr;
  std::set<HWND> forms;  // where dialog keys (Tab, arrows) are handled

 private:
  GdiCache gdi_;
};

}  // namespace platform::win32
