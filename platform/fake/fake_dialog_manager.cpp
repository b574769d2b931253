#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeWindow* FakeDesktop::keyTarget() const noexcept {
  // With no focused control the keys go to the active window itself.
  return focused_ != nullptr ? focused_ : activeForm_;
}

void FakeDesktop::pressKey(std::uint16_t key, ShiftBits shift, char character) {
  FakeWindow* target = keyTarget();
  if (target == nullptr) return;
  const bool reached = dialogKey(*target, key, shift);
  if (reached) deliver([&] { target->keyDown(key, shift); });
  // The key's character is made before the key-down is handled, so a
  // handler that swallows the key-down does not stop it.
  FakeWindow* now = keyTarget();
  if (reached && character != 0 && now != nullptr && !accelerator(*now, character, shift)) {
    deliver([&] { now->character(character, shift); });
  }
  if (now != nullptr) deliver([&] { now->keyUp(key, shift); });
}

void FakeDesktop::typeText(const std::string& text) {
  // Characters alone, as an input method or a typed string arrives.
  for (char c : text) {
    if (FakeWindow* target = keyTarget()) deliver([&] { target->character(c, 0); });
  }
}

bool FakeDesktop::dialogKey(FakeWindow& target, std::uint16_t key, ShiftBits shift) {
  FakeWindow& form = target.root();
  if (!form.dialogForm()) return true;
  // The message loop offers the form its page keys before the dialog manager.
  if ((shift & kCtrl) != 0 && (key == kVkTab || key == kVkPrior || key == kVkNext)) {
    bool taken = false;
    deliver([&] { taken = form.events().PeerPageKey(key, shift); });
    if (taken) return false;
  }
  FakeWindow* current = &target == &form ? nullptr : &target;
  const std::uint32_t code = target.dialogCode(key);
  if ((code & kDlgWantMessage) != 0) return true;
  switch (key) {
    case kVkTab:
      if ((code & kDlgWantTab) != 0) return true;
      moveTab(form, current, (shift & kShift) != 0);
      return false;
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
      if ((code & kDlgWantArrows) != 0) return true;
      if (current != nullptr) moveInGroup(form, *current, key == kVkLeft || key == kVkUp);
      return false;
    case kVkReturn:
      if (current != nullptr && (code & kDlgDefPushButton) != 0) {
        deliver([&] { current->events().PeerClicked(); });
      } else {
        deliver([&] { form.events().PeerDialogKey(DialogKey::kOk); });
      }
      return false;
    case kVkEscape:
      deliver([&] { form.events().PeerDialogKey(DialogKey::kCancel); });
      return false;
    default:
      return true;
  }
}

namespace {
bool Usable(const FakeWindow& window) noexcept { return window.visible() && window.enabled(); }

// The character after the first single '&' of a caption ("&&" is a literal
// ampersand), upper case; 0 for none.
char AcceleratorOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    ++i;
  }
  return 0;
}

// Every usable window below a parent, in creation order, as the dialog
// manager searches them for an accelerator.
void WalkUsable(FakeWindow& parent, std::vector<FakeWindow*>& all) {
  for (FakeWindow* child : parent.children()) {
    if (!Usable(*child)) continue;
    all.push_back(child);
    WalkUsable(*child, all);
  }
}

// Every window below the form in tab order, descending into visible and
// enabled control parents; tab stops inside them come where they stand.
void Walk(FakeWindow& parent, std::vector<FakeWindow*>& all) {
  for (FakeWindow* child : parent.children()) {
    if (!child->stopAfterChildren()) all.push_back(child);
    if (child->controlParent() && Usable(*child)) Walk(*child, all);
    if (child->stopAfterChildren()) all.push_back(child);
  }
}
}  // namespace

void FakeDesktop::moveTab(FakeWindow& form, FakeWindow* current, bool previous) {
  moveFocus(form, current, previous, true);
}

bool FakeDesktop::accelerator(FakeWindow& target, char character, ShiftBits shift) {
  FakeWindow& form = target.root();
  if (!form.dialogForm()) return false;
  if ((shift & kAlt) == 0 && (target.dialogCode(static_cast<std::uint16_t>(static_cast<unsigned char>(character))) &
                              (kDlgWantChars | kDlgWantMessage)) != 0) {
    return false;
  }
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
  std::vector<FakeWindow*> all;
  WalkUsable(form, all);
  for (FakeWindow* window : all) {
    const std::uint32_t code = window->dialogCode(0);
    if ((code & (kDlgButton | kDlgStatic)) == 0 || AcceleratorOf(window->text()) != wanted) continue;
    if ((code & kDlgStatic) != 0) {
      // A label's accelerator moves the focus to the control after it.
      moveFocus(form, window, false, true);
    } else {
      window->accelerate();
    }
    return true;
  }
  return false;
}

void FakeDesktop::moveFocus(FakeWindow& form, FakeWindow* current, bool previous, bool tabStopsOnly) {
  std::vector<FakeWindow*> all;
  Walk(form, all);
  auto isStop = [&](const FakeWindow* w) {
    if ((w->controlParent() && !w->stopAfterChildren()) || (tabStopsOnly && !w->tabStop()) || !Usable(*w)) {
      return false;
    }
    for (const FakeWindow* p = w->parent(); p != &form; p = p->parent()) {
      if (p == nullptr || !Usable(*p)) return false;
    }
    return true;
  };
  if (std::none_of(all.begin(), all.end(), isStop)) return;
  const auto count = static_cast<std::ptrdiff_t>(all.size());
  std::ptrdiff_t at = previous ? count : -1;
  if (current != nullptr) {
    const auto found = std::find(all.begin(), all.end(), current);
    if (found != all.end()) at = found - all.begin();
  }
  FakeWindow* next = nullptr;
  for (std::ptrdiff_t step = 1; step <= count && next == nullptr; ++step) {
    const std::ptrdiff_t i = ((at + (previous ? -step : step)) % count + count) % count;
    if (isStop(all[static_cast<std::size_t>(i)])) next = all[static_cast<std::size_t>(i)];
  }
  if (next == nullptr || next == current) return;
  // The dialog manager selects the whole text of an edit it moves into.
  if ((next->dialogCode(0) & kDlgHasSetSel) != 0) {
    if (auto* edit = dynamic_cast<EditPeer*>(next)) edit->SetSelection(0, -1);
  }
  focus(next);
}

void FakeDesktop::moveInGroup(FakeWindow& form, FakeWindow& current, bool previous) {
  // No window of the program starts a group, so the group is every
  // visible, enabled window of the form in tab order, labels included,
  // descending into control parents as Tab does; the search wraps.
  moveFocus(form, &current, previous, false);
}

}  // namespace platform::fake
