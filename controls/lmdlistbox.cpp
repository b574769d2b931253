#include "controls/lmdlistbox.h"

#include <algorithm>

TLMDListBox::TLMDListBox(TComponent* owner)
    : TScrollBox(owner, "TLMDListBox"),
      header_(Make<THeaderControl>(*this, "", "TLMDHeaderControl")),
      list_(Make<TListBox>(*this, "")) {
  header_->SetTabStop(false);
  header_->SetBounds(0, 0, 0, headerHeight_);
  header_->SetAlign(TAlign::alTop);
  header_->SetParent(this);
  header_->OnSectionResize = [this](THeaderControl*, int) { list_->RedrawItems(); };
  list_->SetAlign(TAlign::alClient);
  list_->SetParent(this);
  list_->OnDrawItem = [this](TObject*, platform::Canvas& canvas, const platform::ItemDraw& item) {
    PaintRow(canvas, item);
  };
}

void TLMDListBox::SetDelimiter(char delimiter) {
  delimiter_ = delimiter;
  list_->RedrawItems();
}

void TLMDListBox::SetHeaderSections(std::vector<platform::HeaderSection> sections) {
  header_->SetSections(std::move(sections));
  list_->RedrawItems();
}

void TLMDListBox::SetHeaderHeight(int height) {
  headerHeight_ = height;
  header_->SetHeight(height);
  Realign();
}

void TLMDListBox::ChangeScale(int multiplier, int divisor) {
  // The header scales itself with the other children.
  headerHeight_ = ScaleBy(headerHeight_, multiplier, divisor);
  TScrollBox::ChangeScale(multiplier, divisor);
}

void TLMDListBox::SetSelectedColor(TColor color) {
  selectedColor_ = color;
  list_->RedrawItems();
}

void TLMDListBox::SetGridLines(TGridLines lines) {
  gridLines_ = lines;
  list_->RedrawItems();
}

void TLMDListBox::SetGridHorzColor(TColor color) {
  gridHorzColor_ = color;
  list_->RedrawItems();
}

void TLMDListBox::SetGridVertColor(TColor color) {
  gridVertColor_ = color;
  list_->RedrawItems();
}

void TLMDListBox::FontChanged() {
  list_->SetFont(Font());
  header_->SetFont(Font());
}

std::string TLMDListBox::Column(const std::string& text, char delimiter, int column) {
  return DelimitedColumn(text, delimiter, column);
}

std::string TLMDListBox::ColumnText(int row, int column) const {
  return Column(list_->Items().Get(row), delimiter_, column);
}

void TLMDListBox::PaintRow(platform::Canvas& canvas, const platform::ItemDraw& item) const {
  const platform::Rect& row = item.rect;
  const TFont& font = list_->Font();
  canvas.FillRect(row, item.selected ? selectedColor_ : list_->Color());
  if (item.focused) canvas.DrawFocusRect(row);
  const TColor ink = item.selected ? clHighlightText : font.color;
  const std::uint32_t format = platform::kTextLeft | platform::kTextSingleLine | platform::kTextNoPrefix;
  const std::string text = list_->Items().Get(item.index);
  if (text.find_first_not_of(' ') == std::string::npos) return;

  const auto& sections = header_->Sections();
  if (sections.empty()) {
    canvas.DrawString(text, {row.left + 2, row.top, row.width - 2, row.height}, font, ink, format);
  } else {
    // Every piece between delimiters; an empty one after a final delimiter is dropped.
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at = text.find(delimiter_); at != std::string::npos; at = text.find(delimiter_, start)) {
      pieces.push_back(text.substr(start, at - start));
      start = at + 1;
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    // The last section shows the rest of the row: a delay written with a
    // decimal comma ("1,25") is two pieces, and must show whole.
    while (pieces.size() > sections.size()) {
      const std::string last = pieces.back();
      pieces.pop_back();
      pieces.back() += delimiter_ + last;
    }
    int left = row.left;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const int width = sections[i].width;
      canvas.DrawString(pieces[i], {left + 2, row.top + 1, width - 2, row.height - 1}, font, ink, format);
      left += width + 1;
    }
  }

  if (gridLines_ == TGridLines::glVertical || gridLines_ == TGridLines::glBoth) {
    int x = 0;
    for (const platform::HeaderSection& section : sections) {
      x += section.width;
      canvas.Line(x - 1, row.top, x - 1, row.bottom(), gridVertColor_);
    }
  }
  if (gridLines_ == TGridLines::glHorizontal || gridLines_ == TGridLines::glBoth) {
    canvas.Line(row.left, row.bottom() - 1, row.right(), row.bottom() - 1, gridHorzColor_);
  }
}

void TLMDListBox::Loaded() {
  TScrollBox::Loaded();
  list_->OnKeyDown = OnKeyDown;
  list_->OnKeyUp = OnKeyUp;
  list_->OnKeyPress = OnKeyPress;
  list_->OnClick = OnClick;
  list_->OnEnter = OnEnter;
  list_->OnExit = OnExit;
}
