// The floor the benchmark measures Tapfinch against: the least a Win32
// program that clicks at 10 ms needs. One window; a 10 ms timer whose
// every tick presses and releases the left button where the cursor is,
// with the same input call Tapfinch uses. Started with "idle" it shows its
// window and clicks nothing. Started with "list" it also shows a list box
// of 100 rows whose selection moves on by one row before every click,
// scrolling it into view: the least a list run with its row highlight
// costs the platform. With "paced" as well, the selection is moved only
// when the last move is a frame (33 ms) old, and to the row of the click
// made: the least a highlight at the screen's pace costs. With "hooked" it
// holds a low-level mouse hook that passes everything on: the least such
// a hook costs the system, for every button the program injects.
#include <windows.h>

#include <cstring>

namespace {

bool clicking = true;
bool paced = false;
HWND list = nullptr;
int row = 0;
DWORD movedAt = 0;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (list != nullptr) {
        row = (row + 1) % 100;
        const DWORD now = GetTickCount();
        if (!paced || now - movedAt + 10 > 33) {
          movedAt = now;
          SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        }
      }
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

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int show) {
  clicking = std::strstr(commandLine, "idle") == nullptr;
  paced = std::strstr(commandLine, "paced") != nullptr;
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
  if (std::strstr(commandLine, "list") != nullptr) {
    RECT client{};
    GetClientRect(window, &client);
    list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 0, 0,
                         client.right, client.bottom, window, nullptr, instance, nullptr);
    if (list == nullptr) return 1;
    for (int i = 0; i < 100; ++i) {
      char text[64];
      // user32's own formatting: the C library's would double the floor's size.
      wsprintfA(text, "Left Click at (1100, 855) after 0.01 s, row %d", i + 1);
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
  }
  if (std::strstr(commandLine, "hooked") != nullptr &&
      SetWindowsHookExW(WH_MOUSE_LL, &PassOn, instance, 0) == nullptr) {
    return 1;
  }
  ShowWindow(window, show);
  if (clicking && SetTimer(window, 1, 10, nullptr) == 0) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
