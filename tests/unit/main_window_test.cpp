// The main window as it first appears, and the mouse actions.
#include <gtest/gtest.h>

#include "tests/support/harness.h"
#include "ui/Unit2.h"

using platform::MouseAction;
using testing_support::Tapfinch;

namespace {

template <class Window = platform::fake::FakeTopLevel>
Window& PeerOf(const TControl& control) {
  return dynamic_cast<Window&>(testing_support::WindowOf(control));
}

}  // namespace

TEST(MainWindow, FirstAppearsCentredWithTheMultipleClickPointsTab) {
  Tapfinch app;
  TForm1& form = app.form();
  EXPECT_EQ(form.Width(), 600);
  EXPECT_EQ(form.Height(), 265);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(PeerOf(form).shownCentered());
  EXPECT_EQ(PeerOf(form).className(), "TForm1");
  EXPECT_EQ(form.Caption().rfind("Tapfinch ver 2.5 ", 0), 0u);
  EXPECT_EQ(form.Color(), clGray);
  EXPECT_EQ(form.PageControl1->ActivePage(), form.TabSheet2);
  EXPECT_EQ(PeerOf<platform::fake::FakeTabs>(*form.PageControl1).tabs(),
            (std::vector<std::string>{"Single Click", "Multiple Click Points", "Options"}));
  EXPECT_EQ(form.Panel2->Color(), clAppWorkSpace);

  const auto& menu = PeerOf(form).menu();
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].caption, "File");
  ASSERT_EQ(menu[0].items.size(), 5u);
  EXPECT_EQ(menu[0].items[3].caption, "Minimize to Tray Icon");
  EXPECT_FALSE(menu[0].items[3].visible);
  EXPECT_EQ(menu[2].items[1].caption, "About Tapfinch");
}

TEST(MainWindow, SingleClickTabStartsReadyToRunAtTheMouse) {
  Tapfinch app;
  TForm1& form = app.form();
  EXPECT_TRUE(form.CheckBox2->Checked());
  EXPECT_EQ(form.CheckBox2->Color(), clGray);
  EXPECT_EQ(form.CheckBox2->Font().color, clMaroon);
  EXPECT_TRUE(form.setlabel->Visible());
  EXPECT_FALSE(form.xpostext->Visible());
  EXPECT_EQ(form.xpostext->Text(), "0");
  EXPECT_FALSE(form.singfindclickptstartbtn->Enabled());
  EXPECT_FALSE(form.Label5->Enabled());
  EXPECT_FALSE(form.Label7->Visible());
  EXPECT_TRUE(form.singclickstartbtn->Enabled());
  EXPECT_FALSE(form.singleclickstopbutton->Enabled());
  EXPECT_EQ(form.testbutton->DefaultLook(), TzColorBtn::TDefaultLook::dlNone);
  EXPECT_EQ(form.countlabel->Caption(), "");
  EXPECT_EQ(form.Timer1->Interval(), 5000u);
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.findpointtimer->Interval(), 10u);
  EXPECT_EQ(form.Label7->Caption(), "Press SPACE BAR to\r\nset Click Point with this\r\nwindow active.");
  EXPECT_FALSE(form.addtolistbutton->Enabled());
  EXPECT_FALSE(form.addtolistbutton->TabStop());
  EXPECT_FALSE(form.clickonorigoption->Checked());
  EXPECT_EQ(form.numclicksspin->Text(), "0");

  // Places from the layout, relative to their parents.
  EXPECT_EQ(form.GroupBox3->BoundsRect(), (platform::Rect{96, 0, 297, 92}));
  EXPECT_EQ(form.singclickstartbtn->BoundsRect(), (platform::Rect{8, 8, 73, 25}));
  EXPECT_EQ(form.seconds->BoundsRect(), (platform::Rect{135, 32, 41, 22}));
  EXPECT_EQ(form.seconds->Parent(), form.GroupBox1);
  // "Click Point SET" fits its bold text, with the shadow's pixel.
  const platform::Size text = app.fake().windows().MeasureText("Click Point SET", form.setlabel->Font());
  EXPECT_EQ(form.setlabel->BoundsRect(), (platform::Rect{64, 74, text.width + 1, text.height + 1}));
  EXPECT_GT(form.setlabel->Width(), 90) << "wider than the layout's 90, so it is not cut off";
  EXPECT_EQ(form.numclicksspin->Parent(), form.singleclickoptionspanel);
  EXPECT_EQ(form.singleclickoptionspanel->Width(), 161);
  EXPECT_EQ(form.multipleclickoptionspanel->Left(), 161);
  EXPECT_EQ(form.hotkeyoptionspanel->Left(), 369);
}

