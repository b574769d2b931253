#include "tests/e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/win32/gdi.h"
#include "platform/win32/text.h"

namespace e2e {

std::string ExeDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, length);
  const auto slash = text.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : text.substr(0, slash);
}

std::string TapfinchPath() { return ExeDirectory() + "\\tapfinch.exe"; }

double NowMilliseconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump(DWORD milliseconds) {
  const double end = NowMilliseconds() + milliseconds;
  MSG message;
  for (;;) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const double left = end - NowMilliseconds();
    if (left <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 5.0)) + 1, QS_ALLINPUT);
  }
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMilliseconds) {
  const double end = NowMilliseconds() + timeoutMilliseconds;
  while (!condition()) {
    if (NowMilliseconds() > end) return false;
    Pump(10);
  }
  return true;
}

bool Poll(const std::function<bool()>& condition, DWORD timeoutMilliseconds) {
  const double end = NowMilliseconds() + timeoutMilliseconds;
  while (!condition()) {
    if (NowMilliseconds() > end) return false;
    Sleep(2);
  }
  return true;
}

void CtrlKey(WORD key) {
  INPUT inputs[4] = {};
  const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, inputs, sizeof(INPUT));
}

WatchedRun WatchRun(HWND stop, POINT home, POINT point, DWORD milliseconds) {
  WatchedRun run;
  CtrlKey(VK_F9);
  run.started = Poll([&] { return IsWindowEnabled(stop) != FALSE; }, 5000);
  if (!run.started) return run;
  const double until = NowMilliseconds() + milliseconds;
  while (NowMilliseconds() < until) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor.x == home.x && cursor.y == home.y) {
      ++run.atHome;
    } else if (cursor.x != point.x || cursor.y != point.y) {
      run.strays.push_back(cursor);
    }
    Sleep(2);
  }
  CtrlKey(VK_F10);
  run.stopped = Poll([&] { return IsWindowEnabled(stop) == FALSE; }, 5000);
  GetCursorPos(&run.left);
  return run;
}

// ------------------------------------------------------------------ Target

namespace {
constexpr const char* kTargetClass = "TapfinchDriverTarget";

void RegisterDriverClass(const char* name, WNDPROC procedure) {
  WNDCLASSA info{};
  info.lpfnWndProc = procedure;
  info.hInstance = GetModuleHandleA(nullptr);
  info.lpszClassName = name;
  info.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&info);  // fails harmlessly when a test made it before
}
}  // namespace

Target::Target(int x, int y, int width, int height) {
  RegisterDriverClass(kTargetClass, &Target::Procedure);
  // No CS_DBLCLKS: every press arrives as a press, however fast.
  window_ = CreateWindowExA(WS_EX_TOPMOST, kTargetClass, "Target", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the target window");
  Pump(100);
}

Target::~Target() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK Target::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Target*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Target*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      if (self != nullptr) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &at);
        self->clicks_.push_back({message, at, NowMilliseconds()});
      }
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // clicks must not take the focus from the program
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

POINT Target::center() const noexcept { return CenterOf(window_); }

std::size_t Target::otherButtons() const noexcept {
  return static_cast<std::size_t>(std::count_if(clicks_.begin(), clicks_.end(), [](const Click& click) {
    return click.message >= WM_MBUTTONDOWN && click.message <= WM_XBUTTONUP && click.message != WM_MOUSEWHEEL;
  }));
}

namespace {
void RunXdotool(std::string command) {
  // Wine runs a Unix program given by its path.
  command = "/usr/bin/xdotool " + command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) == 0) {
    throw std::runtime_error("cannot run xdotool");
  }
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
}  // namespace

void XButtonClick(int button) { RunXdotool("click " + std::to_string(button)); }

void XPointerTo(POINT at) {
  // The X screen starts where the virtual desktop does.
  RunXdotool("mousemove " + std::to_string(at.x - GetSystemMetrics(SM_XVIRTUALSCREEN)) + " " +
             std::to_string(at.y - GetSystemMetrics(SM_YVIRTUALSCREEN)));
}

