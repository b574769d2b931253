// The multi-column list box: the column rule, the row painter on a
// recording canvas, the selection rules and the events it hands on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "tests/support/harness.h"
#include "tests/support/recording_canvas.h"

using platform::ItemDraw;
using platform::fake::FakeListBox;
using testing_support::RecordingCanvas;
using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

class ListBox : public ::testing::Test {
 protected:
  TLMDListBox& list() { return *app.form().listbox1; }
  FakeListBox& native() { return dynamic_cast<FakeListBox&>(WindowOf(list().List())); }

  RecordingCanvas paint(int row, bool selected = false, bool focused = false) {
    RecordingCanvas canvas;
    list().PaintRow(canvas, ItemDraw{row, {0, row * 16, 167, 16}, selected, focused});
    return canvas;
  }

  Tapfinch app;
};

std::vector<std::pair<std::string, int>> Texts(const RecordingCanvas& canvas) {
  std::vector<std::pair<std::string, int>> texts;
  for (const auto& call : canvas.ofKind("text")) texts.emplace_back(call.text, call.rect.left);
  return texts;
}

}  // namespace

TEST_F(ListBox, ColumnsSplitAtTheDelimiterWithNothingTrimmed) {
  list().Items().Add("512, 384, 1, 5");
  EXPECT_EQ(list().ColumnText(0, 0), "512");
  EXPECT_EQ(list().ColumnText(0, 1), " 384");
  EXPECT_EQ(list().ColumnText(0, 3), " 5");
  EXPECT_EQ(list().ColumnText(0, 4), "");
  EXPECT_EQ(TLMDListBox::Column("no delimiter", ',', 0), "no delimiter");
  EXPECT_EQ(TLMDListBox::Column("a,,b,", ',', 1), "");
  EXPECT_EQ(TLMDListBox::Column("a,,b,", ',', 2), "b");
  EXPECT_EQ(TLMDListBox::Column("a,,b,", ',', 3), "");
  EXPECT_THROW(static_cast<void>(list().ColumnText(1, 0)), EListError);
}

TEST_F(ListBox, RowPainterPutsEachPieceInItsCellAndDrawsNothingBeyond) {
  list().Items().Add("512, 384, 1, 5");
  list().Items().Add("a row without commas that is long");
  list().Items().Add("1, 2, 3, 4, 5");
  list().Items().Add("   ");

  const RecordingCanvas first = paint(0);
  ASSERT_EQ(first.calls.front().op, "fill");
  EXPECT_EQ(first.calls.front().color, clWhite);
  // Cells 40, 40, 30 and 54 wide, each one pixel after the last.
  EXPECT_EQ(Texts(first),
            (std::vector<std::pair<std::string, int>>{{"512", 2}, {" 384", 43}, {" 1", 84}, {" 5", 115}}));
  const auto cells = first.ofKind("text");
  EXPECT_EQ(cells[0].rect, (platform::Rect{2, 1, 38, 15})) << "clipped to its cell, a pixel below the top";
  EXPECT_EQ(cells[3].rect.width, 52);

  const RecordingCanvas whole = paint(1);
  ASSERT_EQ(Texts(whole).size(), 1u);
  EXPECT_EQ(whole.ofKind("text")[0].rect.width, 38) << "the first column only";
  const auto rest = Texts(paint(2));
  ASSERT_EQ(rest.size(), 4u);
  EXPECT_EQ(rest[3].first, " 4, 5") << "the last section shows the rest of the row";
  list().Items().Add("7, 8, 1, 1,25");
  EXPECT_EQ(Texts(paint(4))[3].first, " 1,25") << "a delay with a decimal comma, whole";
  const RecordingCanvas blank = paint(3);
  EXPECT_EQ(blank.calls.size(), 1u) << "a blank row is only its background";

  const RecordingCanvas selected = paint(0, true, true);
  EXPECT_EQ(selected.calls[0].color, clHighlight);
  EXPECT_EQ(selected.calls[1].op, "focus");
  EXPECT_EQ(selected.ofKind("text")[0].color, clHighlightText);
  EXPECT_TRUE(selected.ofKind("line").empty()) << "no grid lines by default";

  list().SetGridLines(TLMDListBox::TGridLines::glBoth);
  const RecordingCanvas grid = paint(0);
  const auto lines = grid.ofKind("line");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0].rect.left, 39);
  EXPECT_EQ(lines[3].rect.left, 163);
  EXPECT_EQ(lines[4].rect.top, 15) << "along the row's bottom pixel row";
}

