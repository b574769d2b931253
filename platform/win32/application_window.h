// The hidden top-level "TApplication" window: zero size and never painted,
// it owns the program's taskbar entry and is what a second copy finds.
// Minimising, restoring and raising it concern the main window.
#pragma once

#include <vector>

#include "platform/win32/icons.h"
#include "platform/win32/top_level_window.h"

namespace platform::win32 {

class Win32ApplicationWindow final : public Win32TopLevelWindow {
 public:
  using Win32TopLevelWindow::Win32TopLevelWindow;

  void SetBounds(const Rect& /*bounds*/) override {}  // always zero size, mid-screen
  void SetMenu(const std::vector<MenuItemSpec>& /*menu*/) override {}

  // ShowWindow's result is the previous visibility, not a failure.
  void Show(ShowMode mode) override {
    if (handle() == nullptr) return;
    switch (mode) {
      case ShowMode::kHide:
        ShowWindow(handle(), SW_HIDE);
        break;
      case ShowMode::kShowNormal:
      case ShowMode::kShowCentered:
        ShowWindow(handle(), SW_SHOWNA);
        break;
      case ShowMode::kMinimize:
        ShowWindow(handle(), SW_MINIMIZE);
        break;
      case ShowMode::kRestore:
        ShowWindow(handle(), SW_RESTORE);
        break;
    }
  }

 protected:
  [[nodiscard]] DWORD Style() const noexcept override {
    return WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
  }
  [[nodiscard]] HWND ParentFor(const PeerParams& /*params*/) const noexcept override { return nullptr; }
  [[nodiscard]] Rect InitialBounds(const PeerParams& /*params*/) const override {
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0};
  }
  // The taskbar entry shows the application's own icon, not the forms' one
  // that its window class carries.
  void Created(const PeerParams& /*params*/) override {
    if (HICON icon = LoadProgramIcon(ProgramIcon::kApplication)) {
      SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_ACTIVATE:
        // Activating it (another copy, the taskbar) means the main window.
        if (LOWORD(wParam) != WA_INACTIVE && IsIconic(handle()) == 0 && !raising_) {
          Raise();
          return 0;
        }
        break;
      case WM_WINDOWPOSCHANGED: {
        const bool iconic = IsIconic(handle()) != 0;
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (wasIconic_ && !iconic) {
          wasIconic_ = false;
          events().PeerRestored();
        } else if (!iconic && (position->flags & SWP_NOZORDER) == 0 && !raising_) {
          Raise();
        }
        wasIconic_ = iconic;
        break;
      }
      default:
        break;
    }
    return Win32TopLevelWindow::HandleMessage(message, wParam, lParam);
  }

 private:
  // Raising the main window moves this one too; that must not raise again.
  void Raise() {
    struct Lowered {
      bool& flag;
      ~Lowered() { flag = false; }
    } lowered{raising_};  // lowered however PeerRaised ends
    raising_ = true;
    events().PeerRaised();
  }

  bool wasIconic_ = false;
  bool raising_ = false;
};

}  // namespace platform::win32
