// Hotkeys held for every program on the fake desktop. A combination held
// twice is refused; a press is delivered to its holder through the event
// loop, as WM_HOTKEY would be. Global atoms are counted by reference.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/hotkeys.h"
#include "platform/mouse_hook.h"

namespace platform::fake {

class FakeClock;

class FakeHotkeys final : public Hotkeys {
 public:
  explicit FakeHotkeys(FakeClock& clock) : clock_(clock) {}
  ~FakeHotkeys() override;
  FakeHotkeys(const FakeHotkeys&) = delete;
  FakeHotkeys& operator=(const FakeHotkeys&) = delete;

  struct Registration {
    const void* receiver = nullptr;  // null: another program
    std::uint16_t id = 0;
    std::uint32_t modifiers = 0;
    std::uint32_t key = 0;
  };
  [[nodiscard]] const std::vector<Registration>& registrations() const noexcept { return registrations_; }
  [[nodiscard]] int registerCalls() const noexcept { return registerCalls_; }
  [[nodiscard]] int unregisterCalls() const noexcept { return unregisterCalls_; }
  // Another program on the desktop takes a combination.
  bool holdExternally(std::uint32_t modifiers, std::uint32_t key);
  // The user presses a combination; delivered at the next runPending.
  // False when nobody holds it (the focused program would get the keys).
  // A repeat is the keyboard's auto-repeat while it is held down: not
  // delivered to a registration made with kModNoRepeat, but still taken.
  bool press(std::uint32_t modifiers, std::uint32_t key, bool repeat = false);
  // Another program lets go of a combination it held.
  void releaseExternally(std::uint32_t modifiers, std::uint32_t key);
  [[nodiscard]] std::size_t atomCount() const noexcept { return atoms_.size(); }
  // ---- the low-level mouse hook that holds the mouse-button hotkeys
  [[nodiscard]] bool mouseHookInstalled() const noexcept { return hookInstalled_; }
  [[nodiscard]] int mouseHookInstalls() const noexcept { return hookInstalls_; }
  [[nodiscard]] const std::vector<MouseHotkeyTable::Entry>& mouseRegistrations() const noexcept {
    return mouseTable_.Entries();
  }
  // A middle (4) or side (5, 6) button goes down or up with the modifiers
  // held; a press acted on is delivered at the next runPending. True when
  // the hook swallowed the event (no program sees it).
  bool mouseButton(std::uint32_t key, bool down, std::uint32_t modifiers = 0, bool injected = false);
  // The system removes the hook without a word (it answered too slowly);
  // the Windows platform finds out at its next check, and says so then.
  void loseMouseHook();
  // SetWindowsHookEx fails while set.
  void refuseMouseHook(bool refuse) noexcept { refuseHook_ = refuse; }

  // No receiver window at all: CreateReceiver answers null.
  void refuseReceivers(bool refuse) noexcept { refuseReceivers_ = refuse; }

  std::unique_ptr<HotkeyReceiver> CreateReceiver(HotkeySink& sink) override;
  std::unique_ptr<GlobalAtom> AddGlobalAtom(const std::string& text) override;

 private:
  class FakeReceiver;
  class FakeAtom;
  [[nodiscard]] bool held(std::uint32_t modifiers, std::uint32_t key) const;
  void deleteAtom(std::uint16_t atom) noexcept;
  bool hookButton(const void* receiver, std::uint16_t id, std::uint32_t modifiers, std::uint32_t key);
  void uninstallIfUnused() noexcept;
  // Calls the receiver's sink through the event loop, if it still lives.
  void deliver(const void* receiver, void (HotkeySink::*what)());

  FakeClock& clock_;
  std::set<FakeReceiver*> receivers_;
  std::vector<Registration> registrations_;
  std::map<std::string, std::pair<std::uint16_t, int>> atoms_;  // text -> atom, references
  std::uint16_t nextAtom_ = 0xC000;
  int registerCalls_ = 0;
  int unregisterCalls_ = 0;
  bool refuseReceivers_ = false;
  MouseHotkeyTable mouseTable_;
  bool hookInstalled_ = false;
  bool refuseHook_ = false;
  int hookInstalls_ = 0;
};

}  // namespace platform::fake
