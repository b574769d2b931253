// Plain value types shared by every platform interface.
// They carry no behaviour, so that the portable layers and both
// platform implementations agree on units without including each other.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left, top, width, height: the form layout's own order.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  [[nodiscard]] int right() const noexcept { return left + width; }
  [[nodiscard]] int bottom() const noexcept { return top + height; }
  [[nodiscard]] bool contains(int x, int y) const noexcept {
    return x >= left && x < right() && y >= top && y < bottom();
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A colour as the framework stores it: 0x00BBGGRR, or a system colour
// (0x80000000 | index) that is resolved only when painting.
using Color = std::uint32_t;

constexpr Color kSystemColorFlag = 0x80000000u;

// Modifier and mouse-button state of an input event.
enum ShiftFlag : std::uint8_t {
  kShift = 0x01,
  kAlt = 0x02,
  kCtrl = 0x04,
  kLeftButton = 0x08,
  kRightButton = 0x10,
  kMiddleButton = 0x20,
  kDouble = 0x40,
};
using ShiftBits = std::uint8_t;

struct FontSpec {
  std::string name = "MS Sans Serif";
  int height = 11;  // pixels: the layout's at 96 pixels per inch, scaled with the form
  bool bold = false;
  bool underline = false;
  Color color = kSystemColorFlag | 8;  // window text
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

}  // namespace platform
