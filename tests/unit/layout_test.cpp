// The main window's layout table, checked against the built form: every
// control's class, parent, place, caption and first state. Labels fit
// their text, so for them only the top-left corner is the layout's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/harness.h"

using testing_support::Tapfinch;

namespace {

struct Row {
  const char* name;
  const char* className;
  const char* parent;
  platform::Rect bounds;
  const char* caption;  // null: not checked
  bool enabled;
  bool visible;
  bool tabStop;
};

// Tab order within each parent follows the rows.
const Row kRows[] = {
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
    {"Label7", "TLabel", "GroupBox3", {176, 24, 108, 39}, nullptr, true, false, false},
    {"setlabel", "Tz3DLabel", "GroupBox3", {64, 74, 90, 13}, "Click Point SET", true, true, false},
    {"Label1", "TLabel", "GroupBox1", {35, 16, 28, 13}, "Hours", true, true, false},
    {"hours", "TzcFloatSpinEdit", "GroupBox1", {31, 32, 41, 22}, "0", true, true, true},
    {"minutes", "TzcFloatSpinEdit", "GroupBox1", {83, 32, 41, 22}, "0", true, true, true},
    {"seconds", "TzcFloatSpinEdit", "GroupBox1", {135, 32, 41, 22}, "5", true, true, true},
    {"tenth", "TzcFloatSpinEdit", "GroupBox1", {187, 32, 33, 22}, "0", true, true, true},
    {"hundreth", "TzcFloatSpinEdit", "GroupBox1", {231, 32, 33, 22}, "0", true, true, true},
    {"countlabel", "TLabel", "GroupBox2", {8, 16, 3, 13}, "", true, true, false},
    {"GroupBox4", "TGroupBox", "TabSheet2", {0, 0, 241, 92}, "Specify Click Point", true, true, false},
    {"GroupBox5", "TGroupBox", "TabSheet2", {0, 92, 241, 65}, "Click Interval", true, true, false},
    {"addtolistbutton", "TButton", "TabSheet2", {252, 112, 69, 17}, "Add to List", false, true, false},
    {"mclicklistbtn", "TButton", "TabSheet2", {404, 16, 73, 17}, "Click the List", true, true, false},
    {"mclearlistbtn", "TButton", "TabSheet2", {252, 136, 69, 17}, "Clear List", true, true, false},
    {"RadioGroup1", "TRadioGroup", "TabSheet2", {248, 0, 145, 105}, "Click options / Hot Key", true, true, false},
    {"RadioButton1", "TRadioButton", "TabSheet2", {252, 16, 133, 17}, "Click             / Ctrl + A", true, true, true},
    {"RadioButton5", "TRadioButton", "TabSheet2", {252, 80, 133, 17}, "Double Click / Ctrl + G ", true, true, true},
    {"msavelistbtn", "TButton", "TabSheet2", {324, 112, 69, 17}, "Save List", true, true, false},
    {"mloadlistbtn", "TButton", "TabSheet2", {324, 136, 69, 17}, "Load List", true, true, false},
    {"mpausebutton", "TButton", "TabSheet2", {492, 16, 73, 17}, "Pause", true, true, false},
    {"listbox1", "TLMDListBox", "TabSheet2", {400, 32, 169, 209}, nullptr, true, true, false},
    {"mstartspecify", "TButton", "GroupBox4", {8, 16, 41, 17}, "Start", true, true, true},
    {"mstopspecify", "TButton", "GroupBox4", {8, 40, 41, 17}, "Stop", true, true, true},
    {"mxpostext", "TEdit", "GroupBox4", {88, 24, 33, 21}, "", true, true, true},
    {"mypostext", "TEdit", "GroupBox4", {88, 56, 33, 21}, "", true, true, true},
    {"Label14", "TLabel", "GroupBox4", {128, 8, 102, 78}, nullptr, true, false, false},
    {"mtimeinterval", "TzcFloatSpinEdit", "GroupBox5", {8, 32, 41, 22}, "0", true, true, true},
    {"mseconds", "TzcFloatSpinEdit", "GroupBox5", {104, 32, 41, 22}, "5", true, true, true},
    {"clickonorigoption", "TCheckBox", "singleclickoptionspanel", {8, 29, 81, 17}, "Click on Orig", true, true, true},
    {"doubleclickbox", "TCheckBox", "singleclickoptionspanel", {8, 53, 81, 17}, "Double click", true, true, true},
    {"numclicksspin", "TzcSpinEdit", "singleclickoptionspanel", {40, 107, 49, 22}, "0", true, true, true},
    {"Label21", "TLabel", "hotkeyoptionspanel", {8, 24, 64, 13}, "Start clicking:", true, true, false},
    {"ComboBox1", "TComboBox", "hotkeyoptionspanel", {112, 20, 97, 21}, nullptr, true, true, true},
    {"Label27", "TLabel", "hotkeyoptionspanel", {8, 168, 102, 13}, "Set Doubleclick Point", true, true, false},
    {"ComboBox7", "TComboBox", "hotkeyoptionspanel", {112, 164, 97, 21}, nullptr, true, true, true},
};

}  // namespace

TEST(Layout, EveryControlStandsWhereTheLayoutPutsIt) {
  Tapfinch app;
  TForm1& form = app.form();
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    auto* control = dynamic_cast<TControl*>(form.FindComponent(row.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ClassName(), row.className);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), row.parent);
    EXPECT_EQ(control->Left(), row.bounds.left);
    EXPECT_EQ(control->Top(), row.bounds.top);
    if (row.className != std::string("TLabel") && row.className != std::string("Tz3DLabel")) {
      EXPECT_EQ(control->Width(), row.bounds.width);
      EXPECT_EQ(control->Height(), row.bounds.height);
    }
    if (row.caption != nullptr) {
      EXPECT_EQ(control->Caption(), row.caption);
    }
    EXPECT_EQ(control->Enabled(), row.enabled);
    EXPECT_EQ(control->Visible(), row.visible);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      EXPECT_EQ(windowed->TabStop(), row.tabStop);
    }
  }
  // Within a parent, the focusable controls come in the rows' order.
  auto position = [&](const char* name) {
    const TControl* control = dynamic_cast<TControl*>(form.FindComponent(name));
    const auto& siblings = control->Parent()->Controls();
    return std::find(siblings.begin(), siblings.end(), control) - siblings.begin();
  };
  EXPECT_LT(position("singclickstartbtn"), position("singleclickstopbutton"));
  EXPECT_LT(position("singleclickstopbutton"), position("testbutton"));
  EXPECT_LT(position("mclicklistbtn"), position("RadioButton1"));
  EXPECT_LT(position("RadioButton5"), position("msavelistbtn"));
  EXPECT_LT(position("mpausebutton"), position("listbox1"));
}
