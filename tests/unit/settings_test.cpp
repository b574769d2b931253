// The settings kept in the registry, and reassigning the hotkeys on the
// Options tab, on a fake registry that a test fills before start-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/harness.h"
#include "tests/support/registry_values.h"

using platform::RegistryRoot;
using platform::RegistryValue;
using platform::fake::FakeComboBox;
using platform::fake::FakePlatform;
using platform::fake::FakeRegistry;
using testing_support::Tapfinch;
using testing_support::WindowOf;

using testing_support::Dword;
using testing_support::Text;

namespace {

constexpr const char* kPath = "Software\\Brenmoorsoft\\Tapfinch";

class SavedSettings : public ::testing::Test {
 protected:
  FakeRegistry& registry() { return fake.registryStore(); }
  FakeRegistry::Values& stored(RegistryRoot root = RegistryRoot::kLocalMachine) { return registry().key(root, kPath); }
  static FakeComboBox& box(Tapfinch& /*app*/, TComboBox* combo) {
    return dynamic_cast<FakeComboBox&>(WindowOf(*combo));
  }
  std::vector<std::string> boxTexts(Tapfinch& app) {
    std::vector<std::string> texts;
    for (TComboBox* combo : {app.form().ComboBox1, app.form().ComboBox2, app.form().ComboBox3, app.form().ComboBox4,
                             app.form().ComboBox5, app.form().ComboBox6, app.form().ComboBox7}) {
      texts.push_back(combo->Text());
    }
    return texts;
  }

  FakePlatform fake;
};

}  // namespace

TEST_F(SavedSettings, FirstRunCreatesTheKeyAndWritesAllNineteenValuesAtExit) {
  {
    Tapfinch app(fake);
    ASSERT_TRUE(app.started());
    EXPECT_TRUE(registry().keyExists(RegistryRoot::kLocalMachine, kPath));
    EXPECT_TRUE(stored().empty());
    EXPECT_EQ(boxTexts(app),
              (std::vector<std::string>{"Ctrl+F9", "Ctrl+F10", "Ctrl+A", "Ctrl+S", "Ctrl+D", "Ctrl+F", "Ctrl+G"}));
  }
  const auto& values = stored();
  EXPECT_EQ(values.size(), 19u);
  EXPECT_EQ(values.at("x").type, platform::kRegDword);
  EXPECT_EQ(values.at("times").data, Dword(5).data);
  EXPECT_EQ(values.at("mouse").data, Dword(1).data);
  EXPECT_EQ(values.at("starthotkey").type, platform::kRegSz);
  EXPECT_EQ(values.at("starthotkey").data, Text("Ctrl+F9").data);
  EXPECT_EQ(values.at("doubleclickhotkey").data, Text("Ctrl+G").data);
  EXPECT_EQ(values.at("listrounds").data, Dword(0).data) << "no store: until stopped";
  EXPECT_TRUE(fake.messageBoxes().empty());
}

