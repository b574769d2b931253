// Every click the program makes goes through these: one mouse action per
// call, back to back, acting wherever the cursor is at that moment. They
// also keep whether a Click-Hold of ours holds the left button down, so
// that whatever ends a run can let it go.
#pragma once

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
  // Lets go of a left button that a Click-Hold pressed and no Release has
  // lifted yet.
  void releaseHeldButton();
  [[nodiscard]] bool leftButtonHeld() const noexcept { return leftButtonHeld_; }

 private:
  platform::Input& input_;
  bool leftButtonHeld_ = false;
};

// The message naming the windows at these points whose program runs with
// higher rights than ours (the system drops our clicks there without a
// word); nothing when every point is on an ordinary window.
std::optional<std::string> WhereClicksCannotGo(platform::Process& process, const std::vector<platform::Point>& points);
