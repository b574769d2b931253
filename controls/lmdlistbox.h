// TLMDListBox: a list box whose rows are plain strings shown as columns. A
// header of sections (titles and widths, resizable by dragging) sits over
// an inner list of fixed 16-pixel rows; each row is split into columns at
// the Delimiter and every piece drawn in its section's cell, clipped to it.
#pragma once

#include <string>
#include <vector>

#include "framework/extctrls.h"
#include "framework/lists.h"

class TLMDListBox : public TScrollBox {
 public:
  explicit TLMDListBox(TComponent* owner);

  enum class TGridLines { glNone, glHorizontal, glVertical, glBoth };

  [[nodiscard]] char Delimiter() const noexcept { return delimiter_; }
  void SetDelimiter(char delimiter);
  [[nodiscard]] const std::vector<platform::HeaderSection>& HeaderSections() const noexcept {
    return header_->Sections();
  }
  void SetHeaderSections(std::vector<platform::HeaderSection> sections);
  [[nodiscard]] int HeaderHeight() const noexcept { return headerHeight_; }
  void SetHeaderHeight(int height);
  [[nodiscard]] TColor SelectedColor() const noexcept { return selectedColor_; }
  void SetSelectedColor(TColor color);
  [[nodiscard]] TGridLines GridLines() const noexcept { return gridLines_; }
  void SetGridLines(TGridLines lines);
  void SetGridHorzColor(TColor color);
  void SetGridVertColor(TColor color);

  // The rows live in the inner list.
  [[nodiscard]] TStrings& Items() noexcept { return list_->Items(); }
  void Clear() { list_->Items().Clear(); }
  // Throws EListError "List index out of bounds (%d)" for a missing row.
  [[nodiscard]] bool Selected(int index) const { return list_->Selected(index); }
  // Only while MultiSelect is on; otherwise the same list error.
  void SetSelected(int index, bool selected) { list_->SetSelected(index, selected); }
  [[nodiscard]] bool MultiSelect() const noexcept { return list_->MultiSelect(); }
  void SetMultiSelect(bool multiSelect) { list_->SetMultiSelect(multiSelect); }

  // Column `column` (from 0) of a row's text by the column rule; nothing
  // is trimmed, and a column past the last delimiter is empty.
  [[nodiscard]] std::string ColumnText(int row, int column) const;
  [[nodiscard]] static std::string Column(const std::string& text, char delimiter, int column);

  // The row painter: background, focus rectangle, then each piece in its cell.
  void PaintRow(platform::Canvas& canvas, const platform::ItemDraw& item) const;

  [[nodiscard]] TListBox& List() const noexcept { return *list_; }
  [[nodiscard]] THeaderControl& Header() const noexcept { return *header_; }

  // Once the form has loaded it, the key, click, enter and exit events
  // assigned to the list box are the inner list's.
  void Loaded() override;
  void ChangeScale(int multiplier, int divisor) override;

 protected:
  // The rows and the header take the list box's font.
  void FontChanged() override;

 private:
  THeaderControl* header_;
  TListBox* list_;
  char delimiter_ = ';';
  int headerHeight_ = 25;
  TColor selectedColor_ = clHighlight;
  TGridLines gridLines_ = TGridLines::glNone;
  TColor gridHorzColor_ = clSilver;
  TColor gridVertColor_ = clSilver;
};
