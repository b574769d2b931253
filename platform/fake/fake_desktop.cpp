#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

// The cell grows with the font's height: 6 x 13 at 11 pixels.
Size CellOf(const FontSpec& font) {
  const int height = std::max(1, font.height);
  const int width = (kCellWidth * height + 5) / 11;
  return {font.bold ? width + 1 : width, (13 * height + 5) / 11};
}

FakeDesktop::FakeDesktop(FakeClock& clock, FakeMouse& mouse, FakeClipboard& clipboard)
    : clock_(clock), mouse_(mouse), clipboard_(clipboard) {}

FakeDesktop::~FakeDesktop() = default;

std::unique_ptr<WindowPeer> FakeDesktop::CreatePeer(const PeerParams& params, PeerEvents& events) {
  if (refuseWindows_) return nullptr;
  switch (params.kind) {
    case PeerKind::kApplicationWindow:
      return std::make_unique<FakeTopLevel>(*this, params, events, false);
    case PeerKind::kForm:
      return std::make_unique<FakeTopLevel>(*this, params, events, true);
    case PeerKind::kButton:
      return std::make_unique<FakeButton>(*this, params, events, FakeButton::Style::kPush);
    case PeerKind::kCheckBox:
      return std::make_unique<FakeButton>(*this, params, events, FakeButton::Style::kCheck);
    case PeerKind::kRadioButton:
      return std::make_unique<FakeButton>(*this, params, events, FakeButton::Style::kRadio);
    case PeerKind::kEdit:
      return std::make_unique<FakeEdit>(*this, params, events);
    case PeerKind::kPageControl:
      return std::make_unique<FakeTabs>(*this, params, events);
    case PeerKind::kGroupBox:
      return std::make_unique<FakeContainer>(*this, params, events, true);
    case PeerKind::kPanel:
    case PeerKind::kTabSheet:
    case PeerKind::kScrollBox:
      return std::make_unique<FakeContainer>(*this, params, events, false);
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

// ---- mouse
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
