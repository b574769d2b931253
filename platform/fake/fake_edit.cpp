#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

namespace {
constexpr char kCtrlA = 1;
constexpr char kCtrlC = 3;
constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;
constexpr char kBackspace = 8;
constexpr std::uint16_t kVkEnd = 0x23;
constexpr std::uint16_t kVkHome = 0x24;
}  // namespace

FakeEdit::FakeEdit(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : FakeWindow(desktop, params, events), style_(params.edit), readOnly_(params.edit.readOnly) {}

std::uint32_t FakeEdit::nativeDialogCode() const noexcept {
  std::uint32_t code = kDlgWantChars | kDlgHasSetSel | kDlgWantArrows;
  if (style_.multiLine) code |= kDlgWantMessage;
  return code;
}

void FakeEdit::SetText(const std::string& text) {
  FakeWindow::SetText(text);
  anchor_ = caret_ = 0;
  // WM_SETTEXT reports a change like any other.
  desktop_.deliver([&] { events_.PeerTextEdited(text_); });
}

void FakeEdit::SetSelection(int start, int end) {
  const std::size_t size = text_.size();
  auto clamp = [size](int at) { return at < 0 ? size : std::min(static_cast<std::size_t>(at), size); };
  anchor_ = clamp(start);
  caret_ = clamp(end);
}

std::pair<int, int> FakeEdit::Selection() { return {static_cast<int>(low()), static_cast<int>(high())}; }

std::string FakeEdit::selectedText() const { return text_.substr(low(), high() - low()); }

void FakeEdit::replaceSelection(const std::string& with) {
  const std::size_t at = low();
  text_ = text_.substr(0, at) + with + text_.substr(high());
  anchor_ = caret_ = at + with.size();
  desktop_.deliver([&] { events_.PeerTextEdited(text_); });
}

void FakeEdit::moveCaret(std::size_t to, bool extend) noexcept {
  caret_ = std::min(to, text_.size());
  if (!extend) anchor_ = caret_;
}

void FakeEdit::copy() {
  if (high() > low()) desktop_.clipboard().setText(selectedText());
}

void FakeEdit::cut() {
  if (readOnly_) return;
  copy();
  if (high() > low()) replaceSelection("");
}

void FakeEdit::paste() {
  if (readOnly_) return;
  std::string text = desktop_.clipboard().text();
  // A one-line edit takes the first line only.
  if (!style_.multiLine) text = text.substr(0, text.find_first_of("\r\n"));
  replaceSelection(text);
}

void FakeEdit::clear(bool forward) {
  if (readOnly_) return;
  if (high() == low()) {
    if (forward ? caret_ >= text_.size() : caret_ == 0) return;
    anchor_ = forward ? caret_ + 1 : caret_ - 1;
  }
  replaceSelection("");
}

void FakeEdit::nativeKeyDown(std::uint16_t key, ShiftBits shift) {
  const bool withShift = (shift & kShift) != 0;
  const bool withCtrl = (shift & kCtrl) != 0;
  switch (key) {
    case kVkDelete:
      // Shift+Del cuts, Del clears, both without any message of their own.
      if (withShift && withCtrl) break;
      if (withShift) {
        if (high() == low() && caret_ < text_.size()) anchor_ = caret_ + 1;
        cut();
      } else {
        clear(true);
      }
      break;
    case kVkInsert:
      if (withShift) {
        paste();
      } else if (withCtrl) {
        copy();
      }
      break;
    case kVkLeft:
      moveCaret(caret_ > 0 ? caret_ - 1 : 0, withShift);
      break;
    case kVkRight:
      moveCaret(caret_ + 1, withShift);
      break;
    case kVkHome:
      moveCaret(0, withShift);
      break;
    case kVkEnd:
      moveCaret(text_.size(), withShift);
      break;
    default:
      break;
  }
}

void FakeEdit::nativeCharacter(char ch, ShiftBits /*shift*/) {
  switch (ch) {
    case kBackspace:
      clear(false);
      return;
    case kCtrlA:
      anchor_ = 0;
      caret_ = text_.size();
      return;
    case kCtrlC:
      copy();
      return;
    case kCtrlV:
      paste();
      return;
    case kCtrlX:
      cut();
      return;
    case '\r':
      if (style_.multiLine && !readOnly_) replaceSelection("\r\n");
      return;
    default:
      break;
  }
  if (static_cast<unsigned char>(ch) < 32 || readOnly_) return;
  replaceSelection(std::string(1, ch));
}

void FakeEdit::contextCommand(EditCommand command) {
  // A read-only edit greys Cut, Paste and Delete.
  switch (command) {
    case EditCommand::kCut:
      cut();
      break;
    case EditCommand::kCopy:
      copy();
      break;
    case EditCommand::kPaste:
      paste();
      break;
    case EditCommand::kDelete:
      if (!readOnly_ && high() > low()) replaceSelection("");
      break;
    case EditCommand::kSelectAll:
      anchor_ = 0;
      caret_ = text_.size();
      break;
  }
}

void FakeEdit::mouseDown(MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft && enabled()) {
    // The caret goes where the click is, then the edit takes the focus.
    moveCaret(static_cast<std::size_t>(std::max(0, x) + kCellWidth / 2) / kCellWidth, (shift & kShift) != 0);
    desktop_.focus(this);
  }
  FakeWindow::mouseDown(button, x, y, shift);
}

}  // namespace platform::fake
