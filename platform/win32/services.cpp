// The Windows services behind the platform interfaces other than windows
// and the loop: input, timers, message boxes and file dialogs, the locale,
// hotkeys, key names and what one copy of the program knows of another.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mouse_hook.h"
#include "platform/win32/crash_release.h"
#include "platform/win32/deadline_timer.h"
#include "platform/win32/error_route.h"
#include "platform/win32/lazy_proc.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/message_window.h"
#include "platform/win32/registry.h"
#include "platform/win32/text.h"
#include "platform/win32/tray.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_windows.h"
#include "platform/win32/window_classes.h"
// After windows.h, which the headers above bring.
#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

namespace platform::win32 {

namespace {

// ------------------------------------------------------------------ input

class Win32Input final : public Input {
 public:
  // Noted for a crash to let go of.
  void Mouse(MouseAction action) override { InjectMouse(action); }
  Point GetCursorPos() override {
    POINT at{};
    ::GetCursorPos(&at);  // not checked: the position is used as it comes
    return {static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)};
  }
  // Not checked: a cursor that did not move, or a missing beep, has nobody to tell.
  void SetCursorPos(std::int32_t x, std::int32_t y) override { ::SetCursorPos(x, y); }
  void MessageBeep(std::uint32_t type) override { ::MessageBeep(type); }
  bool ButtonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
  bool LeftButtonDown() override { return GetKeyState(VK_LBUTTON) < 0; }
  bool LeftButtonHeldNow() override {
    // The asynchronous state is the physical button's.
    const int button = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
  }
};

// ----------------------------------------------------------------- timers

constexpr const char* kUtilityWindowClass = "TPUtilWindow";

class Win32Timer final : public TimerHandle, private MessageWindow::Handler {
 public:
  Win32Timer(WindowClasses& classes, const ErrorRoute& errors, TimerSink& sink)
      : sink_(sink), window_(classes, errors, kUtilityWindowClass, *this) {}
  ~Win32Timer() override { Stop(); }
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

  // Never with a null window: that would be a timer of the whole thread.
  bool Start(std::uint32_t milliseconds) override {
    HWND window = window_.Ensure();
    return window != nullptr && SetTimer(window, 1, milliseconds, nullptr) != 0;
  }
  void Stop() override {
    if (window_) KillTimer(window_.get(), 1);  // fails harmlessly when none is set
  }

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == 1) {
      sink_.TimerFired();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  TimerSink& sink_;
  MessageWindow window_;
};

class Win32Timers final : public Timers {
 public:
  Win32Timers(WindowClasses& classes, const ErrorRoute& errors, Waits& waits) noexcept
      : classes_(classes), errors_(errors), waits_(waits) {}
  // A window the system refuses shows as a refused start.
  std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) override {
    return std::make_unique<Win32Timer>(classes_, errors_, sink);
  }
  void SetHighResolution(bool on) override {
    // A refusal only leaves the default tick; there is nothing else to do.
    static const auto begin = LazyProc<decltype(&timeBeginPeriod)>(L"winmm.dll", "timeBeginPeriod");
    static const auto end = LazyProc<decltype(&timeEndPeriod)>(L"winmm.dll", "timeEndPeriod");
    const auto call = on ? begin : end;
    if (call != nullptr) call(1);
  }
  // Null before Windows 10 1803: the framework then keeps today's timer.
  std::unique_ptr<DeadlineHandle> CreateDeadlineTimer(DeadlineSink& sink) override {
    return Win32DeadlineTimer::Create(waits_, sink, [this] { return PreciseNow(); });
  }
  void SetThrottlingExempt(bool exempt) override { throttling_.SetExempt(exempt); }
  std::uint64_t Now() override { return GetTickCount64(); }
  std::uint64_t PreciseNow() override {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);  // cannot fail since Windows XP
    // In two parts: the count times a million outgrows 64 bits in weeks.
    const auto ticks = static_cast<std::uint64_t>(count.QuadPart);
    return ticks / frequency_ * 1000000 + ticks % frequency_ * 1000000 / frequency_;
  }

 private:
  // The process's power throttling (SetProcessInformation, Windows 8 and
  // later; the flags it knows depend on the version, see SetExempt).
  class Throttling {
   public:
    void SetExempt(bool exempt) {
      using Get = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
      using Set = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
      static const auto get = LazyProc<Get>(L"kernel32.dll", "GetProcessInformation");
      static const auto set = LazyProc<Set>(L"kernel32.dll", "SetProcessInformation");
      if (set == nullptr) return;  // before Windows 8: nothing throttles a program this way
      HANDLE self = GetCurrentProcess();
      if (!exempt) {
        // What was before: as read, or else the system deciding, as at start.
        PROCESS_POWER_THROTTLING_STATE before =
            saved_.value_or(PROCESS_POWER_THROTTLING_STATE{PROCESS_POWER_THROTTLING_CURRENT_VERSION, 0, 0});
        saved_.reset();
        // A refusal leaves the exemption on until the program ends; nothing else to do.
        set(self, ProcessPowerThrottling, &before, sizeof before);
        return;
      }
      PROCESS_POWER_THROTTLING_STATE current{PROCESS_POWER_THROTTLING_CURRENT_VERSION, 0, 0};
      if (get != nullptr && get(self, ProcessPowerThrottling, &current, sizeof current) != 0) saved_ = current;
      // Control taken, state off: timer resolution honoured (Windows 11)
      // and no EcoQoS (Windows 10 1709). Windows 10 refuses the flag it
      // does not know, so the execution speed alone is asked then.
      PROCESS_POWER_THROTTLING_STATE exemptState{
          PROCESS_POWER_THROTTLING_CURRENT_VERSION,
          PROCESS_POWER_THROTTLING_EXECUTION_SPEED | PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION, 0};
      if (set(self, ProcessPowerThrottling, &exemptState, sizeof exemptState) != 0) return;
      exemptState.ControlMask = PROCESS_POWER_THROTTLING_EXECUTION_SPEED;
      set(self, ProcessPowerThrottling, &exemptState, sizeof exemptState);  // refused too: an older system
    }

   private:
    std::optional<PROCESS_POWER_THROTTLING_STATE> saved_;
  };

  static std::uint64_t Frequency() noexcept {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);  // cannot fail since Windows XP
    return frequency.QuadPart > 0 ? static_cast<std::uint64_t>(frequency.QuadPart) : 1;
  }

  WindowClasses& classes_;
  const ErrorRoute& errors_;
  Waits& waits_;
  Throttling throttling_;
  std::uint64_t frequency_ = Frequency();
};

