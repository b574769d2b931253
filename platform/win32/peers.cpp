// Native windows for the framework's controls. WM_* messages become
// PeerEvents calls here and nowhere else; notifications that Windows sends
// to a parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) are handed back to the
// child they are about.
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/internal.h"
// After windows.h, which internal.h brings.
#include <commctrl.h>

namespace platform::win32 {

COLORREF Resolve(Color color) noexcept {
  if ((color & kSystemColorFlag) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

ShiftBits KeyboardShift() noexcept {
  ShiftBits bits = 0;
  if (GetKeyState(VK_SHIFT) < 0) bits |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) bits |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) bits |= kAlt;
  return bits;
}

HFONT GdiCache::Font(const FontSpec& font) {
  const auto key = std::make_tuple(std::string(font.name), font.height, font.bold, font.underline);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HFONT created = CreateFontA(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, font.name);
    // Without the font the system font serves; nothing else to do.
    if (created == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    it = fonts_.emplace(key, UniqueGdiObject(created)).first;
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

// ------------------------------------------------------------ window classes

namespace {

struct ClassTable {
  std::map<std::string, ATOM> byName;
  std::map<ATOM, WNDPROC> baseProcedures;
};

// Window classes are process-wide in Windows itself; this table mirrors it.
ClassTable& Classes() {
  static ClassTable table;
  return table;
}

const char* SystemClassFor(PeerKind kind) noexcept {
  switch (kind) {
    case PeerKind::kButton:
    case PeerKind::kCheckBox:
    case PeerKind::kRadioButton:
    case PeerKind::kGroupBox:
      return "BUTTON";
    case PeerKind::kEdit:
      return "EDIT";
    case PeerKind::kLabel:
      return "STATIC";
    case PeerKind::kPageControl:
      return WC_TABCONTROLA;
    default:
      return nullptr;
  }
}

}  // namespace

WNDPROC BaseProcedureOf(HWND window) noexcept {
  const auto atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
  const auto& procedures = Classes().baseProcedures;
  const auto it = procedures.find(atom);
  return it != procedures.end() ? it->second : DefWindowProcA;
}

const char* EnsureWindowClass(const std::string& name, PeerKind kind, WNDPROC procedure) {
  auto& table = Classes();
  if (const auto it = table.byName.find(name); it != table.byName.end()) return it->first.c_str();
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  WNDPROC base = DefWindowProcA;
  if (const char* system = SystemClassFor(kind)) {
    if (GetClassInfoExA(nullptr, system, &info) == 0) throw std::runtime_error("Error creating window class");
    base = info.lpfnWndProc;
    info.cbSize = sizeof info;
    info.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  } else {
    info.style = CS_DBLCLKS;
    info.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    info.hbrBackground = nullptr;  // every window erases its own background
  }
  const auto inserted = table.byName.emplace(name, 0).first;
  info.hInstance = GetModuleHandleA(nullptr);
  info.lpfnWndProc = procedure;
  info.lpszClassName = inserted->first.c_str();
  const ATOM atom = RegisterClassExA(&info);
  if (atom == 0) {
    table.byName.erase(inserted);
    throw std::runtime_error("Error creating window class");
  }
  inserted->second = atom;
  table.baseProcedures[atom] = base;
  return inserted->first.c_str();
}

// ------------------------------------------------------------- drawing

namespace {

RECT ToRect(const Rect& r) noexcept { return RECT{r.left, r.top, r.right(), r.bottom()}; }

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, GdiCache& gdi) : dc_(dc), gdi_(gdi) {}

  void FillRect(const Rect& r, Color color) override {
    const RECT rc = ToRect(r);
    ::FillRect(dc_, &rc, gdi_.Brush(color));
  }
  void Line(int x1, int y1, int x2, int y2, Color color) override {
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, Resolve(color)));
    if (!pen) return;
    SelectGuard select(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
  }
  void FrameRect(const Rect& r, Color color) override {
    const RECT rc = ToRect(r);
    ::FrameRect(dc_, &rc, gdi_.Brush(color));
  }
  void DrawFocusRect(const Rect& r) override {
    const RECT rc = ToRect(r);
    ::DrawFocusRect(dc_, &rc);
  }
  void DrawString(const std::string& text, const Rect& r, const FontSpec& font, Color color,
                  std::uint32_t format) override {
    SelectGuard select(dc_, gdi_.Font(font));
    SetTextColor(dc_, Resolve(color));
    SetBkMode(dc_, TRANSPARENT);
    RECT rc = ToRect(r);
    ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rc, format);
  }
  Size MeasureText(const std::string& text, const FontSpec& font) override {
    SelectGuard select(dc_, gdi_.Font(font));
    RECT rc{0, 0, 0, 0};
    ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT);
    return {rc.right, rc.bottom};
  }

 private:
  HDC dc_;
  GdiCache& gdi_;
};

