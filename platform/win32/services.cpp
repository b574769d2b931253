// The Windows services behind the platform interfaces other than windows:
// input, timers, the message loop, message boxes, the locale, hotkeys,
// key names and what one copy of the program knows of another.
#include <stdexcept>
#include <string>

#include "platform/win32/internal.h"
// After windows.h, which internal.h brings.
#include <commctrl.h>
#include <mmsystem.h>

namespace platform::win32 {

// ----------------------------------------------------------- MessageWindow

namespace {

LRESULT CALLBACK MessageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<MessageWindow::Handler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (handler == nullptr && message == WM_NCCREATE) {
    handler = static_cast<MessageWindow::Handler*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handler));
  }
  if (handler == nullptr || message == WM_NCDESTROY) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return handler->HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return 0;  // nothing may unwind through the system's code
  }
}

}  // namespace

MessageWindow::MessageWindow(const char* className, Handler& handler) {
  const char* registered = EnsureWindowClass(className, PeerKind::kCustom, &MessageWindowProcedure);
  window_.reset(
      CreateWindowExA(0, registered, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), &handler));
  if (!window_) throw std::runtime_error("Error creating window");
}

namespace {

// ------------------------------------------------------------------ input

class Win32Input final : public Input {
 public:
  void MouseEvent(std::uint32_t flags) override { mouse_event(flags, 0, 0, 0, 0); }
  Point GetCursorPos() override {
    POINT at{};
    ::GetCursorPos(&at);  // not checked: the position is used as it comes
    return {static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)};
  }
  void SetCursorPos(std::int32_t x, std::int32_t y) override { ::SetCursorPos(x, y); }
  void MessageBeep(std::uint32_t type) override { ::MessageBeep(type); }
};

// ----------------------------------------------------------------- timers

class Win32Timer final : public TimerHandle, private MessageWindow::Handler {
 public:
  explicit Win32Timer(TimerSink& sink) : sink_(sink), window_("TPUtilWindow", *this) {}
  ~Win32Timer() override { Stop(); }
  bool Start(std::uint32_t milliseconds) override { return SetTimer(window_.get(), 1, milliseconds, nullptr) != 0; }
  void Stop() override { KillTimer(window_.get(), 1); }  // fails harmlessly when none is set

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == 1) {
      sink_.TimerFired();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  TimerSink& sink_;
  MessageWindow window_;
};

class Win32Timers final : public Timers {
 public:
  std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) override { return std::make_unique<Win32Timer>(sink); }
  void SetHighResolution(bool on) override {
    // A refusal only leaves the default tick; there is nothing else to do.
    if (on) {
      timeBeginPeriod(1);
    } else {
      timeEndPeriod(1);
    }
  }
  std::uint64_t Now() override { return GetTickCount64(); }
};

// -------------------------------------------------------------- the loop

class Win32Loop final : public EventLoop {
 public:
  explicit Win32Loop(Win32Windows& windows) : windows_(windows) {}

  void Run() override {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  }
  void Quit() override { PostQuitMessage(0); }
  void ProcessPending() override {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      Dispatch(message);
    }
  }

 private:
  void Dispatch(MSG& message) {
    // Tab, the arrows and mnemonics move between the controls of a form.
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && windows_.forms.count(root) != 0 && IsDialogMessageA(root, &message) != 0) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Win32Windows& windows_;
};

// --------------------------------------------------------- message boxes

class Win32Dialogs final : public Dialogs {
 public:
  int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override {
    HWND owner = GetActiveWindow();
    // With none of our windows active, keep the whole program modal.
    if (owner == nullptr) flags |= MB_TASKMODAL;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  }
};

// ----------------------------------------------------------------- locale

class Win32Locale final : public Locale {
 public:
  Win32Locale() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1) separator_ = buffer[0];
  }
  char DecimalSeparator() override { return separator_; }
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
  }

 private:
  char separator_ = '.';
};

// ---------------------------------------------------------------- hotkeys

