#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeButton::FakeButton(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events, Style style)
    : FakeWindow(desktop, params, events), style_(style), checked_(params.checked) {}

std::uint32_t FakeButton::nativeDialogCode() const noexcept {
  constexpr std::uint32_t kByStyle[] = {kDlgButton | kDlgUndefPushButton, kDlgButton, kDlgButton | kDlgRadioButton};
  return kByStyle[static_cast<int>(style_)];
}

void FakeButton::clicked() {
  desktop_.deliver([&] { events_.PeerClicked(); });
}

void FakeButton::nativeKeyDown(std::uint16_t key, ShiftBits /*shift*/) {
  if (key == kVkSpace) pushed_ = true;
}

void FakeButton::nativeKeyUp(std::uint16_t key, ShiftBits /*shift*/) {
  if (key != kVkSpace || !pushed_) return;
  pushed_ = false;
  clicked();
}

void FakeButton::nativeFocus(bool focused) {
  // A radio button that gets the focus other than by a click reports a
  // click, so arrows and Tab check it.
  if (focused && style_ == Style::kRadio && !checked_ && !desktop_.mouse().LeftButtonDown()) clicked();
  if (!focused) pushed_ = false;
}

void FakeButton::mouseDown(MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft && enabled()) {
    desktop_.focus(this);
    pushed_ = true;
  }
  FakeWindow::mouseDown(button, x, y, shift);
}

void FakeButton::mouseUp(MouseButton button, int x, int y, ShiftBits shift) {
  const bool click = button == MouseButton::kLeft && pushed_ && inside(x, y);
  if (button == MouseButton::kLeft) pushed_ = false;
  FakeWindow::mouseUp(button, x, y, shift);
  if (click) clicked();
}

}  // namespace platform::fake