// Child identifiers start above IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Esc; menu commands are offset likewise.
constexpr int kFirstChildId = 100;
constexpr int kMenuIdBase = 1000;

}  // namespace

// ------------------------------------------------------------- the peer

class Win32Peer final : public WindowPeer {
 public:
  Win32Peer(Win32Windows& windows, const PeerParams& params, PeerEvents& events);
  ~Win32Peer() override;

  void SetText(const std::string& text) override;
  void SetBounds(const Rect& bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetChecked(bool checked) override;
  void SetColor(Color color) override;
  void SetFont(const FontSpec& font) override;
  void SetFocus() override;
  void Invalidate() override;
  void SelectAll() override;
  void SetTab(int index, const std::string& caption) override;
  void SetTabIndex(int index) override;
  void Show(ShowMode mode) override;
  void SetMenu(const std::vector<MenuItemSpec>& menu) override;
  Size ClientSize() override;
  Rect DisplayRect() override;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static Win32Peer* FromWindow(HWND window) noexcept {
    return reinterpret_cast<Win32Peer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  LRESULT Base(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(base_, window_, message, wParam, lParam);
  }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleTopLevel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WORD code);
  LRESULT OnNotify(const NMHDR& header);
  HBRUSH OnControlColor(HDC dc);
  [[nodiscard]] bool ErasesBackground() const noexcept;
  void PaintCustom();
  void PaintFrame();
  [[nodiscard]] std::string WindowText() const;
  void FocusFirstControl();

  Win32Windows& windows_;
  PeerEvents& events_;
  PeerKind kind_;
  HWND window_ = nullptr;
  WNDPROC base_ = DefWindowProcA;
  Color color_;
  FontSpec font_;
  int frameWidth_;
  bool trackingMouse_ = false;
  bool wasIconic_ = false;
  bool raising_ = false;
  UniqueMenu menu_;
};

Win32Peer::Win32Peer(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
    : windows_(windows),
      events_(events),
      kind_(params.kind),
      color_(params.color),
      font_(params.font),
      frameWidth_(params.kind == PeerKind::kEdit ? params.frameWidth : -1) {
  const char* className = EnsureWindowClass(params.className, kind_, &Win32Peer::Procedure);
  HWND parent = params.parent != nullptr ? static_cast<Win32Peer*>(params.parent)->window_ : nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  Rect bounds = params.bounds;
  const bool child = kind_ != PeerKind::kForm && kind_ != PeerKind::kApplicationWindow;
  switch (kind_) {
    case PeerKind::kApplicationWindow:
      // Zero size and never painted: it exists for the taskbar entry and
      // the single-instance search.
      style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
      bounds = {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0};
      parent = nullptr;
      break;
    case PeerKind::kForm:
      style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      parent = params.owner != nullptr ? static_cast<Win32Peer*>(params.owner)->window_ : nullptr;
      break;
    case PeerKind::kButton:
      style = BS_PUSHBUTTON;
      break;
    case PeerKind::kCheckBox:
      style = BS_CHECKBOX;  // the framework toggles the state itself
      break;
    case PeerKind::kRadioButton:
      style = BS_RADIOBUTTON;
      break;
    case PeerKind::kGroupBox:
      style = BS_GROUPBOX | WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case PeerKind::kEdit:
      style = ES_AUTOHSCROLL | WS_CLIPCHILDREN;
      if (frameWidth_ < 0) exStyle = WS_EX_CLIENTEDGE;
      break;
    case PeerKind::kLabel:
      style = SS_LEFTNOWORDWRAP;
      break;
    case PeerKind::kPanel:
    case PeerKind::kTabSheet:
      style = WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case PeerKind::kPageControl:
      style = WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT;
      break;
    case PeerKind::kCustom:
      break;
  }
  if (child) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (params.visible) style |= WS_VISIBLE;
  }
  if (params.tabStop) style |= WS_TABSTOP;
  if (!params.enabled) style |= WS_DISABLED;
  static int nextChildId = kFirstChildId;
  HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId++)) : nullptr;
  HWND created = CreateWindowExA(exStyle, className, params.text.c_str(), style, bounds.left, bounds.top, bounds.width,
                                 bounds.height, parent, id, GetModuleHandleA(nullptr), this);
  if (created == nullptr) throw std::runtime_error("Error creating window");
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windows_.gdi().Font(font_)), FALSE);
  if (params.checked) SendMessageA(window_, BM_SETCHECK, BST_CHECKED, 0);
  if (kind_ == PeerKind::kEdit) {
    SendMessageA(window_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, params.rightMargin));
    if (frameWidth_ > 0) {
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (kind_ == PeerKind::kApplicationWindow) windows_.applicationWindow = window_;
  if (kind_ == PeerKind::kForm) windows_.forms.insert(window_);
}