class Win32Receiver final : public HotkeyReceiver, private MessageWindow::Handler {
 public:
  explicit Win32Receiver(HotkeySink& sink) : sink_(sink), window_("TPUtilWindow", *this) {}

  bool Register(std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) override {
    // Windows keeps an old combination registered under the same window and
    // identifier beside a new one; drop it first so that only the new one
    // is bound. Nothing may be bound yet, so the result does not matter.
    UnregisterHotKey(window_.get(), id);
    return RegisterHotKey(window_.get(), id, modifiers, key) != 0;
  }
  void Unregister(std::uint16_t id) override { UnregisterHotKey(window_.get(), id); }  // not checked, by design

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HOTKEY) {
      sink_.HotkeyPressed();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  HotkeySink& sink_;
  MessageWindow window_;
};

class Win32Hotkeys final : public Hotkeys {
 public:
  std::unique_ptr<HotkeyReceiver> CreateReceiver(HotkeySink& sink) override {
    return std::make_unique<Win32Receiver>(sink);
  }
  std::uint16_t AddGlobalAtom(const std::string& text) override { return GlobalAddAtomA(text.c_str()); }
  void DeleteGlobalAtom(std::uint16_t atom) override { GlobalDeleteAtom(atom); }
};

class Win32Keyboard final : public Keyboard {
 public:
  std::uint32_t ScanCodeOf(std::uint32_t virtualKey) override { return MapVirtualKeyA(virtualKey, 0); }
  std::string KeyNameText(std::int32_t lParam) override {
    char name[256] = {};
    const int length = GetKeyNameTextA(lParam, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
  }
};

// ---------------------------------------------------------------- process

class Win32Handle final : public KernelHandle {
 public:
  explicit Win32Handle(HANDLE handle) : handle_(handle) {}

 private:
  UniqueKernelHandle handle_;
};

class Win32Process final : public Process {
 public:
  std::string ModuleFileName() override {
    std::string path(MAX_PATH, '\0');
    for (;;) {
      const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return {};
      if (length < path.size()) {
        path.resize(length);
        return path;
      }
      path.resize(path.size() * 2);
    }
  }
  MutexResult CreateNamedMutex(const std::string& name) override {
    HANDLE handle = CreateMutexA(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    MutexResult result;
    if (handle != nullptr) result.handle = std::make_unique<Win32Handle>(handle);
    result.lastError = error;
    return result;
  }
  WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) override {
    return reinterpret_cast<WindowRef>(FindWindowA(className.c_str(), title.c_str()));
  }
  bool IsIconic(WindowRef window) override { return ::IsIconic(reinterpret_cast<HWND>(window)) != FALSE; }
  void ShowWindowRestore(WindowRef window) override { ShowWindow(reinterpret_cast<HWND>(window), SW_RESTORE); }
  void BringWindowToTop(WindowRef window) override { ::BringWindowToTop(reinterpret_cast<HWND>(window)); }
};

}  // namespace

// ------------------------------------------------------------ the platform

struct Win32Platform::Services {
  Win32Input input;
  Win32Timers timers;
  Win32Windows windows;
  Win32Loop loop{windows};
  Win32Dialogs dialogs;
  Win32Locale locale;
  Win32Hotkeys hotkeys;
  Win32Keyboard keyboard;
  Win32Process process;
};

Win32Platform::Win32Platform() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);  // without it the page control's class is missing, and creation reports that
  services_ = std::make_unique<Services>();
}

Win32Platform::~Win32Platform() = default;

Input& Win32Platform::input() { return services_->input; }
Timers& Win32Platform::timers() { return services_->timers; }
EventLoop& Win32Platform::loop() { return services_->loop; }
Dialogs& Win32Platform::dialogs() { return services_->dialogs; }
Locale& Win32Platform::locale() { return services_->locale; }
Windows& Win32Platform::windows() { return services_->windows; }
Hotkeys& Win32Platform::hotkeys() { return services_->hotkeys; }
Keyboard& Win32Platform::keyboard() { return services_->keyboard; }
Process& Win32Platform::process() { return services_->process; }

}  // namespace platform::win32
