#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

void FakeTabs::SetTab(int index, const std::string& caption) {
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (at >= tabs_.size()) tabs_.resize(at + 1);
  tabs_[at] = caption;
}

void FakeTabs::nativeKeyDown(std::uint16_t key, ShiftBits /*shift*/) {
  if (key != kVkLeft && key != kVkRight) return;
  const int next = tabIndex_ + (key == kVkRight ? 1 : -1);
  if (tabIndex_ < 0 || next < 0 || next >= static_cast<int>(tabs_.size())) return;
  tabIndex_ = next;
  desktop_.deliver([&] { events_.PeerTabSelected(next); });
}

}  // namespace platform::fake
