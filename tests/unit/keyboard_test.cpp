// The keyboard on the main window as Windows delivers it: the dialog
// manager's Tab, Enter and Esc, the push button's Space, and the native
// edit's own keys, clipboard and context menu on the spin edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/harness.h"

using platform::kCtrl;
using platform::kShift;
using platform::kVkBack;
using platform::kVkDelete;
using platform::kVkEscape;
using platform::kVkInsert;
using platform::kVkReturn;
using platform::kVkSpace;
using platform::kVkTab;
using platform::kVkUp;
using platform::fake::EditCommand;
using platform::fake::FakeEdit;
using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started());
    user().selectTab(*form().PageControl1, 0);
  }
  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }
  platform::fake::FakeDesktop& desktop() { return fake().desktop(); }

  // The name of the control that has the focus after each Tab.
  std::vector<std::string> tabbing(int presses, platform::ShiftBits shift = 0) {
    std::vector<std::string> names;
    for (int i = 0; i < presses; ++i) {
      desktop().pressKey(kVkTab, shift);
      const TWinControl* focused = form().ActiveControl();
      names.push_back(focused != nullptr && focused->Focused() ? focused->Name() : "(none)");
    }
    return names;
  }

  Tapfinch app;
};

}  // namespace

TEST_F(Keyboard, TabAndShiftTabVisitEveryTabStopOfTheSingleClickTabInLayoutOrder) {
  user().focus(*form().CheckBox2);
  // The row of tabs comes after the page's controls.
  const std::vector<std::string> forward{"hours",      "minutes",      "seconds",
                                         "tenth",      "hundreth",     "singclickstartbtn",
                                         "testbutton", "PageControl1", "CheckBox2"};
  EXPECT_EQ(tabbing(9), forward) << "no colour button keeps the Tab";
  std::vector<std::string> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back("CheckBox2");
  EXPECT_EQ(tabbing(9, kShift), backward);

  // With the point group's buttons and STOP enabled (START disabled while
  // it runs), they join in their places.
  user().click(*form().CheckBox2);
  user().click(*form().singfindclickptstartbtn);
  user().moveMouse(40, 50);
  fake().advance(10);
  user().press(*form().singfindclickptstartbtn, kVkSpace, ' ');
  user().click(*form().singfindclickptstopbtn);
  user().click(*form().singclickstartbtn);
  user().focus(*form().singleclickstopbutton);
  EXPECT_EQ(tabbing(8),
            (std::vector<std::string>{"testbutton", "PageControl1", "singfindclickptstartbtn", "singfindclickptstopbtn",
                                      "xpostext", "ypostext", "CheckBox2", "hours"}));
}

TEST_F(Keyboard, SpaceAndEnterPressAFocusedColourButtonAndEnterReachesNoOtherControl) {
  user().focus(*form().singclickstartbtn);
  user().press(*form().singclickstartbtn, kVkSpace, ' ');
  EXPECT_TRUE(form().Timer1->Enabled()) << "Space pressed START";
  user().focus(*form().singleclickstopbutton);
  user().press(*form().singleclickstopbutton, kVkReturn, '\r');
  EXPECT_FALSE(form().Timer1->Enabled()) << "Enter pressed STOP";

  int flips = 0;
  form().testbutton->OnClick = [&](TObject*) { ++flips; };
  user().focus(*form().testbutton);
  user().press(*form().testbutton, kVkReturn, '\r');
  user().press(*form().testbutton, kVkSpace, ' ');
  EXPECT_EQ(flips, 2);
  // Esc is the form's: no Cancel button here, so nothing happens.
  user().press(*form().testbutton, kVkEscape);
  EXPECT_EQ(flips, 2);
}

