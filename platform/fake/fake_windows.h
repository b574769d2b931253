// Native windows on the fake desktop, one class per kind, and the parts of
// Windows the program relies on around them: focus and activation, the
// dialog manager's keys (Tab and Shift+Tab through the tab stops, arrows
// within a group, Enter and Esc as the form's commands), the push button's
// Space and click, and the native edit's keys, clipboard and context menu.
// The peers record what the framework pushed, for tests to read.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/peers.h"
#include "platform/process.h"

namespace platform::fake {

// MeasureText's character cell at the layout's font, and at any font.
inline constexpr int kCellWidth = 6;
Size CellOf(const FontSpec& font);

// What a window tells the dialog manager it handles itself (the DLGC_*
// values of WM_GETDLGCODE). Keys a window does not claim move the focus
// (Tab, arrows) or become the form's Enter and Esc commands.
enum DialogCode : std::uint32_t {
  kDlgWantArrows = 0x0001,
  kDlgWantTab = 0x0002,
  kDlgWantMessage = 0x0004,  // this very key (DLGC_WANTALLKEYS)
  kDlgHasSetSel = 0x0008,
  kDlgDefPushButton = 0x0010,
  kDlgUndefPushButton = 0x0020,
  kDlgRadioButton = 0x0040,
  kDlgWantChars = 0x0080,
  kDlgStatic = 0x0100,
  kDlgButton = 0x2000,
};

class FakeClock;
class FakeMouse;
class FakeClipboard;
class FakeDesktop;

class FakeWindow : public WindowPeer {
 public:
  FakeWindow(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events);
  ~FakeWindow() override;
  FakeWindow(const FakeWindow&) = delete;
  FakeWindow& operator=(const FakeWindow&) = delete;

