// Colours and fonts as GDI objects. Painting asks for the same few brushes
// and fonts again and again; the cache makes each once and keeps it until
// the platform goes, so no window ever holds one that was deleted.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/types.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

// The framework's colour as GDI's, system colours resolved now.
COLORREF Resolve(Color color) noexcept;

// Pixels per inch of the monitor a window is on (the system's setting on
// Windows before 10, which has no scale per monitor).
int DpiOf(HWND window) noexcept;

class GdiCache {
 public:
  // Stand-ins from the stock objects when the system refuses a new one.
  HFONT Font(const FontSpec& font);
  HBRUSH Brush(Color color);

 private:
  std::map<std::tuple<std::string, int, bool, bool>, UniqueGdiObject> fonts_;
  std::map<Color, UniqueGdiObject> brushes_;
};

}  // namespace platform::win32