TEST_F(SavedSettings, StoredValuesGoThroughTheControlsAsAUsersChangesWould) {
  auto& values = stored();
  values["x"] = Dword(static_cast<std::uint32_t>(-5));
  values["y"] = Dword(40);
  values["timeh"] = Dword(99);
  values["mouse"] = Dword(0);
  values["orig"] = Dword(1);
  values["numclicks"] = Dword(7);
  values["listrounds"] = Dword(12345);  // past the most the field takes
  values["starthotkey"] = Text("Ctrl+F5");
  values["clickhotkey"] = Text("Alt+F4");  // not in the choice list
  {
    Tapfinch app(fake);
    TForm1& form = app.form();
    EXPECT_FALSE(form.CheckBox2->Checked());
    EXPECT_TRUE(form.xpostext->Visible()) << "the mode switch ran";
    EXPECT_EQ(form.xpostext->Text(), "-5");
    EXPECT_FALSE(form.session->PointSet()) << "the point must be set again";
    EXPECT_EQ(form.hours->Text(), "23");
    EXPECT_EQ(form.Timer1->Interval(), 23u * 3600000 + 5000) << "tenthChange ran";
    EXPECT_TRUE(form.session->ClickOnOrig());
    EXPECT_EQ(form.numclicksspin->Value(), 7);
    EXPECT_EQ(form.roundsspin->Value(), 9999);
    EXPECT_EQ(form.session->ListRounds(), 9999) << "the field's change ran";
    form.roundsspin->SetValue(3);
    EXPECT_EQ(form.ComboBox1->Text(), "Ctrl+F5");
    EXPECT_EQ(form.ComboBox3->Text(), "Alt+F4") << "a code outside the list shows its name";
    EXPECT_EQ(form.ComboBox3->ItemIndex(), -1);
    EXPECT_EQ(form.RadioButton1->Caption(), "Click      / Alt+F4") << "the option names it after a restart";
    EXPECT_EQ(form.clickhotkey->HotKey(), 0x8073);
    EXPECT_TRUE(fake.pressHotKey(platform::kModControl, 0x74)) << "Ctrl+F5 registered at start-up";
  }
  EXPECT_EQ(stored().at("timeh").data, Dword(23).data);
  EXPECT_EQ(stored().at("x").data, Dword(static_cast<std::uint32_t>(-5)).data);
  EXPECT_EQ(stored().at("clickhotkey").data, Text("Alt+F4").data);
  EXPECT_EQ(stored().at("listrounds").data, Dword(3).data);
}

TEST_F(SavedSettings, AWrongTypeStopsReadingThereWithItsMessage) {
  auto& values = stored();
  values["timeh"] = Dword(2);
  values["timem"] = {platform::kRegSz, {'3', 0}};
  values["times"] = Dword(9);
  Tapfinch app(fake);
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "Invalid data type for 'timem'");
  EXPECT_EQ(app.form().hours->Text(), "2") << "values before it are applied";
  EXPECT_EQ(app.form().seconds->Text(), "5") << "values after it are not";
  EXPECT_EQ(app.form().ComboBox1->Text(), "Ctrl+F9") << "the boxes still show the hotkeys as they are";
  fake.clearMessageBoxes();

  // The next normal exit repairs it; more than four bytes fail anew.
  app.shutdown();
  EXPECT_EQ(stored().at("timem").type, platform::kRegDword);
  stored()["numclicks"] = {platform::kRegBinary, {1, 2, 3, 4, 5}};
  Tapfinch again(fake);
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "Failed to get data for 'numclicks'");
  EXPECT_TRUE(again.form().CheckBox2->Checked()) << "the value before it was applied";
}

TEST_F(SavedSettings, APointFieldThatIsNoNumberAtExitKeepsItsStoredValueAndIsNamedLast) {
  {
    Tapfinch app(fake);
    app.user().selectTab(*app.form().PageControl1, 0);
    app.user().click(*app.form().CheckBox2);
    app.form().xpostext->SetText("12a");
    app.form().ypostext->SetText("7");
    app.form().minutes->SetValue(4);
    stored().clear();  // what the exit writes
  }
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "'12a' is not a valid integer value.");
  EXPECT_EQ(stored().size(), 18u);
  EXPECT_EQ(stored().count("x"), 0u);
  EXPECT_EQ(stored().at("y").data, Dword(7).data);
  EXPECT_EQ(stored().at("timem").data, Dword(4).data);
  EXPECT_EQ(stored().at("mouse").data, Dword(0).data);
}

