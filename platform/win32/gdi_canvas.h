// The framework's Canvas drawn with GDI on a device context the caller
// owns: self-painted controls draw through it off-screen, and the edits'
// flat frame through it on the window's own context.
#pragma once

#include "platform/peers.h"
#include "platform/win32/gdi.h"

namespace platform::win32 {

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, GdiCache& gdi) noexcept : dc_(dc), gdi_(gdi) {}

  void FillRect(const Rect& r, Color color) override;
  void Line(int x1, int y1, int x2, int y2, Color color) override;
  void FrameRect(const Rect& r, Color color) override;
  void DrawFocusRect(const Rect& r) override;
  void DrawString(const std::string& text, const Rect& r, const FontSpec& font, Color color,
                  std::uint32_t format) override;
  Size MeasureText(const std::string& text, const FontSpec& font) override;
  void DrawProgramIcon(const Rect& r, ProgramIcon icon) override;

 private:
  HDC dc_;
  GdiCache& gdi_;
};

}  // namespace platform::win32
