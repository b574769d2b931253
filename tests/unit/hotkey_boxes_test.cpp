// The seven hotkey boxes of the Options tab as a user edits them: typed
// text counts when the focus leaves the box, arrow keys step past what
// other boxes hold, and no box ever shows what is not its hotkey. Also the
// hotkeys that another program holds, named on the tab and tried again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/harness.h"
#include "tests/support/registry_values.h"

using platform::kModControl;
using platform::fake::FakeComboBox;
using platform::fake::FakePlatform;
using testing_support::Tapfinch;
using testing_support::WindowOf;

namespace {

constexpr std::uint32_t kF1 = 0x70;
constexpr std::uint32_t kF9 = 0x78;
constexpr std::uint32_t kF10 = 0x79;
constexpr std::uint16_t kVkUp = 0x26;
constexpr std::uint16_t kVkDown = 0x28;

class HotkeyBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started());
    app.user().selectTab(*form().PageControl1, 2);
  }
  TForm1& form() { return app.form(); }
  FakePlatform& fake() { return app.fake(); }
  TComboBox* boxOf(int row) {
    TComboBox* boxes[] = {form().ComboBox1, form().ComboBox2, form().ComboBox3, form().ComboBox4,
                          form().ComboBox5, form().ComboBox6, form().ComboBox7};
    return boxes[row];
  }
  TLMDGlobalHotKey* hotkeyOf(int row) {
    TLMDGlobalHotKey* hotkeys[] = {form().starthotkey,      form().stophotkey,    form().clickhotkey,
                                   form().clickholdhotkey,  form().releasehotkey, form().rightclickhotkey,
                                   form().doubleclickhotkey};
    return hotkeys[row];
  }
  // Focuses the box, selects its text and types over it, keystroke by keystroke.
  void typeInto(int row, const std::string& text) {
    app.user().focus(*boxOf(row));
    dynamic_cast<FakeComboBox&>(WindowOf(*boxOf(row))).retype(text);
  }
  // The focus goes on to the next box (or back to the first).
  void leave(int row) { app.user().focus(*boxOf(row == 6 ? 0 : row + 1)); }

  // Every box shows its own hotkey: the list's entry, or the code's name.
  void expectBoxesShowTheirHotkeys() {
    for (int row = 0; row < 7; ++row) {
      const TShortCut code = hotkeyOf(row)->HotKey();
      std::string name = code == 0 ? "" : FormatShortcut(form(), code);
      const int position = FindHotkeyChoice(form(), code);
      if (position >= 0) name = boxOf(row)->Items()[static_cast<std::size_t>(position)];
      EXPECT_EQ(boxOf(row)->Text(), name) << "row " << row + 1;
      EXPECT_EQ(boxOf(row)->ItemIndex(), position) << "row " << row + 1;
    }
  }

  Tapfinch app;
};

struct Typed {
  const char* what;
  int row;
  const char* text;
  TShortCut code;  // the row's hotkey afterwards
};

}  // namespace

TEST_F(HotkeyBoxes, TypedTextCountsWhenTheFocusLeavesAndOnlyAsAWholeCombination) {
  const Typed cases[] = {
      // Which texts name a whole combination is the assignment's own test;
      // here, that the box applies what it names and shows what it refused.
      {"a new combination", 0, "Ctrl+F11", 0x407A},
      {"a combination the list lacks", 0, "Alt+F4", 0x8073},
      {"emptied on purpose", 1, "", 0},
      {"a bare letter", 0, "c", 0x4078},
      {"another box's combination", 0, "Ctrl+F10", 0x4078},
      {"another box's combination typed otherwise", 2, "ctrl+s", 0x4041},
  };
  for (const Typed& c : cases) {
    SCOPED_TRACE(c.what);
    const TShortCut before = hotkeyOf(c.row)->HotKey();
    const int registered = fake().registerCalls();
    typeInto(c.row, c.text);
    EXPECT_EQ(hotkeyOf(c.row)->HotKey(), before) << "nothing applies while typing";
    EXPECT_EQ(fake().registerCalls(), registered) << "no keystroke binds what it spells so far";
    leave(c.row);
    EXPECT_EQ(hotkeyOf(c.row)->HotKey(), c.code);
    expectBoxesShowTheirHotkeys();
    hotkeyOf(c.row)->SetHotKey(before);  // the next case starts from the defaults
    form().loadhotkeystringlist();
  }
  // "Ctrl+F10" typed over Ctrl+F9 passes through "Ctrl+F" and "Ctrl+F1":
  // neither was ever bound, and Ctrl+F9 still starts.
  EXPECT_FALSE(fake().pressHotKey(kModControl, kF1));
  EXPECT_TRUE(fake().pressHotKey(kModControl, kF9));
}