TEST_F(SavedSettings, AStoredStopHotkeyOnTheStartHotkeysCombinationFallsBackSoThatARunCanBeStopped) {
  stored()["stophotkey"] = Text("Ctrl+F9");
  Tapfinch app(fake);
  TForm1& form = app.form();
  EXPECT_EQ(form.starthotkey->HotKey(), 0x4078);
  EXPECT_EQ(form.stophotkey->HotKey(), 0x4079) << "back on its default";
  EXPECT_EQ(form.ComboBox1->Text(), "Ctrl+F9");
  EXPECT_EQ(form.ComboBox2->Text(), "Ctrl+F10");
  EXPECT_EQ(form.hotkeynotice->Caption(), "Stop was stored as Ctrl+F9, which Start has: Stop is Ctrl+F10.");
  EXPECT_TRUE(fake.messageBoxes().empty()) << "said on the Options tab, not in a box";

  app.user().selectTab(*form.PageControl1, 0);
  ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 0x78));
  fake.runPending();
  ASSERT_TRUE(form.Timer1->Enabled());
  ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 0x79));
  fake.runPending();
  EXPECT_FALSE(form.Timer1->Enabled()) << "the stop hotkey stops the run";

  // Assigned anew, the note goes; the fixed value is what the exit writes.
  app.user().selectTab(*form.PageControl1, 2);
  box(app, form.ComboBox2).pick(FindHotkeyChoice(form, 0x407A));
  EXPECT_EQ(form.hotkeynotice->Caption(), "");
  app.shutdown();
  EXPECT_EQ(stored()["stophotkey"].data, Text("Ctrl+F11").data);
}

TEST_F(SavedSettings, AStoredStopHotkeyThatNamesNothingKeepsItsDefaultAndTheTabSaysSoButAnEmptyOneUnassignsIt) {
  const std::string longText(3000, 'x');
  const struct {
    std::string text;
    TShortCut code;
    std::string notice;
    std::string written;
  } table[] = {
      {"Ctrl + F10", 0x4079, "Stop was stored as 'Ctrl + F10', which names no combination: Stop is Ctrl+F10.",
       "Ctrl+F10"},
      {"garbage", 0x4079, "Stop was stored as 'garbage', which names no combination: Stop is Ctrl+F10.", "Ctrl+F10"},
      {longText, 0x4079,
       "Stop was stored as '" + longText.substr(0, 40) + "...', which names no combination: Stop is Ctrl+F10.",
       "Ctrl+F10"},
      {"", 0, "", ""},
      {"ctrl+f11", 0x407A, "", "Ctrl+F11"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.text.substr(0, 20));
    stored().clear();
    stored()["stophotkey"] = Text(row.text);
    {
      Tapfinch app(fake);
      EXPECT_EQ(app.form().stophotkey->HotKey(), row.code);
      EXPECT_EQ(app.form().hotkeynotice->Caption(), row.notice);
      EXPECT_TRUE(fake.messageBoxes().empty());
    }
    EXPECT_EQ(stored()["stophotkey"].data, Text(row.written).data) << "what the exit writes back";
  }
}

TEST_F(SavedSettings, TheStopHotkeyStopsBothRunsButLeavesAPausedListAlone) {
  Tapfinch app(fake);
  TForm1& form = app.form();
  form.mxpostext->SetText("1");
  form.mypostext->SetText("1");
  form.addtolistbuttonClick(nullptr);
  app.user().click(*form.mclicklistbtn);
  app.user().selectTab(*form.PageControl1, 0);
  app.user().click(*form.singclickstartbtn);
  ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 0x79));
  fake.runPending();
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_FALSE(form.listclicktimer->Enabled());
  EXPECT_EQ(form.mclicklistbtn->Caption(), "Click the List");

  app.user().click(*form.singclickstartbtn);
  app.user().selectTab(*form.PageControl1, 1);
  app.user().click(*form.mclicklistbtn);
  app.user().click(*form.mpausebutton);
  ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 0x79));
  fake.runPending();
  EXPECT_EQ(form.mclicklistbtn->Caption(), "Stop") << "paused: left alone";
  EXPECT_EQ(form.mpausebutton->Caption(), "Resume");
  // The start hotkey on this page stops the list run like its button.
  app.user().click(*form.mpausebutton);
  ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 0x78));
  fake.runPending();
  EXPECT_EQ(form.mclicklistbtn->Caption(), "Click the List");
}