TEST_F(Keyboard, NoKeyPasteCutOrMenuChangesAnIntervalField) {
  // A run at 1/10 s, clicking: emptying a field would stop it silently.
  form().seconds->SetValue(0);
  form().tenth->SetValue(1);
  user().click(*form().singclickstartbtn);
  fake().advance(1000);
  const auto before = fake().mouseEvents().size();
  ASSERT_EQ(before, 20u);

  TzcFloatSpinEdit& tenth = *form().tenth;
  auto& edit = dynamic_cast<FakeEdit&>(WindowOf(tenth));
  fake().clipboard().setText("7");
  user().focus(tenth);
  for (const auto& [key, shift, ch] : std::vector<std::tuple<std::uint16_t, platform::ShiftBits, char>>{
           {kVkDelete, 0, 0},
           {kVkDelete, kShift, 0},
           {kVkInsert, kShift, 0},
           {'V', kCtrl, 22},
           {'X', kCtrl, 24},
           {kVkBack, 0, 8},
           {'4', 0, '4'},
       }) {
    tenth.SelectAll();
    user().press(tenth, key, ch, shift);
    EXPECT_EQ(edit.text(), "1") << "key " << key;
  }
  for (EditCommand command : {EditCommand::kCut, EditCommand::kDelete, EditCommand::kPaste}) {
    edit.contextCommand(EditCommand::kSelectAll);
    edit.contextCommand(command);
    EXPECT_EQ(edit.text(), "1") << "menu command " << static_cast<int>(command);
  }
  EXPECT_EQ(tenth.Text(), "1");
  EXPECT_EQ(form().Timer1->Interval(), 100u);
  fake().advance(1000);
  EXPECT_EQ(fake().mouseEvents().size(), before + 20) << "the run kept its pace";

  // The arrows still step, and a field whose typing is on edits as usual.
  user().press(tenth, kVkUp);
  EXPECT_EQ(tenth.Text(), "2");
  tenth.SetEditorEnabled(true);
  tenth.SelectAll();
  user().press(tenth, kVkDelete);
  EXPECT_EQ(tenth.Text(), "");
  EXPECT_EQ(fake().clipboard().text(), "7") << "copying is harmless and not refused";
}

TEST_F(Keyboard, TypingIntoTheClickCountUsesTheNativeEditKeys) {
  user().selectTab(*form().PageControl1, 2);
  TzcSpinEdit& count = *form().numclicksspin;
  user().enterText(count, "250");
  fake().clipboard().setText("-3");
  user().press(count, kVkInsert, 0, kShift);  // caret at the end: appended
  EXPECT_EQ(count.Text(), "250-3");
  count.SelectAll();
  user().press(count, 'X', 24, kCtrl);
  EXPECT_EQ(count.Text(), "");
  EXPECT_EQ(fake().clipboard().text(), "250-3");
  EXPECT_EQ(count.Value(), 0);
}

TEST_F(Keyboard, ASpinEditSelectsAllWhenFocusedByKeyboardButNotByAClick) {
  user().selectTab(*form().PageControl1, 2);
  TzcSpinEdit& count = *form().numclicksspin;
  count.SetValue(42);
  auto& edit = dynamic_cast<FakeEdit&>(WindowOf(count));
  // A click at the left of the text puts the caret there; typing inserts.
  user().click(count, 1, 5);
  ASSERT_TRUE(count.Focused());
  EXPECT_EQ(edit.Selection(), std::make_pair(0, 0));
  user().type(count, '7');
  EXPECT_EQ(count.Text(), "742");
  // Focused from the keyboard, the whole text is selected and replaced.
  user().focus(*form().doubleclickbox);
  desktop().pressKey(kVkTab);
  ASSERT_TRUE(count.Focused());
  EXPECT_EQ(edit.Selection(), std::make_pair(0, 3));
  user().type(count, '5');
  EXPECT_EQ(count.Text(), "5");
}

TEST_F(Keyboard, EnterInASpinEditBeepsAndIsNoDialogCommand) {
  int defaults = 0;
  form().singclickstartbtn->SetDefault(true);
  form().singclickstartbtn->OnClick = [&](TObject*) { ++defaults; };
  user().focus(*form().seconds);
  const int beeps = fake().beeps();
  user().press(*form().seconds, kVkReturn, '\r');
  EXPECT_EQ(fake().beeps(), beeps + 1);
  EXPECT_EQ(defaults, 0) << "the default button was not pressed";
  EXPECT_EQ(form().seconds->Text(), "5");
  // From a control that does not claim Enter, the default button takes it.
  user().focus(*form().CheckBox2);
  user().press(*form().CheckBox2, kVkReturn, '\r');
  EXPECT_EQ(defaults, 1);
}

