// The floor the benchmark measures Tapfinch against: the least a Win32
// program that clicks at 10 ms needs. One window; a 10 ms timer whose
// every tick presses and releases the left button where the cursor is,
// with the same input call Tapfinch uses. Started with "idle" it shows its
// window and clicks nothing.
#include <windows.h>

#include <cstring>

namespace {

bool clicking = true;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int show) {
  clicking = std::strstr(commandLine, "idle") == nullptr;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "TapfinchFloor";
  if (RegisterClassA(&windowClass) == 0) return 1;
  HWND window =
      CreateWindowA("TapfinchFloor", "Floor", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  if (clicking && SetTimer(window, 1, 10, nullptr) == 0) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
