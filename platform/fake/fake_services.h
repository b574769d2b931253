// The small concerns of the fake desktop: the mouse and cursor, message
// boxes, the locale, the keyboard layout's key names and the clipboard.
// Each records what the program did and has knobs a test can turn.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/registry.h"

namespace platform::fake {

class FakeClock;

// Every injected mouse event is recorded with the cursor position and the
// time at which it acted.
class FakeMouse final : public Input {
 public:
  explicit FakeMouse(FakeClock& clock) : clock_(clock) {}

  struct Record {
    MouseAction action = MouseAction::kLeftDown;  // the physical button's flag sent
    Point at;
    std::uint64_t time = 0;
    // What windows saw, as Windows maps the physical flag through the swap
    // setting of that moment: the primary button, or else the secondary.
    bool primary = true;
    bool down = true;
  };
  [[nodiscard]] const std::vector<Record>& events() const noexcept { return events_; }
  void clearEvents() noexcept { events_.clear(); }
  // A long run checks each event as it comes instead of keeping millions:
  // the listener sees every event, and with recording off none is kept.
  void onEvent(std::function<void(const Record&)> listener) { listener_ = std::move(listener); }
  void setRecording(bool on) noexcept { recording_ = on; }
  // Every event so far, kept or not.
  [[nodiscard]] std::uint64_t eventCount() const noexcept { return eventCount_; }
  [[nodiscard]] Point cursor() const noexcept { return cursor_; }
  void moveCursor(Point to) noexcept { cursor_ = to; }  // the user moving the mouse
  [[nodiscard]] int cursorMoves() const noexcept { return cursorMoves_; }
  [[nodiscard]] int beeps() const noexcept { return beeps_; }
  // The user's left button, as GetKeyState sees it while a click is handled.
  void setLeftButton(bool down) noexcept { leftButton_ = down; }
  // The mouse settings' "switch primary and secondary buttons".
  void setButtonsSwapped(bool swapped) noexcept { swapped_ = swapped; }
  // The physical buttons the program's events hold down now.
  [[nodiscard]] bool leftHeld() const noexcept { return leftHeld_; }
  [[nodiscard]] bool rightHeld() const noexcept { return rightHeld_; }

  void Mouse(MouseAction action) override;
  Point GetCursorPos() override { return cursor_; }
  void SetCursorPos(std::int32_t x, std::int32_t y) override;
  void MessageBeep(std::uint32_t /*type*/) override { ++beeps_; }
  bool ButtonsSwapped() override { return swapped_; }
  bool LeftButtonDown() override { return leftButton_; }
  bool LeftButtonHeldNow() override { return leftButton_; }

 private:
  FakeClock& clock_;
  Point cursor_{};
  int cursorMoves_ = 0;
  std::vector<Record> events_;
  std::function<void(const Record&)> listener_;
  bool recording_ = true;
  std::uint64_t eventCount_ = 0;
  int beeps_ = 0;
  bool leftButton_ = false;
  bool swapped_ = false;
  bool leftHeld_ = false;
  bool rightHeld_ = false;
};

// Message boxes are recorded and answered OK at once. File dialogs are
// recorded and answered from a script: each one that opens takes the next
// answer (a path, or nothing for Cancel); with none left it is cancelled.
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
  // What the user does while the first box is open: a real box serves the
  // program's messages (hotkeys, timers) in a loop of its own until OK.
  void whileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
  // The most boxes that were open at once, one inside the other.
  [[nodiscard]] int mostOpenAtOnce() const noexcept { return mostOpen_; }
  int ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) override;

  void answerFileDialog(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }
  [[nodiscard]] const std::vector<FileDialogRequest>& fileDialogs() const noexcept { return fileDialogs_; }
  void clearFileDialogs() noexcept { fileDialogs_.clear(); }
  std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;

 private:
  FakeClock& clock_;
  std::vector<Record> boxes_;
  std::function<void()> whileOpen_;
  int open_ = 0;
  int mostOpen_ = 0;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::vector<FileDialogRequest> fileDialogs_;
};

// Files are the host's own, by their UTF-8 paths (tests use a temporary
// folder): the fake adds nothing to what the file system does, but that a
// failure to replace leaves the old file as it was.
class FakeFiles final : public Files {
 public:
  std::optional<FileStatus> Status(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
};

// The registry: keys by root and path, each a map of named values. A test
// fills it, reads it, makes a root unwritable (a key there can then be
// neither created nor opened with full access) or makes writes fail.
class FakeRegistry final : public Registry {
 public:
  using Values = std::map<std::string, RegistryValue>;
  [[nodiscard]] bool keyExists(RegistryRoot root, const std::string& path) const;
  [[nodiscard]] Values& key(RegistryRoot root, const std::string& path) { return keys_[{root, path}]; }
  void deleteKey(RegistryRoot root, const std::string& path) { keys_.erase({root, path}); }
  void makeUnwritable(RegistryRoot root, bool unwritable = true);
  // Writes fail from the given count of successful writes on.
  void failWritesAfter(int writes) noexcept { writesLeft_ = writes; }
  [[nodiscard]] int writes() const noexcept { return writes_; }

  std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;

 private:
  class FakeKey;
  std::map<std::pair<RegistryRoot, std::string>, Values> keys_;
  std::map<RegistryRoot, bool> unwritable_;
  int writesLeft_ = -1;
  int writes_ = 0;
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
  std::string KeyName(std::uint32_t scanCode) override;
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
