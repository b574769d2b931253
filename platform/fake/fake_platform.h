// An in-memory, deterministic stand-in for Windows: one simulated desktop.
// A virtual clock drives the timers in order; every injected mouse event is
// recorded with the cursor position and time at which it acted; message
// boxes are recorded and answered OK; hotkey registrations are held for
// every program on the desktop and a press is delivered to the holder
// through the event loop. Several copies of the program may share one.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::fake {

class FakePlatform;

// Records what the framework pushed to a native window.
class FakePeer final : public WindowPeer {
 public:
  FakePeer(FakePlatform& desktop, const PeerParams& params, PeerEvents& events);
  ~FakePeer() override;

  void SetText(const std::string& text) override { text_ = text; }
  void SetBounds(const Rect& bounds) override { bounds_ = bounds; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void SetChecked(bool checked) override { checked_ = checked; }
  void SetColor(Color color) override { color_ = color; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  void SetFocus() override;
  void Invalidate() override { ++paints_; }
  void SelectAll() override {}
  void SetTab(int index, const std::string& caption) override;
  void SetTabIndex(int index) override { tabIndex_ = index; }
  void Show(ShowMode mode) override;
  void SetMenu(const std::vector<MenuItemSpec>& menu) override { menu_ = menu; }
  Size ClientSize() override { return {}; }
  Rect DisplayRect() override { return {}; }

  [[nodiscard]] PeerKind kind() const noexcept { return kind_; }
  [[nodiscard]] const std::string& className() const noexcept { return className_; }
  [[nodiscard]] const std::string& text() const noexcept { return text_; }
  [[nodiscard]] const Rect& bounds() const noexcept { return bounds_; }
  [[nodiscard]] bool visible() const noexcept { return visible_; }
  [[nodiscard]] bool enabled() const noexcept { return enabled_; }
  [[nodiscard]] bool checked() const noexcept { return checked_; }
  [[nodiscard]] Color color() const noexcept { return color_; }
  [[nodiscard]] bool iconic() const noexcept { return iconic_; }
  [[nodiscard]] bool shownCentered() const noexcept { return shownCentered_; }
  [[nodiscard]] std::uint64_t zOrder() const noexcept { return zOrder_; }
  [[nodiscard]] int paints() const noexcept { return paints_; }
  [[nodiscard]] const std::vector<std::string>& tabs() const noexcept { return tabs_; }
  [[nodiscard]] int tabIndex() const noexcept { return tabIndex_; }
  [[nodiscard]] const std::vector<MenuItemSpec>& menu() const noexcept { return menu_; }
  [[nodiscard]] FakePeer* parent() const noexcept { return parent_; }
  [[nodiscard]] PeerEvents& events() const noexcept { return events_; }

  // What another program does to this window.
  void ExternalRestore();
  void ExternalBringToTop();

 private:
  FakePlatform& desktop_;
  PeerEvents& events_;
  PeerKind kind_;
  std::string className_;
  FakePeer* parent_;
  std::string text_;
  Rect bounds_;
  bool visible_;
  bool enabled_;
  bool checked_;
  Color color_;
  FontSpec font_;
  bool iconic_ = false;
  bool shownCentered_ = false;
  std::uint64_t zOrder_ = 0;
  int paints_ = 0;
  std::vector<std::string> tabs_;
  int tabIndex_ = -1;
  std::vector<MenuItemSpec> menu_;
};

class FakePlatform final : public Platform,
                           private Input,
                           private Timers,
                           private EventLoop,
                           private Dialogs,
                           private Locale,
                           private Windows,
                           private Hotkeys,
                           private Keyboard,
                           private Process {
 public:
  FakePlatform();
  ~FakePlatform() override;

  Input& input() override { return *this; }
  Timers& timers() override { return *this; }
  EventLoop& loop() override { return *this; }
  Dialogs& dialogs() override { return *this; }
  Locale& locale() override { return *this; }
  Windows& windows() override { return *this; }
  Hotkeys& hotkeys() override { return *this; }
  Keyboard& keyboard() override { return *this; }
  Process& process() override { return *this; }

  // ---- virtual clock
  [[nodiscard]] std::uint64_t now() const noexcept { return now_; }
  // Moves the clock on, firing due timers and delivering queued events in order.
  void advance(std::uint64_t milliseconds);
  // Delivers what is queued at the current time.
  void runPending();
  // Queues work for the event loop, as a posted message.
  void post(std::function<void()> message);

  // ---- mouse
  struct MouseRecord {
    std::uint32_t flags = 0;
    Point at;
    std::uint64_t time = 0;
  };
  [[nodiscard]] const std::vector<MouseRecord>& mouseEvents() const noexcept { return mouseEvents_; }
  void clearMouseEvents() noexcept { mouseEvents_.clear(); }
  [[nodiscard]] Point cursor() const noexcept { return cursor_; }
  void moveCursor(Point to) noexcept { cursor_ = to; }
  [[nodiscard]] int cursorMoves() const noexcept { return cursorMoves_; }
  [[nodiscard]] int beeps() const noexcept { return beeps_; }

  // ---- message boxes
  struct BoxRecord {
    std::string text;
    std::string caption;
    std::uint32_t flags = 0;
    std::uint64_t time = 0;
  };
  [[nodiscard]] const std::vector<BoxRecord>& messageBoxes() const noexcept { return boxes_; }
  void clearMessageBoxes() noexcept { boxes_.clear(); }

  // ---- timers
  [[nodiscard]] bool highResolution() const noexcept { return highResolutionDepth_ > 0; }
  [[nodiscard]] int highResolutionCalls() const noexcept { return highResolutionCalls_; }
  void refuseTimers(bool refuse) noexcept { refuseTimers_ = refuse; }
  [[nodiscard]] int runningTimers() const noexcept;
  [[nodiscard]] int timerStarts() const noexcept { return timerStarts_; }

  // ---- locale
  void setDecimalSeparator(char separator) noexcept { decimalSeparator_ = separator; }

  // ---- hotkeys
  struct Registration {
    const void* receiver = nullptr;  // null: another program
    std::uint16_t id = 0;
    std::uint32_t modifiers = 0;
    std::uint32_t key = 0;
  };
  [[nodiscard]] std::vector<Registration> registrations() const;
  [[nodiscard]] int registerCalls() const noexcept { return registerCalls_; }
  [[nodiscard]] int unregisterCalls() const noexcept { return unregisterCalls_; }
  // Another program on the desktop takes a combination.
  bool holdExternally(std::uint32_t modifiers, std::uint32_t key);
  // The user presses a combination; delivered at the next runPending.
  // False when nobody holds it (the focused program would get the keys).
  bool pressHotKey(std::uint32_t modifiers, std::uint32_t key);
  [[nodiscard]] std::size_t atomCount() const noexcept { return atoms_.size(); }

  // ---- processes and windows
  void setModuleFileName(std::string path) { moduleFileName_ = std::move(path); }
  void failMutexCreation(bool fail) noexcept { failMutex_ = fail; }
  [[nodiscard]] bool mutexExists(const std::string& name) const { return mutexes_.count(name) != 0; }
  [[nodiscard]] std::vector<FakePeer*> topLevelWindows() const;
  [[nodiscard]] FakePeer* findTopLevel(const std::string& className, const std::string& text) const;
  [[nodiscard]] FakePeer* focusedPeer() const noexcept { return focused_; }
  [[nodiscard]] FakePeer* activeForm() const noexcept { return activeForm_; }

 private:
  friend class FakePeer;
  class FakeTimer;
  class FakeReceiver;
  class FakeMutexHandle;

  // Input
  void MouseEvent(std::uint32_t flags) override;
  Point GetCursorPos() override { return cursor_; }
  void SetCursorPos(std::int32_t x, std::int32_t y) override;
  void MessageBeep(std::uint32_t type) override;
  // Timers
  std::unique_ptr<TimerHandle> CreateTimer(TimerSink& sink) override;
  void SetHighResolution(bool on) override;
  std::uint64_t Now() override { return now_; }
  // EventLoop
  void Run() override { runPending(); }
  void Quit() override { quitRequested_ = true; }
  void ProcessPending() override { runPending(); }
  // Dialogs
  int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;
  // Locale
  char DecimalSeparator() override { return decimalSeparator_; }
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override;
  // Windows
  std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) override;
  Size FormFrameSize(bool withMenu) override;
  int ScrollBarWidth() override { return 16; }
  Size MeasureText(const std::string& text, const FontSpec& font) override;
  // Hotkeys
  std::unique_ptr<HotkeyReceiver> CreateReceiver(HotkeySink& sink) override;
  std::uint16_t AddGlobalAtom(const std::string& text) override;
  void DeleteGlobalAtom(std::uint16_t atom) override;
  // Keyboard
  std::uint32_t ScanCodeOf(std::uint32_t virtualKey) override;
  std::string KeyNameText(std::int32_t lParam) override;
  // Process
  std::string ModuleFileName() override { return moduleFileName_; }
  MutexResult CreateNamedMutex(const std::string& name) override;
  WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) override;
  bool IsIconic(WindowRef window) override;
  void ShowWindowRestore(WindowRef window) override;
  void BringWindowToTop(WindowRef window) override;

