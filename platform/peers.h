// Native windows behind framework controls.
// A framework control keeps its own state and pushes every change to its
// peer; the peer reports what the user did through PeerEvents. The fake
// peers only record, so without Windows a control is a pure model.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

enum class PeerKind : std::uint8_t {
  kApplicationWindow,  // hidden top-level window that owns the program's taskbar entry
  kForm,
  kButton,
  kCheckBox,
  kRadioButton,
  kGroupBox,
  kEdit,
  kLabel,
  kPanel,
  kPageControl,
  kTabSheet,
  kCustom,  // painted by the framework through Canvas
};

enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

// DrawText format bits (the DT_* values).
enum TextFormat : std::uint32_t {
  kTextLeft = 0x0000,
  kTextCenter = 0x0001,
  kTextRight = 0x0002,
  kTextVCenter = 0x0004,
  kTextBottom = 0x0008,
  kTextWordBreak = 0x0010,
  kTextSingleLine = 0x0020,
  kTextNoPrefix = 0x0800,
};

struct Size {
  int width = 0;
  int height = 0;
};

// Stateless drawing: every call carries its own colour and font.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(const Rect& r, Color color) = 0;
  // A one-pixel line from (x1, y1) up to, not including, (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, Color color) = 0;
  virtual void FrameRect(const Rect& r, Color color) = 0;
  virtual void DrawFocusRect(const Rect& r) = 0;
  // Transparent background; format holds TextFormat bits.
  virtual void DrawString(const std::string& text, const Rect& r, const FontSpec& font, Color color,
                          std::uint32_t format) = 0;
  virtual Size MeasureText(const std::string& text, const FontSpec& font) = 0;
};

class PeerEvents {
 public:
  virtual void PeerClicked() {}
  virtual void PeerTextEdited(const std::string& /*text*/) {}
  // Setting key (or ch) to 0 swallows it before the native control sees it.
  virtual void PeerKeyDown(std::uint16_t& /*key*/, ShiftBits /*shift*/) {}
  virtual void PeerKeyUp(std::uint16_t& /*key*/, ShiftBits /*shift*/) {}
  virtual void PeerKeyPress(char& /*ch*/) {}
  virtual bool PeerEditCommandAllowed() { return true; }  // paste, cut, clear
  virtual void PeerFocusChanged(bool /*focused*/) {}
  virtual void PeerMouseDown(MouseButton /*button*/, int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseUp(MouseButton /*button*/, int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseMove(int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseLeave() {}
  virtual void PeerPaint(Canvas& /*canvas*/) {}
  virtual void PeerTabSelected(int /*index*/) {}
  virtual void PeerResized(int /*clientWidth*/, int /*clientHeight*/) {}
  virtual void PeerCloseRequested() {}
  virtual void PeerMenuCommand(int /*id*/) {}
  virtual void PeerMinimizeRequested() {}
  virtual void PeerRestored() {}
  virtual void PeerRaised() {}

 protected:
  ~PeerEvents() = default;
};

struct MenuItemSpec {
  int id = 0;
  std::string caption;
  bool visible = true;
  std::vector<MenuItemSpec> items;  // a drop-down when not empty
};

struct PeerParams {
  PeerKind kind = PeerKind::kCustom;
  std::string className;               // window class: the framework class name
  class WindowPeer* parent = nullptr;  // the parent control's peer; null for top-level windows
  class WindowPeer* owner = nullptr;   // forms: the application window
  std::string text;
  Rect bounds;
  bool visible = true;
  bool enabled = true;
  bool tabStop = false;
  bool checked = false;
  bool sizeable = true;    // forms
  bool multiLine = false;  // labels
  // Edits: -1 for the native sunken border, otherwise the width of a flat
  // raised frame that the peer paints itself.
  int frameWidth = -1;
  int rightMargin = 0;  // edits: pixels kept free of text at the right end
  Color color = kSystemColorFlag | 15;
  FontSpec font;
};

enum class ShowMode : std::uint8_t { kHide, kShowNormal, kShowCentered, kMinimize, kRestore };

class WindowPeer {
 public:
  virtual ~WindowPeer() = default;  // destroys the native window
  virtual void SetText(const std::string& text) = 0;
  virtual void SetBounds(const Rect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetChecked(bool checked) = 0;
  virtual void SetColor(Color color) = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual void SetFocus() = 0;
  virtual void Invalidate() = 0;
  virtual void SelectAll() = 0;  // edits
  // Page controls: one tab per sheet; index == tab count appends.
  virtual void SetTab(int index, const std::string& caption) = 0;
  virtual void SetTabIndex(int index) = 0;
  // Forms and the application window.
  virtual void Show(ShowMode mode) = 0;
  virtual void SetMenu(const std::vector<MenuItemSpec>& menu) = 0;
  // The client size the native window really has (0, 0 when unknown).
  virtual Size ClientSize() = 0;
  // Where a page control's sheets go, in its client coordinates.
  virtual Rect DisplayRect() = 0;
};

class Windows {
 public:
  virtual ~Windows() = default;
  virtual std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) = 0;
  // Frame thickness of a sizeable form with caption and menu bar.
  virtual Size FormFrameSize(bool withMenu) = 0;
  virtual int ScrollBarWidth() = 0;  // SM_CXVSCROLL
  // Extent of a (possibly multi-line) text in the given font.
  virtual Size MeasureText(const std::string& text, const FontSpec& font) = 0;
};

}  // namespace platform