// ------------------------------------------------ message boxes and files

// "desc|pattern|desc|pattern" as the dialog wants it: each part ended by a
// null, the list by one more. A pair with an empty part is left out, since
// the dialog would take it for the end of the list. Empty: no pairs at all.
std::string FilterList(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (;;) {
    const std::size_t bar = filter.find('|', from);
    parts.push_back(filter.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
    if (bar == std::string::npos) break;
    from = bar + 1;
  }
  std::string list;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) continue;
    list += parts[i];
    list += '\0';
    list += parts[i + 1];
    list += '\0';
  }
  if (!list.empty()) list += '\0';  // c_str() adds the other one
  return list;
}

class Win32Dialogs final : public Dialogs {
 public:
  int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override {
    HWND owner = GetActiveWindow();
    // With none of our windows active, keep the whole program modal.
    if (owner == nullptr) flags |= MB_TASKMODAL;
    // 0 when the box could not be shown: no button's answer, so no one mistakes it for OK.
    return MessageBoxW(owner, WideText(text).c_str(), WideText(caption).c_str(), flags);
  }

  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override {
    if (std::optional<std::string> path = RunFileDialog(request, request.fileName)) return path;
    // A name the dialog cannot take would keep it from opening at all;
    // the user gets it with an empty name instead.
    static const auto lastError = LazyProc<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    if (lastError != nullptr && lastError() == FNERR_INVALIDFILENAME && !request.fileName.empty()) {
      return RunFileDialog(request, {});
    }
    return std::nullopt;
  }

 private:
  // Long enough for the longest path Windows has, so FNERR_BUFFERTOOSMALL cannot happen.
  static constexpr std::size_t kPathBuffer = 32768;

