#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

void FakeComboBox::SetItemIndex(int index) {
  index_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
  text_ = index_ >= 0 ? items_[static_cast<std::size_t>(index_)] : std::string();
}

void FakeComboBox::pick(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  stepped_ = false;
  index_ = index;
  text_ = items_[static_cast<std::size_t>(index)];
  desktop_.deliver([&] { events_.PeerComboChanged(index_, text_); });
}

void FakeComboBox::type(const std::string& text) {
  for (char c : text) {
    text_ += c;
    // As Wine's combo box does, the first edit after a step still reports
    // the entry stepped to; later ones report none.
    if (!stepped_) index_ = -1;
    stepped_ = false;
    desktop_.deliver([&] { events_.PeerComboChanged(index_, text_); });
  }
}

void FakeComboBox::nativeKeyDown(std::uint16_t key, ShiftBits /*shift*/) {
  constexpr std::uint16_t kVkUp = 0x26;
  constexpr std::uint16_t kVkDown = 0x28;
  if ((key != kVkUp && key != kVkDown) || items_.empty()) return;
  const int last = static_cast<int>(items_.size()) - 1;
  const int next = index_ < 0 ? 0 : key == kVkDown ? std::min(index_ + 1, last) : std::max(index_ - 1, 0);
  if (next == index_) return;
  pick(next);
  stepped_ = true;
}

void FakeComboBox::retype(const std::string& text) {
  text_.clear();
  if (!stepped_) index_ = -1;
  if (!text.empty()) {
    type(text);  // the first character replaces the selected text
    return;
  }
  // Select all and Delete: one change to the empty text.
  desktop_.deliver([&] { events_.PeerComboChanged(index_, text_); });
}

}  // namespace platform::fake