std::size_t Target::leftDowns() const noexcept {
  return static_cast<std::size_t>(
      std::count_if(clicks_.begin(), clicks_.end(), [](const Click& c) { return c.message == WM_LBUTTONDOWN; }));
}

// ------------------------------------------------------------------ Window

namespace {
constexpr const char* kWindowClass = "TapfinchDriverWindow";
}

Window::Window(int x, int y, int width, int height) {
  RegisterDriverClass(kWindowClass, &Window::Procedure);
  window_ = CreateWindowExA(0, kWindowClass, "Driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, nullptr,
                            nullptr, GetModuleHandleA(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the driver's window");
  Pump(100);
}

Window::~Window() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool Window::activate() {
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window_);
  SetFocus(window_);
  return WaitFor([&] { return GetForegroundWindow() == window_ && GetFocus() == window_; }, 3000);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_KEYDOWN && self != nullptr) self->keys_.push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

bool IsAbove(HWND a, HWND b) {
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == a) return true;
    if (w == b) return false;
  }
  return false;
}

DWORD RunToExit(const std::string& path, DWORD timeoutMilliseconds, bool* showedWindow) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process) == 0) {
    return STILL_ACTIVE;
  }
  bool showed = false;
  WaitFor(
      [&] {
        for (HWND window : WindowsOf(process.dwProcessId, "TForm1"))
          showed = showed || IsWindowVisible(window) != FALSE;
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
      },
      timeoutMilliseconds);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (showedWindow != nullptr) *showedWindow = showed;
  return code;
}

void PressCombination(std::initializer_list<WORD> modifiers, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD m : modifiers) add(m, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) add(*it, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pump(100);
}

// ------------------------------------------------------------------- input

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  // WM_GETTEXT is carried across processes; GetWindowText would not read a
  // control of another program. In UTF-16, so that no character is lost
  // to the code page.
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  return platform::win32::Utf8(text, std::min<std::size_t>(copied, std::size(text)));
}

std::string CaptionOf(HWND window) {
  wchar_t text[1024] = {};
  const int copied = GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return platform::win32::Utf8(text, static_cast<std::size_t>(std::max(copied, 0)));
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

POINT CenterOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveCursor(POINT at) {
  SetCursorPos(at.x, at.y);
  Pump(20);
}

namespace {
void ButtonAt(POINT at, DWORD down, DWORD up, DWORD settle) {
  SetCursorPos(at.x, at.y);
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = up;
  SendInput(2, inputs, sizeof(INPUT));
  Pump(settle);
}
}  // namespace

void ClickAt(POINT at) { ButtonAt(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 60); }

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

bool HotkeyFree(UINT modifiers, UINT key) {
  if (RegisterHotKey(nullptr, 77, modifiers, key) == 0) return false;
  UnregisterHotKey(nullptr, 77);
  return true;
}

std::size_t VisibleDialogs(DWORD processId) {
  std::size_t count = 0;
  for (HWND w : WindowsOf(processId, "#32770")) count += IsWindowVisible(w) != FALSE ? 1 : 0;
  return count;
}

// A menu takes a moment to open.
int ListCount(HWND list) {
  DWORD_PTR count = 0;
  if (SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count) == 0) return -1;
  return static_cast<int>(static_cast<LRESULT>(count));
}

bool ListSelected(HWND list, int row) {
  DWORD_PTR selected = 0;
  SendMessageTimeoutA(list, LB_GETSEL, static_cast<WPARAM>(row), 0, SMTO_ABORTIFHUNG, 2000, &selected);
  return static_cast<LRESULT>(selected) > 0;
}

