// Every click the program makes goes through these: one mouse action per
// call, back to back, acting wherever the cursor is at that moment. Click,
// Click-Hold, Release and Double Click press the primary button and Right
// Click the secondary one; the system's flags name physical buttons, so
// which one that is comes from the swap setting, read at every click (a
// left-handed user may switch it during a run). They also keep which
// button a Click-Hold of ours holds down, so that a Release, and whatever
// ends a run, lets go of that very button.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/process.h"
#include "platform/types.h"

class MouseActions {
 public:
  explicit MouseActions(platform::Input& input) noexcept : input_(input) {}

  void singleclick();
  void clickhold();
  void releaseclick();
  void rightclick();
  void doubleclick();
  // The list's dispatch: 1 to 5 select an action, anything else none.
  void clickOption(int option);
  // Lets go of the button that a Click-Hold pressed and nothing has
  // lifted yet.
  void releaseHeldButton();
  [[nodiscard]] bool buttonHeld() const noexcept { return heldLeft_ || heldRight_; }

 private:
  enum class Button : std::uint8_t { kLeft, kRight };
  [[nodiscard]] bool& Held(Button button) noexcept { return button == Button::kLeft ? heldLeft_ : heldRight_; }
  [[nodiscard]] Button Primary() { return input_.ButtonsSwapped() ? Button::kRight : Button::kLeft; }
  [[nodiscard]] Button Secondary() { return input_.ButtonsSwapped() ? Button::kLeft : Button::kRight; }
  void Press(Button button);
  void Lift(Button button);
  void Click(Button button);

  platform::Input& input_;
  // Both can be held: a Click-Hold, the swap switched, another Click-Hold.
  bool heldLeft_ = false;
  bool heldRight_ = false;
  Button lastHeld_ = Button::kLeft;  // what a Release lets go of
};

// The message naming the windows at these points whose program runs with
// higher rights than ours (the system drops our clicks there without a
// word); nothing when every point is on an ordinary window.
std::optional<std::string> WhereClicksCannotGo(platform::Process& process, const std::vector<platform::Point>& points);