TEST_F(HotkeyBoxes, AnEmptiedBoxFreesItsCombinationForAnother) {
  typeInto(0, "");
  leave(0);
  EXPECT_EQ(form().starthotkey->HotKey(), 0);
  EXPECT_FALSE(fake().pressHotKey(kModControl, kF9)) << "unassigned, so free for other programs";
  typeInto(1, "Ctrl+F9");
  leave(1);
  EXPECT_EQ(form().stophotkey->HotKey(), 0x4078);
  expectBoxesShowTheirHotkeys();
  // A second empty box clashes with nothing.
  typeInto(6, "");
  leave(6);
  EXPECT_EQ(form().doubleclickhotkey->HotKey(), 0);
  expectBoxesShowTheirHotkeys();
}

TEST_F(HotkeyBoxes, ArrowKeysStepPastTheCombinationsOtherBoxesHold) {
  app.user().focus(*form().ComboBox2);  // Ctrl+F10, below Ctrl+F9 in the list
  app.user().press(*form().ComboBox2, kVkUp);
  EXPECT_EQ(form().stophotkey->HotKey(), 0x4077) << "Ctrl+F9 is Start's: on to Ctrl+F8";
  app.user().press(*form().ComboBox2, kVkDown);
  EXPECT_EQ(form().stophotkey->HotKey(), 0x4079) << "past Ctrl+F9 again, to the free Ctrl+F10";
  expectBoxesShowTheirHotkeys();
  EXPECT_TRUE(fake().pressHotKey(kModControl, kF10));

  // Picked from the list with the mouse, another box's entry is refused.
  auto& list = dynamic_cast<FakeComboBox&>(WindowOf(*form().ComboBox2));
  const auto& choices = form().ComboBox2->Items();
  list.pick(static_cast<int>(std::find(choices.begin(), choices.end(), "Ctrl+A") - choices.begin()));
  EXPECT_EQ(form().stophotkey->HotKey(), 0x4079);
  expectBoxesShowTheirHotkeys();

  // Ctrl+A to Ctrl+G belong to the capture rows: Down from Ctrl+A on row 3
  // steps over Ctrl+B and C to nothing held... Ctrl+B is free.
  app.user().focus(*form().ComboBox3);
  app.user().press(*form().ComboBox3, kVkDown);
  EXPECT_EQ(form().clickhotkey->HotKey(), 0x4042);
  app.user().press(*form().ComboBox3, kVkDown);
  app.user().press(*form().ComboBox3, kVkDown);
  EXPECT_EQ(form().clickhotkey->HotKey(), 0x4045) << "Ctrl+C, then past Ctrl+D (Release) to Ctrl+E";
  EXPECT_EQ(form().RadioButton1->Caption(), "Click      / Ctrl+E");
  expectBoxesShowTheirHotkeys();

  // Typed right after a step, every keystroke is kept (the box still
  // reports the entry stepped to at the first one).
  app.user().press(*form().ComboBox3, kVkDown);
  ASSERT_EQ(form().clickhotkey->HotKey(), 0x4046 + 2) << "past Ctrl+F (Right Click) and Ctrl+G";
  dynamic_cast<FakeComboBox&>(WindowOf(*form().ComboBox3)).retype("Ctrl+F11");
  EXPECT_EQ(form().ComboBox3->Text(), "Ctrl+F11");
  leave(2);
  EXPECT_EQ(form().clickhotkey->HotKey(), 0x407A);
  expectBoxesShowTheirHotkeys();
}

