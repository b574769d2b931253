// Native windows behind framework controls.
// A framework control keeps its own state and pushes every change to its
// peer; the peer reports what the user did through PeerEvents. What every
// window has is WindowPeer; what only some kinds have is a capability
// interface of its own, which the peer of that kind also implements.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace platform {

// Chosen by the framework class; only the platforms' peer factories look at it.
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
  kScrollBox,  // a container with a single sunken border line
  kHeader,     // a row of resizable column titles
  kListBox,    // rows owner-drawn by the framework, fixed height
  kComboBox,   // a drop-down list with an editable text field
  kCustom,     // painted by the framework through Canvas
};

enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

// The mouse pointer over a window.
enum class CursorShape : std::uint8_t { kArrow, kHand };

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

// The keys a control keeps from the dialog manager beyond what its native
// kind keeps: the key at hand goes to the control instead of moving the
// focus or pressing the form's Enter and Esc buttons; a button is clicked
// by the dialog manager for the accelerator of its caption.
struct ClaimedKeys {
  bool thisKey = false;
  bool asButton = false;
};

// Virtual-key codes the framework and the dialog manager act on.
enum VirtualKey : std::uint16_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkInsert = 0x2D,
  kVkDelete = 0x2E,
  kVkPrior = 0x21,  // Page Up
  kVkNext = 0x22,   // Page Down
};

// Enter and Esc that no control claimed (IDOK and IDCANCEL).
enum class DialogKey : std::uint8_t { kOk, kCancel };

struct Size {
  int width = 0;
  int height = 0;
};

// One column title of a header.
struct HeaderSection {
  std::string text;
  int width = 0;
  friend bool operator==(const HeaderSection&, const HeaderSection&) = default;
};

// A list box row to be drawn, in the list's client coordinates.
struct ItemDraw {
  int index = 0;
  Rect rect;
  bool selected = false;
  bool focused = false;  // the row has the keyboard focus: draw the focus rectangle
};

// The program's two pictures: the forms' icon, and the application's own
// (taskbar entry, about box), a near-identical variant of it.
enum class ProgramIcon : std::uint8_t { kForm, kApplication };

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
  // One of the program's icons, stretched into the rectangle.
  virtual void DrawProgramIcon(const Rect& r, ProgramIcon icon) = 0;
};

