#include "framework/lists.h"

#include <algorithm>
#include <string>

#include "framework/exceptions.h"

namespace {
[[noreturn]] void OutOfBounds(int index) {
  throw EListError(FormatMessage(messages::kListIndexError, std::to_string(index)));
}
}  // namespace

// --------------------------------------------------------- TListBoxStrings

int TListBoxStrings::Count() const { return box_.Count(); }

std::string TListBoxStrings::Get(int index) const {
  box_.CheckIndex(index);
  return box_.rows_[static_cast<std::size_t>(index)];
}

void TListBoxStrings::Insert(int index, const std::string& line) {
  if (index < 0 || index > box_.Count()) OutOfBounds(index);
  box_.rows_.insert(box_.rows_.begin() + index, line);
  box_.selected_.insert(box_.selected_.begin() + index, false);
  if (box_.current_ >= index) ++box_.current_;
  if (auto* items = box_.PeerAs<platform::ItemsPeer>()) items->InsertItem(index, line);
}

void TListBoxStrings::Delete(int index) {
  if (index < 0 || index >= box_.Count()) return;  // nothing there, nothing to report
  box_.rows_.erase(box_.rows_.begin() + index);
  box_.selected_.erase(box_.selected_.begin() + index);
  // A deleted current row leaves none; rows below move up one.
  if (box_.current_ == index) {
    box_.current_ = -1;
  } else if (box_.current_ > index) {
    --box_.current_;
  }
  if (auto* items = box_.PeerAs<platform::ItemsPeer>()) items->DeleteItem(index);
}

void TListBoxStrings::Clear() {
  box_.rows_.clear();
  box_.selected_.clear();
  box_.current_ = -1;
  if (auto* items = box_.PeerAs<platform::ItemsPeer>()) items->ClearItems();
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(TComponent* owner) : TWinControl(owner, platform::PeerKind::kListBox, "TListBox") {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWhite;
}

void TListBox::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) OutOfBounds(index);
}

bool TListBox::Selected(int index) const {
  CheckIndex(index);
  return selected_[static_cast<std::size_t>(index)];
}

void TListBox::PushSelection(int index) {
  if (auto* items = PeerAs<platform::ItemsPeer>())
    items->SetItemSelected(index, selected_[static_cast<std::size_t>(index)]);
}

void TListBox::SetSelected(int index, bool selected) {
  CheckIndex(index);
  // One row at most in single selection: there it is ItemIndex's to set.
  if (!multiSelect_) OutOfBounds(index);
  // Only real changes reach the native list: each repaints its row.
  if (selected_[static_cast<std::size_t>(index)] != selected) {
    selected_[static_cast<std::size_t>(index)] = selected;
    PushSelection(index);
  }
  if (selected && current_ != index) {
    current_ = index;
    if (auto* items = PeerAs<platform::ItemsPeer>()) items->SetCaretIndex(index);
  }
}

int TListBox::SelCount() const noexcept {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) OutOfBounds(index);
  const bool moved = current_ != index;
  current_ = index;
  if (!multiSelect_) {
    for (int i = 0; i < Count(); ++i) {
      const bool want = i == index;
      if (selected_[static_cast<std::size_t>(i)] != want) {
        selected_[static_cast<std::size_t>(i)] = want;
        PushSelection(i);
      }
    }
  }
  if (auto* items = PeerAs<platform::ItemsPeer>(); items != nullptr && index >= 0 && moved) {
    items->SetCaretIndex(index);
  }
}

void TListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == multiSelect_) return;
  multiSelect_ = multiSelect;
  if (multiSelect_) {
    // The row that was selected stays the current one, unselected.
    const auto it = std::find(selected_.begin(), selected_.end(), true);
    if (it != selected_.end()) current_ = static_cast<int>(it - selected_.begin());
    for (int i = 0; i < Count(); ++i) {
      if (selected_[static_cast<std::size_t>(i)]) {
        selected_[static_cast<std::size_t>(i)] = false;
        PushSelection(i);
      }
    }
  } else {
    SetItemIndex(current_);
  }
  // The mode is the framework's: the native list keeps its window, and
  // only rows whose selection changed repaint.
}

int TListBox::TopIndex() const {
  auto* items = PeerAs<platform::ItemsPeer>();
  return items != nullptr ? items->TopIndex() : 0;
}

void TListBox::SetTopIndex(int index) {
  if (auto* items = PeerAs<platform::ItemsPeer>()) items->SetTopIndex(index);
}

void TListBox::RedrawItems() {
  if (auto* items = PeerAs<platform::ItemsPeer>()) items->RedrawItems();
}

void TListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (auto* items = PeerAs<platform::ItemsPeer>()) items->SetItemHeight(itemHeight_);
}

void TListBox::ChangeScale(int multiplier, int divisor) {
  TWinControl::ChangeScale(multiplier, divisor);
  SetItemHeight(ScaleBy(itemHeight_, multiplier, divisor));
}

void TListBox::FillPeerParams(platform::PeerParams& params) const { params.itemHeight = itemHeight_; }

void TListBox::PeerCreated() {
  auto* items = PeerAs<platform::ItemsPeer>();
  if (items == nullptr) return;
  for (int i = 0; i < Count(); ++i) {
    items->InsertItem(i, rows_[static_cast<std::size_t>(i)]);
    if (selected_[static_cast<std::size_t>(i)]) items->SetItemSelected(i, true);
  }
  if (current_ >= 0) items->SetCaretIndex(current_);
}