  // Nothing when cancelled (CommDlgExtendedError() == 0), and also when the
  // dialog failed: the caller has no other answer to give, and the user no
  // file to go on with.
  static std::optional<std::string> RunFileDialog(const FileDialogRequest& request, const std::string& fileName) {
    std::wstring filter;
    std::wstring title;
    std::wstring defaultExt;
    std::wstring name;
    // The program's own texts are UTF-8; a name that is not cannot be offered.
    if (!Wide(FilterList(request.filter), filter) || !Wide(request.title, title) ||
        !Wide(request.defaultExt, defaultExt) || !Wide(fileName, name)) {
      name.clear();
    }
    std::vector<wchar_t> path(kPathBuffer, L'\0');
    name.copy(path.data(), path.size() - 1);  // cut to fit, the last null kept
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();  // may be null: then the dialog has no owner
    // FilterList ends with a null of its own; c_str() adds the list's last one.
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = OFN_EXPLORER | (request.options.overwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                   (request.options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (request.options.enableSizing ? OFN_ENABLESIZING : 0);
    // Modal with a message loop of its own, which serves our timers and hotkeys too.
    static const auto save = LazyProc<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    static const auto open = LazyProc<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    const auto run = request.save ? save : open;
    if (run == nullptr || run(&dialog) == 0) return std::nullopt;
    return Utf8(std::wstring(path.data()));
  }
};

// ------------------------------------------------------------------- files

class Win32Files final : public Files {
 public:
  std::optional<FileStatus> Status(const std::string& path) override {
    std::wstring wide;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!Wide(path, wide) || GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) == 0) {
      return std::nullopt;
    }
    FileStatus status;
    status.regular = (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    status.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return status;
  }

  std::optional<std::string> ReadAll(const std::string& path) override {
    std::wstring wide;
    if (!Wide(path, wide)) return std::nullopt;
    HANDLE opened = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
    const UniqueKernelHandle file(opened);
    std::string bytes;
    char buffer[16384];
    for (;;) {
      DWORD read = 0;
      if (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) == 0) return std::nullopt;
      if (read == 0) return bytes;
      bytes.append(buffer, read);
    }
  }

  bool Replace(const std::string& path, const std::string& bytes) override {
    std::wstring target;
    if (!Wide(path, target)) return false;
    const std::wstring temporary = target + L".tapfinch-saving";
    {
      HANDLE created =
          CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (created == INVALID_HANDLE_VALUE) return false;
      UniqueKernelHandle file(created);
      std::size_t written = 0;
      while (written < bytes.size()) {
        DWORD chunk = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        if (WriteFile(file.get(), bytes.data() + written, want, &chunk, nullptr) == 0 || chunk == 0) break;
        written += chunk;
      }
      if (written < bytes.size()) {
        file.reset();                    // closed, so that it can be deleted
        DeleteFileW(temporary.c_str());  // the failure to report is the write's
        return false;
      }
    }
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
      return true;
    }
    DeleteFileW(temporary.c_str());  // the failure to report is the move's
    return false;
  }
};

// ----------------------------------------------------------------- locale

class Win32Locale final : public Locale {
 public:
  Win32Locale() {
    wchar_t buffer[8] = {};
    // The framework's numbers take one byte for the separator: one
    // outside ASCII cannot be written or read, and the point stands in.
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1 && buffer[0] < 0x80) {
      separator_ = static_cast<char>(buffer[0]);
    }
  }
  char DecimalSeparator() override { return separator_; }
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override {
    const std::wstring first = WideText(a);
    const std::wstring second = WideText(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.data(), static_cast<int>(first.size()),
                          second.data(), static_cast<int>(second.size())) == CSTR_EQUAL;
  }

 private:
  char separator_ = '.';
};

// ---------------------------------------------------------------- hotkeys

class Win32Receiver;

// The one low-level mouse hook that holds the mouse-button hotkeys of all
// receivers, installed while one is held. The hook procedure only decides
// and posts: anything slower risks the system's time-out, after which it
// removes the hook without a word. A check once a second finds that out.
class Win32MouseHook final : private MessageWindow::Handler {
 public:
  Win32MouseHook(WindowClasses& classes, const ErrorRoute& errors) noexcept
      : window_(classes, errors, kUtilityWindowClass, *this) {}
  ~Win32MouseHook() { Uninstall(); }
  Win32MouseHook(const Win32MouseHook&) = delete;
  Win32MouseHook& operator=(const Win32MouseHook&) = delete;

  bool Hold(Win32Receiver& receiver, std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) {
    if (hook_ == nullptr && !Install()) return false;
    table_.Add(&receiver, id, modifiers, key);
    return true;
  }
  void Drop(const Win32Receiver& receiver, std::uint16_t id) {
    table_.Remove(&receiver, id);
    if (table_.Empty()) Uninstall();
  }
  void DropAll(const Win32Receiver& receiver) {
    table_.RemoveAll(&receiver);
    if (table_.Empty()) Uninstall();
  }

 private:
  static constexpr UINT_PTR kCheckTimer = 1;
  static constexpr UINT kCheckEvery = 1000;

