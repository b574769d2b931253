// Synthetic mouse input and the system cursor.
// The click engine injects button events one flag per call and moves the
// cursor itself; hiding this behind an interface lets the tests record
// every event with the position and time at which it acted.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

// The dwFlags values of mouse_event that the program uses.
enum MouseEventFlag : std::uint32_t {
  kMouseLeftDown = 0x0002,
  kMouseLeftUp = 0x0004,
  kMouseRightDown = 0x0008,
  kMouseRightUp = 0x0010,
};

class Input {
 public:
  virtual ~Input() = default;
  // One call of mouse_event(flags, 0, 0, 0, 0): acts at the current cursor position.
  virtual void MouseEvent(std::uint32_t flags) = 0;
  virtual Point GetCursorPos() = 0;
  virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;
  virtual void MessageBeep(std::uint32_t type) = 0;
  // Whether the left mouse button is down as the current message sees it
  // (GetKeyState(VK_LBUTTON)): a focus that comes with a click.
  [[nodiscard]] virtual bool LeftButtonDown() = 0;
  // Whether the user holds the left button down at this moment, wherever
  // the release may have gone (GetAsyncKeyState, swapped buttons heeded).
  [[nodiscard]] virtual bool LeftButtonHeldNow() = 0;
};

}  // namespace platform
