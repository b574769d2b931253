#include "platform/win32/window_base.h"

#include <cstdint>

#include "platform/win32/text.h"

namespace platform::win32 {

ShiftBits KeyboardShift() noexcept {
  ShiftBits bits = 0;
  if (GetKeyState(VK_SHIFT) < 0) bits |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) bits |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) bits |= kAlt;
  return bits;
}

Win32Window::Win32Window(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
    : windows_(windows), events_(events), color_(params.color), font_(params.font), cursor_(params.cursor) {}

Win32Window::~Win32Window() {
  if (window_ == nullptr) return;  // already gone with its parent
  // The kind's part of this object is gone: from here on the window only
  // hears its base procedure, and the framework hears nothing.
  destroying_ = true;
  HWND window = window_;
  windows_.RemoveForm(window);
  if (DestroyWindow(window) == 0) {
    // Only a window of another thread refuses; never leave it pointing here.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
}

bool Win32Window::Create(const PeerParams& params) {
  const WindowClasses::Entry* registered =
      windows_.classes().Ensure(params.className, SystemClass(), &Win32Window::Procedure);
  if (registered == nullptr) return false;
  base_ = registered->base;
  DWORD style = Style();
  HMENU id = nullptr;
  if (!IsTopLevel()) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (params.visible) style |= WS_VISIBLE;
    id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(windows_.NextChildId()));
  }
  if (params.tabStop) style |= WS_TABSTOP;
  if (!params.enabled) style |= WS_DISABLED;
  const Rect bounds = InitialBounds(params);
  // A failure after WM_NCCREATE has already detached this peer again.
  if (CreateWindowExW(ExStyle(), registered->name(), WideText(params.text).c_str(), style, bounds.left, bounds.top,
                      bounds.width, bounds.height, ParentFor(params), id, GetModuleHandleW(nullptr), this) == nullptr) {
    return false;
  }
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windows_.gdi().Font(font_)), FALSE);  // answers nothing
  Created(params);
  return true;
}

// ------------------------------------------------------------ the procedure

LRESULT CALLBACK Win32Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    // Nothing comes before WM_NCCREATE but a top-level window's
    // WM_GETMINMAXINFO, and our top-level classes are our own.
    if (message != WM_NCCREATE) return DefWindowProcW(window, message, wParam, lParam);
    self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    // Cannot fail for a window of this thread while it is being created.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->CallBase(message, wParam, lParam);
    self->Detach();
    return result;
  }
  const ErrorRoute& errors = self->windows_.errors();  // the framework may destroy the peer meanwhile
  try {
    return self->Receive(message, wParam, lParam);
  } catch (...) {
    errors.Report(std::current_exception());
    return 0;
  }
}

void Win32Window::Detach() noexcept {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  windows_.RemoveForm(window_);
  window_ = nullptr;
}

LRESULT Win32Window::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_) return CallBase(message, wParam, lParam);
  if (const std::optional<LRESULT> answer = ForwardToChild(message, wParam, lParam)) return *answer;
  if (message == WM_GETDLGCODE) {
    // What the native kind claims, and what the framework's control adds
    // for the key at hand.
    std::uint16_t key = 0;
    if (const auto* pending = reinterpret_cast<const MSG*>(lParam);
        pending != nullptr && (pending->message == WM_KEYDOWN || pending->message == WM_CHAR)) {
      key = static_cast<std::uint16_t>(pending->wParam);
    }
    const ClaimedKeys claimed = events_.PeerClaimedKeys(key);
    return CallBase(message, wParam, lParam) | (claimed.thisKey ? DLGC_WANTALLKEYS : 0) |
           (claimed.asButton ? DLGC_BUTTON : 0);
  }
  return HandleMessage(message, wParam, lParam);
}

