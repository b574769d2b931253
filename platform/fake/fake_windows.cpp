#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

// -------------------------------------------------------------- FakeWindow

FakeWindow::FakeWindow(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : desktop_(desktop),
      events_(events),
      text_(params.text),
      kind_(params.kind),
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

std::uint32_t FakeWindow::dialogCode(std::uint16_t key) { return nativeDialogCode() | events_.PeerDialogCode(key); }

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

void FakeWindow::focusChanged(bool focused) {
  nativeFocus(focused);
  events_.PeerFocusChanged(focused);
}

// ------------------------------------------------------------ FakeTopLevel

FakeTopLevel::FakeTopLevel(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : FakeWindow(desktop, params, events) {}

void FakeTopLevel::Show(ShowMode mode) {
  switch (mode) {
    case ShowMode::kHide:
      SetVisible(false);
      if (desktop_.activeForm() == this) desktop_.activate(nullptr);
      break;
    case ShowMode::kShowCentered:
      shownCentered_ = true;
      [[fallthrough]];
    case ShowMode::kShowNormal:
      SetVisible(true);
      iconic_ = false;
      zOrder_ = desktop_.raise();
      if (kind() == PeerKind::kForm) desktop_.activate(this);
      break;
    case ShowMode::kMinimize:
      iconic_ = true;
      break;
    case ShowMode::kRestore:
      iconic_ = false;
      break;
  }
}

void FakeTopLevel::RunModal(const std::function<bool()>& done) {
  ++modalRuns_;
  desktop_.clock().runPending();
  if (!done()) desktop_.runModalScript(*this);
  // Nobody answered: the user closes it.
  if (!done()) desktop_.deliver([&] { events_.PeerCloseRequested(); });
}

void FakeTopLevel::sessionEnding() {
  desktop_.deliver([&] { events_.PeerSessionEnding(); });
}

void FakeDesktop::endSession() {
  for (FakeTopLevel* window : topLevelWindows()) window->sessionEnding();
}

void FakeTopLevel::externalRestore() {
  iconic_ = false;
  events_.PeerRestored();
}

void FakeTopLevel::externalBringToTop() {
  zOrder_ = desktop_.raise();
  events_.PeerRaised();
}

int FakeTopLevel::Dpi() { return dpi_ != 0 ? dpi_ : desktop_.dpi(); }

void FakeTopLevel::moveToMonitor(int dpi, const Rect& suggested) {
  dpi_ = dpi;
  desktop_.deliver([&] { events_.PeerDpiChanged(dpi, suggested); });
}

// -------------------------------------------------------------- FakeButton

FakeButton::FakeButton(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : FakeWindow(desktop, params, events), checked_(params.checked) {}

std::uint32_t FakeButton::nativeDialogCode() const noexcept {
  switch (kind()) {
    case PeerKind::kRadioButton:
      return kDlgButton | kDlgRadioButton;
    case PeerKind::kCheckBox:
      return kDlgButton;
    default:
      return kDlgButton | kDlgUndefPushButton;
  }
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
  if (focused && kind() == PeerKind::kRadioButton && !checked_ && !desktop_.mouse().LeftButtonDown()) clicked();
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

// ---------------------------------------------------------------- FakeEdit

namespace {
constexpr char kCtrlA = 1;
constexpr char kCtrlC = 3;
constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;
constexpr char kBackspace = 8;
constexpr int kCellWidth = 6;  // MeasureText's character cell at the layout's font

// The cell grows with the font's height: 6 x 13 at 11 pixels.
Size CellOf(const FontSpec& font) {
  const int height = std::max(1, font.height);
  const int width = (kCellWidth * height + 5) / 11;
  return {font.bold ? width + 1 : width, (13 * height + 5) / 11};
}
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

// ---------------------------------------------------------------- FakeTabs

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

// ------------------------------------------------------------- FakeListBox

FakeListBox::FakeListBox(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : FakeWindow(desktop, params, events), itemHeight_(params.itemHeight) {}

void FakeListBox::InsertItem(int index, const std::string& text) {
  const auto at = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(items_.size())));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), text);
  selected_.insert(selected_.begin() + static_cast<std::ptrdiff_t>(at), false);
}

void FakeListBox::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (caret_ >= static_cast<int>(items_.size())) caret_ = static_cast<int>(items_.size()) - 1;
}

void FakeListBox::ClearItems() {
  items_.clear();
  selected_.clear();
  caret_ = -1;
  top_ = 0;
}

void FakeListBox::SetItemSelected(int index, bool selected) {
  if (index >= 0 && index < static_cast<int>(items_.size())) selected_[static_cast<std::size_t>(index)] = selected;
}

std::vector<int> FakeListBox::selection() const {
  std::vector<int> rows;
  for (std::size_t i = 0; i < selected_.size(); ++i) {
    if (selected_[i]) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void FakeListBox::paint(Canvas& canvas) {
  const int rows = itemHeight_ > 0 ? (bounds().height + itemHeight_ - 1) / itemHeight_ : 0;
  for (int i = top_; i < static_cast<int>(items_.size()) && i < top_ + rows; ++i) {
    const ItemDraw item{i,
                        {0, (i - top_) * itemHeight_, bounds().width, itemHeight_},
                        selected_[static_cast<std::size_t>(i)],
                        i == caret_ && desktop_.focused() == this};
    desktop_.deliver([&] { events_.PeerDrawItem(canvas, item); });
  }
}

void FakeListBox::selectOnly(int index) {
  std::fill(selected_.begin(), selected_.end(), false);
  if (index >= 0 && index < static_cast<int>(items_.size())) selected_[static_cast<std::size_t>(index)] = true;
  caret_ = index;
  const std::vector<int> rows = selection();
  desktop_.deliver([&] { events_.PeerSelectionChanged(rows, caret_); });
}

void FakeListBox::nativeKeyDown(std::uint16_t key, ShiftBits /*shift*/) {
  if (items_.empty()) return;
  const int last = static_cast<int>(items_.size()) - 1;
  if (key == kVkDown) selectOnly(std::min(caret_ + 1, last));
  if (key == kVkUp) selectOnly(std::max(caret_ - 1, 0));
}

void FakeListBox::mouseDown(MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft && enabled()) {
    desktop_.focus(this);
    const int row = top_ + y / std::max(1, itemHeight_);
    if (row < static_cast<int>(items_.size())) {
      if ((shift & kCtrl) != 0) {
        // Ctrl toggles the row and keeps the others.
        selected_[static_cast<std::size_t>(row)] = !selected_[static_cast<std::size_t>(row)];
        caret_ = row;
        const std::vector<int> rows = selection();
        desktop_.deliver([&] { events_.PeerSelectionChanged(rows, caret_); });
      } else {
        selectOnly(row);
      }
    }
  }
  FakeWindow::mouseDown(button, x, y, shift);
}

// ------------------------------------------------------------ FakeComboBox

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

// -------------------------------------------------------------- FakeHeader

void FakeHeader::dragSection(int index, int width) {
  if (index < 0 || index >= static_cast<int>(sections_.size())) return;
  sections_[static_cast<std::size_t>(index)].width = width;
  desktop_.deliver([&] { events_.PeerSectionResized(index, width); });
}

// ------------------------------------------------------------- FakeDesktop

FakeDesktop::FakeDesktop(FakeClock& clock, FakeMouse& mouse, FakeClipboard& clipboard)
    : clock_(clock), mouse_(mouse), clipboard_(clipboard) {}

FakeDesktop::~FakeDesktop() = default;

std::unique_ptr<WindowPeer> FakeDesktop::CreatePeer(const PeerParams& params, PeerEvents& events) {
  if (refuseWindows_) return nullptr;
  switch (params.kind) {
    case PeerKind::kApplicationWindow:
    case PeerKind::kForm:
      return std::make_unique<FakeTopLevel>(*this, params, events);
    case PeerKind::kButton:
    case PeerKind::kCheckBox:
    case PeerKind::kRadioButton:
      return std::make_unique<FakeButton>(*this, params, events);
    case PeerKind::kEdit:
      return std::make_unique<FakeEdit>(*this, params, events);
    case PeerKind::kPageControl:
      return std::make_unique<FakeTabs>(*this, params, events);
    case PeerKind::kGroupBox:
    case PeerKind::kPanel:
    case PeerKind::kTabSheet:
    case PeerKind::kScrollBox:
      return std::make_unique<FakeContainer>(*this, params, events);
    case PeerKind::kListBox:
      return std::make_unique<FakeListBox>(*this, params, events);
    case PeerKind::kHeader:
      return std::make_unique<FakeHeader>(*this, params, events);
    case PeerKind::kComboBox:
      return std::make_unique<FakeComboBox>(*this, params, events);
    case PeerKind::kLabel:
      return std::make_unique<FakeLabel>(*this, params, events);
    case PeerKind::kCustom:
      return std::make_unique<FakeCustom>(*this, params, events);
  }
  return nullptr;
}

Size FakeDesktop::MeasureText(const std::string& text, const FontSpec& font) {
  const int cell = CellOf(font).width;
  int lines = 1;
  int widest = 0;
  int current = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r') {
      ++lines;
      current = 0;
      continue;
    }
    current += cell;
    widest = std::max(widest, current);
  }
  return {widest, CellOf(font).height * lines};
}