Win32Peer::~Win32Peer() {
  if (window_ == nullptr) return;  // already gone with its parent
  windows_.forms.erase(window_);
  if (windows_.applicationWindow == window_) windows_.applicationWindow = nullptr;
  HWND window = window_;
  DestroyWindow(window);
}

LRESULT CALLBACK Win32Peer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Peer* peer = FromWindow(window);
  if (peer == nullptr && message == WM_NCCREATE) {
    peer = static_cast<Win32Peer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    peer->window_ = window;
    peer->base_ = BaseProcedureOf(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  }
  if (peer == nullptr) return CallWindowProcA(BaseProcedureOf(window), window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = peer->Base(message, wParam, lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    peer->windows_.forms.erase(window);
    peer->window_ = nullptr;
    return result;
  }
  try {
    return peer->Handle(message, wParam, lParam);
  } catch (...) {
    // The framework reports its errors itself; nothing may unwind through
    // the system's code, so a stray one ends with this message.
    return 0;
  }
}

bool Win32Peer::ErasesBackground() const noexcept {
  switch (kind_) {
    case PeerKind::kForm:
    case PeerKind::kPanel:
    case PeerKind::kTabSheet:
    case PeerKind::kGroupBox:
      return true;
    default:
      return false;
  }
}

LRESULT Win32Peer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (kind_ == PeerKind::kForm || kind_ == PeerKind::kApplicationWindow) {
    bool handled = false;
    const LRESULT result = HandleTopLevel(message, wParam, lParam, handled);
    if (handled) return result;
  }
  if (kind_ == PeerKind::kCustom) {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_RBUTTONUP:
      case WM_MOUSEMOVE:
      case WM_MOUSELEAVE:
        return HandleMouse(message, wParam, lParam);
      case WM_PAINT:
        PaintCustom();
        return 0;
      case WM_ERASEBKGND:
        return 1;  // painted whole, off-screen
      case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
      default:
        break;
    }
  }
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) {
        if (Win32Peer* child = FromWindow(reinterpret_cast<HWND>(lParam))) {
          child->OnCommand(HIWORD(wParam));
          return 0;
        }
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (Win32Peer* child = FromWindow(header->hwndFrom)) return child->OnNotify(*header);
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      if (Win32Peer* child = FromWindow(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->OnControlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_ERASEBKGND:
      if (ErasesBackground()) {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, windows_.gdi().Brush(color_));
        return 1;
      }
      break;
    case WM_PAINT:
      if (kind_ == PeerKind::kPanel) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        RECT client;
        GetClientRect(window_, &client);
        DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
        EndPaint(window_, &paint);
        return 0;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto key = static_cast<std::uint16_t>(wParam);
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        events_.PeerKeyDown(key, KeyboardShift());
      } else {
        events_.PeerKeyUp(key, KeyboardShift());
      }
      if (key == 0) return 0;  // swallowed by a handler
      wParam = key;
      break;
    }
    case WM_CHAR: {
      auto ch = static_cast<char>(wParam);
      events_.PeerKeyPress(ch);
      if (ch == 0) return 0;
      wParam = static_cast<unsigned char>(ch);
      break;
    }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
      if (kind_ == PeerKind::kEdit && !events_.PeerEditCommandAllowed()) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Base(message, wParam, lParam);
      if (kind_ != PeerKind::kForm && kind_ != PeerKind::kApplicationWindow) {
        events_.PeerFocusChanged(message == WM_SETFOCUS);
      }
      return result;
    }
    case WM_NCCALCSIZE:
      if (frameWidth_ > 0) {
        auto* rect =
            wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        InflateRect(rect, -frameWidth_, -frameWidth_);
        return 0;
      }
      break;
    case WM_NCPAINT:
      if (frameWidth_ > 0) {
        PaintFrame();
        return 0;
      }
      break;
    default:
      break;
  }
  return Base(message, wParam, lParam);
}