  bool Install() {
    HWND window = window_.Ensure();
    if (window == nullptr) return false;
    OwnInjections().Reset();
    active_ = this;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, &Procedure, GetModuleHandleW(nullptr), 0);
    if (hook_ == nullptr) {
      active_ = nullptr;
      return false;
    }
    SetTimer(window, kCheckTimer, kCheckEvery, nullptr);  // not checked: without it, a loss goes unseen
    return true;
  }
  void Uninstall() noexcept {
    if (hook_ == nullptr) return;
    UnhookWindowsHookEx(hook_);  // not checked: a hook the system removed is gone either way
    hook_ = nullptr;
    active_ = nullptr;
    if (window_) KillTimer(window_.get(), kCheckTimer);
  }
  void Lost();

  static HookedButton ButtonOf(WPARAM message, const MSLLHOOKSTRUCT& info) noexcept {
    HookedButton event;
    switch (message) {
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
        event.key = kMiddleButtonKey;
        break;
      case WM_XBUTTONDOWN:
      case WM_XBUTTONUP:
        event.key = HIWORD(info.mouseData) == XBUTTON1 ? kBackButtonKey : kForwardButtonKey;
        break;
      default:
        return event;
    }
    event.down = message == WM_MBUTTONDOWN || message == WM_XBUTTONDOWN;
    event.injected = (info.flags & LLMHF_INJECTED) != 0;
    auto held = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    if (held(VK_MENU)) event.modifiers |= kModAlt;
    if (held(VK_CONTROL)) event.modifiers |= kModControl;
    if (held(VK_SHIFT)) event.modifiers |= kModShift;
    if (held(VK_LWIN) || held(VK_RWIN)) event.modifiers |= kModWin;
    return event;
  }

  static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM lParam);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER && wParam == kCheckTimer) {
      if (hook_ != nullptr && OwnInjections().Lost()) Lost();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // The procedure has no context of its own; one hook at a time.
  static inline Win32MouseHook* active_ = nullptr;
  MessageWindow window_;
  MouseHotkeyTable table_;
  HHOOK hook_ = nullptr;
};

class Win32Receiver final : public HotkeyReceiver, private MessageWindow::Handler {
 public:
  Win32Receiver(WindowClasses& classes, const ErrorRoute& errors, Win32MouseHook& hook, HotkeySink& sink)
      : sink_(sink), hook_(hook), window_(classes, errors, kUtilityWindowClass, *this) {}
  ~Win32Receiver() override { hook_.DropAll(*this); }
  Win32Receiver(const Win32Receiver&) = delete;
  Win32Receiver& operator=(const Win32Receiver&) = delete;

  bool Register(std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) override {
    // Windows keeps an old combination registered under the same window and
    // identifier beside a new one; drop it first so that only the new one
    // is bound. Nothing may be bound yet, so the result does not matter.
    // Never with a null window: that would bind the hotkey to the thread.
    HWND window = window_.Ensure();
    if (window == nullptr) return false;
    UnregisterHotKey(window, id);
    key_ = key;
    guardRepeats_ = false;
    // The hook's table replaces what the identifier held there, so the hook
    // stays installed while a button is rebound; a key takes its place out.
    if (IsMouseButtonKey(key)) return hook_.Hold(*this, id, modifiers, key);
    hook_.Drop(*this, id);
    if (RegisterHotKey(window, id, modifiers, key) != 0) return true;
    // A combination someone holds is refused as such; any other refusal of
    // a no-repeat request is a system that predates the flag.
    if ((modifiers & MOD_NOREPEAT) == 0 || GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED) return false;
    guardRepeats_ = RegisterHotKey(window, id, modifiers & ~static_cast<std::uint32_t>(MOD_NOREPEAT), key) != 0;
    return guardRepeats_;
  }
  // Not checked, by design: unbinding what is not bound changes nothing.
  void Unregister(std::uint16_t id) override {
    if (window_) UnregisterHotKey(window_.get(), id);
    hook_.Drop(*this, id);
  }

