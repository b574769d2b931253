// A list box: the system's LISTBOX with rows of one fixed height that the
// framework draws, each clipped to its own row. The native list always
// allows any set of selected rows, so the program selects with LB_SETSEL
// only; the user's changes are reported whole, every selected row at once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/text.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32ListBox final : public Win32Window, public ItemsPeer {
 public:
  Win32ListBox(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
      : Win32Window(windows, params, events), itemHeight_(std::clamp(params.itemHeight, 1, kMaxItemHeight)) {}

  void InsertItem(int index, const std::string& text) override {
    const int count = Count();
    // Refused like any other index out of range, though the list would take -1 as the end.
    if (index < 0 || index > count) return;
    // The list's own spelling of the end.
    const WPARAM at = index == count ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(index);
    const std::wstring wide = WideText(text);
    const LRESULT result = SendMessageW(handle(), LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(wide.c_str()));
    // The row would be missing while the framework counts it.
    if (result == LB_ERRSPACE) throw std::bad_alloc();
  }

  // An index out of range is refused and changes nothing; so below.
  void DeleteItem(int index) override { SendMessageW(handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

  void ClearItems() override { SendMessageW(handle(), LB_RESETCONTENT, 0, 0); }

  void SetItemSelected(int index, bool selected) override {
    if (index < 0) return;  // -1 stands for every row
    SendMessageW(handle(), LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index));
  }

  // Scrolled until the row is wholly in view.
  void SetCaretIndex(int index) override {
    SendMessageW(handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  }

  [[nodiscard]] int TopIndex() override {
    const auto top = static_cast<int>(SendMessageW(handle(), LB_GETTOPINDEX, 0, 0));
    return std::max(top, 0);
  }

  void SetTopIndex(int index) override { SendMessageW(handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }

  // Every row paints all of its pixels, so nothing is erased first.
  void RedrawItems() override {
    if (handle() != nullptr) InvalidateRect(handle(), nullptr, FALSE);
  }

  void SetItemHeight(int height) override {
    itemHeight_ = std::clamp(height, 1, kMaxItemHeight);
    ApplyItemHeight();
    RedrawItems();
  }

  // The list takes its row height from the font when it can; ours stays.
  void SetFont(const FontSpec& font) override {
    Win32Window::SetFont(font);
    ApplyItemHeight();
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"LISTBOX"; }
  [[nodiscard]] DWORD Style() const noexcept override {
    return LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL | WS_VSCROLL;
  }

  // The height was asked for already while the window was made, but only
  // a parent that finds the list by its identifier then can answer.
  void Created(const PeerParams& /*params*/) override { ApplyItemHeight(); }

  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override {
    item.itemHeight = static_cast<UINT>(itemHeight_);
    return true;
  }

  void OnCommand(WORD code) override {
    if (code == LBN_SELCHANGE) events().PeerSelectionChanged(SelectedRows(), Caret());
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    // An empty list has no row to put its focus rectangle on.
    if (item.itemID == static_cast<UINT>(-1)) return true;
    if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)) == 0) return true;
    const RECT& r = item.rcItem;
    const SavedDc saved(item.hDC);
    // Without a saved state the clip would outlive this row and shut out
    // the next ones; the row is drawn with the next paint instead.
    if (!saved || IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom) == ERROR) return true;
    GdiCanvas canvas(item.hDC, windows().gdi());
    const ItemDraw row{static_cast<int>(item.itemID), Rect{r.left, r.top, r.right - r.left, r.bottom - r.top},
                       (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0};
    events().PeerDrawItem(canvas, row);
    return true;
  }

  // Below the last row.
  HBRUSH OnControlColor(HDC dc) override { return ControlColors(dc, false); }

 private:
  static constexpr int kMaxItemHeight = 255;  // the most a list box row can be

  [[nodiscard]] int Count() const noexcept {
    return std::max(static_cast<int>(SendMessageW(handle(), LB_GETCOUNT, 0, 0)), 0);
  }

  // Refused only for a height above the most, which the constructor rules out.
  void ApplyItemHeight() { SendMessageW(handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0)); }

  [[nodiscard]] std::vector<int> SelectedRows() const {
    // Both fail only for a single-selection list, which this never is.
    const LRESULT count = SendMessageW(handle(), LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return {};
    std::vector<int> rows(static_cast<std::size_t>(count));
    const LRESULT copied =
        SendMessageW(handle(), LB_GETSELITEMS, static_cast<WPARAM>(rows.size()), reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, count)));
    return rows;
  }

  // The list keeps a caret on row 0 even with no rows at all.
  [[nodiscard]] int Caret() const noexcept {
    const auto caret = static_cast<int>(SendMessageW(handle(), LB_GETCARETINDEX, 0, 0));
    return caret >= 0 && caret < Count() ? caret : -1;
  }

  int itemHeight_;
};

}  // namespace platform::win32
