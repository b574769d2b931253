// A form: an overlapping top-level window owned by the application window,
// with a menu bar. Forms are not dialog-class windows, so what the dialog
// manager expects of one (WM_NEXTDLGCTL, Enter and Esc as IDOK and
// IDCANCEL, the focus on activation) is done here.
#pragma once

#include <utility>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/top_level_window.h"

namespace platform::win32 {

class Win32Form final : public Win32TopLevelWindow {
 public:
  using Win32TopLevelWindow::Win32TopLevelWindow;
  // The window destroys the bar it holds, whether with this peer or before
  // it, with its owner.
  ~Win32Form() override { static_cast<void>(menu_.release()); }
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  void Show(ShowMode mode) override {
    HWND window = handle();
    if (window == nullptr) return;  // gone with the application window
    switch (mode) {
      case ShowMode::kHide:
        ShowWindow(window, SW_HIDE);
        break;
      case ShowMode::kShowCentered: {
        RECT outer;
        if (GetWindowRect(window, &outer) != 0) {
          const int width = outer.right - outer.left;
          const int height = outer.bottom - outer.top;
          SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                       (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        [[fallthrough]];
      }
      case ShowMode::kShowNormal:
        // Placing and raising fail only for a window that is gone.
        ShowWindow(window, IsWindowVisible(window) != 0 ? SW_SHOW : SW_SHOWNORMAL);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // Windows refuses while another program is in the foreground; the
        // taskbar entry flashes instead.
        SetForegroundWindow(window);
        break;
      case ShowMode::kMinimize:
        ShowWindow(window, SW_MINIMIZE);
        break;
      case ShowMode::kRestore:
        ShowWindow(window, SW_RESTORE);
        break;
    }
  }

  void SetMenu(const std::vector<MenuItemSpec>& menu) override {
    if (handle() == nullptr) return;
    UniqueMenu bar;
    if (!menu.empty()) {
      bar.reset(CreateMenu());
      if (!bar) return;  // the old bar stays
      AppendItems(bar.get(), menu);
    }
    if (::SetMenu(handle(), bar.get()) == 0) return;  // the old bar stays; the new one goes
    menu_ = std::move(bar);                           // the old bar is destroyed once replaced
    DrawMenuBar(handle());                            // fails only for a window that is gone
  }

 protected:
  [[nodiscard]] DWORD Style() const noexcept override { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return WS_EX_CONTROLPARENT; }
  [[nodiscard]] HWND ParentFor(const PeerParams& params) const noexcept override { return HandleOf(params.owner); }
  [[nodiscard]] bool ErasesBackground() const noexcept override { return true; }
  void Created(const PeerParams& /*params*/) override {
    windows().AddForm(handle());
    // The title bar's and Alt+Tab's picture: the program's icon, when it has one.
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) {
      SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND:
        // Our children's notifications never get here: they went to the child.
        if (lParam == 0 && HIWORD(wParam) == 0 && LOWORD(wParam) >= kMenuIdBase) {
          events().PeerMenuCommand(LOWORD(wParam) - kMenuIdBase);
          return 0;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          // Enter or Esc that no control claimed.
          events().PeerDialogKey(LOWORD(wParam) == IDOK ? DialogKey::kOk : DialogKey::kCancel);
          return 0;
        }
        break;
      case WM_NEXTDLGCTL:
        NextDialogControl(wParam, lParam);
        return 0;
      case kPageKeyMessage:
        return events().PeerPageKey(static_cast<std::uint16_t>(wParam), static_cast<ShiftBits>(lParam)) ? 1 : 0;
      case WM_SIZE: {
        const LRESULT result = CallBase(message, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) events().PeerResized(LOWORD(lParam), HIWORD(lParam));
        return result;
      }
      case WM_ACTIVATE:
        if (Activated(LOWORD(wParam) != WA_INACTIVE)) return 0;
        break;
      default:
        break;
    }
    return Win32TopLevelWindow::HandleMessage(message, wParam, lParam);
  }

 private:
  // Menu commands are offset like the child identifiers, clear of IDOK and IDCANCEL.
  static constexpr int kMenuIdBase = 1000;

  // A refused item is left out; the rest of the menu still works.
  static void AppendItems(HMENU menu, const std::vector<MenuItemSpec>& items) {
    for (const MenuItemSpec& item : items) {
      if (!item.visible) continue;
      if (item.items.empty()) {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(kMenuIdBase + item.id), WideText(item.caption).c_str());
        continue;
      }
      UniqueMenu popup(CreatePopupMenu());
      if (!popup) continue;
      AppendItems(popup.get(), item.items);
      if (AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), WideText(item.caption).c_str()) != 0) {
        static_cast<void>(popup.release());  // now the bar's
      }
    }
  }

  // True when the focus went to a control and the default handling must
  // not move it back to the form.
  bool Activated(bool active) {
    events().PeerFocusChanged(active);
    if (!active) return false;
    HWND window = handle();
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != window && IsChild(window, focus) == 0)) {
      // Refused only for a control that cannot take it; the test below sees that.
      if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) ::SetFocus(first);
    }
    focus = GetFocus();
    return focus != window && IsChild(window, focus) != 0;
  }

  // As DefDlgProc does it: a non-zero low word of lParam names the window
  // in wParam, otherwise wParam asks for the next (0) or previous tab item.
  void NextDialogControl(WPARAM wParam, LPARAM lParam) {
    HWND window = handle();
    HWND target = nullptr;
    if (LOWORD(lParam) != 0) {
      target = reinterpret_cast<HWND>(wParam);
    } else {
      HWND focus = GetFocus();
      if (focus != nullptr && IsChild(window, focus) == 0) focus = nullptr;
      target = GetNextDlgTabItem(window, focus, wParam != 0 ? TRUE : FALSE);
    }
    if (target == nullptr) return;
    // An edit reached from the keyboard has its whole text selected.
    if ((SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) SendMessageW(target, EM_SETSEL, 0, -1);
    ::SetFocus(target);  // refused for a hidden or disabled window: the focus stays
  }

  UniqueMenu menu_;
};

}  // namespace platform::win32