  void peerDestroyed(FakePeer* peer) noexcept;
  void focus(FakePeer* peer);
  void activate(FakePeer* form);
  [[nodiscard]] FakePeer* liveWindow(WindowRef window) const;

  std::uint64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  std::deque<std::function<void()>> queue_;
  bool quitRequested_ = false;

  Point cursor_{};
  int cursorMoves_ = 0;
  std::vector<MouseRecord> mouseEvents_;
  int beeps_ = 0;
  std::vector<BoxRecord> boxes_;

  std::set<FakeTimer*> timers_;
  bool refuseTimers_ = false;
  int highResolutionDepth_ = 0;
  int highResolutionCalls_ = 0;
  int timerStarts_ = 0;

  char decimalSeparator_ = '.';

  std::set<FakeReceiver*> receivers_;
  std::vector<Registration> registrations_;
  std::map<std::string, std::pair<std::uint16_t, int>> atoms_;  // text -> atom, references
  std::uint16_t nextAtom_ = 0xC000;
  int registerCalls_ = 0;
  int unregisterCalls_ = 0;

  std::string moduleFileName_ = "C:\\Program Files\\Tapfinch\\tapfinch.exe";
  bool failMutex_ = false;
  std::map<std::string, int> mutexes_;

  std::vector<FakePeer*> peers_;
  FakePeer* focused_ = nullptr;
  FakePeer* activeForm_ = nullptr;
  std::uint64_t zCounter_ = 0;
};

}  // namespace platform::fake
