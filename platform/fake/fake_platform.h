// An in-memory, deterministic stand-in for Windows: one simulated desktop,
// composed of one fake per concern (clock and loop, mouse, windows with the
// dialog manager and native edit, message boxes, locale, hotkeys, key
// names, processes, clipboard). Several copies of the program may share it.
// The forwarding members below are what most tests need; the concerns
// themselves are reachable for the rest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hotkeys.h"
#include "platform/fake/fake_process.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_tray.h"
#include "platform/fake/fake_windows.h"
#include "platform/platform.h"

namespace platform::fake {

class FakePlatform final : public Platform {
 public:
  FakePlatform();
  ~FakePlatform() override;
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  Input& input() override { return mouse_; }
  Timers& timers() override { return clock_; }
  EventLoop& loop() override { return clock_; }
  Dialogs& dialogs() override { return dialogs_; }
  Locale& locale() override { return locale_; }
  Windows& windows() override { return desktop_; }
  Hotkeys& hotkeys() override { return hotkeys_; }
  Keyboard& keyboard() override { return layout_; }
  Process& process() override { return process_; }
  Registry& registry() override { return registry_; }
  Files& files() override { return files_; }
  Tray& tray() override { return tray_; }

  // ---- the concerns
  [[nodiscard]] FakeClock& clock() noexcept { return clock_; }
  [[nodiscard]] FakeMouse& mouse() noexcept { return mouse_; }
  [[nodiscard]] FakeDesktop& desktop() noexcept { return desktop_; }
  [[nodiscard]] FakeDialogs& boxes() noexcept { return dialogs_; }
  [[nodiscard]] FakeHotkeys& hotkeyTable() noexcept { return hotkeys_; }
  [[nodiscard]] FakeProcess& processes() noexcept { return process_; }
  [[nodiscard]] FakeClipboard& clipboard() noexcept { return clipboard_; }
  [[nodiscard]] FakeRegistry& registryStore() noexcept { return registry_; }
  [[nodiscard]] FakeTray& notificationArea() noexcept { return tray_; }

  // ---- virtual clock
  [[nodiscard]] std::uint64_t now() const noexcept { return clock_.now(); }
  void advance(std::uint64_t milliseconds) { clock_.advance(milliseconds); }
  void runPending() { clock_.runPending(); }
  void post(std::function<void()> message) { clock_.post(std::move(message)); }

  // ---- mouse
  using MouseRecord = FakeMouse::Record;
  [[nodiscard]] const std::vector<MouseRecord>& mouseEvents() const noexcept { return mouse_.events(); }
  void clearMouseEvents() noexcept { mouse_.clearEvents(); }
  [[nodiscard]] Point cursor() const noexcept { return mouse_.cursor(); }
  void moveCursor(Point to) noexcept { mouse_.moveCursor(to); }
  [[nodiscard]] int cursorMoves() const noexcept { return mouse_.cursorMoves(); }
  [[nodiscard]] int beeps() const noexcept { return mouse_.beeps(); }

  // ---- message boxes
  using BoxRecord = FakeDialogs::Record;
  [[nodiscard]] const std::vector<BoxRecord>& messageBoxes() const noexcept { return dialogs_.boxes(); }
  void clearMessageBoxes() noexcept { dialogs_.clear(); }

  // ---- timers
  [[nodiscard]] bool highResolution() const noexcept { return clock_.highResolution(); }
  [[nodiscard]] int highResolutionCalls() const noexcept { return clock_.highResolutionCalls(); }
  void refuseTimers(bool refuse) noexcept { clock_.refuseTimers(refuse); }
  [[nodiscard]] int runningTimers() const noexcept { return clock_.runningTimers(); }
  [[nodiscard]] int timerStarts() const noexcept { return clock_.timerStarts(); }

  // ---- locale
  void setDecimalSeparator(char separator) noexcept { locale_.setDecimalSeparator(separator); }

  // ---- hotkeys
  using Registration = FakeHotkeys::Registration;
  [[nodiscard]] std::vector<Registration> registrations() const { return hotkeys_.registrations(); }
  [[nodiscard]] int registerCalls() const noexcept { return hotkeys_.registerCalls(); }
  [[nodiscard]] int unregisterCalls() const noexcept { return hotkeys_.unregisterCalls(); }
  bool holdExternally(std::uint32_t modifiers, std::uint32_t key) { return hotkeys_.holdExternally(modifiers, key); }
  bool pressHotKey(std::uint32_t modifiers, std::uint32_t key, bool repeat = false) {
    return hotkeys_.press(modifiers, key, repeat);
  }
  void releaseExternally(std::uint32_t modifiers, std::uint32_t key) { hotkeys_.releaseExternally(modifiers, key); }
  [[nodiscard]] std::size_t atomCount() const noexcept { return hotkeys_.atomCount(); }

  // ---- processes and windows
  void setModuleFileName(std::string path) { process_.setModuleFileName(std::move(path)); }
  void failMutexCreation(bool fail) noexcept { process_.failMutexCreation(fail); }
  [[nodiscard]] bool mutexExists(const std::string& name) const { return process_.mutexExists(name); }
  [[nodiscard]] std::vector<FakeTopLevel*> topLevelWindows() const { return desktop_.topLevelWindows(); }
  [[nodiscard]] FakeTopLevel* findTopLevel(const std::string& className, const std::string& text) const {
    return desktop_.findTopLevel(className, text);
  }
  [[nodiscard]] FakeWindow* focusedPeer() const noexcept { return desktop_.focused(); }
  [[nodiscard]] FakeTopLevel* activeForm() const noexcept { return desktop_.activeForm(); }

 private:
  FakeClock clock_;
  FakeMouse mouse_{clock_};
  FakeClipboard clipboard_;
  FakeDesktop desktop_{clock_, mouse_, clipboard_};
  FakeDialogs dialogs_{clock_};
  FakeLocale locale_;
  FakeHotkeys hotkeys_{clock_};
  FakeKeyboardLayout layout_;
  FakeProcess process_{clock_, desktop_};
  FakeRegistry registry_;
  FakeFiles files_;
  FakeTray tray_{clock_};
};

}  // namespace platform::fake
