// The main window's layout table, checked against the built form: every
// control's class, parent, place, caption and first state, container by
// container, and the menu bar. Labels fit their text, so for them only the
// top-left corner is the layout's. Each container's rows list all of its
// controls in creation order, which is the tab and stacking order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/harness.h"

using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

struct Row {
  const char* name;
  const char* className;
  const char* parent;
  platform::Rect bounds;
  const char* caption;
  bool enabled;
  bool visible;
  bool tabStop;
};

const Row kWindowRows[] = {
    {"Panel2", "TPanel", "Form1", {0, 0, 592, 219}, "", true, true, false},
    {"PageControl1", "TPageControl", "Panel2", {1, 1, 590, 217}, "", true, true, true},
    {"TabSheet1", "TTabSheet", "PageControl1", {4, 24, 582, 189}, "Single Click", true, false, false},
    {"TabSheet2", "TTabSheet", "PageControl1", {4, 24, 582, 189}, "Multiple Click Points", true, true, false},
    {"TabSheet3", "TTabSheet", "PageControl1", {4, 24, 582, 189}, "Options", true, false, false},
};

const Row kSingleClickRows[] = {
    {"GroupBox3", "TGroupBox", "TabSheet1", {96, 0, 297, 92}, "Specify Click Point", true, true, false},
    {"GroupBox1", "TGroupBox", "TabSheet1", {96, 92, 297, 65}, "Click Interval", true, true, false},
    {"singclickstartbtn", "TzColorBtn", "TabSheet1", {8, 8, 73, 25}, "START", true, true, true},
    {"singleclickstopbutton", "TzColorBtn", "TabSheet1", {8, 40, 73, 25}, "STOP", false, true, true},
    {"GroupBox2", "TGroupBox", "TabSheet1", {8, 72, 81, 33}, "Click Count", true, true, false},
    {"testbutton", "TzColorBtn", "TabSheet1", {8, 112, 81, 25}, "Test click area", true, true, true},
    {"singfindclickptstartbtn", "TButton", "GroupBox3", {8, 32, 41, 17}, "Start", false, true, true},
    {"singfindclickptstopbtn", "TButton", "GroupBox3", {8, 56, 41, 17}, "Stop", false, true, true},
    {"xpostext", "TEdit", "GroupBox3", {120, 32, 49, 21}, "0", true, false, true},
    {"ypostext", "TEdit", "GroupBox3", {120, 56, 49, 21}, "0", true, false, true},
    {"CheckBox2", "TCheckBox", "GroupBox3", {8, 16, 169, 17}, "Click Wherever The Mouse Is", true, true, true},
    {"Label5", "TLabel", "GroupBox3", {64, 34, 13, 13}, "X  ", false, true, false},
    {"Label6", "TLabel", "GroupBox3", {64, 58, 13, 13}, "Y  ", false, true, false},
    {"xposlabel", "TLabel", "GroupBox3", {88, 34, 3, 13}, "", true, true, false},
    {"yposlabel", "TLabel", "GroupBox3", {88, 56, 3, 13}, "", true, true, false},
    {"Label7",
     "TLabel",
     "GroupBox3",
     {176, 24, 108, 39},
     "Press SPACE BAR to\r\nset Click Point with this\r\nwindow active.",
     true,
     false,
     false},
    {"setlabel", "Tz3DLabel", "GroupBox3", {64, 74, 90, 13}, "Click Point SET", true, true, false},
    {"Label1", "TLabel", "GroupBox1", {35, 16, 28, 13}, "Hours", true, true, false},
    {"Label2", "TLabel", "GroupBox1", {83, 16, 37, 13}, "Minutes", true, true, false},
    {"Label3", "TLabel", "GroupBox1", {135, 16, 42, 13}, "Seconds", true, true, false},
    {"Label4", "TLabel", "GroupBox1", {188, 16, 31, 13}, "1/10 s", true, true, false},
    {"Label9", "TLabel", "GroupBox1", {229, 16, 37, 13}, "1/100 s", true, true, false},
    {"hours", "TzcFloatSpinEdit", "GroupBox1", {31, 32, 41, 22}, "0", true, true, true},
    {"minutes", "TzcFloatSpinEdit", "GroupBox1", {83, 32, 41, 22}, "0", true, true, true},
    {"seconds", "TzcFloatSpinEdit", "GroupBox1", {135, 32, 41, 22}, "5", true, true, true},
    {"tenth", "TzcFloatSpinEdit", "GroupBox1", {187, 32, 33, 22}, "0", true, true, true},
    {"hundreth", "TzcFloatSpinEdit", "GroupBox1", {231, 32, 33, 22}, "0", true, true, true},
    {"countlabel", "TLabel", "GroupBox2", {8, 16, 3, 13}, "", true, true, false},
};

