// A combo box: the system's COMBOBOX with an edit field (CBS_DROPDOWN).
// Its window height includes the dropped list, so the closed height the
// framework gives is lengthened here, at creation and on every move. The
// edit field is the combo's own child: focus comes from its notifications.
#pragma once

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "platform/win32/window_base.h"

namespace platform::win32 {

class Win32ComboBox final : public Win32Window, public ComboPeer {
 public:
  Win32ComboBox(Win32Windows& windows, const PeerParams& params, PeerEvents& events)
      : Win32Window(windows, params, events), itemHeight_(std::clamp(params.itemHeight, 1, kMaxItemHeight)) {}

  void SetItems(const std::vector<std::string>& items) override {
    if (handle() == nullptr) return;
    const Quiet quiet(quiet_);
    // Emptying the list empties the edit field too; the text stays the program's.
    const std::string text = WindowText();
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);  // always succeeds
    bool complete = true;
    for (const std::string& item : items) {
      // Only memory runs out here. A missing entry would shift every later
      // entry's index, so the list ends at the first refusal.
      const std::wstring wide = WideText(item);
      if (SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())) < 0) {
        complete = false;
        break;
      }
    }
    SetWindowTextW(handle(), WideText(text).c_str());  // fails only for a window that is gone
    if (!complete) throw std::bad_alloc();
  }

  void SetItemIndex(int index) override {
    if (handle() == nullptr) return;
    const Quiet quiet(quiet_);
    if (index < 0 || index >= Count()) {
      // CB_ERR is the documented answer to -1; the text is cleared
      // explicitly, whatever the list does with it.
      SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      SetWindowTextW(handle(), L"");
      return;
    }
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);  // in range: cannot fail
  }

  [[nodiscard]] int ItemIndex() override {
    if (handle() == nullptr) return -1;
    return std::max(static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0)), -1);  // CB_ERR: none
  }

  void SetText(const std::string& text) override {
    const Quiet quiet(quiet_);
    Win32Window::SetText(text);
  }

  void SetBounds(const Rect& bounds) override { Win32Window::SetBounds(WithList(bounds)); }

  // The combo measures its entries anew for the font.
  void SetFont(const FontSpec& font) override {
    Win32Window::SetFont(font);
    ApplyItemHeight();
  }

 protected:
  [[nodiscard]] const wchar_t* SystemClass() const noexcept override { return L"COMBOBOX"; }
  [[nodiscard]] DWORD Style() const noexcept override { return CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL; }
  [[nodiscard]] Rect InitialBounds(const PeerParams& params) const override { return WithList(params.bounds); }

  void Created(const PeerParams& params) override {
    // The combo leaves the text given at creation out of its edit field.
    if (!params.text.empty()) SetText(params.text);
    ApplyItemHeight();
  }

  void OnCommand(WORD code) override {
    switch (code) {
      case CBN_SETFOCUS:
      case CBN_KILLFOCUS:
        events().PeerFocusChanged(code == CBN_SETFOCUS);
        break;
      case CBN_SELCHANGE:
        // The edit field still shows the previous text at this point.
        if (!quiet_) {
          const int index = ItemIndex();
          events().PeerComboChanged(index, index >= 0 ? Entry(index) : WindowText());
        }
        break;
      case CBN_EDITCHANGE:
        if (!quiet_) events().PeerComboChanged(ItemIndex(), WindowText());
        break;
      default:
        break;
    }
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    // The combo passes its focus straight on to its edit field and hears
    // WM_KILLFOCUS at once; CBN_SETFOCUS and CBN_KILLFOCUS tell the truth.
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) return CallBase(message, wParam, lParam);
    return Win32Window::HandleMessage(message, wParam, lParam);
  }

 private:
  static constexpr int kListHeight = 200;     // room for about a dozen entries below the box
  static constexpr int kMaxItemHeight = 255;  // the most a list row can be

  // The program's own changes are not the user's, whatever a version of
  // the system notifies while they are made.
  class Quiet {
   public:
    explicit Quiet(bool& flag) noexcept : flag_(flag), before_(flag) { flag_ = true; }
    ~Quiet() { flag_ = before_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    bool& flag_;
    bool before_;
  };

  [[nodiscard]] static Rect WithList(Rect bounds) noexcept {
    bounds.height += kListHeight;
    return bounds;
  }

  // The framework's height, unless the font needs more than that: the
  // system's own height, measured from the font, is the least. A refusal
  // keeps the system's height, which shows every entry whole.
  void ApplyItemHeight() {
    if (handle() == nullptr) return;
    const LRESULT fontNeeds = SendMessageW(handle(), CB_GETITEMHEIGHT, 0, 0);
    if (fontNeeds != CB_ERR && itemHeight_ > fontNeeds) {
      SendMessageW(handle(), CB_SETITEMHEIGHT, 0, static_cast<LPARAM>(itemHeight_));
    }
  }

  [[nodiscard]] int Count() const noexcept {
    return std::max(static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0)), 0);
  }

  [[nodiscard]] std::string Entry(int index) const {
    const auto length = static_cast<int>(SendMessageW(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length < 0) return WindowText();  // CB_ERR: the entry is gone
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(
        SendMessageW(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())));
    return Utf8(text.data(), static_cast<std::size_t>(std::clamp(copied, 0, length)));
  }

  int itemHeight_;
  bool quiet_ = false;
};

}  // namespace platform::win32
