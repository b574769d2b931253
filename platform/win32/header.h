// A header: the common controls' row of column titles (SysHeader32), whose
// section borders the user drags. Only the user's drags are reported: the
// program's own changes are kept quiet, and a width the framework already
// knows is not reported again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/window_base.h"
// After windows.h, which window_base.h brings.
#include <commctrl.h>

namespace platform::win32 {

class Win32Header final : public Win32Window, public HeaderPeer {
 public:
  using Win32Window::Win32Window;

  void SetSections(const std::vector<HeaderSection>& sections) override {
    if (handle() == nullptr || sections == sections_) return;
    quiet_ = true;
    // Redraw once, not per item; without the switch it only flickers.
    SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    if (!Update(sections)) Rebuild(sections);
    SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);  // fails only for a window that is gone
    quiet_ = false;
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return WC_HEADERW; }
  [[nodiscard]] DWORD Style() const noexcept override { return HDS_HORZ | HDS_FULLDRAG; }

  // With a full drag the header reports every step of the drag as a
  // change; in Unicode, as the parent, a window of ours, asks.
  LRESULT OnNotify(const NMHDR& header) override {
    if (quiet_) return 0;
    if (header.code == HDN_ITEMCHANGEDW) Changed(reinterpret_cast<const NMHEADERW&>(header));
    return 0;
  }

 private:
  void Changed(const NMHEADERW& change) {
    if (change.pitem == nullptr || (change.pitem->mask & HDI_WIDTH) == 0 || change.iItem < 0) return;
    const auto at = static_cast<std::size_t>(change.iItem);
    const int width = change.pitem->cxy;
    if (at >= sections_.size() || sections_[at].width == width) return;
    sections_[at].width = width;
    events().PeerSectionResized(change.iItem, width);
  }

  // Section by section when the count stays, so that a drag under way
  // keeps hold of its section; false when the window refused.
  bool Update(const std::vector<HeaderSection>& sections) {
    if (sections.size() != sections_.size()) return false;
    for (std::size_t i = 0; i < sections.size(); ++i) {
      if (sections[i] == sections_[i]) continue;
      if (Put(HDM_SETITEMW, i, sections[i]) == 0) return false;
      sections_[i] = sections[i];
    }
    return true;
  }

  void Rebuild(const std::vector<HeaderSection>& sections) {
    for (int i = static_cast<int>(SendMessageW(handle(), HDM_GETITEMCOUNT, 0, 0)) - 1; i >= 0; --i) {
      // A refusal shows as a count above zero, looked at below.
      SendMessageW(handle(), HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    }
    sections_.clear();
    if (SendMessageW(handle(), HDM_GETITEMCOUNT, 0, 0) != 0) return;
    // A refused section ends the row, lest the next ones land at the wrong
    // places; what the window holds is what is remembered, so the next
    // call tries again.
    for (const HeaderSection& section : sections) {
      const std::size_t at = sections_.size();
      if (Put(HDM_INSERTITEMW, at, section) != static_cast<LRESULT>(at)) return;
      sections_.push_back(section);
    }
  }

  LRESULT Put(UINT message, std::size_t index, const HeaderSection& section) {
    std::wstring text = WideText(section.text);  // the item wants a writable buffer
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.cxy = section.width;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    return SendMessageW(handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }

  std::vector<HeaderSection> sections_;  // what the window holds, with the widths last reported
  bool quiet_ = false;                   // the program itself is changing the items
};

}  // namespace platform::win32
