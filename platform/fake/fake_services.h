// The small concerns of the fake desktop: the mouse and cursor, message
// boxes, the locale, the keyboard layout's key names and the clipboard.
// Each records what the program did and has knobs a test can turn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/hotkeys.h"
#include "platform/input.h"
#include "platform/locale.h"

namespace platform::fake {

class FakeClock;

// Every injected mouse event is recorded with the cursor position and the
// time at which it acted.
class FakeMouse final : public Input {
 public:
  explicit FakeMouse(FakeClock& clock) : clock_(clock) {}

  struct Record {
    std::uint32_t flags = 0;
    Point at;
    std::uint64_t time = 0;
  };
  [[nodiscard]] const std::vector<Record>& events() const noexcept { return events_; }
  void clearEvents() noexcept { events_.clear(); }
  [[nodiscard]] Point cursor() const noexcept { return cursor_; }
  void moveCursor(Point to) noexcept { cursor_ = to; }  // the user moving the mouse
  [[nodiscard]] int cursorMoves() const noexcept { return cursorMoves_; }
  [[nodiscard]] int beeps() const noexcept { return beeps_; }
  // The user's left button, as GetKeyState sees it while a click is handled.
  void setLeftButton(bool down) noexcept { leftButton_ = down; }

  void MouseEvent(std::uint32_t flags) override;
  Point GetCursorPos() override { return cursor_; }
  void SetCursorPos(std::int32_t x, std::int32_t y) override;
  void MessageBeep(std::uint32_t /*type*/) override { ++beeps_; }
  bool LeftButtonDown() override { return leftButton_; }

 private:
  FakeClock& clock_;
  Point cursor_{};
  int cursorMoves_ = 0;
  std::vector<Record> events_;
  int beeps_ = 0;
  bool leftButton_ = false;
};

// Message boxes are recorded and answered OK at once.
class FakeDialogs final : public Dialogs {
 public:
  explicit FakeDialogs(FakeClock& clock) : clock_(clock) {}
  struct Record {
    std::string text;
    std::string caption;
    std::uint32_t flags = 0;
    std::uint64_t time = 0;
  };
  [[nodiscard]] const std::vector<Record>& boxes() const noexcept { return boxes_; }
  void clear() noexcept { boxes_.clear(); }
  int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;

 private:
  FakeClock& clock_;
  std::vector<Record> boxes_;
};

class FakeLocale final : public Locale {
 public:
  void setDecimalSeparator(char separator) noexcept { separator_ = separator; }
  char DecimalSeparator() override { return separator_; }
  bool SameTextIgnoringCase(const std::string& a, const std::string& b) override;

 private:
  char separator_ = '.';
};

// A small fixed keyboard layout for the keys outside the program's own
// table of key names.
class FakeKeyboardLayout final : public Keyboard {
 public:
  std::uint32_t ScanCodeOf(std::uint32_t virtualKey) override;
  std::string KeyNameText(std::int32_t lParam) override;
};

// The system clipboard the native edit cuts to and pastes from.
class FakeClipboard {
 public:
  [[nodiscard]] const std::string& text() const noexcept { return text_; }
  void setText(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

// ASCII case-insensitive comparison, as the fake's locale and window search use it.
bool SameAscii(const std::string& a, const std::string& b) noexcept;

}  // namespace platform::fake