LRESULT Win32Peer::HandleTopLevel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) == 0 && LOWORD(wParam) >= kMenuIdBase) {
        events_.PeerMenuCommand(LOWORD(wParam) - kMenuIdBase);
        return 0;
      }
      break;
    case WM_CLOSE:
      events_.PeerCloseRequested();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        events_.PeerMinimizeRequested();
        return 0;
      }
      break;
    case WM_SIZE:
      if (kind_ == PeerKind::kForm) {
        const LRESULT result = Base(message, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) events_.PeerResized(LOWORD(lParam), HIWORD(lParam));
        return result;
      }
      break;
    case WM_ACTIVATE:
      if (kind_ == PeerKind::kForm) {
        const bool active = LOWORD(wParam) != WA_INACTIVE;
        events_.PeerFocusChanged(active);
        if (active) {
          HWND focus = GetFocus();
          if (focus == nullptr || (focus != window_ && !IsChild(window_, focus))) FocusFirstControl();
          if (GetFocus() != window_ && IsChild(window_, GetFocus())) return 0;
        }
      } else if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(window_) && !raising_) {
        // Activating the application window (another copy, the taskbar)
        // means the main window.
        raising_ = true;
        events_.PeerRaised();
        raising_ = false;
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (kind_ == PeerKind::kApplicationWindow) {
        const bool iconic = IsIconic(window_) != FALSE;
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (wasIconic_ && !iconic) {
          wasIconic_ = false;
          events_.PeerRestored();
        } else if (!iconic && (position->flags & SWP_NOZORDER) == 0 && !raising_) {
          raising_ = true;
          events_.PeerRaised();
          raising_ = false;
        }
        wasIconic_ = iconic;
      }
      break;
    default:
      break;
  }
  handled = false;
  return 0;
}

void Win32Peer::FocusFirstControl() {
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) ::SetFocus(first);
}

LRESULT Win32Peer::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  ShiftBits shift = KeyboardShift();
  if ((wParam & MK_LBUTTON) != 0) shift |= kLeftButton;
  if ((wParam & MK_RBUTTON) != 0) shift |= kRightButton;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(window_);
      events_.PeerMouseDown(MouseButton::kLeft, x, y, shift | (message == WM_LBUTTONDBLCLK ? kDouble : 0));
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      events_.PeerMouseDown(MouseButton::kRight, x, y, shift | (message == WM_RBUTTONDBLCLK ? kDouble : 0));
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == window_) ReleaseCapture();
      events_.PeerMouseUp(MouseButton::kLeft, x, y, shift);
      break;
    case WM_RBUTTONUP:
      events_.PeerMouseUp(MouseButton::kRight, x, y, shift);
      break;
    case WM_MOUSEMOVE:
      if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        trackingMouse_ = TrackMouseEvent(&track) != FALSE;
      }
      events_.PeerMouseMove(x, y, shift);
      break;
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      events_.PeerMouseLeave();
      break;
    default:
      break;
  }
  return 0;
}

void Win32Peer::OnCommand(WORD code) {
  switch (kind_) {
    case PeerKind::kButton:
    case PeerKind::kCheckBox:
    case PeerKind::kRadioButton:
      if (code == BN_CLICKED) events_.PeerClicked();
      break;
    case PeerKind::kEdit:
      if (code == EN_CHANGE) events_.PeerTextEdited(WindowText());
      break;
    default:
      break;
  }
}

