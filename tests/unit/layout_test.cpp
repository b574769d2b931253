// The main window as built: where its controls end up (inside their
// parents, labels as wide as their text), the order Tab visits them in,
// and the first states a mistake in the layout would break. The layout's
// own numbers are not copied here; the pictures under Wine show them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/peers.h"
#include "tests/support/harness.h"

using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

// Every control the window owns, depth first.
std::vector<TControl*> OwnControls(TForm1& form) {
  std::vector<TControl*> all;
  const auto walk = [&](const auto& self, const TWinControl& parent) -> void {
    for (TControl* control : parent.Controls()) {
      if (control->Owner() != &form) continue;
      all.push_back(control);
      if (const auto* holder = dynamic_cast<const TWinControl*>(control)) self(self, *holder);
    }
  };
  walk(walk, form);
  return all;
}

// The names of the controls the focus visits, Tab after Tab, from `from`.
std::vector<std::string> Tabbing(Tapfinch& app, TWinControl& from, int presses) {
  app.user().focus(from);
  std::vector<std::string> names;
  for (int i = 0; i < presses; ++i) {
    app.fake().desktop().pressKey(platform::kVkTab, 0);
    const TWinControl* focused = app.form().ActiveControl();
    if (focused == nullptr || !focused->Focused()) {
      names.emplace_back("(none)");
    } else {
      // A part a control makes of itself goes by its control's name.
      names.push_back(focused->Name().empty() ? focused->Owner()->Name() : focused->Name());
    }
  }
  return names;
}

}  // namespace

TEST(Layout, TheWindowItself) {
  Tapfinch app;
  TForm1& form = app.form();
  EXPECT_EQ(form.Caption(), std::string("Tapfinch ver 2.5 ") + kMakerWebAddress);
  EXPECT_EQ(WindowOf(form).text(), form.Caption());
  EXPECT_EQ(form.Color(), clGray);
  EXPECT_EQ(form.Width(), 600);
  EXPECT_EQ(form.Height(), 265) << "opens shorter than the layout's 319";
  EXPECT_TRUE(dynamic_cast<platform::fake::FakeTopLevel&>(WindowOf(form)).shownCentered());
  EXPECT_EQ(form.Panel2->Align(), TAlign::alClient);
  EXPECT_EQ(form.PageControl1->Align(), TAlign::alClient);

  TPageControl& pages = *form.PageControl1;
  ASSERT_EQ(pages.PageCount(), 3);
  EXPECT_EQ(pages.Pages(0), form.TabSheet1);
  EXPECT_EQ(pages.Pages(1), form.TabSheet2);
  EXPECT_EQ(pages.Pages(2), form.TabSheet3);
  EXPECT_EQ(pages.ActivePage(), form.TabSheet2);
  const auto& tabs = dynamic_cast<platform::fake::FakeTabs&>(WindowOf(pages));
  EXPECT_EQ(tabs.tabs(), (std::vector<std::string>{"Single Click", "Multiple Click Points", "Options"}));
  EXPECT_EQ(tabs.tabIndex(), 1) << "opens on the list";
}

TEST(Layout, TheMenuBar) {
  // Depth first; parent null for the bar's own menus.
  struct Item {
    const char* name;
    const char* parent;
    const char* caption;
    bool visible;
  };
  const Item kItems[] = {
      {"File1", nullptr, "File", true},
      {"SaveClickList1", "File1", "Save Click List", true},
      {"LoadClickList1", "File1", "Load Click List", true},
      {"Options1", "File1", "Options", true},
      {"Minimizetotray1", "File1", "Minimize to Tray Icon", false},
      {"Exit1", "File1", "Exit", true},
      {"Options2", nullptr, "Options", true},
      {"SetHotKeys1", "Options2", "Set HotKeys", true},
      {"about1", nullptr, "Help", true},
      {"Instructions1", "about1", "Instructions", true},
      {"about2", "about1", "About Tapfinch", true},
  };
  Tapfinch app;
  TForm1& form = app.form();
  // As the window has it: each entry's command reaches the named item.
  std::vector<std::string> seen;
  const auto walk = [&](const auto& self, const std::vector<platform::MenuItemSpec>& entries,
                        const char* parent) -> void {
    for (const platform::MenuItemSpec& entry : entries) {
      const TMenuItem* item = form.MainMenu1->FindCommand(entry.id);
      ASSERT_NE(item, nullptr) << entry.caption;
      const std::size_t index = seen.size();
      seen.push_back(item->Name());
      ASSERT_LT(index, std::size(kItems)) << "more entries than the table: " << item->Name();
      const Item& expected = kItems[index];
      SCOPED_TRACE(expected.name);
      EXPECT_EQ(item->Name(), expected.name);
      EXPECT_STREQ(parent, expected.parent);
      EXPECT_EQ(entry.caption, expected.caption);
      EXPECT_EQ(item->Caption(), expected.caption);
      EXPECT_EQ(entry.visible, expected.visible);
      EXPECT_EQ(item->Visible(), expected.visible);
      self(self, entry.items, expected.name);
    }
  };
  walk(walk, dynamic_cast<platform::fake::FakeTopLevel&>(WindowOf(form)).menu(), nullptr);
  EXPECT_EQ(seen.size(), std::size(kItems));
}