Size FakeDesktop::MeasureWrapped(const std::string& text, const FontSpec& font, int width) {
  // Greedy word wrap over the same character cells; a word wider than the
  // line stands on a line of its own.
  const int cell = CellOf(font).width;
  const int perLine = std::max(1, width / cell);
  int lines = 0;
  int widest = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    int used = 0;
    int paragraphLines = 1;
    std::size_t at = 0;
    while (at < paragraph.size()) {
      std::size_t wordEnd = paragraph.find(' ', at);
      if (wordEnd == std::string::npos) wordEnd = paragraph.size();
      const int word = static_cast<int>(wordEnd - at);
      const int need = used == 0 ? word : used + 1 + word;
      if (used > 0 && need > perLine) {
        ++paragraphLines;
        used = word;
      } else {
        used = need;
      }
      widest = std::max(widest, std::min(used, perLine) * cell);
      at = wordEnd + 1;
    }
    lines += paragraphLines;
    if (end == std::string::npos) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return {widest, CellOf(font).height * lines};
}

std::vector<FakeTopLevel*> FakeDesktop::topLevelWindows() const {
  std::vector<FakeTopLevel*> found;
  for (FakeWindow* window : windows_) {
    if (window->parent() == nullptr) found.push_back(static_cast<FakeTopLevel*>(window));
  }
  return found;
}

