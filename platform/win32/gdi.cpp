#include "platform/win32/gdi.h"

#include <utility>

namespace platform::win32 {

COLORREF Resolve(Color color) noexcept {
  if ((color & kSystemColorFlag) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

HFONT GdiCache::Font(const FontSpec& font) {
  auto key = std::make_tuple(font.name, font.height, font.bold, font.underline);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HFONT created = CreateFontA(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    // Without the font the system's serves; not cached, so a later call may still get it.
    if (created == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    it = fonts_.emplace(std::move(key), UniqueGdiObject(created)).first;
  }
  return static_cast<HFONT>(it->second.get());
}

HBRUSH GdiCache::Brush(Color color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) {
    HBRUSH created = CreateSolidBrush(Resolve(color));
    if (created == nullptr) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    it = brushes_.emplace(color, UniqueGdiObject(created)).first;
  }
  return static_cast<HBRUSH>(it->second.get());
}

}  // namespace platform::win32