  void SetText(const std::string& text) override { text_ = text; }
  void SetBounds(const Rect& bounds) override { bounds_ = bounds; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetEnabled(bool enabled) override;
  void SetColor(Color color) override { color_ = color; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  void SetFocus() override;
  void Invalidate() override { ++paints_; }
  void SetCursor(CursorShape cursor) override { cursor_ = cursor; }
  [[nodiscard]] CursorShape cursor() const noexcept { return cursor_; }

  [[nodiscard]] const std::string& className() const noexcept { return className_; }
  [[nodiscard]] const std::string& text() const noexcept { return text_; }
  [[nodiscard]] const Rect& bounds() const noexcept { return bounds_; }
  [[nodiscard]] bool visible() const noexcept { return visible_; }
  [[nodiscard]] bool enabled() const noexcept { return enabled_; }
  [[nodiscard]] bool tabStop() const noexcept { return tabStop_; }
  [[nodiscard]] Color color() const noexcept { return color_; }
  [[nodiscard]] const FontSpec& font() const noexcept { return font_; }
  [[nodiscard]] int paints() const noexcept { return paints_; }
  [[nodiscard]] FakeWindow* parent() const noexcept { return parent_; }
  [[nodiscard]] const std::vector<FakeWindow*>& children() const noexcept { return children_; }
  [[nodiscard]] FakeWindow& root() noexcept;
  [[nodiscard]] PeerEvents& events() const noexcept { return events_; }

  // The window's answer to WM_GETDLGCODE: its kind's, and what the
  // framework claims for the key.
  [[nodiscard]] std::uint32_t dialogCode(std::uint16_t key);
  // Tab and the group search descend into such windows (WS_EX_CONTROLPARENT).
  [[nodiscard]] virtual bool controlParent() const noexcept { return false; }
  // A form the dialog manager works in (not the application window).
  [[nodiscard]] virtual bool dialogForm() const noexcept { return false; }
  // Its caption's accelerator pressed: a button is clicked (BM_CLICK).
  virtual void accelerate();
  // A window that holds others and is a stop too, after them.
  [[nodiscard]] virtual bool stopAfterChildren() const noexcept { return false; }

  // The messages as the window procedure receives them: the framework
  // first, then the native control with whatever key is left.
  void keyDown(std::uint16_t key, ShiftBits shift);
  void keyUp(std::uint16_t key, ShiftBits shift);
  void character(char ch, ShiftBits shift);
  virtual void mouseDown(MouseButton button, int x, int y, ShiftBits shift);
  virtual void mouseUp(MouseButton button, int x, int y, ShiftBits shift);
  void focusChanged(bool focused);

 protected:
  [[nodiscard]] virtual std::uint32_t nativeDialogCode() const noexcept { return 0; }
  virtual void nativeKeyDown(std::uint16_t /*key*/, ShiftBits /*shift*/) {}
  virtual void nativeKeyUp(std::uint16_t /*key*/, ShiftBits /*shift*/) {}
  virtual void nativeCharacter(char /*ch*/, ShiftBits /*shift*/) {}
  virtual void nativeFocus(bool /*focused*/) {}
  [[nodiscard]] bool inside(int x, int y) const noexcept {
    return x >= 0 && y >= 0 && x < bounds_.width && y < bounds_.height;
  }

  FakeDesktop& desktop_;
  PeerEvents& events_;
  std::string text_;

 private:
  std::string className_;
  FakeWindow* parent_;
  std::vector<FakeWindow*> children_;
  Rect bounds_;
  bool visible_;
  bool enabled_;
  bool tabStop_;
  Color color_;
  FontSpec font_;
  CursorShape cursor_ = CursorShape::kArrow;
  int paints_ = 0;
};

// Forms and the application window.
class FakeTopLevel final : public FakeWindow, public TopLevelPeer {
 public:
  FakeTopLevel(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events, bool form);

  void Show(ShowMode mode) override;
  void SetMenu(const std::vector<MenuItemSpec>& menu) override { menu_ = menu; }
  Size ClientSize() override { return {}; }  // unknown: the framework computes it
  void RunModal(const std::function<bool()>& done) override;
  void SetBorder(FormBorder border) override { border_ = border; }
  [[nodiscard]] bool resizable() const noexcept { return border_ == FormBorder::kSizeable; }
  [[nodiscard]] FormBorder border() const noexcept { return border_; }
  int Dpi() override;

  [[nodiscard]] bool controlParent() const noexcept override { return form_; }
  [[nodiscard]] bool dialogForm() const noexcept override { return form_; }
  [[nodiscard]] bool iconic() const noexcept { return iconic_; }
  [[nodiscard]] bool shownCentered() const noexcept { return shownCentered_; }
  [[nodiscard]] std::uint64_t zOrder() const noexcept { return zOrder_; }
  [[nodiscard]] const std::vector<MenuItemSpec>& menu() const noexcept { return menu_; }
  [[nodiscard]] int modalRuns() const noexcept { return modalRuns_; }

  // What another program does to this window.
  void externalRestore();
  void externalBringToTop();
  // The user logs off: the system asks the window (WM_QUERYENDSESSION),
  // then tells it whether the session really ends (WM_ENDSESSION).
  void sessionQuery();
  void sessionEnded(bool ending);
  // The user closes it with its title bar's close button (WM_CLOSE).
  void close();
  // The user dragged the window onto a monitor of another scale; the
  // system suggests these outer bounds.
  void moveToMonitor(int dpi, const Rect& suggested);

 private:
  bool form_;
  bool iconic_ = false;
  bool shownCentered_ = false;
  std::uint64_t zOrder_ = 0;
  std::vector<MenuItemSpec> menu_;
  int modalRuns_ = 0;
  FormBorder border_ = FormBorder::kSizeable;
  int dpi_ = 0;  // 0: the primary monitor's
};

// Push buttons, check boxes and radio buttons: the BUTTON class.
class FakeButton final : public FakeWindow, public CheckPeer {
 public:
  enum class Style { kPush, kCheck, kRadio };
  FakeButton(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events, Style style);
  void SetChecked(bool checked) override { checked_ = checked; }
  [[nodiscard]] bool checked() const noexcept { return checked_; }
  [[nodiscard]] bool pushed() const noexcept { return pushed_; }

  void mouseDown(MouseButton button, int x, int y, ShiftBits shift) override;
  void mouseUp(MouseButton button, int x, int y, ShiftBits shift) override;

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override;
  void nativeKeyDown(std::uint16_t key, ShiftBits shift) override;
  void nativeKeyUp(std::uint16_t key, ShiftBits shift) override;
  void nativeFocus(bool focused) override;

 private:
  void clicked();
  Style style_;
  bool checked_;
  bool pushed_ = false;
};

// The commands of an edit's context menu.
enum class EditCommand : std::uint8_t { kCut, kCopy, kPaste, kDelete, kSelectAll };

// The EDIT class: text, selection and caret, and every way it changes
// them by itself. A read-only edit refuses them all, as Windows does.
class FakeEdit final : public FakeWindow, public EditPeer {
 public:
  FakeEdit(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events);

  void SetText(const std::string& text) override;
  void SetSelection(int start, int end) override;
  std::pair<int, int> Selection() override;
  void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }

  [[nodiscard]] bool readOnly() const noexcept { return readOnly_; }
  [[nodiscard]] bool multiLine() const noexcept { return style_.multiLine; }
  [[nodiscard]] const EditStyle& style() const noexcept { return style_; }
  [[nodiscard]] std::string selectedText() const;
  // A pick from the edit's own context menu.
  void contextCommand(EditCommand command);

  void mouseDown(MouseButton button, int x, int y, ShiftBits shift) override;

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override;
  void nativeKeyDown(std::uint16_t key, ShiftBits shift) override;
  void nativeCharacter(char ch, ShiftBits shift) override;

 private:
  [[nodiscard]] std::size_t low() const noexcept { return std::min(anchor_, caret_); }
  [[nodiscard]] std::size_t high() const noexcept { return std::max(anchor_, caret_); }
  void replaceSelection(const std::string& with);
  void moveCaret(std::size_t to, bool extend) noexcept;
  void copy();
  void cut();
  void paste();
  void clear(bool forward);

  EditStyle style_;
  bool readOnly_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
};

// The page control's row of tabs.
class FakeTabs final : public FakeWindow, public TabsPeer {
 public:
  using FakeWindow::FakeWindow;
  void SetTab(int index, const std::string& caption) override;
  void SetTabIndex(int index) override { tabIndex_ = index; }
  Rect DisplayRect() override { return {}; }  // unknown: the framework computes it