class PeerEvents {
 public:
  virtual void PeerClicked() {}
  virtual void PeerTextEdited(const std::string& /*text*/) {}
  // Setting key (or ch) to 0 swallows it before the native control sees it.
  virtual void PeerKeyDown(std::uint16_t& /*key*/, ShiftBits /*shift*/) {}
  virtual void PeerKeyUp(std::uint16_t& /*key*/, ShiftBits /*shift*/) {}
  virtual void PeerKeyPress(char& /*ch*/) {}
  // What the control claims for a key about to be handled (0 when the
  // question is not about a key).
  virtual ClaimedKeys PeerClaimedKeys(std::uint16_t /*key*/) { return {}; }
  virtual void PeerDialogKey(DialogKey /*key*/) {}  // forms
  // Forms, before the dialog manager: Ctrl+Tab, Ctrl+Shift+Tab,
  // Ctrl+PageDown and Ctrl+PageUp. True when the form took the key.
  virtual bool PeerPageKey(std::uint16_t /*key*/, ShiftBits /*shift*/) { return false; }
  virtual void PeerFocusChanged(bool /*focused*/) {}
  virtual void PeerMouseDown(MouseButton /*button*/, int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseUp(MouseButton /*button*/, int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseMove(int /*x*/, int /*y*/, ShiftBits /*shift*/) {}
  virtual void PeerMouseLeave() {}
  // Self-drawn controls: the mouse capture taken at a press went elsewhere
  // (a message box opened, Alt+Tab), so no release will come here.
  virtual void PeerCaptureLost() {}
  virtual void PeerPaint(Canvas& /*canvas*/) {}
  virtual void PeerTabSelected(int /*index*/) {}
  // List boxes: the user changed the selection; every selected row and
  // the row with the focus (the caret), -1 when none.
  virtual void PeerSelectionChanged(const std::vector<int>& /*selected*/, int /*caret*/) {}
  // List boxes: draw one row (its background, text and focus rectangle).
  virtual void PeerDrawItem(Canvas& /*canvas*/, const ItemDraw& /*item*/) {}
  // Headers: the user dragged a section's border.
  virtual void PeerSectionResized(int /*index*/, int /*width*/) {}
  // Combo boxes: the user picked an entry or edited the text; text is the
  // text the box now shows (a picked entry's), index its selection.
  virtual void PeerComboChanged(int /*index*/, const std::string& /*text*/) {}
  virtual void PeerResized(int /*clientWidth*/, int /*clientHeight*/) {}
  virtual void PeerCloseRequested() {}
  // Top-level windows: the user is logging off or the system shuts down.
  // First asked (final false: another program may still cancel it, and the
  // session then goes on), then told (final true: the program may be ended
  // after this without any close).
  virtual void PeerSessionEnding(bool /*final*/) {}
  virtual void PeerMenuCommand(int /*id*/) {}
  virtual void PeerMinimizeRequested() {}
  virtual void PeerRestored() {}
  virtual void PeerRaised() {}
  // Top-level windows: the window moved to a monitor of another scale; the
  // system suggests new outer bounds for it in screen coordinates.
  virtual void PeerDpiChanged(int /*dpi*/, const Rect& /*suggested*/) {}

 protected:
  ~PeerEvents() = default;
};

struct MenuItemSpec {
  int id = 0;
  std::string caption;
  bool visible = true;
  std::vector<MenuItemSpec> items;  // a drop-down when not empty
};

// How an edit is made; the kind's own part of PeerParams.
struct EditStyle {
  bool readOnly = false;  // no key, paste, cut or menu changes the text
  bool multiLine = false;
  bool wordWrap = false;           // multi-line only
  bool verticalScrollBar = false;  // multi-line only
  // -1 for the native sunken border, otherwise the width of a flat raised
  // frame that the peer paints itself.
  int frameWidth = -1;
  int rightMargin = 0;  // pixels kept free of text at the right end
};

class WindowPeer;

struct PeerParams {
  PeerKind kind = PeerKind::kCustom;
  std::string className;         // window class: the framework class name
  WindowPeer* parent = nullptr;  // the parent control's peer; null for top-level windows
  WindowPeer* owner = nullptr;   // forms: the application window
  std::string text;
  Rect bounds;
  bool visible = true;
  bool enabled = true;
  bool tabStop = false;
  Color color = kSystemColorFlag | 15;
  FontSpec font;
  bool checked = false;   // check boxes and radio buttons
  EditStyle edit;         // edits
  int itemHeight = 16;    // list boxes: the fixed height of a row
  bool wordWrap = false;  // labels: lines break at words to fit the width
  CursorShape cursor = CursorShape::kArrow;
};

// What every native window has.
class WindowPeer {
 public:
  virtual ~WindowPeer() = default;  // destroys the native window
  virtual void SetText(const std::string& text) = 0;
  virtual void SetBounds(const Rect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetColor(Color color) = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual void SetFocus() = 0;
  virtual void Invalidate() = 0;
  virtual void SetCursor(CursorShape cursor) = 0;
};

enum class ShowMode : std::uint8_t { kHide, kShowNormal, kShowCentered, kMinimize, kRestore };

// Forms and the application window.
// How a form's frame looks: sizeable with its three title-bar buttons, a
// fixed single frame with the close button alone, or a dialog's fixed
// frame (no icon either) with the close button alone.
enum class FormBorder : std::uint8_t { kSizeable, kSingle, kDialog };

class TopLevelPeer {
 public:
  virtual void Show(ShowMode mode) = 0;
  virtual void SetMenu(const std::vector<MenuItemSpec>& menu) = 0;
  // The client size the native window really has (0, 0 when unknown).
  [[nodiscard]] virtual Size ClientSize() = 0;
  // Serves messages (timers and hotkeys included) until done() holds or
  // the program is quitting; the window is shown and the others disabled
  // by the caller.
  virtual void RunModal(const std::function<bool()>& done) = 0;
  // Forms: the frame and the title bar's buttons.
  virtual void SetBorder(FormBorder border) = 0;
  // Pixels per inch of the monitor the window is on (96 at 100 %).
  [[nodiscard]] virtual int Dpi() = 0;

 protected:
  ~TopLevelPeer() = default;
};

// Edits, one-line or multi-line.
class EditPeer {
 public:
  // EM_SETSEL: end -1 selects to the end of the text.
  virtual void SetSelection(int start, int end) = 0;
  [[nodiscard]] virtual std::pair<int, int> Selection() = 0;
  virtual void SetReadOnly(bool readOnly) = 0;

 protected:
  ~EditPeer() = default;
};

// Check boxes and radio buttons.
class CheckPeer {
 public:
  virtual void SetChecked(bool checked) = 0;

 protected:
  ~CheckPeer() = default;
};

// A row of tabs above a display area (the page control).
class TabsPeer {
 public:
  // One tab per sheet; index == tab count appends.
  virtual void SetTab(int index, const std::string& caption) = 0;
  virtual void SetTabIndex(int index) = 0;
  // Where a page control's sheets go, in its client coordinates.
  [[nodiscard]] virtual Rect DisplayRect() = 0;

 protected:
  ~TabsPeer() = default;
};

// List boxes. The rows are the framework's, which draws them; the native
// list can always hold any set of selected rows, and the framework keeps
// it to one row while its list box is in single selection.
class ItemsPeer {
 public:
  virtual void InsertItem(int index, const std::string& text) = 0;  // index == count appends
  virtual void DeleteItem(int index) = 0;
  virtual void ClearItems() = 0;
  virtual void SetItemSelected(int index, bool selected) = 0;
  virtual void SetCaretIndex(int index) = 0;  // the row with the focus rectangle
  [[nodiscard]] virtual int TopIndex() = 0;   // the first visible row
  virtual void SetTopIndex(int index) = 0;
  virtual void RedrawItems() = 0;  // every row again, as after a column's resize
  virtual void SetItemHeight(int height) = 0;

 protected:
  ~ItemsPeer() = default;
};

// Editable drop-down combo boxes. Setting the entries or the selection
// from the program reports nothing; -1 clears the text.
class ComboPeer {
 public:
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void SetItemIndex(int index) = 0;
  [[nodiscard]] virtual int ItemIndex() = 0;

 protected:
  ~ComboPeer() = default;
};

// Headers: the sections left to right; resizing reports PeerSectionResized.
class HeaderPeer {
 public:
  virtual void SetSections(const std::vector<HeaderSection>& sections) = 0;

 protected:
  ~HeaderPeer() = default;
};

class Windows {
 public:
  virtual ~Windows() = default;
  // Null when the system refuses the window.
  virtual std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) = 0;
  // Frame thickness of a form with caption, with or without a menu bar.
  virtual Size FormFrameSize(bool withMenu, FormBorder border) = 0;
  virtual int ScrollBarWidth() = 0;  // SM_CXVSCROLL
  // Extent of a (possibly multi-line) text in the given font.
  virtual Size MeasureText(const std::string& text, const FontSpec& font) = 0;
  // The same, broken into lines at word boundaries to fit width.
  virtual Size MeasureWrapped(const std::string& text, const FontSpec& font, int width) = 0;
  // The primary screen's size (SM_CXSCREEN, SM_CYSCREEN).
  virtual Size ScreenSize() = 0;
};

}  // namespace platform