int ListSelectedCount(HWND list) {
  DWORD_PTR count = 0;
  SendMessageTimeoutA(list, LB_GETSELCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
  return static_cast<int>(static_cast<LRESULT>(count));
}

int ListCaret(HWND list) {
  DWORD_PTR caret = 0;
  SendMessageTimeoutA(list, LB_GETCARETINDEX, 0, 0, SMTO_ABORTIFHUNG, 2000, &caret);
  return static_cast<int>(static_cast<LRESULT>(caret));
}

std::string ListText(HWND list, int row) {
  DWORD_PTR length = 0;
  SendMessageTimeoutA(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0, SMTO_ABORTIFHUNG, 2000, &length);
  if (static_cast<LRESULT>(length) <= 0 || length > 4096) return {};
  // Carried across processes, the text may arrive as UTF-16: room for both.
  std::string buffer(2 * (length + 1), '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  std::string text;
  const bool wide = buffer.size() > 1 && buffer[0] != '\0' && buffer[1] == '\0';
  for (std::size_t i = 0; i < length; ++i) text += buffer[wide ? 2 * i : i];
  return text;
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  for (int i = 0; i < ListCount(list); ++i) rows.push_back(ListText(list, i));
  return rows;
}

void TypeText(const std::string& text) {
  // One code unit of UTF-16 at a time, as an input method sends them.
  for (const wchar_t unit : platform::win32::WideText(text)) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wScan = static_cast<WORD>(unit);
    inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump(40);
  }
}

void RetypeInto(HWND field, const std::string& text) {
  RECT r{};
  GetWindowRect(field, &r);
  ClickAt({r.left + 8, (r.top + r.bottom) / 2});
  PressKey(VK_HOME);
  PressCombination({VK_SHIFT}, VK_END);
  if (text.empty()) {
    PressKey(VK_DELETE);
  } else {
    TypeText(text);
  }
}

void DeleteSettings() {
  // Gone already is as good as deleted.
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Brenmoorsoft\\Tapfinch");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmoorsoft\\Tapfinch");
}

void RightClickAt(POINT at) { ButtonAt(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 200); }

void Click(HWND window) { ClickAt(CenterOf(window)); }

void PressKey(WORD virtualKey, int times) {
  for (int i = 0; i < times; ++i) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1].type = INPUT_KEYBOARD;
    inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump(40);
  }
}

bool SetClipboardText(const std::string& text) {
  if (OpenClipboard(nullptr) == 0) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool placed = false;
  if (memory != nullptr) {
    if (void* bytes = GlobalLock(memory)) {
      std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(bytes));
      GlobalUnlock(memory);
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!placed) GlobalFree(memory);
  }
  CloseClipboard();
  return placed;
}

// ---------------------------------------------------------------- Tapfinch

std::vector<HWND> WindowsOf(DWORD processId, const char* className) {
  struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
  } search{processId, className, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && ClassOf(window) == s.className) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Tapfinch::Tapfinch(const std::string& path) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"";
  if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process_) == 0) {
    process_ = {};
    return;
  }
  WaitFor(
      [&] {
        for (HWND window : WindowsOf(process_.dwProcessId, "TForm1")) {
          if (IsWindowVisible(window) != FALSE) {
            main_ = window;
            return true;
          }
        }
        return false;
      },
      20000);
  Pump(300);
}

Tapfinch::~Tapfinch() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    close(5000);
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND Tapfinch::control(const char* className, const char* text) const {
  struct Search {
    const char* className;
    const char* text;
    HWND found;
  } search{className, text, nullptr};
  EnumChildWindows(
      main_,
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) == FALSE || ClassOf(window) != s.className) return TRUE;
        if (s.text != nullptr && TextOf(window) != s.text) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Tapfinch::controls(const char* className) const {
  struct Search {
    const char* className;
    std::vector<HWND> found;
  } search{className, {}};
  EnumChildWindows(
      main_,
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) != FALSE && ClassOf(window) == s.className) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
    RECT ra{};
    RECT rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
  });
  return search.found;
}

