// A self-painted control: a window of our own class whose face the
// framework draws through Canvas, off-screen and copied in one piece so it
// never flickers, and whose mouse input goes to the framework as it comes.
#pragma once

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32CustomControl final : public Win32Window {
 public:
  using Win32Window::Win32Window;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CAPTURECHANGED:
        // Another window takes the mouse: the press here will see no release.
        if (reinterpret_cast<HWND>(lParam) != handle()) events().PeerCaptureLost();
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_RBUTTONUP:
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
        Mouse(message, wParam, lParam);
        return 0;
      case WM_PAINT:
        Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
      case BM_CLICK:
        // The dialog manager's click for a caption's accelerator key, sent
        // to windows that call themselves buttons in WM_GETDLGCODE.
        events().PeerClicked();
        return 0;
      default:
        return Win32Window::HandleMessage(message, wParam, lParam);
    }
  }

 private:
  void Mouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    ShiftBits shift = KeyboardShift();
    if ((wParam & MK_LBUTTON) != 0) shift |= kLeftButton;
    if ((wParam & MK_RBUTTON) != 0) shift |= kRightButton;
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        SetCapture(handle());  // the release comes here even off the control
        events().PeerMouseDown(MouseButton::kLeft, x, y, shift | (message == WM_LBUTTONDBLCLK ? kDouble : 0));
        break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
        events().PeerMouseDown(MouseButton::kRight, x, y, shift | (message == WM_RBUTTONDBLCLK ? kDouble : 0));
        break;
      case WM_LBUTTONUP:
        if (GetCapture() == handle()) ReleaseCapture();  // fails only when the capture is gone already
        events().PeerMouseUp(MouseButton::kLeft, x, y, shift);
        break;
      case WM_RBUTTONUP:
        events().PeerMouseUp(MouseButton::kRight, x, y, shift);
        break;
      case WM_MOUSEMOVE:
        if (!trackingMouse_) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
          trackingMouse_ = TrackMouseEvent(&track) != 0;  // refused: asked again with the next move
        }
        events().PeerMouseMove(x, y, shift);
        break;
      case WM_MOUSELEAVE:
        trackingMouse_ = false;
        events().PeerMouseLeave();
        break;
      default:
        break;
    }
  }

  void Paint() {
    const PaintDc paint(handle());
    RECT client;
    if (!paint || GetClientRect(handle(), &client) == 0) return;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    UniqueMemoryDc memory(CreateCompatibleDC(paint.get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(paint.get(), width, height));
    // Without memory for the picture the face stays as it was until the next paint.
    if (!memory || !bitmap) return;
    const SelectGuard select(memory.get(), bitmap.get());
    GdiCanvas canvas(memory.get(), windows().gdi());
    events().PeerPaint(canvas);
    // A refused copy leaves the old face until the next paint.
    BitBlt(paint.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  }

  bool trackingMouse_ = false;
};

}  // namespace platform::win32
