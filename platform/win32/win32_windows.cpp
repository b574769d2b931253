#include "platform/win32/win32_windows.h"

#include "platform/win32/text.h"
#include "platform/win32/top_level_window.h"

namespace platform::win32 {

int Win32Windows::NextChildId() noexcept {
  // WM_COMMAND carries 16 bits of it; wrap before the identifiers collide with IDOK.
  if (nextChildId_ > 0xFFFF) nextChildId_ = kFirstChildId;
  return nextChildId_++;
}

Size Win32Windows::FormFrameSize(bool withMenu, FormBorder border) {
  RECT frame{0, 0, 0, 0};
  const DWORD style = (WS_OVERLAPPEDWINDOW & ~Win32TopLevelWindow::BorderStyle(FormBorder::kSizeable)) |
                      Win32TopLevelWindow::BorderStyle(border);
  const DWORD exStyle = WS_EX_CONTROLPARENT | Win32TopLevelWindow::BorderExStyle(border);
  if (AdjustWindowRectEx(&frame, style, withMenu ? TRUE : FALSE, exStyle) == 0) return {};
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int Win32Windows::ScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

bool Win32Windows::PageKey(HWND form, std::uint16_t key, ShiftBits shift) const {
  return SendMessageW(form, kPageKeyMessage, key, static_cast<LPARAM>(shift)) == 1;
}

Size Win32Windows::MeasureWrapped(const std::string& text, const FontSpec& font, int width) {
  const WindowDc screen(nullptr);
  if (!screen) return {};
  SelectGuard select(screen.get(), gdi_.Font(font));
  RECT extent{0, 0, width, 0};
  const UINT format = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
  const std::wstring wide = WideText(text);
  if (DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &extent, format) == 0) return {};
  return {extent.right, extent.bottom};
}

Size Win32Windows::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Size Win32Windows::MeasureText(const std::string& text, const FontSpec& font) {
  const WindowDc screen(nullptr);
  if (!screen) return {};
  SelectGuard select(screen.get(), gdi_.Font(font));
  RECT extent{0, 0, 0, 0};
  const std::wstring wide = WideText(text);
  if (DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &extent, DT_CALCRECT) == 0) return {};
  return {extent.right, extent.bottom};
}

}  // namespace platform::win32