const Row kMultipleClickRows[] = {
    {"GroupBox4", "TGroupBox", "TabSheet2", {0, 0, 241, 92}, "Specify Click Point", true, true, false},
    {"GroupBox5", "TGroupBox", "TabSheet2", {0, 92, 241, 65}, "Click Interval", true, true, false},
    {"addtolistbutton", "TButton", "TabSheet2", {252, 112, 69, 17}, "Add to List", false, true, false},
    {"mclicklistbtn", "TButton", "TabSheet2", {404, 16, 73, 17}, "Click the List", true, true, false},
    {"mclearlistbtn", "TButton", "TabSheet2", {252, 136, 69, 17}, "Clear List", true, true, false},
    {"RadioButton1", "TRadioButton", "TabSheet2", {252, 16, 133, 17}, "Click      / Ctrl+A", true, true, true},
    {"RadioButton2", "TRadioButton", "TabSheet2", {252, 32, 133, 17}, "Click-Hold   / Ctrl+S", true, true, true},
    {"RadioButton3", "TRadioButton", "TabSheet2", {252, 48, 133, 17}, "Release    / Ctrl+D", true, true, true},
    {"RadioButton4", "TRadioButton", "TabSheet2", {252, 64, 133, 17}, "Right Click / Ctrl+F", true, true, true},
    {"RadioButton5", "TRadioButton", "TabSheet2", {252, 80, 133, 17}, "Double Click/ Ctrl+G", true, true, true},
    {"msavelistbtn", "TButton", "TabSheet2", {324, 112, 69, 17}, "Save List", true, true, false},
    {"mloadlistbtn", "TButton", "TabSheet2", {324, 136, 69, 17}, "Load List", true, true, false},
    {"mpausebutton", "TButton", "TabSheet2", {492, 16, 73, 17}, "Pause", true, true, true},
    {"listbox1", "TLMDListBox", "TabSheet2", {400, 32, 169, 209}, "", true, true, false},
    {"RadioGroup1", "TRadioGroup", "TabSheet2", {248, 0, 145, 105}, "Click options / Hot Key", true, true, false},
    {"mstartspecify", "TButton", "GroupBox4", {8, 16, 41, 17}, "Start", true, true, true},
    {"mstopspecify", "TButton", "GroupBox4", {8, 40, 41, 17}, "Stop", true, true, true},
    {"mxpostext", "TEdit", "GroupBox4", {88, 24, 33, 21}, "", true, true, true},
    {"mypostext", "TEdit", "GroupBox4", {88, 56, 33, 21}, "", true, true, true},
    {"mxposlabel", "TLabel", "GroupBox4", {64, 18, 13, 13}, "X  ", true, true, false},
    {"myposlabel", "TLabel", "GroupBox4", {64, 58, 13, 13}, "Y  ", true, true, false},
    {"Label12", "TLabel", "GroupBox4", {56, 34, 3, 13}, "", true, true, false},
    {"Label13", "TLabel", "GroupBox4", {56, 72, 3, 13}, "", true, true, false},
    {"Label14",
     "TLabel",
     "GroupBox4",
     {128, 8, 102, 78},
     "Use a HOTKEY to \r\nSet the click point\r\nor press Space Bar to\r\nlock coordinates, set \r\nthe click option "
     "and \r\nclick Add to List",
     true,
     false,
     false},
    {"Label15", "TLabel", "GroupBox5", {11, 16, 28, 13}, "Hours", true, true, false},
    {"Label16", "TLabel", "GroupBox5", {59, 16, 37, 13}, "Minutes", true, true, false},
    {"Label17", "TLabel", "GroupBox5", {103, 16, 42, 13}, "Seconds", true, true, false},
    {"Label18", "TLabel", "GroupBox5", {153, 16, 31, 13}, "1/10 s", true, true, false},
    {"Label19", "TLabel", "GroupBox5", {190, 16, 37, 13}, "1/100 s", true, true, false},
    {"mtimeinterval", "TzcFloatSpinEdit", "GroupBox5", {8, 32, 41, 22}, "0", true, true, true},
    {"mminutes", "TzcFloatSpinEdit", "GroupBox5", {56, 32, 41, 22}, "0", true, true, true},
    {"mseconds", "TzcFloatSpinEdit", "GroupBox5", {104, 32, 41, 22}, "5", true, true, true},
    {"mtenth", "TzcFloatSpinEdit", "GroupBox5", {152, 32, 33, 22}, "0", true, true, true},
    {"mhundreth", "TzcFloatSpinEdit", "GroupBox5", {192, 32, 33, 22}, "0", true, true, true},
};