void Tapfinch::selectTab(int index) const {
  HWND pages = control("TPageControl");
  if (pages == nullptr) return;
  RECT r{};
  GetWindowRect(pages, &r);
  // The tabs' widths follow their captions in whatever font the system
  // gives and at whatever scale: the first tab is clicked near the corner,
  // which focuses the row, and the arrow keys go on from there.
  const double scale = (r.right - r.left) / 590.0;
  // Two quick clicks on one spot would be a double click, which the tab
  // row ignores: each call clicks beside the last one.
  static int turn = 0;
  const int x = (turn++ % 2 == 0) ? 22 : 42;
  ClickAt({r.left + static_cast<int>(x * scale), r.top + static_cast<int>(10 * scale)});
  Pump(100);
  if (index > 0) PressKey(VK_RIGHT, index);
  // The page's windows are made as the row reports the new tab, so they
  // are all there once the row shows it and the program has answered a
  // message sent after that (a loaded machine can take longer than any
  // fixed pause).
  WaitFor([&] { return SendMessageW(pages, TCM_GETCURSEL, 0, 0) == index; }, 5000);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
  Pump(100);
}

std::string PointText(POINT point) { return std::to_string(point.x) + ", " + std::to_string(point.y); }

std::string Tapfinch::lockWithSpace(POINT point, DWORD timeoutMilliseconds) const {
  PressKey(VK_SPACE);
  const auto fields = controls("TEdit");
  if (fields.size() != 2) return std::to_string(fields.size()) + " point fields";
  auto shown = [&] { return TextOf(fields[0]) + ", " + TextOf(fields[1]); };
  WaitFor([&] { return shown() == PointText(point); }, timeoutMilliseconds);
  return shown();
}

bool Tapfinch::clickUntil(HWND target, const std::function<bool()>& condition, int attempts) const {
  for (int i = 0; i < attempts; ++i) {
    Click(target);
    if (WaitFor(condition, 1000)) return true;
  }
  return false;
}

void Tapfinch::stepField(HWND field, WORD key, int times) const {
  // Into the text, clear of the arrows at the right end.
  RECT r{};
  GetWindowRect(field, &r);
  ClickAt({r.left + 6, (r.top + r.bottom) / 2});
  PressKey(key, times);
}

bool Tapfinch::setTenths(int tenths) const {
  const auto fields = controls("TzcFloatSpinEdit");
  if (fields.size() != 5) return false;
  stepField(fields[2], VK_DOWN, 5);
  stepField(fields[3], VK_UP, tenths);
  return WaitFor([&] { return TextOf(fields[2]) == "0" && TextOf(fields[3]) == std::to_string(tenths); }, 2000);
}

HWND Tapfinch::focusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(main_, nullptr);
  if (GetGUIThreadInfo(thread, &info) == 0) return nullptr;
  return info.hwndFocus;
}

HWND Tapfinch::childOf(const char* parentText, const char* className) const {
  for (HWND window : controls(className)) {
    if (TextOf(GetParent(window)) == parentText) return window;
  }
  return nullptr;
}

DWORD Tapfinch::close(DWORD timeoutMilliseconds) {
  if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
  if (!waitForExit(timeoutMilliseconds)) return STILL_ACTIVE;
  return exitCode();
}

bool Tapfinch::waitForExit(DWORD timeoutMilliseconds) {
  if (process_.hProcess == nullptr) return true;
  return WaitFor([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMilliseconds);
}

DWORD Tapfinch::exitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_.hProcess != nullptr) GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND FileDialog(const Tapfinch& app) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : WindowsOf(app.processId(), "#32770")) {
          if (IsWindowVisible(w) != FALSE) found = w;
        }
        return found != nullptr;
      },
      5000);
  return found;
}

bool ChooseFile(HWND dialog, const std::wstring& path) {
  HWND name = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        if (ClassOf(child) == "Edit" && IsWindowVisible(child) != FALSE) {
          *reinterpret_cast<HWND*>(data) = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&name));
  if (name == nullptr) return false;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return WaitFor([&] { return IsWindow(dialog) == FALSE || IsWindowVisible(dialog) == FALSE; }, 5000);
}

bool ChooseFile(HWND dialog, const std::string& path) { return ChooseFile(dialog, platform::win32::WideText(path)); }

