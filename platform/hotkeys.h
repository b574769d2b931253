// System-wide hotkeys and the names of keys.
// A hotkey component registers through its own hidden receiver window and
// an identifier unique to it; the fake holds the registrations of all
// "processes" on one simulated desktop and refuses a combination held twice.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum HotkeyModifier : std::uint32_t {
  kModAlt = 0x0001,
  kModControl = 0x0002,
  kModShift = 0x0004,
  // A combination held down notifies once, not at every auto-repeat.
  // Systems without it get the same from the receiver's own guard.
  kModNoRepeat = 0x4000,
};

class HotkeySink {
 public:
  virtual void HotkeyPressed() = 0;  // a WM_HOTKEY reached the receiver
  // The mouse hook that held this receiver's button was lost (the system
  // removed it); the registration is gone and may be made again.
  virtual void HotkeyLost() = 0;

 protected:
  ~HotkeySink() = default;
};

class HotkeyReceiver {
 public:
  virtual ~HotkeyReceiver() = default;  // destroys the hidden window
  // RegisterHotKey(window, id, modifiers, key): rebinds what this receiver
  // and identifier held before. False when the system refuses. The mouse
  // buttons (platform/mouse_hook.h) are held through the low-level mouse
  // hook instead: false when the system refuses the hook.
  virtual bool Register(std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) = 0;
  virtual void Unregister(std::uint16_t id) = 0;
};

// A global atom, deleted (GlobalDeleteAtom) with its owner.
class GlobalAtom {
 public:
  virtual ~GlobalAtom() = default;
  [[nodiscard]] virtual std::uint16_t Value() const noexcept = 0;  // 0 when the system refused it
};

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // Null when the system refuses the receiver's window.
  virtual std::unique_ptr<HotkeyReceiver> CreateReceiver(HotkeySink& sink) = 0;
  virtual std::unique_ptr<GlobalAtom> AddGlobalAtom(const std::string& text) = 0;  // GlobalAddAtomA
};

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual std::uint32_t ScanCodeOf(std::uint32_t virtualKey) = 0;  // MapVirtualKeyA(vk, 0)
  // The layout's name of the key with this scan code.
  virtual std::string KeyName(std::uint32_t scanCode) = 0;
};

}  // namespace platform