LRESULT Win32Peer::OnNotify(const NMHDR& header) {
  if (kind_ == PeerKind::kPageControl && header.code == TCN_SELCHANGE) {
    events_.PeerTabSelected(static_cast<int>(SendMessageA(window_, TCM_GETCURSEL, 0, 0)));
  }
  return 0;
}

HBRUSH Win32Peer::OnControlColor(HDC dc) {
  switch (kind_) {
    case PeerKind::kLabel:
    case PeerKind::kCheckBox:
    case PeerKind::kRadioButton:
    case PeerKind::kGroupBox:
    case PeerKind::kEdit:
      SetTextColor(dc,
                   Resolve(IsWindowEnabled(window_) || kind_ == PeerKind::kEdit ? font_.color
                                                                                : kSystemColorFlag | COLOR_GRAYTEXT));
      SetBkColor(dc, Resolve(color_));
      return windows_.gdi().Brush(color_);
    default:
      return nullptr;
  }
}

void Win32Peer::PaintCustom() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width > 0 && height > 0) {
    // Drawn off-screen and copied in one piece: the face never flickers.
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(dc, width, height));
    if (memory && bitmap) {
      SelectGuard select(memory.get(), bitmap.get());
      GdiCanvas canvas(memory.get(), windows_.gdi());
      events_.PeerPaint(canvas);
      BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(window_, &paint);
}

