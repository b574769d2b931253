#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeWindow::FakeWindow(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : desktop_(desktop),
      events_(events),
      text_(params.text),
      className_(params.className),
      parent_(static_cast<FakeWindow*>(params.parent)),
      bounds_(params.bounds),
      visible_(params.visible),
      enabled_(params.enabled),
      tabStop_(params.tabStop),
      color_(params.color),
      font_(params.font),
      cursor_(params.cursor) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
  desktop_.added(this);
}

FakeWindow::~FakeWindow() {
  for (FakeWindow* child : children_) child->parent_ = nullptr;
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  desktop_.removed(this);
}

void FakeWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  // A disabled window cannot keep the focus.
  if (!enabled && desktop_.focused() == this) desktop_.focus(nullptr);
}

void FakeWindow::SetFocus() { desktop_.focus(this); }

FakeWindow& FakeWindow::root() noexcept {
  FakeWindow* window = this;
  while (window->parent_ != nullptr) window = window->parent_;
  return *window;
}

std::uint32_t FakeWindow::dialogCode(std::uint16_t key) {
  const ClaimedKeys claimed = events_.PeerClaimedKeys(key);
  return nativeDialogCode() | (claimed.thisKey ? kDlgWantMessage : 0u) | (claimed.asButton ? kDlgButton : 0u);
}

void FakeWindow::keyDown(std::uint16_t key, ShiftBits shift) {
  events_.PeerKeyDown(key, shift);
  if (key != 0) nativeKeyDown(key, shift);
}

void FakeWindow::keyUp(std::uint16_t key, ShiftBits shift) {
  events_.PeerKeyUp(key, shift);
  if (key != 0) nativeKeyUp(key, shift);
}

void FakeWindow::character(char ch, ShiftBits shift) {
  events_.PeerKeyPress(ch);
  if (ch != 0) nativeCharacter(ch, shift);
}

void FakeWindow::mouseDown(MouseButton button, int x, int y, ShiftBits shift) {
  events_.PeerMouseDown(button, x, y, shift);
}

void FakeWindow::mouseUp(MouseButton button, int x, int y, ShiftBits shift) {
  events_.PeerMouseUp(button, x, y, shift);
}

void FakeWindow::accelerate() { desktop_.click(*this, 0, 0); }  // a press and release on the button

void FakeCustom::accelerate() {
  desktop_.deliver([&] { events_.PeerClicked(); });
}

void FakeWindow::focusChanged(bool focused) {
  nativeFocus(focused);
  events_.PeerFocusChanged(focused);
}

}  // namespace platform::fake