  // A press the mouse hook acted on comes as a hotkey would.
  void Pressed(std::uint16_t id) const noexcept {
    if (window_) PostMessageW(window_.get(), WM_HOTKEY, id, 0);
  }
  void Lost() { sink_.HotkeyLost(); }

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_HOTKEY) {
      // Without MOD_NOREPEAT, a notification that comes while the key is
      // still down soon after the last one is the keyboard's auto-repeat.
      const DWORD now = GetTickCount();
      const bool repeat = guardRepeats_ && delivered_ && now - lastDelivery_ < kRepeatWindow &&
                          (GetAsyncKeyState(static_cast<int>(key_)) & 0x8000) != 0;
      lastDelivery_ = now;
      if (repeat) return 0;
      delivered_ = true;
      sink_.HotkeyPressed();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // Longer than the keyboard's slowest repeat rate, shorter than a new press.
  static constexpr DWORD kRepeatWindow = 600;
  HotkeySink& sink_;
  Win32MouseHook& hook_;
  MessageWindow window_;
  std::uint32_t key_ = 0;
  bool guardRepeats_ = false;
  bool delivered_ = false;
  DWORD lastDelivery_ = 0;
};

LRESULT CALLBACK Win32MouseHook::Procedure(int code, WPARAM message, LPARAM lParam) {
  if (code == HC_ACTION && active_ != nullptr) {
    const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if ((info.flags & LLMHF_INJECTED) != 0 && info.dwExtraInfo == kOwnInjectionTag) OwnInjections().Seen();
    const MouseHotkeyTable::Verdict verdict = active_->table_.Decide(ButtonOf(message, info));
    if (verdict.notify != nullptr) {
      static_cast<const Win32Receiver*>(verdict.notify->receiver)->Pressed(verdict.notify->id);
    }
    if (verdict.swallow) return 1;
  }
  return CallNextHookEx(nullptr, code, message, lParam);
}

void Win32MouseHook::Lost() {
  // Told after the table is empty, so that a receiver may hold again at once.
  std::vector<Win32Receiver*> held;
  for (const auto& entry : table_.Entries()) {
    held.push_back(static_cast<Win32Receiver*>(const_cast<void*>(entry.receiver)));
  }
  table_.Clear();
  Uninstall();
  for (Win32Receiver* receiver : held) receiver->Lost();
}

class Win32GlobalAtom final : public GlobalAtom {
 public:
  explicit Win32GlobalAtom(ATOM atom) noexcept : atom_(atom) {}
  // The atom's count drops by one; a refusal leaves it to the session's end.
  ~Win32GlobalAtom() override {
    if (atom_ != 0) GlobalDeleteAtom(atom_);
  }
  Win32GlobalAtom(const Win32GlobalAtom&) = delete;
  Win32GlobalAtom& operator=(const Win32GlobalAtom&) = delete;
  [[nodiscard]] std::uint16_t Value() const noexcept override { return atom_; }

 private:
  ATOM atom_;
};

class Win32Hotkeys final : public Hotkeys {
 public:
  Win32Hotkeys(WindowClasses& classes, const ErrorRoute& errors) noexcept
      : classes_(classes), errors_(errors), mouseHook_(classes, errors) {}
  std::unique_ptr<HotkeyReceiver> CreateReceiver(HotkeySink& sink) override {
    // A window the system refuses shows as a refused registration.
    return std::make_unique<Win32Receiver>(classes_, errors_, mouseHook_, sink);
  }
  std::unique_ptr<GlobalAtom> AddGlobalAtom(const std::string& text) override {
    // A name that is not UTF-8 gets no atom, as any other refusal.
    std::wstring name;
    return std::make_unique<Win32GlobalAtom>(Wide(text, name) ? GlobalAddAtomW(name.c_str()) : ATOM{0});
  }

 private:
  WindowClasses& classes_;
  const ErrorRoute& errors_;
  Win32MouseHook mouseHook_;
};