HWND MessageBoxOf(const Tapfinch& app, const std::string& title, DWORD timeoutMilliseconds) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : WindowsOf(app.processId(), "#32770")) {
          if (IsWindowVisible(w) != FALSE && CaptionOf(w) == title) found = w;
        }
        return found != nullptr;
      },
      timeoutMilliseconds);
  return found;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        if (ClassOf(child) == "Static") {
          std::string text = CaptionOf(child);
          if (!text.empty()) reinterpret_cast<std::vector<std::string>*>(data)->push_back(std::move(text));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

HWND VisibleWindowOf(DWORD processId, const char* className) {
  for (HWND window : WindowsOf(processId, className)) {
    if (IsWindowVisible(window) != FALSE) return window;
  }
  return nullptr;
}

// -------------------------------------------------------------- appearance

COLORREF Picture::at(int x, int y) const {
  const std::size_t offset =
      static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(stride()) + static_cast<std::size_t>(x) * 3;
  return RGB(bits[offset + 2], bits[offset + 1], bits[offset]);
}

std::size_t Picture::distinctColours() const {
  std::set<COLORREF> seen;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) seen.insert(at(x, y));
  }
  return seen.size();
}

Picture CaptureWindow(HWND window) {
  Picture picture;
  RECT r{};
  if (GetWindowRect(window, &r) == 0 || r.right <= r.left || r.bottom <= r.top) return picture;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return picture;
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the file keeps it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory != nullptr && dib != nullptr) {
    HGDIOBJ previous = SelectObject(memory, dib);
    if (BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT) != 0) {
      GdiFlush();
      picture.width = width;
      picture.height = height;
      const auto* bytes = static_cast<const unsigned char*>(bits);
      picture.bits.assign(bytes, bytes + static_cast<std::size_t>(picture.stride()) * static_cast<std::size_t>(height));
    }
    SelectObject(memory, previous);
  }
  if (dib != nullptr) DeleteObject(dib);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool WriteBitmap(const Picture& picture, const std::string& path) {
  if (picture.width <= 0 || picture.height <= 0) return false;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + picture.bits.size());
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(picture.bits.size());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(picture.bits.data()), static_cast<std::streamsize>(picture.bits.size()));
  out.close();
  return !out.fail();
}

Picture ReadBitmap(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  if (data.size() < sizeof file + sizeof header) return {};
  std::memcpy(&file, data.data(), sizeof file);
  std::memcpy(&header, data.data() + sizeof file, sizeof header);
  if (file.bfType != 0x4D42 || header.biBitCount != 24 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
      header.biHeight <= 0) {
    return {};
  }
  Picture picture;
  picture.width = header.biWidth;
  picture.height = header.biHeight;
  const std::size_t size = static_cast<std::size_t>(picture.stride()) * static_cast<std::size_t>(picture.height);
  if (file.bfOffBits > data.size() || data.size() - file.bfOffBits < size) return {};
  const auto* first = reinterpret_cast<const unsigned char*>(data.data()) + file.bfOffBits;
  picture.bits.assign(first, first + size);
  return picture;
}

std::string ArtefactDirectory() {
  char value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("TAPFINCH_E2E_ARTEFACTS", value, MAX_PATH);
  std::string folder = length > 0 && length < MAX_PATH ? std::string(value, length) : ExeDirectory();
  // CTest passes the build's Unix path; Wine shows the Unix root as Z:.
  if (folder.front() == '/') {
    folder = "Z:" + folder;
    std::replace(folder.begin(), folder.end(), '/', '\\');
  }
  if (folder.back() != '\\') folder += '\\';
  CreateDirectoryA(folder.c_str(), nullptr);  // already there is as good
  return folder;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  // Only on Windows 10 1607 and later (and a recent Wine).
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : 96;
}

std::string WithoutAccelerators(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 == text.size()) break;  // a lone "&" at the end shows nothing
      ++i;
    }
    shown += text[i];
  }
  return shown;
}

