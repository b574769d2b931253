#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeListBox::FakeListBox(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events)
    : FakeWindow(desktop, params, events), itemHeight_(params.itemHeight) {}

void FakeListBox::InsertItem(int index, const std::string& text) {
  const auto at = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(items_.size())));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), text);
  selected_.insert(selected_.begin() + static_cast<std::ptrdiff_t>(at), false);
}

void FakeListBox::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (caret_ >= static_cast<int>(items_.size())) caret_ = static_cast<int>(items_.size()) - 1;
}

void FakeListBox::ClearItems() {
  items_.clear();
  selected_.clear();
  caret_ = -1;
  top_ = 0;
}

void FakeListBox::SetItemSelected(int index, bool selected) {
  if (index >= 0 && index < static_cast<int>(items_.size())) selected_[static_cast<std::size_t>(index)] = selected;
}

std::vector<int> FakeListBox::selection() const {
  std::vector<int> rows;
  for (std::size_t i = 0; i < selected_.size(); ++i) {
    if (selected_[i]) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

void FakeListBox::paint(Canvas& canvas) {
  const int rows = itemHeight_ > 0 ? (bounds().height + itemHeight_ - 1) / itemHeight_ : 0;
  for (int i = top_; i < static_cast<int>(items_.size()) && i < top_ + rows; ++i) {
    const ItemDraw item{i,
                        {0, (i - top_) * itemHeight_, bounds().width, itemHeight_},
                        selected_[static_cast<std::size_t>(i)],
                        i == caret_ && desktop_.focused() == this};
    desktop_.deliver([&] { events_.PeerDrawItem(canvas, item); });
  }
}

void FakeListBox::selectOnly(int index) {
  std::fill(selected_.begin(), selected_.end(), false);
  if (index >= 0 && index < static_cast<int>(items_.size())) selected_[static_cast<std::size_t>(index)] = true;
  caret_ = index;
  const std::vector<int> rows = selection();
  desktop_.deliver([&] { events_.PeerSelectionChanged(rows, caret_); });
}

void FakeListBox::nativeKeyDown(std::uint16_t key, ShiftBits /*shift*/) {
  if (items_.empty()) return;
  const int last = static_cast<int>(items_.size()) - 1;
  if (key == kVkDown) selectOnly(std::min(caret_ + 1, last));
  if (key == kVkUp) selectOnly(std::max(caret_ - 1, 0));
}

void FakeListBox::mouseDown(MouseButton button, int x, int y, ShiftBits shift) {
  if (button == MouseButton::kLeft && enabled()) {
    desktop_.focus(this);
    const int row = top_ + y / std::max(1, itemHeight_);
    if (row < static_cast<int>(items_.size())) {
      if ((shift & kCtrl) != 0) {
        // Ctrl toggles the row and keeps the others.
        selected_[static_cast<std::size_t>(row)] = !selected_[static_cast<std::size_t>(row)];
        caret_ = row;
        const std::vector<int> rows = selection();
        desktop_.deliver([&] { events_.PeerSelectionChanged(rows, caret_); });
      } else {
        selectOnly(row);
      }
    }
  }
  FakeWindow::mouseDown(button, x, y, shift);
}

}  // namespace platform::fake
