// Mouse buttons held as hotkeys. RegisterHotKey takes keys only, so the
// middle button and the two side buttons (virtual keys 4, 5 and 6) are
// held through one low-level mouse hook, installed while at least one of
// them is registered. What the hook decides of each event is here, the
// same for Windows and the fake; both only wire it to their system.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/hotkeys.h"

namespace platform {

inline constexpr std::uint32_t kMiddleButtonKey = 0x04;   // VK_MBUTTON
inline constexpr std::uint32_t kBackButtonKey = 0x05;     // VK_XBUTTON1
inline constexpr std::uint32_t kForwardButtonKey = 0x06;  // VK_XBUTTON2
// A Windows key held: no hotkey of ours, as RegisterHotKey's MOD_WIN.
inline constexpr std::uint32_t kModWin = 0x0008;

[[nodiscard]] constexpr bool IsMouseButtonKey(std::uint32_t key) noexcept {
  return key >= kMiddleButtonKey && key <= kForwardButtonKey;
}

// One button event as the hook sees it.
struct HookedButton {
  std::uint32_t key = 0;  // 4, 5 or 6; any other event is passed on untouched
  bool down = false;
  bool injected = false;        // from mouse_event or SendInput, ours or another program's
  std::uint32_t modifiers = 0;  // kModAlt, kModControl, kModShift, kModWin held at the event
};

class MouseHotkeyTable {
 public:
  struct Entry {
    const void* receiver = nullptr;
    std::uint16_t id = 0;
    std::uint32_t modifiers = 0;  // kModNoRepeat is ignored: buttons do not repeat
    std::uint32_t key = 0;
  };

  // Replaces what the receiver held under the identifier.
  void Add(const void* receiver, std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) {
    Remove(receiver, id);
    entries_.push_back({receiver, id, modifiers & kMatched, key});
  }
  void Remove(const void* receiver, std::uint16_t id) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.receiver == receiver && e.id == id; }),
                   entries_.end());
  }
  void RemoveAll(const void* receiver) {
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.receiver == receiver; }),
        entries_.end());
  }
  [[nodiscard]] bool Empty() const noexcept { return entries_.empty(); }
  [[nodiscard]] const std::vector<Entry>& Entries() const noexcept { return entries_; }
  void Clear() noexcept {
    entries_.clear();
    swallowedDown_ = {};
  }

  struct Verdict {
    const Entry* notify = nullptr;  // the hotkey pressed, or none
    bool swallow = false;           // the event goes to no program
  };
  // A press of a held combination is acted on and swallowed, and so is its
  // release, which would otherwise reach a window that never saw the press.
  // Injected buttons never act: the program's own clicks, or another
  // clicker's, must not start or stop anything.
  Verdict Decide(const HookedButton& event) {
    if (!IsMouseButtonKey(event.key) || event.injected) return {};
    bool& swallowed = swallowedDown_[event.key - kMiddleButtonKey];
    if (!event.down) {
      const bool was = swallowed;
      swallowed = false;
      return {nullptr, was};
    }
    // Each press decides for its own release: a press swallowed before
    // the hotkey went away must not take a later press's release with it.
    swallowed = false;
    for (const Entry& entry : entries_) {
      if (entry.key == event.key && entry.modifiers == (event.modifiers & (kMatched | kModWin))) {
        swallowed = true;
        return {&entry, true};
      }
    }
    return {};
  }

 private:
  static constexpr std::uint32_t kMatched = kModAlt | kModControl | kModShift;
  std::vector<Entry> entries_;
  std::array<bool, 3> swallowedDown_{};
};

// Windows removes a low-level hook that took longer than its time-out, and
// tells nobody. Every button the program injects passes every low-level
// hook, so one injected before the last check that the hook has still not
// seen means the hook is gone. Counted across threads.
class HookWatch {
 public:
  void Sent() noexcept { sent_.fetch_add(1, std::memory_order_relaxed); }
  void Seen() noexcept { seen_.fetch_add(1, std::memory_order_relaxed); }
  // Once a check: whether something sent before the previous check is unseen.
  [[nodiscard]] bool Lost() noexcept {
    const bool lost = seen_.load() < sentAtCheck_;
    sentAtCheck_ = sent_.load();
    return lost;
  }
  // At each install: what went before it was never the new hook's to see.
  void Reset() noexcept {
    sent_ = 0;
    seen_ = 0;
    sentAtCheck_ = 0;
  }

 private:
  std::atomic<std::uint64_t> sent_{0};
  std::atomic<std::uint64_t> seen_{0};
  std::uint64_t sentAtCheck_ = 0;
};

}  // namespace platform