SIZE MeasureInFont(const std::string& text, platform::FontSpec font, int dpi, int wrapWidth) {
  // The program's own font cache, so a stand-in face is chosen as for it.
  static platform::win32::GdiCache fonts;
  font.height = MulDiv(font.height, dpi, 96);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return {};
  HGDIOBJ previous = SelectObject(screen, fonts.Font(font));
  RECT extent{0, 0, wrapWidth, 0};
  const UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0u);
  const std::wstring wide = platform::win32::WideText(text);  // as the program draws it
  DrawTextW(screen, wide.c_str(), static_cast<int>(wide.size()), &extent, format);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

namespace {

// What a kind of control draws around its caption, in pixels at 96 per
// inch; the system's parts grow with the scale, the program's own do not.
struct Decoration {
  const char* className;
  bool prefix;       // "&" marks an accelerator
  int width;         // beside the text, both sides together
  int height;        // above and below it
  bool systemDrawn;  // scaled with the dpi
};

constexpr Decoration kDecorations[] = {
    {"TButton", true, 6, 0, true},         // the raised edge and the focus rectangle each side
    {"TCheckBox", true, 13 + 4, 0, true},  // the box, then a gap
    {"TRadioButton", true, 13 + 4, 0, true},
    {"TGroupBox", true, 8, 0, true},  // the caption's indent from the frame's
                                      // left end
    {"TRadioGroup", true, 8, 0, true},
    {"TLabel", true, 0, 0, false},
    {"TLMDSimpleLabel", false, 0, 0, false},
    {"TzColorBtn", true, 10, 10, false},  // the text keeps 5 pixels inside each edge
    {"Tz3DLabel", false, 1, 1, false},    // the dark copy one pixel down and right
};

const Decoration* DecorationOf(const std::string& className) {
  for (const Decoration& d : kDecorations) {
    if (className == d.className) return &d;
  }
  return nullptr;
}

}  // namespace

std::vector<CaptionMisfit> CaptionMisfits(HWND parent, const CaptionLookup& lookOf, int dpi,
                                          std::vector<std::string>* checked) {
  std::vector<HWND> windows;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::vector<CaptionMisfit> misfits;
  for (HWND window : windows) {
    if (IsWindowVisible(window) == FALSE) continue;
    const std::string className = ClassOf(window);
    const Decoration* decoration = DecorationOf(className);
    if (decoration == nullptr) continue;
    const std::string text = TextOf(window);
    const std::string shown = decoration->prefix ? WithoutAccelerators(text) : text;
    if (shown.empty()) continue;
    if (checked != nullptr) checked->push_back(className + " \"" + text + "\"");
    CaptionLook look = lookOf(className, text);
    // The system's label breaks lines at words unless told not to.
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    if (className == "TLabel" && (style & SS_TYPEMASK) <= SS_RIGHT) look.wordWrap = true;
    const int scale = decoration->systemDrawn ? dpi : 96;
    const int decorationWidth = MulDiv(decoration->width, scale, 96);
    const int decorationHeight = MulDiv(decoration->height, scale, 96);
    RECT client{};
    GetClientRect(window, &client);
    const SIZE available{client.right - client.left, client.bottom - client.top};
    // A wrapping caption may take the lines it needs; it must fit their height
    // (and no single word may be wider than the control).
    const SIZE extent =
        MeasureInFont(shown, look.font, dpi, look.wordWrap ? std::max<LONG>(available.cx - decorationWidth, 1) : 0);
    const SIZE needed{extent.cx + decorationWidth, extent.cy + decorationHeight};
    if (needed.cx > available.cx || needed.cy > available.cy) {
      misfits.push_back({className, text, needed, available});
    }
  }
  return misfits;
}

std::string Describe(const std::vector<CaptionMisfit>& misfits) {
  std::ostringstream out;
  for (const CaptionMisfit& m : misfits) {
    std::string text = m.text;
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    out << m.className << " \"" << text << "\": needs " << m.needed.cx << " x " << m.needed.cy << ", has "
        << m.available.cx << " x " << m.available.cy << "\n";
  }
  return out.str();
}

}  // namespace e2e