  // The pages are the row's siblings on Windows, laid over it: Tab visits
  // their controls and then stops at the row itself.
  [[nodiscard]] bool controlParent() const noexcept override { return true; }
  [[nodiscard]] bool stopAfterChildren() const noexcept override { return true; }
  [[nodiscard]] const std::vector<std::string>& tabs() const noexcept { return tabs_; }
  [[nodiscard]] int tabIndex() const noexcept { return tabIndex_; }

 protected:
  // Left and Right pick the tab beside the selected one, as the system's
  // tab row does; none past either end.
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override { return kDlgWantArrows; }
  void nativeKeyDown(std::uint16_t key, ShiftBits shift) override;

 private:
  std::vector<std::string> tabs_;
  int tabIndex_ = -1;
};

// The LISTBOX class as the framework makes it: owner-drawn rows of a fixed
// height, any set of them selected. The user's keys and clicks move the
// selection and report it; the program's own changes report nothing.
class FakeListBox final : public FakeWindow, public ItemsPeer {
 public:
  FakeListBox(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events);

  void InsertItem(int index, const std::string& text) override;
  void DeleteItem(int index) override;
  void ClearItems() override;
  void SetItemSelected(int index, bool selected) override;
  void SetCaretIndex(int index) override { caret_ = index; }
  int TopIndex() override { return top_; }
  void SetTopIndex(int index) override { top_ = std::max(0, index); }
  void RedrawItems() override { ++redraws_; }
  void SetItemHeight(int height) override { itemHeight_ = height; }

  [[nodiscard]] const std::vector<std::string>& items() const noexcept { return items_; }
  [[nodiscard]] std::vector<int> selection() const;
  [[nodiscard]] int caret() const noexcept { return caret_; }
  [[nodiscard]] int itemHeight() const noexcept { return itemHeight_; }
  [[nodiscard]] int redraws() const noexcept { return redraws_; }
  // Has the framework draw every visible row, as a WM_PAINT would.
  void paint(Canvas& canvas);

