// What the system refuses or breaks, as the program shows it: a registry
// that cannot be written or holds values of the wrong shape, and timers
// the system will not give. In every case the user gets a message and
// nothing is lost. (The list file's faults are list_file_test.cpp's.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "tests/support/harness.h"
#include "tests/support/registry_values.h"

using platform::RegistryRoot;
using platform::RegistryValue;
using platform::fake::FakePlatform;
using testing_support::Tapfinch;

using testing_support::Text;

namespace {

constexpr const char* kKeyPath = "Software\\Brenmoorsoft\\Tapfinch";
constexpr std::uint32_t kVkF9 = 0x78;

// The values the settings store reads, as the program shows them.
struct SettingsSeen {
  std::vector<std::string> texts;
  std::vector<bool> checks;
  std::vector<int> codes;
  bool operator==(const SettingsSeen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SettingsSeen& seen) {
  for (const std::string& text : seen.texts) out << '"' << text << "\" ";
  for (const bool check : seen.checks) out << check << ' ';
  for (const int code : seen.codes) out << code << ' ';
  return out;
}

SettingsSeen Seen(const TForm1& form) {
  SettingsSeen seen;
  for (const TControl* field :
       std::initializer_list<const TControl*>{form.xpostext, form.ypostext, form.hours, form.minutes, form.seconds,
                                              form.tenth, form.hundreth, form.numclicksspin}) {
    seen.texts.push_back(field->Text());
  }
  seen.checks = {form.CheckBox2->Checked(), form.clickonorigoption->Checked(), form.doubleclickbox->Checked()};
  for (const TLMDGlobalHotKey* hotkey : {form.starthotkey, form.stophotkey, form.clickhotkey, form.clickholdhotkey,
                                         form.releasehotkey, form.rightclickhotkey, form.doubleclickhotkey}) {
    seen.codes.push_back(hotkey->HotKey());
  }
  return seen;
}

}  // namespace

// ------------------------------------------------------------- registry

TEST(RegistryFaults, AnExitThatCannotWriteReportsOnceAndStillEndsWithCodeZero) {
  struct Case {
    const char* name;
    std::function<void(platform::fake::FakeRegistry&)> breakIt;
  };
  const Case cases[] = {
      {"no root writable",
       [](auto& r) {
         r.makeUnwritable(RegistryRoot::kLocalMachine);
         r.makeUnwritable(RegistryRoot::kCurrentUser);
       }},
      {"the machine's key refuses writes", [](auto& r) { r.failWritesAfter(0); }},
      {"the user's key refuses writes",
       [](auto& r) {
         r.makeUnwritable(RegistryRoot::kLocalMachine);
         r.failWritesAfter(0);
       }},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    c.breakIt(fake.registryStore());
    EXPECT_EQ(RunProgram(fake), 0) << c.name;
    ASSERT_EQ(fake.messageBoxes().size(), 1u) << c.name << ": one message, not one per value";
    EXPECT_EQ(fake.messageBoxes()[0].text, "Failed to set data for 'x'") << c.name;
    EXPECT_EQ(fake.messageBoxes()[0].caption, kApplicationTitle) << c.name;
    // The program ended all the same: nothing of it is left on the desktop.
    EXPECT_TRUE(fake.registrations().empty()) << c.name;
    EXPECT_FALSE(fake.mutexExists("tapfinch.exe")) << c.name;
    EXPECT_TRUE(fake.topLevelWindows().empty()) << c.name;
  }
}

TEST(RegistryFaults, ValuesOfTheWrongShapeLeaveTheirFieldsAtTheDefaults) {
  SettingsSeen defaults;
  {
    Tapfinch clean;
    defaults = Seen(clean.form());
  }
  struct Case {
    const char* name;
    RegistryValue value;
    const char* message;
  };
  const Case cases[] = {
      {"numclicks", Text("7"), "Invalid data type for 'numclicks'"},
      {"times", {platform::kRegBinary, {12, 0}}, "Invalid data type for 'times'"},
      {"times", {platform::kRegDword, {}}, "Failed to get data for 'times'"},
      {"mouse", {platform::kRegNone, {}}, "Invalid data type for 'mouse'"},
      {"y", Text(std::string(1 << 20, '7')), "Failed to get data for 'y'"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.registryStore().key(RegistryRoot::kLocalMachine, kKeyPath)[c.name] = c.value;
    Tapfinch app(fake);
    ASSERT_TRUE(app.started()) << c.name;
    EXPECT_EQ(Seen(app.form()), defaults) << c.name << " " << c.message;
    ASSERT_EQ(fake.messageBoxes().size(), 1u) << c.message;
    EXPECT_EQ(fake.messageBoxes()[0].text, c.message);
  }

  // Two megabytes where a hotkey's name belongs: read in one pass, not
  // one pass per prefix, without a message, and the rest applies.
  FakePlatform fake;
  std::string huge;
  while (huge.size() < (2 << 20)) huge += "Ctrl+";
  fake.registryStore().key(RegistryRoot::kLocalMachine, kKeyPath)["starthotkey"] = Text(huge + "F9");
  fake.registryStore().key(RegistryRoot::kLocalMachine, kKeyPath)["clickhotkey"] = Text("Ctrl+Q");
  const auto began = std::chrono::steady_clock::now();
  Tapfinch app(fake);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(5));
  ASSERT_TRUE(app.started());
  EXPECT_TRUE(fake.messageBoxes().empty());
  EXPECT_EQ(app.form().starthotkey->HotKey(), 0x4078) << "Ctrl+ repeated is Ctrl+";
  EXPECT_EQ(app.form().clickhotkey->HotKey(), 0x4051);
}

TEST(RegistryFaults, AKeyDeletedWhileRunningIsWrittenAgainAtExit) {
  for (const bool machineWritable : {true, false}) {
    FakePlatform fake;
    auto& registry = fake.registryStore();
    if (!machineWritable) registry.makeUnwritable(RegistryRoot::kLocalMachine);
    const RegistryRoot root = machineWritable ? RegistryRoot::kLocalMachine : RegistryRoot::kCurrentUser;
    {
      Tapfinch app(fake);
      ASSERT_TRUE(registry.keyExists(root, kKeyPath));
      app.form().minutes->SetValue(4);
      registry.deleteKey(root, kKeyPath);
    }
    EXPECT_TRUE(fake.messageBoxes().empty()) << machineWritable;
    ASSERT_TRUE(registry.keyExists(root, kKeyPath)) << machineWritable;
    EXPECT_EQ(registry.key(root, kKeyPath).size(), 19u);
    EXPECT_EQ(registry.key(root, kKeyPath).at("timem").data, (std::vector<std::uint8_t>{4, 0, 0, 0}));
  }
}

// A start-up the system cuts short reports why, ends with code 1, leaves
// nothing behind and does not overwrite the stored settings with defaults.
TEST(RefusedStart, ReportsEndsAndKeepsTheStoredSettings) {
  struct Case {
    const char* name;
    std::function<void(FakePlatform&)> refuse;
    const char* message;
  };
  const Case cases[] = {
      {"timers", [](FakePlatform& f) { f.clock().refuseTimerWindows(true); }, "Not enough timers available"},
      {"hotkey windows", [](FakePlatform& f) { f.hotkeyTable().refuseReceivers(true); }, "Error creating window"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    auto& stored = fake.registryStore().key(RegistryRoot::kLocalMachine, kKeyPath);
    stored["times"] = {platform::kRegDword, {12, 0, 0, 0}};
    c.refuse(fake);
    EXPECT_EQ(RunProgram(fake), 1) << c.name;
    ASSERT_EQ(fake.messageBoxes().size(), 1u) << c.name;
    EXPECT_EQ(fake.messageBoxes()[0].text, c.message);
    EXPECT_EQ(fake.registryStore().writes(), 0) << c.name;
    EXPECT_EQ(fake.registryStore().key(RegistryRoot::kLocalMachine, kKeyPath).size(), 1u) << c.name;
    EXPECT_TRUE(fake.registrations().empty()) << c.name;
    EXPECT_EQ(fake.atomCount(), 0u) << c.name;
    EXPECT_FALSE(fake.mutexExists("tapfinch.exe")) << c.name;
    EXPECT_FALSE(fake.highResolution()) << c.name;
  }
}

// ------------------------------------------------------------ list files

// --------------------------------------------------------------- refusals

namespace {

class Refusals : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.started()); }
  TForm1& form() { return app.form(); }
  FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }

  // One message, the system's refusal, then none.
  void expectRefused(const char* what) {
    ASSERT_EQ(fake().messageBoxes().size(), 1u) << what;
    EXPECT_EQ(fake().messageBoxes()[0].text, "Not enough timers available.") << what;
    fake().clearMessageBoxes();
  }
  std::size_t clicksIn(std::uint64_t milliseconds) {
    fake().clearMouseEvents();
    fake().advance(milliseconds);
    return fake().mouseEvents().size() / 2;
  }
  void expectIdleSingleClick() {
    EXPECT_TRUE(form().singclickstartbtn->Enabled());
    EXPECT_EQ(form().singclickstartbtn->Color(), clBtnFace);
    EXPECT_FALSE(form().singleclickstopbutton->Enabled());
    EXPECT_EQ(form().singleclickstopbutton->Color(), clRed);
  }

  Tapfinch app;
};

}  // namespace