TEST(MainWindow, HelpInstructionsShowsTheFixedInstructionsWindowOnce) {
  Tapfinch app;
  TForm2& instructions = *app.program().Form2();
  EXPECT_FALSE(instructions.Visible()) << "made hidden at start-up";
  EXPECT_EQ(instructions.Width(), 450);
  EXPECT_EQ(instructions.Height(), 460);
  EXPECT_EQ(PeerOf(instructions).border(), platform::FormBorder::kSingle) << "fixed, no minimise button";
  EXPECT_EQ(instructions.Caption(), "Instructions - Tapfinch by Brenmoor - https://tapfinch.example");

  app.form().Instructions1->Click();
  EXPECT_TRUE(instructions.Visible());
  EXPECT_TRUE(PeerOf(instructions).shownCentered());
  const auto z = PeerOf(instructions).zOrder();
  app.form().Instructions1->Click();
  EXPECT_EQ(PeerOf(instructions).zOrder(), z) << "already showing: not brought to the front";
  EXPECT_EQ(app.fake().topLevelWindows().size(), 3u) << "one window, not two";

  EXPECT_EQ(instructions.PageControl1->ActivePage(), instructions.TabSheet2);
  EXPECT_EQ(instructions.Memo1->Text(), "");
  const auto lines = instructions.Memo2->Lines();
  ASSERT_EQ(lines.size(), 74u);
  EXPECT_EQ(lines[0], "This is where the fun stuff starts.");
  EXPECT_EQ(lines[2], "With this section of Tapfinch you can create full mouse click macro's, save ")
      << "a trailing blank kept";
  EXPECT_EQ(lines[71], "brenmoor");
  auto& memo = dynamic_cast<platform::fake::FakeEdit&>(testing_support::WindowOf(*instructions.Memo2));
  EXPECT_TRUE(memo.readOnly());
  EXPECT_TRUE(memo.multiLine());
  EXPECT_TRUE(memo.style().verticalScrollBar);

  // Its close button hides it; the next Instructions shows it again.
  instructions.PeerCloseRequested();
  EXPECT_FALSE(instructions.Visible());
  EXPECT_TRUE(app.form().Visible());
  app.form().Instructions1->Click();
  EXPECT_TRUE(instructions.Visible());
}

TEST(MainWindow, FileOptionsAndSetHotKeysShowTheOptionsTab) {
  Tapfinch app;
  app.form().Options1->Click();
  EXPECT_EQ(app.form().PageControl1->ActivePage(), app.form().TabSheet3);
  app.form().PageControl1->SetActivePage(app.form().TabSheet1);
  app.form().SetHotKeys1->Click();
  EXPECT_EQ(app.form().PageControl1->ActivePage(), app.form().TabSheet3);
}

TEST(MainWindow, OnlyTheOpenPageHasWindowsAtStartAndAnotherGetsThemAsItWasLeft) {
  Tapfinch app;
  TForm1& form = app.form();
  EXPECT_NE(form.mstartspecify->Peer(), nullptr) << "the page the window opens on";
  EXPECT_EQ(form.singclickstartbtn->Peer(), nullptr);
  EXPECT_EQ(form.ComboBox1->Peer(), nullptr);
  EXPECT_NE(form.TabSheet1->Peer(), nullptr) << "the pages themselves have theirs";

  // What changes meanwhile is in the windows once they are made.
  form.CheckBox2->SetChecked(false);
  form.xpostext->SetText("12");
  form.doubleclickbox->SetChecked(true);
  form.ComboBox1->SetText("Alt+F4");
  app.user().selectTab(*form.PageControl1, 0);
  EXPECT_EQ(PeerOf<platform::fake::FakeButton>(*form.CheckBox2).checked(), false);
  EXPECT_EQ(PeerOf<platform::fake::FakeEdit>(*form.xpostext).text(), "12");
  EXPECT_TRUE(PeerOf<platform::fake::FakeEdit>(*form.xpostext).visible());
  EXPECT_EQ(PeerOf<platform::fake::FakeWindow>(*form.singclickstartbtn).text(), "START");
  app.user().selectTab(*form.PageControl1, 2);
  EXPECT_TRUE(PeerOf<platform::fake::FakeButton>(*form.doubleclickbox).checked());
  const auto& box = PeerOf<platform::fake::FakeComboBox>(*form.ComboBox1);
  EXPECT_EQ(box.items().size(), form.ComboBox1->Items().size());
  EXPECT_EQ(box.text(), "Alt+F4");
  // Back on a page that has its windows: nothing is made twice.
  const platform::WindowPeer* start = form.singclickstartbtn->Peer();
  app.user().selectTab(*form.PageControl1, 0);
  EXPECT_EQ(form.singclickstartbtn->Peer(), start);
}

// Minimised, the count and the list's highlight are left as they were while
// both runs go on clicking; restored, they show the truth at once.
TEST(MainWindow, MinimisedTheViewWaitsAndRestoredItShowsTheTruthAtOnce) {
  Tapfinch app;
  TForm1& form = app.form();
  auto& fake = app.fake();
  auto& user = app.user();
  form.mseconds->SetValue(0);
  form.mhundreth->SetValue(1);
  user.click(*form.mstartspecify);
  for (int x : {10, 20, 30}) {
    user.moveMouse(x, x);
    fake.advance(10);
    ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 'A'));
    fake.runPending();
  }
  user.click(*form.mstopspecify);
  user.click(*form.mclicklistbtn);
  user.selectTab(*form.PageControl1, 0);
  form.seconds->SetValue(0);
  form.hundreth->SetValue(1);
  user.click(*form.singclickstartbtn);
  fake.advance(205);

  form.PeerMinimizeRequested();  // the title bar's minimise button
  const std::string count = form.countlabel->Caption();
  std::vector<bool> highlight;
  for (int r = 0; r < 3; ++r) highlight.push_back(form.listbox1->Selected(r));
  const auto downs = [&] {
    std::size_t n = 0;
    for (const auto& e : fake.mouseEvents()) n += e.action == MouseAction::kLeftDown ? 1 : 0;
    return n;
  };
  const std::size_t before = downs();
  fake.advance(1000);
  EXPECT_GE(downs(), before + 190) << "both runs click on";
  EXPECT_EQ(form.countlabel->Caption(), count);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(form.listbox1->Selected(r), highlight[r]) << "the highlight as it was";

  fake.findTopLevel("TApplication", kApplicationTitle)->externalRestore();  // the taskbar entry
  fake.runPending();
  EXPECT_EQ(form.countlabel->Caption(), std::to_string(form.session->Count()));
  const int row = form.session->ListPosition() - 2;  // the entry clicked last
  for (int r = 0; r < 3; ++r) EXPECT_EQ(form.listbox1->Selected(r), r == row) << r;
}