// The hotkey rows: label 4 pixels below its box's top, 24 pixels a row;
// each box shows its hotkey's first setting.
const Row kOptionsRows[] = {
    {"singleclickoptionspanel", "TPanel", "TabSheet3", {0, 0, 161, 189}, "", true, true, false},
    {"multipleclickoptionspanel", "TPanel", "TabSheet3", {161, 0, 208, 189}, "", true, true, false},
    {"hotkeyoptionspanel", "TPanel", "TabSheet3", {369, 0, 213, 189}, "", true, true, false},
    {"Label10", "TLabel", "singleclickoptionspanel", {1, 1, 159, 13}, "Single Click point options", true, true, false},
    {"clickonorigoption", "TCheckBox", "singleclickoptionspanel", {8, 29, 81, 17}, "Click on Orig", true, true, true},
    {"doubleclickbox", "TCheckBox", "singleclickoptionspanel", {8, 53, 81, 17}, "Double click", true, true, true},
    {"numclicksspin", "TzcSpinEdit", "singleclickoptionspanel", {40, 107, 49, 22}, "0", true, true, true},
    {"Label8",
     "TLabel",
     "singleclickoptionspanel",
     {8, 81, 121, 26},
     "Number of Clicks to make\r\nDefault is 0 or unlimited",
     true,
     true,
     false},
    {"Label11",
     "TLabel",
     "multipleclickoptionspanel",
     {1, 1, 206, 13},
     "Multiple Click point options",
     true,
     true,
     false},
    {"Label28",
     "TLabel",
     "multipleclickoptionspanel",
     {8, 16, 117, 39},
     "None Currently other\r\nthan Hotkey\r\nDesignations to the right.",
     true,
     true,
     false},
    {"hotkeynotice", "TLabel", "multipleclickoptionspanel", {8, 64, 192, 104}, "", true, true, false},
    {"Label20", "TLabel", "hotkeyoptionspanel", {1, 1, 211, 13}, "Hot Key Options", true, true, false},
    {"Label21", "TLabel", "hotkeyoptionspanel", {8, 24, 64, 13}, "Start clicking:", true, true, false},
    {"ComboBox1", "TComboBox", "hotkeyoptionspanel", {112, 20, 97, 21}, "Ctrl+F9", true, true, true},
    {"Label22", "TLabel", "hotkeyoptionspanel", {8, 48, 64, 13}, "Stop clicking:", true, true, false},
    {"ComboBox2", "TComboBox", "hotkeyoptionspanel", {112, 44, 97, 21}, "Ctrl+F10", true, true, true},
    {"Label23", "TLabel", "hotkeyoptionspanel", {8, 72, 69, 13}, "Set Click Point", true, true, false},
    {"ComboBox3", "TComboBox", "hotkeyoptionspanel", {112, 68, 97, 21}, "Ctrl+A", true, true, true},
    {"Label24", "TLabel", "hotkeyoptionspanel", {8, 96, 96, 13}, "Set Click/Hold Point", true, true, false},
    {"ComboBox4", "TComboBox", "hotkeyoptionspanel", {112, 92, 97, 21}, "Ctrl+S", true, true, true},
    {"Label25", "TLabel", "hotkeyoptionspanel", {8, 120, 85, 13}, "Set Release Point", true, true, false},
    {"ComboBox5", "TComboBox", "hotkeyoptionspanel", {112, 116, 97, 21}, "Ctrl+D", true, true, true},
    {"Label26", "TLabel", "hotkeyoptionspanel", {8, 144, 97, 13}, "Set Right Click Point", true, true, false},
    {"ComboBox6", "TComboBox", "hotkeyoptionspanel", {112, 140, 97, 21}, "Ctrl+F", true, true, true},
    {"Label27", "TLabel", "hotkeyoptionspanel", {8, 168, 102, 13}, "Set Doubleclick Point", true, true, false},
    {"ComboBox7", "TComboBox", "hotkeyoptionspanel", {112, 164, 97, 21}, "Ctrl+G", true, true, true},
};