TEST_F(ListBox, SelectionFollowsTheSingleAndMultipleRules) {
  for (const char* row : {"a", "b", "c", "d"}) list().Items().Add(row);
  EXPECT_THROW(list().SetSelected(1, true), EListError) << "single selection";
  list().List().SetItemIndex(2);
  EXPECT_TRUE(list().Selected(2));
  list().SetMultiSelect(true);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(list().Selected(i));
  list().SetSelected(3, true);
  list().SetSelected(1, true);
  list().SetSelected(1, false);  // deselecting keeps row 1 current
  list().SetMultiSelect(false);
  EXPECT_TRUE(list().Selected(1));
  EXPECT_FALSE(list().Selected(3));
  EXPECT_EQ(native().selection(), (std::vector<int>{1}));
  try {
    static_cast<void>(list().Selected(4));
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (4)");
  }
  list().Items().Delete(9);  // nothing there: nothing happens
  EXPECT_EQ(list().Items().Count(), 4);
  EXPECT_EQ(native().items(), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(ListBox, TheUsersClicksKeysAndColumnDragsReachTheProgram) {
  for (const char* row : {"1, 1, 1, 1", "2, 2, 2, 2", "3, 3, 3, 3"}) list().Items().Add(row);
  std::vector<std::uint16_t> keys;
  const TObject* sender = nullptr;
  list().List().OnKeyDown = [&](TObject* from, std::uint16_t& key, TShiftState) {
    keys.push_back(key);
    sender = from;
  };
  // A Ctrl click selects a second row natively: single selection keeps one.
  app.user().click(list().List(), 5, 20);
  EXPECT_TRUE(list().Selected(1));
  app.fake().desktop().click(native(), 5, 36, platform::kCtrl);
  EXPECT_EQ(list().List().SelCount(), 1);
  EXPECT_TRUE(list().Selected(2));
  app.fake().desktop().pressKey(platform::kVkUp);
  EXPECT_TRUE(list().Selected(1));
  EXPECT_EQ(native().selection(), (std::vector<int>{1}));
  app.fake().desktop().pressKey(platform::kVkDelete);
  EXPECT_EQ(keys.back(), 46);
  EXPECT_EQ(sender, &list().List()) << "the inner list is the sender";

  const int redraws = native().redraws();
  dynamic_cast<platform::fake::FakeHeader&>(WindowOf(list().Header())).dragSection(0, 60);
  EXPECT_EQ(list().HeaderSections()[0].width, 60);
  EXPECT_GT(native().redraws(), redraws) << "the cells follow the border at once";
  EXPECT_EQ(Texts(paint(0))[1].second, 63);
}

TEST_F(ListBox, ADraggedBorderKeepsEveryColumnInViewAndInReach) {
  auto& header = dynamic_cast<platform::fake::FakeHeader&>(WindowOf(list().Header()));
  const int width = list().Header().Width();
  ASSERT_GT(width, 100);
  const auto widths = [&](const std::vector<platform::HeaderSection>& sections) {
    std::vector<int> all;
    for (const auto& section : sections) all.push_back(section.width);
    return all;
  };
  const auto total = [&] {
    int sum = 0;
    for (int w : widths(list().HeaderSections())) sum += w;
    return sum;
  };
  // X dragged far to the right: Y, Opt and Time(s) give up width, the
  // last first, down to 8 pixels each, and all end inside the header.
  header.dragSection(0, 2000);
  const std::vector<int> far{width - 3 * 8, 8, 8, 8};
  EXPECT_EQ(widths(list().HeaderSections()), far);
  EXPECT_EQ(widths(header.sections()), far) << "the native header shows the borders where they were held";
  // Back to 60: the others keep the widths they were left with.
  header.dragSection(0, 60);
  EXPECT_EQ(widths(list().HeaderSections()), (std::vector<int>{60, 8, 8, 8}));
  // Y widened by 30: within the header, nothing else gives.
  header.dragSection(1, 38);
  EXPECT_EQ(widths(list().HeaderSections()), (std::vector<int>{60, 38, 8, 8}));
  // Dragged to nothing: a border's grip remains.
  header.dragSection(0, 0);
  EXPECT_EQ(list().HeaderSections()[0].width, 8);
  // A little past the end: Time(s) gives what is needed.
  header.dragSection(2, width);
  EXPECT_EQ(total(), width);
  EXPECT_EQ(list().HeaderSections()[3].width, 8);
}