  void mouseDown(MouseButton button, int x, int y, ShiftBits shift) override;

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override { return kDlgWantArrows | kDlgWantChars; }
  void nativeKeyDown(std::uint16_t key, ShiftBits shift) override;

 private:
  void selectOnly(int index);
  std::vector<std::string> items_;
  std::vector<bool> selected_;
  int caret_ = -1;
  int top_ = 0;
  int itemHeight_;
  int redraws_ = 0;
};

// The COMBOBOX class with an edit field: the user picks an entry (the text
// becomes the entry's) or types; both report the new text. The program's
// own changes report nothing.
class FakeComboBox final : public FakeWindow, public ComboPeer {
 public:
  using FakeWindow::FakeWindow;
  void SetItems(const std::vector<std::string>& items) override {
    items_ = items;
    index_ = -1;
  }
  void SetItemIndex(int index) override;
  int ItemIndex() override { return index_; }

  [[nodiscard]] const std::vector<std::string>& items() const noexcept { return items_; }
  // The user picks entry index from the drop-down list.
  void pick(int index);
  // The user types text into the edit field, one character at a time.
  // As the system's combo box does, an edit leaves no entry selected,
  // except that the first one after an arrow key's step still reports the
  // entry stepped to, as Wine's does.
  void type(const std::string& text);
  // The user replaces the whole text (select all, type).
  void retype(const std::string& text);

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override { return kDlgWantChars | kDlgWantArrows; }
  // Up and Down step through the entries of the closed list, each step a
  // pick; with none selected, either selects the first.
  void nativeKeyDown(std::uint16_t key, ShiftBits shift) override;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
  bool stepped_ = false;  // the last change was an arrow key's step
};

// The header control: sections whose borders the user drags.
class FakeHeader final : public FakeWindow, public HeaderPeer {
 public:
  using FakeWindow::FakeWindow;
  void SetSections(const std::vector<HeaderSection>& sections) override { sections_ = sections; }
  [[nodiscard]] const std::vector<HeaderSection>& sections() const noexcept { return sections_; }
  // The user drags the right border of section index to a new width.
  void dragSection(int index, int width);

 private:
  std::vector<HeaderSection> sections_;
};

// Group boxes, panels, tab sheets and scroll boxes: windows that hold controls.
class FakeContainer final : public FakeWindow {
 public:
  FakeContainer(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events, bool groupBox)
      : FakeWindow(desktop, params, events), groupBox_(groupBox) {}
  [[nodiscard]] bool controlParent() const noexcept override { return true; }

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override {
    return groupBox_ ? std::uint32_t{kDlgStatic} : 0u;
  }

 private:
  bool groupBox_;
};

// Labels (STATIC) and self-painted controls, whose mouse goes to the framework.
class FakeLabel final : public FakeWindow {
 public:
  using FakeWindow::FakeWindow;

 protected:
  [[nodiscard]] std::uint32_t nativeDialogCode() const noexcept override { return kDlgStatic; }
};

class FakeCustom final : public FakeWindow {
 public:
  using FakeWindow::FakeWindow;
  // A self-painted button is clicked through its framework control.
  void accelerate() override;
};

class FakeDesktop final : public Windows {
 public:
  FakeDesktop(FakeClock& clock, FakeMouse& mouse, FakeClipboard& clipboard);
  ~FakeDesktop() override;
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  std::unique_ptr<WindowPeer> CreatePeer(const PeerParams& params, PeerEvents& events) override;
  // A sizing frame is a pixel wider on each side than a fixed one.
  Size FormFrameSize(bool withMenu, FormBorder border) override {
    const int thin = border == FormBorder::kSizeable ? 0 : 2;
    return {8 - thin, (withMenu ? 46 : 27) - thin};
  }
  int ScrollBarWidth() override { return 16; }
  // A 6 x 13 cell per character at the layout's 11-pixel font, in
  // proportion for other heights; line by line; bold adds a pixel a character.
  Size MeasureText(const std::string& text, const FontSpec& font) override;
  Size MeasureWrapped(const std::string& text, const FontSpec& font, int width) override;
  Size ScreenSize() override { return {1280, 1024}; }
  // The primary monitor's pixels per inch, which new windows start on.
  void setDpi(int dpi) noexcept { dpi_ = dpi; }
  [[nodiscard]] int dpi() const noexcept { return dpi_; }

