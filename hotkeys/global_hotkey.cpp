#include "hotkeys/global_hotkey.h"

#include <string>

#include "framework/exceptions.h"

namespace {
// Any text unique to the component names its identifier; its address is,
// for as long as it lives.
std::string IdentifierSource(const void* component) {
  return "TLMDGlobalHotKey" + std::to_string(reinterpret_cast<std::uintptr_t>(component));
}
}  // namespace

TLMDGlobalHotKey::TLMDGlobalHotKey(TComponent* owner)
    : TComponent(owner),
      atom_(Platform().hotkeys().AddGlobalAtom(IdentifierSource(this))),
      identifier_(atom_->Value()),  // 0 when refused: not checked, by design
      window_(Platform().hotkeys().CreateReceiver(*this)) {
  if (!window_) throw EOutOfResources(messages::kCreateWindow);
}

TLMDGlobalHotKey::~TLMDGlobalHotKey() {
  if (hotKey_ != 0) SetHotKey(0);  // unregisters while active
  window_.reset();
}

void TLMDGlobalHotKey::Register(TShortCut code) {
  const SplitCode split = SplitShortcut(code);
  // A combination someone else holds is not bound; the owner says so.
  registered_ = window_->Register(identifier_, HotkeyModifiers(split.shift) | platform::kModNoRepeat, split.key);
}

bool TLMDGlobalHotKey::Retry() {
  if (Refused()) Register(hotKey_);
  return !Refused();
}

void TLMDGlobalHotKey::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (hotKey_ == 0) return;
  if (active_) {
    Register(hotKey_);
  } else {
    window_->Unregister(identifier_);
    registered_ = false;
  }
}

void TLMDGlobalHotKey::SetHotKey(TShortCut code) {
  if (code == hotKey_) return;
  if (active_) {
    if (code != 0) {
      Register(code);  // rebinds what this identifier held
    } else if (hotKey_ != 0) {
      window_->Unregister(identifier_);
      registered_ = false;
    }
  }
  hotKey_ = code;
}

void TLMDGlobalHotKey::HotkeyPressed() {
  // A press while our own handler waits in a message box would open
  // another box inside it, and so on until the stack runs out.
  if (pressing_) return;
  pressing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pressing_};
  Guard([&] {
    if (!OnKeyDown) return;
    const SplitCode split = SplitShortcut(hotKey_);
    std::uint16_t key = split.key;
    OnKeyDown(this, key, split.shift);
  });
}

void TLMDGlobalHotKey::HotkeyLost() {
  registered_ = false;
  Guard([&] {
    if (OnLost) OnLost(this);
  });
}
