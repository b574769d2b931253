// An edit, one-line or multi-line: the system's EDIT. Read-only is the
// system's own (ES_READONLY), which refuses every key, paste, cut and menu
// command that would change the text. With a frame width the edit has no
// sunken border but a flat raised frame painted in its non-client area.
#pragma once

#include <utility>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32Edit final : public Win32Window, public EditPeer {
 public:
  Win32Edit(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
      : Win32Window(windows, params, events), style_(params.edit) {}

  void SetSelection(int start, int end) override {
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }

  [[nodiscard]] std::pair<int, int> Selection() override {
    // The pointers, not the packed answer, which holds 16 bits of each end.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
  }

  // Only sets a style bit: it fails for no live edit.
  void SetReadOnly(bool readOnly) override { SendMessageW(handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0); }

  void SetColor(Color color) override {
    Win32Window::SetColor(color);
    if (style_.frameWidth > 0) PaintFrame();
  }

  // A new font makes the edit take the font's margins again (Wine does):
  // the ones the framework asked for are set anew.
  void SetFont(const FontSpec& font) override {
    Win32Window::SetFont(font);
    ApplyMargins();
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"EDIT"; }

  [[nodiscard]] DWORD Style() const noexcept override {
    DWORD style = WS_CLIPCHILDREN;
    if (style_.readOnly) style |= ES_READONLY;
    if (!style_.multiLine) return style | ES_AUTOHSCROLL;
    // Without ES_WANTRETURN, Enter stays the form's.
    style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!style_.wordWrap) style |= ES_AUTOHSCROLL;
    if (style_.verticalScrollBar) style |= WS_VSCROLL;
    return style;
  }
  [[nodiscard]] DWORD ExStyle() const noexcept override { return style_.frameWidth < 0 ? WS_EX_CLIENTEDGE : 0; }

  void Created(const PeerParams& /*params*/) override {
    // Both only shape the look; the edit works without them.
    ApplyMargins();
    if (style_.frameWidth > 0) {
      SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  void OnCommand(WORD code) override {
    if (code == EN_CHANGE) events().PeerTextEdited(WindowText());
  }

  // A read-only edit asks with WM_CTLCOLORSTATIC, an editable one with
  // WM_CTLCOLOREDIT; both get the control's colours, disabled or not.
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, false); }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const int frame = style_.frameWidth;
    if (frame > 0 && message == WM_NCCALCSIZE) {
      auto* rect =
          wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      InflateRect(rect, -frame, -frame);
      return 0;
    }
    if (frame > 0 && message == WM_NCPAINT) {
      PaintFrame();
      return 0;
    }
    return Win32Window::HandleMessage(message, wParam, lParam);
  }

 private:
  // A text area kept clear at the right (of a spin edit's arrows) also
  // starts at the left edge: a narrow field then still shows a whole digit
  // and the caret after it, without scrolling the digit out of view.
  void ApplyMargins() {
    if (handle() == nullptr) return;
    if (style_.rightMargin > 0) {
      SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, style_.rightMargin));
    } else {
      SendMessageW(handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
  }

  // A raised outer edge, a face line inside it at the top and left, and a
  // raised inner edge at the right and bottom.
  void PaintFrame() {
    if (handle() == nullptr) return;  // a null window's context is the screen's
    const WindowDc dc(handle(), WindowDc::Area::kWhole);
    RECT outer;
    if (!dc || GetWindowRect(handle(), &outer) == 0) return;  // painted with the next WM_NCPAINT
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    const int fw = style_.frameWidth;
    // The text's area is the edit's own; without the clip the fill would cover it.
    if (ExcludeClipRect(dc.get(), fw, fw, w - fw, h - fw) == ERROR) return;
    GdiCanvas canvas(dc.get(), windows().gdi());
    canvas.FillRect({0, 0, w, h}, color());
    canvas.Line(0, 0, w - 1, 0, kSystemColorFlag | COLOR_BTNHIGHLIGHT);
    canvas.Line(0, 0, 0, h - 1, kSystemColorFlag | COLOR_BTNHIGHLIGHT);
    canvas.Line(w - 1, 0, w - 1, h, kSystemColorFlag | COLOR_BTNSHADOW);
    canvas.Line(0, h - 1, w, h - 1, kSystemColorFlag | COLOR_BTNSHADOW);
    canvas.Line(1, 1, w - 2, 1, kSystemColorFlag | COLOR_BTNFACE);
    canvas.Line(1, 1, 1, h - 2, kSystemColorFlag | COLOR_BTNFACE);
    canvas.Line(w - 2, 1, w - 2, h - 1, kSystemColorFlag | COLOR_BTNSHADOW);
    canvas.Line(1, h - 2, w - 1, h - 2, kSystemColorFlag | COLOR_BTNSHADOW);
  }

  EditStyle style_;  // readOnly as at creation; SetReadOnly changes the window's
};

}  // namespace platform::win32
