#include "platform/fake/fake_hotkeys.h"

#include <algorithm>

#include "platform/fake/fake_clock.h"

namespace platform::fake {

namespace {
constexpr std::uint32_t kModifierMask = kModAlt | kModControl | kModShift | 0x0008u;
}  // namespace

class FakeHotkeys::FakeReceiver final : public HotkeyReceiver {
 public:
  FakeReceiver(FakeHotkeys& hotkeys, HotkeySink& sink) : hotkeys_(hotkeys), sink_(sink) {
    hotkeys_.receivers_.insert(this);
  }
  ~FakeReceiver() override {
    // A destroyed window loses its hotkeys.
    auto& list = hotkeys_.registrations_;
    list.erase(std::remove_if(list.begin(), list.end(), [this](const Registration& r) { return r.receiver == this; }),
               list.end());
    hotkeys_.mouseTable_.RemoveAll(this);
    hotkeys_.uninstallIfUnused();
    hotkeys_.receivers_.erase(this);
  }
  FakeReceiver(const FakeReceiver&) = delete;
  FakeReceiver& operator=(const FakeReceiver&) = delete;

  bool Register(std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) override {
    ++hotkeys_.registerCalls_;
    // Registering again under the same identifier replaces; a button is
    // replaced in the hook's table, which keeps the hook meanwhile.
    DropKey(id);
    if (IsMouseButtonKey(key)) return hotkeys_.hookButton(this, id, modifiers, key);
    DropButton(id);
    if (hotkeys_.held(modifiers, key)) return false;
    hotkeys_.registrations_.push_back({this, id, modifiers, key});
    return true;
  }

  void Unregister(std::uint16_t id) override {
    ++hotkeys_.unregisterCalls_;
    Drop(id);
  }

  void Drop(std::uint16_t id) {
    DropKey(id);
    DropButton(id);
  }
  void DropKey(std::uint16_t id) {
    auto& list = hotkeys_.registrations_;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Registration& r) { return r.receiver == this && r.id == id; }),
               list.end());
  }
  void DropButton(std::uint16_t id) {
    hotkeys_.mouseTable_.Remove(this, id);
    hotkeys_.uninstallIfUnused();
  }

  FakeHotkeys& hotkeys_;
  HotkeySink& sink_;
};

class FakeHotkeys::FakeAtom final : public GlobalAtom {
 public:
  FakeAtom(FakeHotkeys& hotkeys, std::uint16_t value) : hotkeys_(hotkeys), value_(value) {}
  ~FakeAtom() override { hotkeys_.deleteAtom(value_); }
  FakeAtom(const FakeAtom&) = delete;
  FakeAtom& operator=(const FakeAtom&) = delete;
  [[nodiscard]] std::uint16_t Value() const noexcept override { return value_; }

 private:
  FakeHotkeys& hotkeys_;
  std::uint16_t value_;
};

FakeHotkeys::~FakeHotkeys() = default;

bool FakeHotkeys::held(std::uint32_t modifiers, std::uint32_t key) const {
  return std::any_of(registrations_.begin(), registrations_.end(), [&](const Registration& r) {
    return r.key == key && (r.modifiers & kModifierMask) == (modifiers & kModifierMask);
  });
}

bool FakeHotkeys::holdExternally(std::uint32_t modifiers, std::uint32_t key) {
  if (held(modifiers, key)) return false;
  registrations_.push_back({nullptr, 0, modifiers, key});
  return true;
}

void FakeHotkeys::releaseExternally(std::uint32_t modifiers, std::uint32_t key) {
  registrations_.erase(std::remove_if(registrations_.begin(), registrations_.end(),
                                      [&](const Registration& r) {
                                        return r.receiver == nullptr && r.key == key &&
                                               (r.modifiers & kModifierMask) == (modifiers & kModifierMask);
                                      }),
                       registrations_.end());
}

bool FakeHotkeys::press(std::uint32_t modifiers, std::uint32_t key, bool repeat) {
  for (const Registration& r : registrations_) {
    if (r.key != key || (r.modifiers & kModifierMask) != (modifiers & kModifierMask)) continue;
    if (r.receiver == nullptr) return true;
    if (repeat && (r.modifiers & kModNoRepeat) != 0) return true;
    deliver(r.receiver, &HotkeySink::HotkeyPressed);
    return true;
  }
  return false;
}

bool FakeHotkeys::hookButton(const void* receiver, std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) {
  if (!hookInstalled_) {
    if (refuseHook_) return false;
    hookInstalled_ = true;
    ++hookInstalls_;
  }
  mouseTable_.Add(receiver, id, modifiers, key);
  return true;
}

void FakeHotkeys::uninstallIfUnused() noexcept {
  if (mouseTable_.Empty()) hookInstalled_ = false;
}

bool FakeHotkeys::mouseButton(std::uint32_t key, bool down, std::uint32_t modifiers, bool injected) {
  if (!hookInstalled_) return false;
  const MouseHotkeyTable::Verdict verdict = mouseTable_.Decide({key, down, injected, modifiers});
  if (verdict.notify != nullptr) deliver(verdict.notify->receiver, &HotkeySink::HotkeyPressed);
  return verdict.swallow;
}

void FakeHotkeys::loseMouseHook() {
  if (!hookInstalled_) return;
  hookInstalled_ = false;
  std::vector<const void*> held;
  for (const auto& entry : mouseTable_.Entries()) held.push_back(entry.receiver);
  mouseTable_.Clear();
  for (const void* receiver : held) deliver(receiver, &HotkeySink::HotkeyLost);
}

void FakeHotkeys::deliver(const void* receiver, void (HotkeySink::*what)()) {
  clock_.post([this, receiver, what] {
    for (FakeReceiver* live : receivers_) {
      if (live == receiver) {
        (live->sink_.*what)();
        return;
      }
    }
  });
}

std::unique_ptr<HotkeyReceiver> FakeHotkeys::CreateReceiver(HotkeySink& sink) {
  if (refuseReceivers_) return nullptr;
  return std::make_unique<FakeReceiver>(*this, sink);
}

std::unique_ptr<GlobalAtom> FakeHotkeys::AddGlobalAtom(const std::string& text) {
  auto [it, inserted] = atoms_.try_emplace(text, std::make_pair(std::uint16_t{0}, 0));
  if (inserted) it->second.first = nextAtom_++;
  ++it->second.second;
  return std::make_unique<FakeAtom>(*this, it->second.first);
}

void FakeHotkeys::deleteAtom(std::uint16_t atom) noexcept {
  for (auto it = atoms_.begin(); it != atoms_.end(); ++it) {
    if (it->second.first == atom) {
      if (--it->second.second == 0) atoms_.erase(it);
      return;
    }
  }
}

}  // namespace platform::fake