class Win32Keyboard final : public Keyboard {
 public:
  std::uint32_t ScanCodeOf(std::uint32_t virtualKey) override { return MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC); }
  std::string KeyName(std::uint32_t scanCode) override {
    wchar_t name[256] = {};
    // The scan code goes in bits 16 to 23 of the key message's lParam.
    const int length = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 256);
    return Utf8(name, static_cast<std::size_t>(length > 0 ? length : 0));
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
 private:
  // The mandatory integrity level of a process's token (low, medium, high,
  // system), or nothing when the token cannot be read.
  static std::optional<DWORD> IntegrityOf(HANDLE process, bool* refused = nullptr) {
    HANDLE token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &token) == 0) {
      if (refused != nullptr) *refused = GetLastError() == ERROR_ACCESS_DENIED;
      return std::nullopt;
    }
    const Win32Handle closer(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);  // asks the size only
    if (size == 0) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size) == 0) return std::nullopt;
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (IsValidSid(sid) == 0 || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
  }

  static std::string WindowTitle(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(std::max(GetWindowTextW(window, wide.data(), length + 1), 0)));
    return Utf8(wide);
  }

 public:
  std::string ModuleFileName() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return {};
      if (length < path.size()) return Utf8(path.data(), length);
      path.resize(path.size() * 2);
    }
  }
  MutexResult CreateNamedMutex(const std::string& name) override {
    std::wstring wide;
    if (!Wide(name, wide)) return {nullptr, ERROR_INVALID_NAME};
    HANDLE handle = CreateMutexW(nullptr, FALSE, wide.c_str());
    const DWORD error = GetLastError();
    MutexResult result;
    if (handle != nullptr) result.handle = std::make_unique<Win32Handle>(handle);
    result.lastError = error;
    return result;
  }
  WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) override {
    std::wstring wideClass;
    if (!Wide(className, wideClass)) return {};  // no class has such a name
    return reinterpret_cast<WindowRef>(FindWindowW(wideClass.c_str(), WideText(title).c_str()));
  }
  bool IsIconic(WindowRef window) override { return ::IsIconic(reinterpret_cast<HWND>(window)) != FALSE; }
  // Not checked: the other copy may be gone already, and this one ends either way.
  void ShowWindowRestore(WindowRef window) override { ShowWindow(reinterpret_cast<HWND>(window), SW_RESTORE); }
  void BringWindowToTop(WindowRef window) override { ::BringWindowToTop(reinterpret_cast<HWND>(window)); }

  std::optional<std::string> HigherRightsWindowAt(Point at) override {
    HWND window = WindowFromPoint(POINT{at.x, at.y});
    if (window == nullptr) return std::nullopt;
    HWND root = GetAncestor(window, GA_ROOT);
    if (root == nullptr) root = window;
    DWORD processId = 0;
    GetWindowThreadProcessId(root, &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) return std::nullopt;
    const std::optional<DWORD> own = IntegrityOf(GetCurrentProcess());
    if (!own) return std::nullopt;  // our own rights unknown: nothing to compare
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return std::nullopt;  // a system process: not the user's window
    const Win32Handle closer(process);
    // A program that runs elevated lets a lesser one open its process but
    // not its token: that refusal itself says which is higher.
    bool refused = false;
    const std::optional<DWORD> theirs = IntegrityOf(process, &refused);
    if (theirs ? *theirs <= *own : !refused) return std::nullopt;
    return WindowTitle(root);
  }
  SystemFacts SystemInformation() override {
    SystemFacts facts;
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory) != 0) facts.totalPhysicalMemory = memory.ullTotalPhys;  // 0 when refused
    SYSTEM_INFO system{};
    GetSystemInfo(&system);  // cannot fail
    facts.processorCount = system.dwNumberOfProcessors;
    facts.processorType = system.dwProcessorType;
    facts.ntFamily = true;  // every system this program runs on
    return facts;
  }
  std::intptr_t ShellOpen(const std::string& target) override {
    static const auto execute = LazyProc<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    // Below 32 is a failure: 2 (file not found) when shell32 itself is
    // missing, or when the target is not UTF-8 and so names nothing.
    std::wstring wide;
    if (execute == nullptr || !Wide(target, wide)) return ERROR_FILE_NOT_FOUND;
    return reinterpret_cast<std::intptr_t>(execute(nullptr, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  }
};

}  // namespace

// ------------------------------------------------------------ the platform

struct Win32Platform::Services {
  // Before anything that can click, and gone after it.
  CrashRelease crashRelease;
  // First, so that they go last: every window of these classes, and every
  // window that reports errors, is gone by then.
  WindowClasses classes;
  ErrorRoute errors;
  Win32Input input;
  Waits waits{errors};
  Win32Timers timers{classes, errors, waits};
  Win32Windows windows{classes, errors, waits};
  Win32Loop loop{windows, errors};
  Win32Dialogs dialogs;
  Win32Locale locale;
  Win32Hotkeys hotkeys{classes, errors};
  Win32Keyboard keyboard;
  Win32Process process;
  Win32Registry registry;
  Win32Files files;
  std::unique_ptr<Tray> tray = CreateTray(classes, errors);
};

Win32Platform::Win32Platform() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  // Without it the page control's and the header's classes are missing, and creation reports that.
  InitCommonControlsEx(&controls);
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
Registry& Win32Platform::registry() { return services_->registry; }
Files& Win32Platform::files() { return services_->files; }
Tray& Win32Platform::tray() { return *services_->tray; }

}  // namespace platform::win32