void TListBox::PeerSelectionChanged(const std::vector<int>& selected, int caret) {
  Guard([&] {
    if (caret >= Count()) caret = -1;
    current_ = caret;
    if (!multiSelect_) {
      // A Shift or Ctrl click may select more natively; one row stays.
      SetItemIndex(caret >= 0 || selected.empty() ? caret : selected.front());
    } else {
      std::fill(selected_.begin(), selected_.end(), false);
      for (int index : selected) {
        if (index >= 0 && index < Count()) selected_[static_cast<std::size_t>(index)] = true;
      }
    }
    Click();
  });
}

void TListBox::PeerDrawItem(platform::Canvas& canvas, const platform::ItemDraw& item) {
  Guard([&] {
    if (item.index < 0 || item.index >= Count()) return;
    if (OnDrawItem) {
      OnDrawItem(this, canvas, item);
    } else {
      canvas.FillRect(item.rect, item.selected ? clHighlight : Color());
      const platform::Rect text{item.rect.left + 2, item.rect.top, item.rect.width - 2, item.rect.height};
      canvas.DrawString(rows_[static_cast<std::size_t>(item.index)], text, Font(),
                        item.selected ? clHighlightText : Font().color,
                        platform::kTextLeft | platform::kTextSingleLine | platform::kTextNoPrefix);
      if (item.focused) canvas.DrawFocusRect(item.rect);
    }
  });
}

// ---------------------------------------------------------- THeaderControl

THeaderControl::THeaderControl(TComponent* owner, std::string className)
    : TWinControl(owner, platform::PeerKind::kHeader, std::move(className)) {}

void THeaderControl::SetSections(std::vector<platform::HeaderSection> sections) {
  sections_ = std::move(sections);
  if (auto* header = PeerAs<platform::HeaderPeer>()) header->SetSections(sections_);
}

void THeaderControl::ChangeScale(int multiplier, int divisor) {
  TWinControl::ChangeScale(multiplier, divisor);
  std::vector<platform::HeaderSection> sections = sections_;
  for (platform::HeaderSection& section : sections) section.width = ScaleBy(section.width, multiplier, divisor);
  SetSections(std::move(sections));
}

void THeaderControl::PeerCreated() {
  if (auto* header = PeerAs<platform::HeaderPeer>()) header->SetSections(sections_);
}

void THeaderControl::PeerSectionResized(int index, int width) {
  Guard([&] {
    if (index < 0 || index >= static_cast<int>(sections_.size())) return;
    if (!allowResize_) {
      // Put the border back where it was.
      if (auto* header = PeerAs<platform::HeaderPeer>()) header->SetSections(sections_);
      return;
    }
    // Every section stays in view and its border in reach: none narrower
    // than a border's grip, the dragged one no wider than leaves that much
    // for each to its right, and those give up width, last first, until
    // all end inside the header.
    std::vector<platform::HeaderSection> sections = sections_;
    int left = 0;
    for (int i = 0; i < index; ++i) left += sections[static_cast<std::size_t>(i)].width;
    const int later = static_cast<int>(sections.size()) - index - 1;
    const int widest = std::max(kLeastSectionWidth, Width() - left - later * kLeastSectionWidth);
    sections[static_cast<std::size_t>(index)].width = std::clamp(width, kLeastSectionWidth, widest);
    int total = 0;
    for (const auto& section : sections) total += section.width;
    for (int i = static_cast<int>(sections.size()) - 1; i > index && total > Width(); --i) {
      int& w = sections[static_cast<std::size_t>(i)].width;
      const int give = std::min(total - Width(), std::max(w - kLeastSectionWidth, 0));
      w -= give;
      total -= give;
    }
    const bool held = sections[static_cast<std::size_t>(index)].width != width ||
                      !std::equal(sections.begin() + index + 1, sections.end(), sections_.begin() + index + 1,
                                  [](const auto& a, const auto& b) { return a.width == b.width; });
    if (held) {
      if (auto* header = PeerAs<platform::HeaderPeer>()) header->SetSections(sections);
    }
    if (std::equal(sections.begin(), sections.end(), sections_.begin(),
                   [](const auto& a, const auto& b) { return a.width == b.width; })) {
      return;
    }
    sections_ = std::move(sections);
    if (OnSectionResize) OnSectionResize(this, index);
  });
}

// --------------------------------------------------------------- TComboBox

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner, platform::PeerKind::kComboBox, "TComboBox") {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWindow;
}

void TComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  if (auto* combo = PeerAs<platform::ComboPeer>()) combo->SetItems(items_);
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) OutOfBounds(index);
  itemIndex_ = index;
  // The text follows without a change event: only the user's changes raise one.
  text_ = index >= 0 ? items_[static_cast<std::size_t>(index)] : std::string();
  if (auto* combo = PeerAs<platform::ComboPeer>()) combo->SetItemIndex(index);
}

void TComboBox::FillPeerParams(platform::PeerParams& params) const { params.itemHeight = itemHeight_; }

void TComboBox::PeerCreated() {
  auto* combo = PeerAs<platform::ComboPeer>();
  if (combo == nullptr) return;
  combo->SetItems(items_);
  combo->SetItemIndex(itemIndex_);
  // Text set apart from the entries (typed, or set by the program) shows as it is.
  const bool entry = itemIndex_ >= 0 && itemIndex_ < static_cast<int>(items_.size()) &&
                     items_[static_cast<std::size_t>(itemIndex_)] == text_;
  if (!entry && peer_) peer_->SetText(text_);
}

void TComboBox::PeerComboChanged(int index, const std::string& text) {
  Guard([&] {
    itemIndex_ = index >= -1 && index < static_cast<int>(items_.size()) ? index : -1;
    text_ = text;
    if (OnChange) OnChange(this);
  });
}