// Controls with a colour or font of their own; every other control has the
// default font, and its kind's own colour or else its parent's.
struct Look {
  const char* name;
  TColor color;
  TColor fontColor;
  bool bold;
};
constexpr TColor kParentColor = 0xFFFFFFFF;
const Look kLooks[] = {
    {"Panel2", clAppWorkSpace, clWindowText, false},
    {"singclickstartbtn", clBtnFace, clWindowText, false},
    {"singleclickstopbutton", clBtnFace, clWindowText, false},
    {"testbutton", clBtnFace, clWindowText, false},
    {"CheckBox2", clGray, clMaroon, false},
    {"setlabel", kParentColor, clRed, true},
    {"myposlabel", clAppWorkSpace, clWindowText, false},
    {"singleclickoptionspanel", clAppWorkSpace, clWindowText, false},
    {"multipleclickoptionspanel", clAppWorkSpace, clWindowText, false},
    {"hotkeyoptionspanel", clAppWorkSpace, clWindowText, false},
    {"Label11", kParentColor, clWindowText, true},
    {"Label20", kParentColor, clWindowText, true},
    {"hotkeynotice", kParentColor, clMaroon, true},
};

struct KindColor {
  const char* name;
  TColor color;
};
const KindColor kKindColors[] = {
    {"TPageControl", clBtnFace},    {"TTabSheet", clBtnFace},  {"TEdit", clWindow},
    {"TzcFloatSpinEdit", clWindow}, {"TzcSpinEdit", clWindow}, {"TComboBox", clWindow},
};

// The first state beyond place and caption: ticks, hints, field bounds.
const char* const kChecked[] = {"CheckBox2", "RadioButton1"};
struct Hint {
  const char* name;
  const char* text;
};
const Hint kHints[] = {
    {"clickonorigoption", "Allows you to continue working almost as normal on the computer while tapfinch is active."},
    {"mpausebutton", ""},
};
struct Field {
  const char* name;
  double maxValue;  // from 0, one a step
  bool editorEnabled;
};
const Field kFields[] = {
    {"hours", 23, false},   {"minutes", 59, false},         {"seconds", 59, false},     {"tenth", 9, false},
    {"hundreth", 9, false}, {"mtimeinterval", 1000, false}, {"mminutes", 59, false},    {"mseconds", 59, false},
    {"mtenth", 9, false},   {"mhundreth", 9, false},        {"numclicksspin", 0, true},
};

template <class T, std::size_t N>
const T* Find(const T (&table)[N], const std::string& name) {
  const auto* it = std::find_if(std::begin(table), std::end(table), [&](const T& e) { return name == e.name; });
  return it == std::end(table) ? nullptr : it;
}

void CheckState(const TControl& control) {
  const std::string name = control.Name();
  if (const Look* look = Find(kLooks, name)) {
    if (look->color == kParentColor) {
      EXPECT_TRUE(control.ParentColor());
    } else {
      EXPECT_FALSE(control.ParentColor());
      EXPECT_EQ(control.Color(), look->color);
    }
    EXPECT_EQ(control.Font().color, look->fontColor);
    EXPECT_EQ(control.Font().bold, look->bold);
  } else if (const KindColor* kind = Find(kKindColors, control.ClassName())) {
    EXPECT_FALSE(control.ParentColor());
    EXPECT_EQ(control.Color(), kind->color);
    EXPECT_EQ(control.Font(), TFont{});
  } else {
    EXPECT_TRUE(control.ParentColor());
    EXPECT_EQ(control.Font(), TFont{});
  }
  if (control.ParentColor()) {
    EXPECT_EQ(control.Color(), control.Parent()->Color());
  }

  const bool checked = std::find_if(std::begin(kChecked), std::end(kChecked),
                                    [&](const char* n) { return name == n; }) != std::end(kChecked);
  if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) {
    EXPECT_EQ(box->Checked(), checked);
  } else if (const auto* radio = dynamic_cast<const TRadioButton*>(&control)) {
    EXPECT_EQ(radio->Checked(), checked);
  } else {
    EXPECT_FALSE(checked) << "nothing to tick";
  }

  const Hint* hint = Find(kHints, name);
  EXPECT_EQ(control.ShowHint(), hint != nullptr);
  EXPECT_EQ(control.Hint(), hint != nullptr ? hint->text : "");

  const Field* field = Find(kFields, name);
  if (const auto* spin = dynamic_cast<const TzcFloatSpinEdit*>(&control)) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(spin->MinValue(), 0);
    EXPECT_EQ(spin->MaxValue(), field->maxValue);
    EXPECT_EQ(spin->Increment(), 1);
    EXPECT_EQ(spin->EditorEnabled(), field->editorEnabled);
  } else if (const auto* whole = dynamic_cast<const TzcSpinEdit*>(&control)) {
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(whole->MinValue(), 0);
    EXPECT_EQ(whole->MaxValue(), field->maxValue);
    EXPECT_EQ(whole->Increment(), 1);
    EXPECT_EQ(whole->EditorEnabled(), field->editorEnabled);
  } else {
    EXPECT_EQ(field, nullptr) << "not a field";
  }
}