TEST_F(HotkeyBoxes, ALastEditIsKeptAtExitAsIfTheBoxHadBeenLeft) {
  FakePlatform& desktop = fake();
  typeInto(0, "Ctrl+F11");
  app.shutdown();
  const auto& values =
      desktop.registryStore().key(platform::RegistryRoot::kLocalMachine, "Software\\Brenmoorsoft\\Tapfinch");
  const auto start = values.find("starthotkey");
  ASSERT_NE(start, values.end());
  EXPECT_EQ(std::string(start->second.data.begin(), start->second.data.end() - 1), "Ctrl+F11");
}

TEST(HeldHotkeys, AreNamedOnTheOptionsTabAndWorkOnceTheOtherProgramLetsGo) {
  FakePlatform fake;
  ASSERT_TRUE(fake.holdExternally(kModControl, kF9));
  ASSERT_TRUE(fake.holdExternally(kModControl, kF10));
  Tapfinch app(fake);
  TForm1& form = app.form();
  EXPECT_TRUE(fake.messageBoxes().empty()) << "no box at start-up";
  EXPECT_EQ(form.hotkeynotice->Caption(),
            "Another program holds Ctrl+F9 (Start), Ctrl+F10 (Stop). Tapfinch tries again until it is free.");
  EXPECT_EQ(form.hotkeynotice->Parent(), form.multipleclickoptionspanel) << "on the Options tab";

  // Ctrl+F9 let go: the slow timer binds it.
  fake.releaseExternally(kModControl, kF9);
  fake.advance(3000);
  EXPECT_EQ(form.hotkeynotice->Caption(),
            "Another program holds Ctrl+F10 (Stop). Tapfinch tries again until it is free.");
  app.user().selectTab(*form.PageControl1, 0);
  ASSERT_TRUE(fake.pressHotKey(kModControl, kF9));
  fake.runPending();
  EXPECT_TRUE(form.Timer1->Enabled()) << "the start hotkey works now";

  // Ctrl+F10 let go during the run: the window's next activation binds it.
  fake.releaseExternally(kModControl, kF10);
  form.FormActivate(nullptr);
  EXPECT_EQ(form.hotkeynotice->Caption(), "");
  EXPECT_FALSE(form.hotkeyretrytimer->Enabled()) << "nothing left to try";
  ASSERT_TRUE(fake.pressHotKey(kModControl, kF10));
  fake.runPending();
  EXPECT_FALSE(form.Timer1->Enabled()) << "the stop hotkey stopped the run";
}

TEST(HeldHotkeys, AHeldStopHotkeyIsTriedAgainWhenARunStarts) {
  FakePlatform fake;
  ASSERT_TRUE(fake.holdExternally(kModControl, kF10));
  Tapfinch app(fake);
  TForm1& form = app.form();
  app.user().selectTab(*form.PageControl1, 0);
  fake.releaseExternally(kModControl, kF10);
  app.user().click(*form.singclickstartbtn);
  ASSERT_TRUE(fake.pressHotKey(kModControl, kF10));
  fake.runPending();
  EXPECT_FALSE(form.Timer1->Enabled());
}

// ---- mouse buttons as hotkeys

namespace {
constexpr const char* kSettingsKey = "Software\\Brenmoorsoft\\Tapfinch";
std::string StoredText(FakePlatform& fake, const char* name) {
  const auto& values = fake.registryStore().key(platform::RegistryRoot::kLocalMachine, kSettingsKey);
  const auto value = values.find(name);
  if (value == values.end()) return "(absent)";
  return {value->second.data.begin(), value->second.data.end() - 1};
}
}  // namespace

