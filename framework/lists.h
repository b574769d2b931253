// List boxes and headers. A list box holds its rows and their selection
// itself and draws each row through OnDrawItem; its native window always
// allows many selected rows, and in single selection the list box keeps
// it to one. A header holds its sections and reports a dragged border.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/strings.h"

class TListBox;

// The rows of a list box: every change reaches the native list at once.
// Deleting a row that does not exist does nothing.
class TListBoxStrings final : public TStrings {
 public:
  explicit TListBoxStrings(TListBox& box) : box_(box) {}
  [[nodiscard]] int Count() const override;
  [[nodiscard]] std::string Get(int index) const override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  TListBox& box_;
};

using TDrawItemEvent = std::function<void(TObject* sender, platform::Canvas& canvas, const platform::ItemDraw& item)>;

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);

  [[nodiscard]] TStrings& Items() noexcept { return strings_; }
  [[nodiscard]] const TStrings& Items() const noexcept { return strings_; }
  [[nodiscard]] int Count() const noexcept { return static_cast<int>(rows_.size()); }

  // Throws EListError "List index out of bounds (%d)" for a missing row.
  [[nodiscard]] bool Selected(int index) const;
  // Only in multiple selection (else the same list error); selecting a row
  // makes it the current row.
  void SetSelected(int index, bool selected);
  [[nodiscard]] int SelCount() const noexcept;
  // The current row (the one with the focus rectangle), -1 for none.
  [[nodiscard]] int ItemIndex() const noexcept { return current_; }
  // In single selection the current row is the selected one.
  void SetItemIndex(int index);

  [[nodiscard]] bool MultiSelect() const noexcept { return multiSelect_; }
  // On: no row stays selected, the selected one stays current. Off: the
  // current row becomes the only selected one. Rows and scrolling stay.
  void SetMultiSelect(bool multiSelect);

  [[nodiscard]] int ItemHeight() const noexcept { return itemHeight_; }
  void SetItemHeight(int height);
  [[nodiscard]] int TopIndex() const;
  void SetTopIndex(int index);
  // Draws every row again.
  void RedrawItems();

  TDrawItemEvent OnDrawItem;

  void ChangeScale(int multiplier, int divisor) override;
  void PeerSelectionChanged(const std::vector<int>& selected, int caret) override;
  void PeerDrawItem(platform::Canvas& canvas, const platform::ItemDraw& item) override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void PeerCreated() override;

 private:
  friend class TListBoxStrings;
  void CheckIndex(int index) const;
  void PushSelection(int index);

  TListBoxStrings strings_{*this};
  std::vector<std::string> rows_;
  std::vector<bool> selected_;
  int current_ = -1;
  bool multiSelect_ = false;
  int itemHeight_ = 16;
};

class THeaderControl : public TWinControl {
 public:
  explicit THeaderControl(TComponent* owner, std::string className = "THeaderControl");

  [[nodiscard]] const std::vector<platform::HeaderSection>& Sections() const noexcept { return sections_; }
  void SetSections(std::vector<platform::HeaderSection> sections);
  [[nodiscard]] bool AllowResize() const noexcept { return allowResize_; }
  void SetAllowResize(bool allow) noexcept { allowResize_ = allow; }
  // Raised with the section's index after the user resized it. A drag is
  // held to keep every section in reach: at least this wide, and the
  // sections to its right as much in view.
  std::function<void(THeaderControl* sender, int index)> OnSectionResize;
  static constexpr int kLeastSectionWidth = 8;

  void ChangeScale(int multiplier, int divisor) override;
  void PeerSectionResized(int index, int width) override;

 protected:
  void PeerCreated() override;

 private:
  std::vector<platform::HeaderSection> sections_;
  bool allowResize_ = true;
};

// An editable drop-down combo box. OnChange fires after the user picks an
// entry (the text already the entry's) and after every edit of the text;
// never for the entries or selection the program sets.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  [[nodiscard]] const std::vector<std::string>& Items() const noexcept { return items_; }
  void SetItems(std::vector<std::string> items);
  [[nodiscard]] int ItemIndex() const noexcept { return itemIndex_; }
  // Shows entry index (its text), or clears the text for -1.
  void SetItemIndex(int index);
  [[nodiscard]] int ItemHeight() const noexcept { return itemHeight_; }
  void SetItemHeight(int height) noexcept { itemHeight_ = height; }
  TNotifyEvent OnChange;

  void PeerComboChanged(int index, const std::string& text) override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void PeerCreated() override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int itemHeight_ = 13;
};