// Checks each row, and that the rows of a parent are all its controls, in
// their order.
template <std::size_t N>
void CheckContainer(const TForm1& form, const Row (&rows)[N]) {
  std::vector<std::string> parents;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto* control = dynamic_cast<TControl*>(form.FindComponent(row.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ClassName(), row.className);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), row.parent);
    EXPECT_EQ(control->Left(), row.bounds.left);
    EXPECT_EQ(control->Top(), row.bounds.top);
    if ((row.className != std::string("TLabel") && row.className != std::string("Tz3DLabel")) ||
        control->Align() != TAlign::alNone) {
      EXPECT_EQ(control->Width(), row.bounds.width);
      EXPECT_EQ(control->Height(), row.bounds.height);
    }
    EXPECT_EQ(control->Caption(), row.caption);
    EXPECT_EQ(control->Enabled(), row.enabled);
    EXPECT_EQ(control->Visible(), row.visible);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      EXPECT_EQ(windowed->TabStop(), row.tabStop);
    }
    CheckState(*control);
    if (std::find(parents.begin(), parents.end(), row.parent) == parents.end()) parents.emplace_back(row.parent);
  }
  for (const std::string& parent : parents) {
    SCOPED_TRACE(parent);
    std::vector<std::string> expected;
    for (const Row& row : rows) {
      if (parent == row.parent) expected.emplace_back(row.name);
    }
    std::vector<std::string> actual;
    auto* holder = parent == form.Name() ? &form : dynamic_cast<TWinControl*>(form.FindComponent(parent));
    ASSERT_NE(holder, nullptr);
    for (const TControl* control : holder->Controls()) actual.push_back(control->Name());
    EXPECT_EQ(actual, expected);
  }
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
  CheckContainer(form, kWindowRows);

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

TEST(Layout, EveryControlOfTheWindowHasARow) {
  Tapfinch app;
  TForm1& form = app.form();
  const auto listed = [](const std::string& name) {
    for (const auto& table : {std::vector<Row>(std::begin(kWindowRows), std::end(kWindowRows)),
                              std::vector<Row>(std::begin(kSingleClickRows), std::end(kSingleClickRows)),
                              std::vector<Row>(std::begin(kMultipleClickRows), std::end(kMultipleClickRows)),
                              std::vector<Row>(std::begin(kOptionsRows), std::end(kOptionsRows))}) {
      if (std::any_of(table.begin(), table.end(), [&](const Row& row) { return name == row.name; })) return true;
    }
    return false;
  };
  // The window's own controls, not the parts a control makes of itself.
  int count = 0;
  const auto walk = [&](const auto& self, const TWinControl& parent) -> void {
    for (const TControl* control : parent.Controls()) {
      if (control->Owner() != &form) continue;
      ++count;
      EXPECT_TRUE(listed(control->Name())) << control->Name() << " has no row";
      if (const auto* holder = dynamic_cast<const TWinControl*>(control)) self(self, *holder);
    }
  };
  walk(walk, form);
  EXPECT_EQ(count, std::size(kWindowRows) + std::size(kSingleClickRows) + std::size(kMultipleClickRows) +
                       std::size(kOptionsRows));
}

TEST(Layout, TheSingleClickTab) {
  Tapfinch app;
  CheckContainer(app.form(), kSingleClickRows);
}

TEST(Layout, TheMultipleClickTab) {
  Tapfinch app;
  CheckContainer(app.form(), kMultipleClickRows);
}

TEST(Layout, TheOptionsTab) {
  Tapfinch app;
  CheckContainer(app.form(), kOptionsRows);
}