Win32Window* Win32Window::PeerOf(HWND window) const noexcept {
  // Only a window of ours, below this one, holds a peer in its user data.
  if (window == nullptr || IsChild(window_, window) == 0 || !windows_.classes().Runs(window, &Win32Window::Procedure)) {
    return nullptr;
  }
  return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::optional<LRESULT> Win32Window::ForwardToChild(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Win32Window* child = PeerOf(reinterpret_cast<HWND>(lParam))) {
        child->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr) break;
      if (Win32Window* child = PeerOf(header->hwndFrom)) return child->OnNotify(*header);
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType == ODT_MENU) break;
      if (Win32Window* child = PeerOf(item->hwndItem); child != nullptr && child->OnDrawItem(*item)) return TRUE;
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType == ODT_MENU) break;
      // The only message of the four that names its child by identifier.
      if (Win32Window* child = PeerOf(GetDlgItem(window_, static_cast<int>(item->CtlID)));
          child != nullptr && child->OnMeasureItem(*item)) {
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (Win32Window* child = PeerOf(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      // Our own pointer only over our client area; the frame's and the
      // children's stay the system's.
      if (cursor_ == CursorShape::kHand && reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT) {
        if (HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND))) {
          ::SetCursor(hand);
          return TRUE;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (ErasesBackground()) {
        RECT client;
        if (GetClientRect(window_, &client) == 0) break;
        // A refused fill leaves the old pixels until the next erase; there is nobody to tell.
        FillRect(reinterpret_cast<HDC>(wParam), &client, windows_.gdi().Brush(color_));
        return 1;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto key = static_cast<std::uint16_t>(wParam);
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        events_.PeerKeyDown(key, KeyboardShift());
      } else {
        events_.PeerKeyUp(key, KeyboardShift());
      }
      if (key == 0) return 0;  // swallowed by a handler
      wParam = key;
      break;
    }
    case WM_CHAR: {
      // A code unit of UTF-16. The framework's key press takes ASCII; any
      // other character goes to the native control as typed.
      if (wParam >= 0x80) break;
      auto ch = static_cast<char>(wParam);
      events_.PeerKeyPress(ch);
      if (ch == 0) return 0;
      wParam = static_cast<unsigned char>(ch);
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = CallBase(message, wParam, lParam);
      events_.PeerFocusChanged(message == WM_SETFOCUS);
      return result;
    }
    default:
      break;
  }
  return CallBase(message, wParam, lParam);
}

// ------------------------------------------------------------ helpers

HBRUSH Win32Window::ControlColors(HDC dc, bool greyWhenDisabled) {
  const bool grey = greyWhenDisabled && IsWindowEnabled(window_) == 0;
  // Both only fail for a broken context, which the control paints on anyway.
  SetTextColor(dc, Resolve(grey ? kSystemColorFlag | COLOR_GRAYTEXT : font_.color));
  SetBkColor(dc, Resolve(color_));
  return windows_.gdi().Brush(color_);
}

std::string Win32Window::WindowText() const {
  const int length = GetWindowTextLengthW(window_);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window_, text.data(), length + 1);
  return Utf8(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

Size Win32Window::ClientArea() const noexcept {
  RECT client{};
  if (window_ == nullptr || GetClientRect(window_, &client) == 0) return {};
  return {client.right - client.left, client.bottom - client.top};
}

// ------------------------------------------------------------ setters
// A peer whose window went with its parent has nothing left to change; a
// null window would mean the desktop to several of these calls. Otherwise
// they fail only for a window that is gone, and the framework's state stays
// right either way, so their results are not looked at.

void Win32Window::SetText(const std::string& text) {
  if (window_ != nullptr) SetWindowTextW(window_, WideText(text).c_str());
}

void Win32Window::SetBounds(const Rect& bounds) {
  if (window_ == nullptr) return;
  SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetVisible(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Window::SetEnabled(bool enabled) {
  if (window_ == nullptr) return;
  EnableWindow(window_, enabled ? TRUE : FALSE);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Window::SetColor(Color color) {
  color_ = color;
  if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

void Win32Window::SetFont(const FontSpec& font) {
  font_ = font;
  if (window_ != nullptr) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windows_.gdi().Font(font_)), TRUE);
}

// Refused for a hidden or disabled window: the focus stays where it was.
void Win32Window::SetFocus() {
  if (window_ != nullptr) ::SetFocus(window_);
}

void Win32Window::Invalidate() {
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace platform::win32