TEST_F(HotkeyBoxes, SideButtonsChosenInTheBoxesStartAndStopARunAndAreKeptByName) {
  platform::fake::FakeHotkeys& system = fake().hotkeyTable();
  typeInto(0, "Mouse Back");
  leave(0);
  typeInto(1, "Ctrl+Mouse Forward");
  leave(1);
  typeInto(2, "Middle Button");
  leave(2);
  EXPECT_EQ(boxOf(0)->Text(), "Mouse Back");
  EXPECT_GE(boxOf(1)->ItemIndex(), 107) << "an entry of the list";
  EXPECT_EQ(form().RadioButton1->Caption(), "Click      / Middle Button");
  expectBoxesShowTheirHotkeys();
  EXPECT_EQ(system.mouseRegistrations().size(), 2u) << "the capture button waits for a capture";

  typeInto(3, "Mouse Back");  // the start hotkey's
  leave(3);
  EXPECT_EQ(hotkeyOf(3)->HotKey(), 0x4053) << "a button held by another hotkey is refused as a key is";

  app.user().selectTab(*form().PageControl1, 0);
  EXPECT_TRUE(system.mouseButton(5, true));
  system.mouseButton(5, false);
  fake().runPending();
  EXPECT_TRUE(form().Timer1->Enabled()) << "Mouse Back started the run";
  fake().advance(1000);
  EXPECT_TRUE(system.mouseButton(6, true, kModControl));
  system.mouseButton(6, false);
  fake().runPending();
  EXPECT_FALSE(form().Timer1->Enabled()) << "Ctrl+Mouse Forward stopped it";

  FakePlatform& desktop = fake();
  app.shutdown();
  EXPECT_EQ(StoredText(desktop, "starthotkey"), "Mouse Back");
  EXPECT_EQ(StoredText(desktop, "stophotkey"), "Ctrl+Mouse Forward");
  EXPECT_EQ(StoredText(desktop, "clickhotkey"), "Middle Button");
  EXPECT_EQ(StoredText(desktop, "clickholdhotkey"), "Ctrl+S") << "a key's text as it always was";
  EXPECT_FALSE(system.mouseHookInstalled()) << "gone at exit";
}

TEST(MouseHotkeys, ARefusedOrLostHookIsNamedBesideTheHeldHotkeysAndTriedAgain) {
  FakePlatform fake;
  fake.registryStore().key(platform::RegistryRoot::kLocalMachine, kSettingsKey)["starthotkey"] =
      testing_support::Text("Mouse Back");
  ASSERT_TRUE(fake.holdExternally(kModControl, kF10));
  platform::fake::FakeHotkeys& system = fake.hotkeyTable();
  system.refuseMouseHook(true);
  Tapfinch app(fake);
  TForm1& form = app.form();
  EXPECT_EQ(form.hotkeynotice->Caption(),
            "Another program holds Ctrl+F10 (Stop). Tapfinch tries again until it is free. Windows refused or "
            "removed the mouse hook for Mouse Back (Start). Tapfinch tries again until it works.");
  system.refuseMouseHook(false);
  fake.releaseExternally(kModControl, kF10);
  fake.advance(3000);
  EXPECT_EQ(form.hotkeynotice->Caption(), "");
  EXPECT_FALSE(form.hotkeyretrytimer->Enabled());

  system.loseMouseHook();
  fake.runPending();
  EXPECT_EQ(form.hotkeynotice->Caption(),
            "Windows refused or removed the mouse hook for Mouse Back (Start). Tapfinch tries again until it works.")
      << "said at once";
  EXPECT_FALSE(system.mouseButton(5, true)) << "nothing holds the button now";
  system.mouseButton(5, false);
  fake.advance(3000);
  EXPECT_EQ(form.hotkeynotice->Caption(), "");
  app.user().selectTab(*form.PageControl1, 0);
  EXPECT_TRUE(system.mouseButton(5, true));
  fake.runPending();
  EXPECT_TRUE(form.Timer1->Enabled()) << "the hook is back and starts the run";
}