TEST(Layout, EveryControlLiesInsideItsParentAndLabelsFitTheirText) {
  Tapfinch app;
  TForm1& form = app.form();
  const std::vector<TControl*> all = OwnControls(form);
  EXPECT_GT(all.size(), 80u);
  for (const TControl* control : all) {
    SCOPED_TRACE(control->Name());
    const TWinControl* parent = control->Parent();
    ASSERT_NE(parent, nullptr);
    // The window opens shorter than its layout: the pages are measured
    // at the layout's height.
    if (parent == &form || parent == form.Panel2 || dynamic_cast<const TTabSheet*>(parent) != nullptr) continue;
    EXPECT_GE(control->Left(), 0);
    EXPECT_GE(control->Top(), 0);
    const bool label = dynamic_cast<const TLabel*>(control) != nullptr;
    // A label's width is the fake's measure of its text, coarser than a
    // real font's; the pictures under Wine show those.
    if (!label) {
      EXPECT_LE(control->Left() + control->Width(), parent->Width()) << "in " << parent->Name();
    }
    if (label && !control->Caption().empty()) {
      const platform::Size text = app.fake().desktop().MeasureText(control->Caption(), control->Font());
      EXPECT_GE(control->Width(), text.width) << "a label is as wide as its text";
    }
  }
  // The tabs' sheets share one place, the page control's display area.
  for (TTabSheet* sheet : {form.TabSheet1, form.TabSheet3}) {
    EXPECT_EQ(sheet->Left(), form.TabSheet2->Left());
    EXPECT_EQ(sheet->Width(), form.TabSheet2->Width());
  }
  // The hotkey notice, however long, covers none of the options above it.
  const platform::Rect& notice = form.hotkeynotice->BoundsRect();
  for (const TControl* other : form.multipleclickoptionspanel->Controls()) {
    if (other == form.hotkeynotice) continue;
    const platform::Rect& r = other->BoundsRect();
    EXPECT_TRUE(r.right() <= notice.left || notice.right() <= r.left || r.bottom() <= notice.top ||
                notice.bottom() <= r.top)
        << other->Name() << " under the notice";
  }
}

// The window opens shorter than laid out; the click list must still show
// every row and both scroll arrows, at any scale, and as the user sizes
// the window.
TEST(Layout, TheClickListEndsInsideItsPageAsTheWindowOpensAndAsItIsSized) {
  for (const int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    platform::fake::FakePlatform fake;
    fake.desktop().setDpi(dpi);
    Tapfinch app(fake);
    TForm1& form = app.form();
    const TLMDListBox& list = *form.listbox1;
    const TTabSheet& page = *form.TabSheet2;
    const int gap = page.ClientHeight() - (list.Top() + list.Height());
    EXPECT_GE(gap, 0) << "its bottom inside the page";
    EXPECT_LE(gap, 4 * dpi / 96) << "and no room left below it";
    EXPECT_EQ(WindowOf(list).bounds(), list.BoundsRect()) << "the native window follows";
    EXPECT_EQ(list.List().Top() + list.List().Height(), list.ClientHeight()) << "the rows fill it";
    const int width = list.Width();
    std::vector<int> columns;
    for (const auto& section : list.HeaderSections()) columns.push_back(section.width);

    for (const int height : {form.Height() + 200, form.Height() - 60, form.Height()}) {
      form.SetHeight(height);
      EXPECT_EQ(page.ClientHeight() - (list.Top() + list.Height()), gap) << height;
    }
    EXPECT_EQ(list.Width(), width);
    std::vector<int> after;
    for (const auto& section : list.HeaderSections()) after.push_back(section.width);
    EXPECT_EQ(after, columns) << "the columns keep their widths";
  }
}

