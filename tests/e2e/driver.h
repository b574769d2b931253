// What the end-to-end tests do to the real program: start it as a separate
// process, find its windows as a screen reader would (class and text), press
// them with real mouse and keyboard input, and count the clicks that arrive
// on a target window of the driver's own.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace e2e {

std::string ExeDirectory();
std::string TapfinchPath();

// Processes the driver's own messages for a while (the target's clicks).
void Pump(DWORD milliseconds);
// Pumps until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMilliseconds);
// The same without handling a message: what a test waits with while a run
// goes on. Under Wine every process turns the X server's pointer motion
// over its windows into mouse input, and a run warps the pointer to its
// point and back at every tick: a driver reading its X events meanwhile
// feeds those warps back late, which can move a click's up off its down,
// or leave the pointer on the point so that the next tick finds it there
// and keeps it there. The clicks wait in the driver's queue, stamped with
// the time of their input, for a Pump after the run.
bool Poll(const std::function<bool()>& condition, DWORD timeoutMilliseconds);
// Ctrl and a key, without handling messages (PressCombination would).
void CtrlKey(WORD key);

// A run on one point, started and stopped with Ctrl+F9 and Ctrl+F10 while
// the user's pointer rests at home, watched by polling the cursor. Between
// clicks the cursor is back at home; read in the middle of a tick it may be
// on the point, never anywhere else.
struct WatchedRun {
  bool started = false;
  bool stopped = false;
  std::size_t atHome = 0;
  std::vector<POINT> strays;  // readings at neither
  POINT left{};               // where the stop left the cursor
};
WatchedRun WatchRun(HWND stop, POINT home, POINT point, DWORD milliseconds);

class Target {
 public:
  struct Click {
    UINT message;
    POINT at;     // screen coordinates
    double time;  // milliseconds, high resolution
  };
  Target(int x, int y, int width, int height);
  ~Target();
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  [[nodiscard]] HWND window() const noexcept { return window_; }
  [[nodiscard]] POINT center() const noexcept;
  [[nodiscard]] const std::vector<Click>& clicks() const noexcept { return clicks_; }
  [[nodiscard]] std::size_t leftDowns() const noexcept;
  // Presses and releases of the middle and side buttons that reached it.
  [[nodiscard]] std::size_t otherButtons() const noexcept;
  void clear() noexcept { clicks_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<Click> clicks_;
};

// An ordinary window of the driver's, which can be activated and records
// the keys it receives.
class Window {
 public:
  Window(int x, int y, int width, int height);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  [[nodiscard]] HWND window() const noexcept { return window_; }
  // Makes it the foreground window with the keyboard focus.
  bool activate();
  [[nodiscard]] const std::vector<WPARAM>& keys() const noexcept { return keys_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<WPARAM> keys_;
};

// True when a is above b in the Z order of top-level windows.
bool IsAbove(HWND a, HWND b);

// Runs a copy of the program that is expected to end by itself; its exit
// code, or STILL_ACTIVE when it did not end in time. `showedWindow` tells
// whether it ever showed a main window meanwhile.
DWORD RunToExit(const std::string& path, DWORD timeoutMilliseconds, bool* showedWindow = nullptr);

// Presses a key combination with real input: modifiers down, key, modifiers up.
void PressCombination(std::initializer_list<WORD> modifiers, WORD key);

double NowMilliseconds();

// "x, y", as a point's two fields read together.
std::string PointText(POINT point);

// A window's text as the window itself gives it (WM_GETTEXT, so also an
// edit's typed text), in UTF-8.
std::string TextOf(HWND window);
// A window's text as the system keeps it (GetWindowTextW: titles, and the
// captions of statics and buttons of another process), in UTF-8.
std::string CaptionOf(HWND window);
std::string ClassOf(HWND window);
POINT CenterOf(HWND window);
void MoveCursor(POINT at);
void ClickAt(POINT at);
void Click(HWND window);
void PressKey(WORD virtualKey, int times = 1);
// Rows of a list box of the program: count, selection and text.
int ListCount(HWND list);
bool ListSelected(HWND list, int row);
int ListSelectedCount(HWND list);
int ListCaret(HWND list);  // the row with the focus rectangle
std::string ListText(HWND list, int row);
// Rows of a list box by their text, as one string per row.
std::vector<std::string> ListRows(HWND list);

// Whether the driver can take a combination as a hotkey (released at once).
bool HotkeyFree(UINT modifiers, UINT key);
// The visible dialogs (message boxes, file dialogs) of a process.
std::size_t VisibleDialogs(DWORD processId);
// The left button pressed or let go where the cursor is, nothing else.
void LeftButton(bool down);

// A button of the X server's pointer pressed and released (8: the first
// side button, 9: the second, 2: the middle) with xdotool: input Wine takes
// as physical, as a hook sees a real mouse's, where the driver's
// SendInput is injected. It reaches Wine only over one of its windows.
void XButtonClick(int button);
// The X server's pointer moved to a point of the Windows desktop, as a
// real mouse moves it: hovering, which SetCursorPos's warp is not.
void XPointerTo(POINT at);

// Types text (UTF-8) as characters, whatever the keyboard layout, one at a time.
void TypeText(const std::string& text);
// Replaces an edit field's text from the keyboard: click, select all, type.
void RetypeInto(HWND field, const std::string& text);
// Removes the program's settings key, so that a test starts and ends clean.
void DeleteSettings();

// A right click, which opens a control's context menu.
void RightClickAt(POINT at);
// Puts text on the system clipboard, as another program would.
bool SetClipboardText(const std::string& text);

class Tapfinch {
 public:
  explicit Tapfinch(const std::string& path = TapfinchPath());
  ~Tapfinch();
  Tapfinch(const Tapfinch&) = delete;
  Tapfinch& operator=(const Tapfinch&) = delete;