FakeTopLevel* FakeDesktop::findTopLevel(const std::string& className, const std::string& text) const {
  for (FakeTopLevel* window : topLevelWindows()) {
    if (SameAscii(window->className(), className) && SameAscii(window->text(), text)) return window;
  }
  return nullptr;
}

FakeTopLevel* FakeDesktop::liveTopLevel(WindowRef window) const {
  for (FakeTopLevel* live : topLevelWindows()) {
    if (reinterpret_cast<WindowRef>(live) == window) return live;
  }
  return nullptr;
}

void FakeDesktop::added(FakeWindow* window) { windows_.push_back(window); }

void FakeDesktop::removed(FakeWindow* window) noexcept {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
  if (focused_ == window) focused_ = nullptr;
  if (captured_ == window) captured_ = nullptr;
  if (activeForm_ == window) activeForm_ = nullptr;
}

void FakeDesktop::deliver(const std::function<void()>& message) {
  try {
    message();
  } catch (...) {
    clock_.reportError(std::current_exception());
  }
}

void FakeDesktop::focus(FakeWindow* window) {
  if (focused_ == window) return;
  FakeWindow* previous = focused_;
  focused_ = window;
  if (previous != nullptr) deliver([&] { previous->focusChanged(false); });
  if (window != nullptr && focused_ == window) deliver([&] { window->focusChanged(true); });
}

void FakeDesktop::activate(FakeTopLevel* form) {
  if (activeForm_ == form) return;
  FakeTopLevel* previous = activeForm_;
  activeForm_ = form;
  if (previous != nullptr) {
    // The focused control of a form that loses activation loses the focus.
    for (FakeWindow* w = focused_; w != nullptr; w = w->parent()) {
      if (w == previous) {
        focus(nullptr);
        break;
      }
    }
    deliver([&] { previous->events().PeerFocusChanged(false); });
  }
  if (form != nullptr) deliver([&] { form->events().PeerFocusChanged(true); });
}

void FakeDesktop::whenModal(std::function<void(FakeTopLevel&)> script) { modalScripts_.push_back(std::move(script)); }

void FakeDesktop::runModalScript(FakeTopLevel& window) {
  if (modalScripts_.empty()) return;
  auto script = std::move(modalScripts_.front());
  modalScripts_.pop_front();
  script(window);
}

// ------------------------------------------------- keyboard and the dialog manager

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
  if (form.kind() != PeerKind::kForm) return true;
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
  if (form.kind() != PeerKind::kForm) return false;
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
    } else if (window->kind() == PeerKind::kCustom) {
      deliver([&] { window->events().PeerClicked(); });
    } else {
      click(*window, 0, 0);  // BM_CLICK: a press and release on the button
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

// ------------------------------------------------------------------ mouse

void FakeDesktop::mouseDown(FakeWindow& window, MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft) {
    mouse_.setLeftButton(true);
    captured_ = &window;
  }
  deliver([&] { window.mouseDown(button, x, y, shift); });
}

void FakeDesktop::mouseUp(FakeWindow& window, MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft) {
    mouse_.setLeftButton(false);
    captured_ = nullptr;
  }
  deliver([&] { window.mouseUp(button, x, y, shift); });
}

void FakeDesktop::releaseElsewhere() { mouse_.setLeftButton(false); }

void FakeDesktop::loseCapture() {
  FakeWindow* holder = std::exchange(captured_, nullptr);
  if (holder != nullptr) deliver([&] { holder->events().PeerCaptureLost(); });
}

void FakeDesktop::click(FakeWindow& window, int x, int y, ShiftBits extra) {
  mouseDown(window, MouseButton::kLeft, x, y, static_cast<ShiftBits>(kLeftButton | extra));
  mouseUp(window, MouseButton::kLeft, x, y, static_cast<ShiftBits>(extra & ~kDouble));
}

}  // namespace platform::fake
