// Starts the whole program on the fake platform, exactly as WinMain does,
// and offers the user's actions: each goes through the fake desktop as real
// input would (the dialog manager, the native controls), and refuses what a
// user could not do (press a disabled or hidden control).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program.h"
#include "platform/fake/fake_platform.h"
#include "ui/Unit1.h"

namespace testing_support {

// True when a user could reach the control: it and all its parents are
// visible and enabled (so it is on the page showing).
bool Reachable(const TControl& control);

// The native window behind a control on the fake desktop.
platform::fake::FakeWindow& WindowOf(const TControl& control);

class User {
 public:
  explicit User(platform::fake::FakePlatform& fake) : fake_(fake) {}

  // A left click in the control (at x, y of its client area).
  void click(TControl& control, int x = 2, int y = 2);
  // Focuses the control from the program's side, as the form does when
  // it is activated (no mouse button down).
  void focus(TWinControl& control);
  // A key press while the control has the focus: key down (through the
  // dialog manager), the character it makes, key up.
  void press(TWinControl& control, std::uint16_t virtualKey, char character = 0, platform::ShiftBits shift = 0);
  void type(TWinControl& control, char character);
  // Focuses the field, selects its text with the keyboard and types over it.
  void enterText(TCustomEdit& edit, const std::string& text);
  // Focuses the field and pastes text with Ctrl+V from the clipboard.
  void paste(TCustomEdit& edit, const std::string& text);
  void selectTab(TPageControl& pages, int index);
  void moveMouse(int x, int y) { fake_.moveCursor({x, y}); }

 private:
  platform::fake::FakePlatform& fake_;
};

// One copy of the program on its own simulated desktop.
class Tapfinch {
 public:
  Tapfinch();
  explicit Tapfinch(platform::fake::FakePlatform& sharedDesktop);
  ~Tapfinch();

  [[nodiscard]] bool started() const noexcept { return started_; }
  [[nodiscard]] TForm1& form() const { return *program_->Form1(); }
  [[nodiscard]] Program& program() const noexcept { return *program_; }
  [[nodiscard]] platform::fake::FakePlatform& fake() const noexcept { return *fake_; }
  [[nodiscard]] User& user() noexcept { return user_; }
  void shutdown();

 private:
  std::unique_ptr<platform::fake::FakePlatform> ownDesktop_;
  platform::fake::FakePlatform* fake_;
  std::unique_ptr<Program> program_;
  User user_;
  bool started_ = false;
};

}  // namespace testing_support