  [[nodiscard]] bool started() const noexcept { return main_ != nullptr; }
  [[nodiscard]] HWND mainWindow() const noexcept { return main_; }
  [[nodiscard]] DWORD processId() const noexcept { return process_.dwProcessId; }
  [[nodiscard]] HANDLE process() const noexcept { return process_.hProcess; }

  // A visible control of the main window by class and, when given, text.
  [[nodiscard]] HWND control(const char* className, const char* text = nullptr) const;
  // The visible control of a class whose parent has this text.
  [[nodiscard]] HWND childOf(const char* parentText, const char* className) const;
  // All visible controls of a class, left to right.
  [[nodiscard]] std::vector<HWND> controls(const char* className) const;
  // Clicks one of the page control's tabs by its position in the row.
  void selectTab(int index) const;
  // Clicks the control again until the condition holds (a run's cursor
  // moves can take a click elsewhere).
  bool clickUntil(HWND control, const std::function<bool()>& condition, int attempts = 5) const;
  // Steps a spin field with the arrow keys.
  void stepField(HWND field, WORD key, int times) const;
  // The interval of the tab that shows, from the default 5 s: seconds
  // down to 0, tenths up to this; false when the fields did not take it.
  [[nodiscard]] bool setTenths(int tenths) const;
  // Presses the space bar while a point is being tracked and waits for the
  // two point fields to show it; what they show then, as PointText does.
  [[nodiscard]] std::string lockWithSpace(POINT point, DWORD timeoutMilliseconds = 2000) const;
  // The control that has the keyboard focus in the program (null if none).
  [[nodiscard]] HWND focusedControl() const;

  // Closes the main window and waits for the process; its exit code, or
  // STILL_ACTIVE when it did not end.
  DWORD close(DWORD timeoutMilliseconds = 10000);
  [[nodiscard]] bool waitForExit(DWORD timeoutMilliseconds);
  [[nodiscard]] DWORD exitCode() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// Top-level windows of a process by class.
std::vector<HWND> WindowsOf(DWORD processId, const char* className);

// The program's visible file dialog, once it is open (null if none opens).
HWND FileDialog(const Tapfinch& app);
// Names a file in the dialog, in any script, as text put into its name
// field, and presses its OK button; true once the dialog is gone.
bool ChooseFile(HWND dialog, const std::wstring& path);
bool ChooseFile(HWND dialog, const std::string& path);  // UTF-8
// The program's visible message box with this title, once it shows (null
// if none does).
HWND MessageBoxOf(const Tapfinch& app, const std::string& title, DWORD timeoutMilliseconds = 5000);
// The texts of a dialog's static controls (a message box's message), as
// the system keeps them, in UTF-8.
std::vector<std::string> StaticTexts(HWND dialog);

// The visible top-level window of a process by class (null if none).
HWND VisibleWindowOf(DWORD processId, const char* className);

// ------------------------------------------------------------- appearance

// Pixels as a 24-bit .bmp holds them: rows bottom-up, each padded to four
// bytes, blue, green, red.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bits;
  [[nodiscard]] int stride() const noexcept { return (width * 3 + 3) & ~3; }
  [[nodiscard]] COLORREF at(int x, int y) const;  // y from the top
  [[nodiscard]] std::size_t distinctColours() const;
};

// What the screen shows of the window now, frame included.
Picture CaptureWindow(HWND window);
bool WriteBitmap(const Picture& picture, const std::string& path);
// An empty picture when the file is missing or not a 24-bit bitmap.
Picture ReadBitmap(const std::string& path);
// The folder named by TAPFINCH_E2E_ARTEFACTS (made when missing), or the
// driver's own folder without it; with the trailing backslash.
std::string ArtefactDirectory();

// Pixels per inch the window is drawn at: GetDpiForWindow where the system
// has it, else 96.
int WindowDpi(HWND window);
// A caption as a control shows it: "&x" underlines x, "&&" is one "&".
std::string WithoutAccelerators(const std::string& text);
// The size of text drawn in one of the program's fonts (the very font the
// program makes of the description), scaled from 96 pixels per inch to dpi.
// With a wrap width, lines break at words to fit it.
SIZE MeasureInFont(const std::string& text, platform::FontSpec font, int dpi, int wrapWidth = 0);

// How a control draws its caption: which font, and whether it breaks lines
// at words (labels with the system's own wrapping are seen from their style).
struct CaptionLook {
  platform::FontSpec font;
  bool wordWrap = false;
};
struct CaptionMisfit {
  std::string className;
  std::string text;
  SIZE needed;     // the text with the control's own decoration
  SIZE available;  // the control's client area
};
using CaptionLookup = std::function<CaptionLook(const std::string& className, const std::string& text)>;
// The visible captioned controls under `parent` (push, check and radio
// buttons, group boxes, labels, colour buttons, 3D labels) whose caption
// does not fit inside the control at dpi. `checked`, when given, gets the
// class and text of every control measured.
std::vector<CaptionMisfit> CaptionMisfits(HWND parent, const CaptionLookup& lookOf, int dpi,
                                          std::vector<std::string>* checked = nullptr);
// One line per misfit: class, text, needed and available.
std::string Describe(const std::vector<CaptionMisfit>& misfits);

}  // namespace e2e
