#include "platform/win32/tray.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/win32/message_window.h"
#include "platform/win32/text.h"
// After windows.h, which the headers above bring.
#include <shellapi.h>

namespace platform::win32 {

namespace {

constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

// A round badge in the state's colour with a white sign on it: a ring
// (idle), a dot (one point), three lines (the list), two bars (paused)
// and a cross (capturing). Drawn with alpha at the shell's small-icon size.
bool SignAt(TrayImage image, double x, double y) {
  const double r = std::hypot(x, y);
  switch (image) {
    case TrayImage::kIdle:
      return r > 0.32 && r < 0.52;
    case TrayImage::kSingle:
      return r < 0.3;
    case TrayImage::kList:
      return std::abs(x) < 0.48 && (std::abs(y) < 0.09 || std::abs(std::abs(y) - 0.3) < 0.09);
    case TrayImage::kPaused:
      return std::abs(y) < 0.45 && std::abs(std::abs(x) - 0.2) < 0.1;
    case TrayImage::kCapturing:
      return r < 0.55 && (std::abs(x) < 0.08 || std::abs(y) < 0.08);
  }
  return false;
}

COLORREF ColourOf(TrayImage image) {
  switch (image) {
    case TrayImage::kIdle:
      return RGB(120, 120, 120);
    case TrayImage::kSingle:
      return RGB(30, 150, 60);
    case TrayImage::kList:
      return RGB(30, 100, 200);
    case TrayImage::kPaused:
      return RGB(220, 150, 20);
    case TrayImage::kCapturing:
      return RGB(200, 40, 40);
  }
  return RGB(0, 0, 0);
}

// Null when the system refuses; the icon is then shown without an image.
HICON DrawIcon(TrayImage image) {
  const int size = GetSystemMetrics(SM_CXSMICON) > 0 ? GetSystemMetrics(SM_CXSMICON) : 16;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = size;
  header.bV5Height = -size;  // top-down
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (colour == nullptr || bits == nullptr) return nullptr;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const COLORREF badge = ColourOf(image);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const double x = (column + 0.5) * 2.0 / size - 1.0;
      const double y = (row + 0.5) * 2.0 / size - 1.0;
      std::uint32_t pixel = 0;  // transparent outside the badge
      if (std::hypot(x, y) <= 0.98) {
        pixel = SignAt(image, x, y)
                    ? 0xFFFFFFFFu
                    : 0xFF000000u | (GetRValue(badge) << 16) | (GetGValue(badge) << 8) | GetBValue(badge);
      }
      pixels[row * size + column] = pixel;
    }
  }
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = mask != nullptr ? CreateIconIndirect(&info) : nullptr;
  if (mask != nullptr) DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

class Win32TrayIcon final : public TrayIcon, private MessageWindow::Handler {
 public:
  Win32TrayIcon(WindowClasses& classes, const ErrorRoute& errors, TrayIconSink& sink)
      : sink_(sink),
        window_(classes, errors, "TapfinchTrayWindow", *this),
        taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}
  ~Win32TrayIcon() override {
    Hide();
    for (HICON icon : images_) {
      if (icon != nullptr) DestroyIcon(icon);
    }
  }
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

  bool Show(TrayImage image, const std::string& tip) override {
    HWND window = window_.Ensure();
    if (window == nullptr) return false;
    NOTIFYICONDATAW data = Data(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = Image(image);
    std::wstring wide;
    if (!Wide(tip, wide)) wide = L"Tapfinch";
    wide.resize(std::min<std::size_t>(wide.size(), std::size(data.szTip) - 1));
    std::copy(wide.begin(), wide.end(), data.szTip);
    // Changed when the shell has it; added when it has not, or has lost it.
    if (added_ && Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE) return true;
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return added_;
  }

  void Hide() override {
    if (!added_ || !window_) return;
    NOTIFYICONDATAW data = Data(window_.get());
    Shell_NotifyIconW(NIM_DELETE, &data);  // not checked: gone either way
    added_ = false;
  }

  void SetMenu(const std::vector<std::string>& captions) override { captions_ = captions; }

 private:
  static NOTIFYICONDATAW Data(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kIconId;
    return data;
  }

  HICON Image(TrayImage image) {
    HICON& icon = images_[static_cast<std::size_t>(image)];
    if (icon == nullptr) icon = DrawIcon(image);
    return icon;
  }

  void ShowMenu(HWND window) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (std::size_t i = 0; i < captions_.size(); ++i) {
      std::wstring caption;
      if (Wide(captions_[i], caption)) AppendMenuW(menu, MF_STRING, i + 1, caption.c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    // Without it the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(window);
    const auto picked = static_cast<std::size_t>(
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (picked > 0) sink_.TrayMenuPicked(picked - 1);
  }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kCallbackMessage) {
      switch (LOWORD(lParam)) {
        case WM_LBUTTONDBLCLK:
          sink_.TrayDoubleClicked();
          break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
          ShowMenu(window);
          break;
        default:
          break;
      }
      return 0;
    }
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
      added_ = false;  // the new shell has no icon of ours
      sink_.TrayShellRestarted();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  TrayIconSink& sink_;
  MessageWindow window_;
  UINT taskbarCreated_;
  std::vector<std::string> captions_;
  std::array<HICON, 5> images_{};
  bool added_ = false;
};

class Win32Tray final : public Tray {
 public:
  Win32Tray(WindowClasses& classes, const ErrorRoute& errors) noexcept : classes_(classes), errors_(errors) {}
  std::unique_ptr<TrayIcon> CreateIcon(TrayIconSink& sink) override {
    return std::make_unique<Win32TrayIcon>(classes_, errors_, sink);
  }

 private:
  WindowClasses& classes_;
  const ErrorRoute& errors_;
};

}  // namespace

std::unique_ptr<Tray> CreateTray(WindowClasses& classes, const ErrorRoute& errors) {
  return std::make_unique<Win32Tray>(classes, errors);
}

}  // namespace platform::win32