TEST(Layout, TabVisitsTheControlsOfEachTabInTheirOrder) {
  Tapfinch app;
  TForm1& form = app.form();
  app.user().selectTab(*form.PageControl1, 1);
  EXPECT_EQ(
      Tabbing(app, *form.mpausebutton, 12),
      (std::vector<std::string>{"listbox1", "PageControl1", "mstartspecify", "mstopspecify", "mxpostext", "mypostext",
                                "mtimeinterval", "mminutes", "mseconds", "mtenth", "mhundreth", "RadioButton1"}))
      << "the list, the tabs, then round to capture, the point, the interval and the click options";
  app.user().selectTab(*form.PageControl1, 2);
  EXPECT_EQ(
      Tabbing(app, *form.clickonorigoption, 11),
      (std::vector<std::string>{"doubleclickbox", "numclicksspin", "roundsspin", "ComboBox1", "ComboBox2", "ComboBox3",
                                "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox7", "PageControl1"}));
}

TEST(Layout, TheFirstStatesAreThoseOfAnIdleProgramClickingAtTheMouse) {
  Tapfinch app;
  TForm1& form = app.form();
  // Nothing runs: START ready, STOP off, the list's buttons at rest.
  EXPECT_TRUE(form.singclickstartbtn->Enabled());
  EXPECT_FALSE(form.singleclickstopbutton->Enabled());
  EXPECT_EQ(form.mclicklistbtn->Caption(), "Click the List");
  EXPECT_EQ(form.mpausebutton->Caption(), "Pause");
  EXPECT_FALSE(form.addtolistbutton->Enabled()) << "until capture starts";
  // Clicking at the mouse: the point's fields and its finder are put away.
  EXPECT_TRUE(form.CheckBox2->Checked());
  for (const TControl* hidden : {static_cast<TControl*>(form.xpostext), static_cast<TControl*>(form.ypostext),
                                 static_cast<TControl*>(form.Label7), static_cast<TControl*>(form.Label14)}) {
    EXPECT_FALSE(hidden->Visible()) << hidden->Name();
  }
  EXPECT_FALSE(form.singfindclickptstartbtn->Enabled());
  EXPECT_TRUE(form.setlabel->Visible());
  // New entries are plain clicks, and each capture option names its hotkey.
  EXPECT_TRUE(form.RadioButton1->Checked());
  EXPECT_EQ(form.RadioButton1->Caption(), "Click      / Ctrl+A");
  EXPECT_EQ(form.RadioButton5->Caption(), "Double Click/ Ctrl+G");
  EXPECT_EQ(form.ComboBox1->Text(), "Ctrl+F9");
  EXPECT_EQ(form.ComboBox7->Text(), "Ctrl+G");
  EXPECT_TRUE(form.hotkeynotice->Caption().empty());
  // The interval fields step in whole units up to their unit's top, and
  // only the click count takes typing.
  const struct {
    TzcFloatSpinEdit* field;
    double top;
  } fields[] = {{form.hours, 23},   {form.minutes, 59},         {form.seconds, 59},  {form.tenth, 9},
                {form.hundreth, 9}, {form.mtimeinterval, 1000}, {form.mminutes, 59}, {form.mseconds, 59},
                {form.mtenth, 9},   {form.mhundreth, 9}};
  for (const auto& [field, top] : fields) {
    EXPECT_EQ(field->MaxValue(), top) << field->Name();
    EXPECT_EQ(field->MinValue(), 0) << field->Name();
    EXPECT_FALSE(field->EditorEnabled()) << field->Name();
  }
  EXPECT_TRUE(form.numclicksspin->EditorEnabled());
  EXPECT_EQ(form.Timer1->Interval(), 5000u) << "the fields' 5 s";
}
