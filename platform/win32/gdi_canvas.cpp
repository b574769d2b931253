#include "platform/win32/gdi_canvas.h"

#include "platform/win32/icons.h"
#include "platform/win32/text.h"

namespace platform::win32 {

// A stroke that GDI refuses only leaves the picture short until the next
// paint; there is no one to tell, so the drawing calls' results are not
// looked at.

namespace {
RECT ToRect(const Rect& r) noexcept { return RECT{r.left, r.top, r.right(), r.bottom()}; }
}  // namespace

void GdiCanvas::FillRect(const Rect& r, Color color) {
  const RECT rc = ToRect(r);
  ::FillRect(dc_, &rc, gdi_.Brush(color));
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, Color color) {
  UniqueGdiObject pen(CreatePen(PS_SOLID, 1, Resolve(color)));
  if (!pen) return;
  SelectGuard select(dc_, pen.get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void GdiCanvas::FrameRect(const Rect& r, Color color) {
  const RECT rc = ToRect(r);
  ::FrameRect(dc_, &rc, gdi_.Brush(color));
}

void GdiCanvas::DrawFocusRect(const Rect& r) {
  const RECT rc = ToRect(r);
  ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::DrawString(const std::string& text, const Rect& r, const FontSpec& font, Color color,
                           std::uint32_t format) {
  SelectGuard select(dc_, gdi_.Font(font));
  SetTextColor(dc_, Resolve(color));
  SetBkMode(dc_, TRANSPARENT);
  RECT rc = ToRect(r);
  const std::wstring wide = WideText(text);
  // One line at the top left, as list rows are drawn many times a second:
  // the text goes out in one call, clipped, without DrawText's layout.
  constexpr std::uint32_t kPlainLine = kTextLeft | kTextSingleLine | kTextNoPrefix;
  if (format == kPlainLine) {
    ::ExtTextOutW(dc_, rc.left, rc.top, ETO_CLIPPED, &rc, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    return;
  }
  ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, format);
}

void GdiCanvas::DrawProgramIcon(const Rect& r, ProgramIcon which) {
  // No icon: nothing drawn.
  HICON icon = LoadProgramIcon(which);
  if (icon != nullptr) DrawIconEx(dc_, r.left, r.top, icon, r.width, r.height, 0, nullptr, DI_NORMAL);
}

Size GdiCanvas::MeasureText(const std::string& text, const FontSpec& font) {
  SelectGuard select(dc_, gdi_.Font(font));
  RECT rc{0, 0, 0, 0};
  const std::wstring wide = WideText(text);
  if (::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_CALCRECT) == 0) return {};
  return {rc.right, rc.bottom};
}

}  // namespace platform::win32
