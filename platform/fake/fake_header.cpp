#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

void FakeHeader::dragSection(int index, int width) {
  if (index < 0 || index >= static_cast<int>(sections_.size())) return;
  sections_[static_cast<std::size_t>(index)].width = width;
  desktop_.deliver([&] { events_.PeerSectionResized(index, width); });
}

}  // namespace platform::fake