TEST_F(Refusals, StartRefusedThenAcceptedClicksAndStops) {
  user().selectTab(*form().PageControl1, 0);
  form().seconds->SetValue(1);
  fake().refuseTimers(true);
  user().click(*form().singclickstartbtn);
  expectRefused("START");
  EXPECT_EQ(clicksIn(5000), 0u);
  // Left in the running look, as after a bad point, with STOP to undo it;
  // STOP asks nothing of the system, so it works while timers are refused.
  EXPECT_TRUE(form().singleclickstopbutton->Enabled());
  user().click(*form().singleclickstopbutton);
  expectIdleSingleClick();

  // Refused by START's hotkey too; accepted, the hotkey starts the run.
  ASSERT_TRUE(fake().pressHotKey(platform::kModControl, kVkF9));
  fake().runPending();
  expectRefused("START hotkey");
  fake().refuseTimers(false);
  ASSERT_TRUE(fake().pressHotKey(platform::kModControl, kVkF9));
  fake().runPending();
  EXPECT_EQ(clicksIn(3000), 3u);
  user().click(*form().singleclickstopbutton);
  expectIdleSingleClick();
  EXPECT_EQ(clicksIn(3000), 0u);
  user().click(*form().singclickstartbtn);
  EXPECT_EQ(clicksIn(2000), 2u);
  user().click(*form().singleclickstopbutton);
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(Refusals, ListRunRefusedAtStartResumeOrTickStartsOnTheNextPress) {
  form().mseconds->SetValue(1);
  for (const int tenths : {0, 5}) {
    form().mtenth->SetValue(tenths);
    form().mxpostext->SetText(std::to_string(40 + tenths));
    form().mypostext->SetText("50");
    form().addtolistbuttonClick(nullptr);
  }
  fake().refuseTimers(true);
  user().click(*form().mclicklistbtn);
  expectRefused("Click the List");
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  fake().refuseTimers(false);
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop");
  EXPECT_EQ(clicksIn(1500), 1u) << "the fields' 1.5 s";

  // Paused, and refused on Resume: the button still offers Resume.
  user().click(*form().mpausebutton);
  fake().refuseTimers(true);
  user().click(*form().mpausebutton);
  expectRefused("Resume");
  EXPECT_EQ(form().mpausebutton->Caption(), "Resume");
  fake().refuseTimers(false);
  user().click(*form().mpausebutton);
  EXPECT_EQ(form().mpausebutton->Caption(), "Pause");
  EXPECT_EQ(clicksIn(2500), 2u) << "1 s, then 1.5 s";

  // Refused where a tick sets a new wait: the tick ends before its click
  // and the run waits for the user, who stops it and starts it again; the
  // refused entry is clicked first.
  fake().refuseTimers(true);
  EXPECT_EQ(clicksIn(5000), 0u);
  expectRefused("a tick");
  fake().refuseTimers(false);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop");
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(clicksIn(3000), 2u);
  EXPECT_EQ(fake().mouseEvents()[0].at, (platform::Point{45, 50}));
  EXPECT_EQ(fake().mouseEvents()[2].at, (platform::Point{40, 50}));
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(clicksIn(5000), 0u);
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(Refusals, CaptureRefusedOrItsHotkeysHeldElsewhereStillCaptures) {
  // Another program holds Ctrl+A: capture goes on with the other four.
  ASSERT_TRUE(fake().holdExternally(platform::kModControl, 'A'));
  fake().refuseTimers(true);
  user().click(*form().mstartspecify);
  expectRefused("capture Start");
  EXPECT_FALSE(form().addtolistbutton->Enabled());
  fake().refuseTimers(false);
  user().click(*form().mstartspecify);
  user().moveMouse(321, 123);
  fake().advance(10);
  EXPECT_EQ(form().Label12->Caption(), "321") << "tracking";
  ASSERT_TRUE(fake().pressHotKey(platform::kModControl, 'S'));
  fake().runPending();
  ASSERT_TRUE(fake().pressHotKey(platform::kModControl, 'A'));  // the other program's
  fake().runPending();
  ASSERT_EQ(form().listbox1->Items().Count(), 1);
  EXPECT_EQ(form().listbox1->Items()[0].substr(0, 13), "321, 123, 2, ");
  user().click(*form().mstopspecify);
  EXPECT_FALSE(fake().pressHotKey(platform::kModControl, 'S')) << "unregistered at Stop";
  EXPECT_TRUE(fake().messageBoxes().empty());
}