void Win32Peer::PaintFrame() {
  HDC dc = GetWindowDC(window_);
  if (dc == nullptr) return;
  RECT outer;
  GetWindowRect(window_, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  const int fw = frameWidth_;
  ExcludeClipRect(dc, fw, fw, outer.right - fw, outer.bottom - fw);
  GdiCanvas canvas(dc, windows_.gdi());
  const int w = outer.right;
  const int h = outer.bottom;
  canvas.FillRect({0, 0, w, h}, color_);
  // A raised outer edge, a face line inside it at the top and left, and a
  // raised inner edge at the right and bottom.
  canvas.Line(0, 0, w - 1, 0, kSystemColorFlag | COLOR_BTNHIGHLIGHT);
  canvas.Line(0, 0, 0, h - 1, kSystemColorFlag | COLOR_BTNHIGHLIGHT);
  canvas.Line(w - 1, 0, w - 1, h, kSystemColorFlag | COLOR_BTNSHADOW);
  canvas.Line(0, h - 1, w, h - 1, kSystemColorFlag | COLOR_BTNSHADOW);
  canvas.Line(1, 1, w - 2, 1, kSystemColorFlag | COLOR_BTNFACE);
  canvas.Line(1, 1, 1, h - 2, kSystemColorFlag | COLOR_BTNFACE);
  canvas.Line(w - 2, 1, w - 2, h - 1, kSystemColorFlag | COLOR_BTNSHADOW);
  canvas.Line(1, h - 2, w - 1, h - 2, kSystemColorFlag | COLOR_BTNSHADOW);
  ReleaseDC(window_, dc);
}

std::string Win32Peer::WindowText() const {
  const int length = GetWindowTextLengthA(window_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void Win32Peer::SetText(const std::string& text) {
  if (kind_ == PeerKind::kTabSheet) return;  // its caption is its tab's
  SetWindowTextA(window_, text.c_str());
}

void Win32Peer::SetBounds(const Rect& bounds) {
  if (kind_ == PeerKind::kApplicationWindow) return;
  SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Peer::SetVisible(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

void Win32Peer::SetEnabled(bool enabled) {
  EnableWindow(window_, enabled ? TRUE : FALSE);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Peer::SetChecked(bool checked) {
  SendMessageA(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Peer::SetColor(Color color) {
  color_ = color;
  InvalidateRect(window_, nullptr, TRUE);
  if (frameWidth_ > 0) SendMessageA(window_, WM_NCPAINT, 1, 0);
}

void Win32Peer::SetFont(const FontSpec& font) {
  font_ = font;
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windows_.gdi().Font(font_)), TRUE);
}

void Win32Peer::SetFocus() { ::SetFocus(window_); }

void Win32Peer::Invalidate() { InvalidateRect(window_, nullptr, FALSE); }

void Win32Peer::SelectAll() {
  if (kind_ == PeerKind::kEdit) SendMessageA(window_, EM_SETSEL, 0, -1);
}

void Win32Peer::SetTab(int index, const std::string& caption) {
  if (kind_ != PeerKind::kPageControl || index < 0) return;
  std::string text = caption;
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  const int count = static_cast<int>(SendMessageA(window_, TCM_GETITEMCOUNT, 0, 0));
  SendMessageA(window_, index < count ? TCM_SETITEMA : TCM_INSERTITEMA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

void Win32Peer::SetTabIndex(int index) {
  if (kind_ == PeerKind::kPageControl) SendMessageA(window_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32Peer::Show(ShowMode mode) {
  if (kind_ == PeerKind::kApplicationWindow) {
    switch (mode) {
      case ShowMode::kHide:
        ShowWindow(window_, SW_HIDE);
        break;
      case ShowMode::kShowNormal:
      case ShowMode::kShowCentered:
        ShowWindow(window_, SW_SHOWNA);
        break;
      case ShowMode::kMinimize:
        ShowWindow(window_, SW_MINIMIZE);
        break;
      case ShowMode::kRestore:
        ShowWindow(window_, SW_RESTORE);
        break;
    }
    return;
  }
  switch (mode) {
    case ShowMode::kHide:
      ShowWindow(window_, SW_HIDE);
      break;
    case ShowMode::kShowCentered: {
      RECT outer;
      GetWindowRect(window_, &outer);
      const int width = outer.right - outer.left;
      const int height = outer.bottom - outer.top;
      SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      [[fallthrough]];
    }
    case ShowMode::kShowNormal:
      ShowWindow(window_, IsWindowVisible(window_) ? SW_SHOW : SW_SHOWNORMAL);
      SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      // Windows may refuse while another program is in the foreground.
      SetForegroundWindow(window_);
      break;
    case ShowMode::kMinimize:
      ShowWindow(window_, SW_MINIMIZE);
      break;
    case ShowMode::kRestore:
      ShowWindow(window_, SW_RESTORE);
      break;
  }
}

namespace {
void AppendItems(HMENU menu, const std::vector<MenuItemSpec>& items) {
  for (const MenuItemSpec& item : items) {
    if (!item.visible) continue;
    if (item.items.empty()) {
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(kMenuIdBase + item.id), item.caption.c_str());
    } else {
      HMENU popup = CreatePopupMenu();
      if (popup == nullptr) continue;
      AppendItems(popup, item.items);
      AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item.caption.c_str());
    }
  }
}
}  // namespace

void Win32Peer::SetMenu(const std::vector<MenuItemSpec>& menu) {
  if (kind_ != PeerKind::kForm) return;
  UniqueMenu bar;
  if (!menu.empty()) {
    bar.reset(CreateMenu());
    if (!bar) return;
    AppendItems(bar.get(), menu);
  }
  ::SetMenu(window_, bar.get());
  menu_ = std::move(bar);  // the old bar is destroyed once replaced
  DrawMenuBar(window_);
}

Size Win32Peer::ClientSize() {
  RECT client{};
  if (window_ == nullptr || GetClientRect(window_, &client) == 0) return {};
  return {client.right - client.left, client.bottom - client.top};
}

Rect Win32Peer::DisplayRect() {
  if (kind_ != PeerKind::kPageControl) return {};
  RECT area{};
  GetClientRect(window_, &area);
  SendMessageA(window_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

// ------------------------------------------------------------ Win32Windows

std::unique_ptr<WindowPeer> Win32Windows::CreatePeer(const PeerParams& params, PeerEvents& events) {
  return std::make_unique<Win32Peer>(*this, params, events);
}

Size Win32Windows::FormFrameSize(bool withMenu) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, withMenu ? TRUE : FALSE, WS_EX_CONTROLPARENT);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int Win32Windows::ScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

Size Win32Windows::MeasureText(const std::string& text, const FontSpec& font) {
  ScreenDc screen;
  SelectGuard select(screen.get(), gdi_.Font(font));
  RECT extent{0, 0, 0, 0};
  DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT);
  return {extent.right, extent.bottom};
}

}  // namespace platform::win32