  // ---- what a test sees
  [[nodiscard]] std::vector<FakeTopLevel*> topLevelWindows() const;
  [[nodiscard]] FakeTopLevel* findTopLevel(const std::string& className, const std::string& text) const;
  [[nodiscard]] FakeTopLevel* liveTopLevel(WindowRef window) const;
  [[nodiscard]] FakeWindow* focused() const noexcept { return focused_; }
  [[nodiscard]] FakeTopLevel* activeForm() const noexcept { return activeForm_; }
  // The system refuses new windows: CreatePeer answers null.
  void refuseWindows(bool refuse) noexcept { refuseWindows_ = refuse; }

  // ---- the user's keyboard, to the focused window through the dialog manager
  // Down, the character it makes unless the dialog manager took the key, up.
  void pressKey(std::uint16_t key, ShiftBits shift = 0, char character = 0);
  void typeText(const std::string& text);
  // ---- the user's mouse on a window, in its client coordinates
  void click(FakeWindow& window, int x, int y, ShiftBits extra = 0);
  void mouseDown(FakeWindow& window, MouseButton button, int x, int y, ShiftBits shift);
  void mouseUp(FakeWindow& window, MouseButton button, int x, int y, ShiftBits shift);
  // The window pressed last holds the mouse capture until the release.
  // Another window takes it (a message box opens, Alt+Tab): the holder
  // hears it, and the release then goes elsewhere.
  void loseCapture();
  // The user lets the left button go over another program's window.
  void releaseElsewhere();
  // ---- modal windows: each one that opens runs the next script, then,
  // if still open, is closed as with its title bar's close button.
  void whenModal(std::function<void(FakeTopLevel&)> script);
  // Logoff or shutdown: every top-level window is asked, then told that
  // the session ends; what happens next (the process ended) is the test's
  // to do. Cancelled: another program refused, and the session goes on.
  void endSession(bool cancelled = false);
  [[nodiscard]] std::size_t pendingModalScripts() const noexcept { return modalScripts_.size(); }

  // ---- for the windows
  [[nodiscard]] FakeClock& clock() noexcept { return clock_; }
  [[nodiscard]] FakeMouse& mouse() noexcept { return mouse_; }
  [[nodiscard]] FakeClipboard& clipboard() noexcept { return clipboard_; }
  void focus(FakeWindow* window);
  void activate(FakeTopLevel* form);
  std::uint64_t raise() noexcept { return ++zCounter_; }
  void runModalScript(FakeTopLevel& window);
  void added(FakeWindow* window);
  void removed(FakeWindow* window) noexcept;
  // Runs a message on the system's side: an error goes to the error handler.
  void deliver(const std::function<void()>& message);

 private:
  [[nodiscard]] FakeWindow* keyTarget() const noexcept;
  bool dialogKey(FakeWindow& target, std::uint16_t key, ShiftBits shift);
  // A character the focused window does not take (or any with Alt) looks
  // for a button or label whose caption has it as its accelerator.
  bool accelerator(FakeWindow& target, char character, ShiftBits shift);
  void moveTab(FakeWindow& form, FakeWindow* current, bool previous);
  void moveInGroup(FakeWindow& form, FakeWindow& current, bool previous);
  void moveFocus(FakeWindow& form, FakeWindow* current, bool previous, bool tabStopsOnly);

  FakeClock& clock_;
  FakeMouse& mouse_;
  FakeClipboard& clipboard_;
  std::vector<FakeWindow*> windows_;
  FakeWindow* focused_ = nullptr;
  FakeWindow* captured_ = nullptr;
  FakeTopLevel* activeForm_ = nullptr;
  std::uint64_t zCounter_ = 0;
  bool refuseWindows_ = false;
  int dpi_ = 96;
  std::deque<std::function<void(FakeTopLevel&)>> modalScripts_;
};

}  // namespace platform::fake
