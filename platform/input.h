// Synthetic mouse input and the system cursor.
// The click engine injects button events one flag per call and moves the
// cursor itself; hiding this behind an interface lets the tests record
// every event with the position and time at which it acted.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// What one synthetic mouse event does to a physical button; the Windows
// platform turns it into the matching mouse_event flag. The flags name the
// physical buttons: with the buttons swapped, Windows delivers a left press
// to windows as the secondary (right) button.
enum class MouseAction : std::uint8_t { kLeftDown, kLeftUp, kRightDown, kRightUp };

class Input {
 public:
  virtual ~Input() = default;
  // One button event, acting at the current cursor position.
  virtual void Mouse(MouseAction action) = 0;
  virtual Point GetCursorPos() = 0;
  virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;
  virtual void MessageBeep(std::uint32_t type) = 0;
  // Whether the user has swapped the buttons (left-handed): the right
  // physical button is then the primary one (GetSystemMetrics(SM_SWAPBUTTON)).
  [[nodiscard]] virtual bool ButtonsSwapped() = 0;
  // Whether the left mouse button is down as the current message sees it
  // (GetKeyState(VK_LBUTTON)): a focus that comes with a click.
  [[nodiscard]] virtual bool LeftButtonDown() = 0;
  // Whether the user holds the left button down at this moment, wherever
  // the release may have gone (GetAsyncKeyState, swapped buttons heeded).
  [[nodiscard]] virtual bool LeftButtonHeldNow() = 0;
};

}  // namespace platform