TEST_F(Keyboard, ArrowsVisitEveryVisibleEnabledWindowInTabOrderLabelsIncluded) {
  user().focus(*form().singclickstartbtn);
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    desktop().pressKey(platform::kVkDown);
    seen.push_back(desktop().focused() != nullptr
                       ? desktop().focused()->className() + " '" + desktop().focused()->text() + "'"
                       : "(none)");
  }
  // STOP and the point group's buttons are disabled, the X and Y fields
  // hidden: what is left, as the dialog manager finds it under Wine, up to
  // the row of tabs, which keeps the arrows for itself.
  EXPECT_EQ(seen, (std::vector<std::string>{"TLabel ''", "TzColorBtn 'Test click area'", "TPageControl ''",
                                            "TPageControl ''"}));
  desktop().pressKey(platform::kVkUp);
  EXPECT_TRUE(form().PageControl1->Focused());
  desktop().pressKey(platform::kVkRight);
  EXPECT_EQ(form().PageControl1->ActivePageIndex(), 1) << "Right shows the next page";
  desktop().pressKey(platform::kVkLeft);
  EXPECT_EQ(form().PageControl1->ActivePageIndex(), 0);
  desktop().pressKey(platform::kVkLeft);
  EXPECT_EQ(form().PageControl1->ActivePageIndex(), 0) << "none before the first";
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysTurnThePagesFromAnywhereInTheWindow) {
  ASSERT_EQ(form().PageControl1->ActivePageIndex(), 0);
  user().focus(*form().hours);
  struct Step {
    std::uint16_t key;
    platform::ShiftBits shift;
    int page;
  };
  const Step steps[] = {
      {kVkTab, kCtrl, 1},                                             // Ctrl+Tab
      {kVkTab, kCtrl, 2},                                             //
      {kVkTab, kCtrl, 0},                                             // round the end
      {kVkTab, static_cast<platform::ShiftBits>(kCtrl | kShift), 2},  // Ctrl+Shift+Tab
      {platform::kVkPrior, kCtrl, 1},                                 // Ctrl+PageUp
      {platform::kVkNext, kCtrl, 2},                                  // Ctrl+PageDown
  };
  for (const Step& step : steps) {
    desktop().pressKey(step.key, step.shift);
    EXPECT_EQ(form().PageControl1->ActivePageIndex(), step.page);
    EXPECT_TRUE(form().PageControl1->Focused()) << "the tab row has the focus";
  }
  // A plain Tab still moves between the controls.
  user().selectTab(*form().PageControl1, 0);
  user().focus(*form().hours);
  desktop().pressKey(kVkTab);
  EXPECT_EQ(form().PageControl1->ActivePageIndex(), 0);
  EXPECT_TRUE(form().minutes->Focused());
}

TEST_F(Keyboard, AMenuThatTurnsThePageTakesTheFocusOffTheHiddenPage) {
  // Windows leaves the focus on a window whose parent it hides, as the
  // fake does: typing then went into a field nobody saw.
  user().click(*form().CheckBox2);  // the point fields show
  user().enterText(*form().xpostext, "250");
  for (TMenuItem* item : {form().SetHotKeys1, form().Options1}) {
    user().selectTab(*form().PageControl1, 0);
    user().focus(*form().xpostext);
    item->Click();
    EXPECT_EQ(form().PageControl1->ActivePage(), form().TabSheet3) << item->Name();
    EXPECT_TRUE(form().PageControl1->Focused())
        << item->Name() << ": the tab row takes the focus, as a click on it would";
    desktop().typeText("9");
    EXPECT_EQ(form().xpostext->Text(), "250") << item->Name() << ": typed into a hidden field";
  }
}
