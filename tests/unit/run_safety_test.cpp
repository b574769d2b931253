// What makes a run safe to leave going: the stop hotkey stops whatever
// runs, a held or repeated hotkey cannot stack message boxes, a list run
// waits no longer than its entries say, and logoff keeps the settings.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/click_interval.h"
#include "tests/support/harness.h"

using platform::kModControl;
using platform::fake::FakePlatform;
using testing_support::Tapfinch;

namespace {

constexpr std::uint32_t kF9 = 0x78;
constexpr std::uint32_t kF10 = 0x79;

class RunSafety : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.started()); }
  TForm1& form() { return app.form(); }
  FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }
  void tab(int index) { user().selectTab(*form().PageControl1, index); }

  // Two entries through capture, then capture off.
  void twoEntries() {
    tab(1);
    user().click(*form().mstartspecify);
    for (int x : {10, 20}) {
      user().moveMouse(x, x);
      fake().advance(10);
      ASSERT_TRUE(fake().pressHotKey(kModControl, 'A'));
      fake().runPending();
    }
    user().click(*form().mstopspecify);
  }
  bool stopHotkey() {
    const bool taken = fake().pressHotKey(kModControl, kF10);
    fake().runPending();
    return taken;
  }

  Tapfinch app;
};

}  // namespace

TEST_F(RunSafety, TheStopHotkeyStopsAListRunAfterASinglePointRunHasStopped) {
  tab(0);
  user().click(*form().singclickstartbtn);
  user().click(*form().singleclickstopbutton);
  EXPECT_FALSE(form().stophotkey->Active()) << "free between runs";
  twoEntries();
  // From every tab, the list run stops.
  for (int page : {0, 2, 1}) {
    SCOPED_TRACE(page);
    tab(1);
    user().click(*form().mclicklistbtn);
    tab(page);
    ASSERT_TRUE(stopHotkey());
    EXPECT_FALSE(form().listclicktimer->Enabled());
    EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  }
  tab(1);
  EXPECT_FALSE(form().stophotkey->Active()) << "free again once nothing runs";

  // Both runs going: stopping one keeps the hotkey for the other.
  user().click(*form().mclicklistbtn);
  tab(0);
  user().click(*form().singclickstartbtn);
  user().click(*form().singleclickstopbutton);
  EXPECT_TRUE(form().stophotkey->Active());
  ASSERT_TRUE(stopHotkey());
  EXPECT_FALSE(form().listclicktimer->Enabled());

  // Resuming a paused run that never started arms it as well.
  tab(1);
  user().click(*form().mpausebutton);
  user().click(*form().mpausebutton);
  EXPECT_TRUE(form().listclicktimer->Enabled());
  ASSERT_TRUE(stopHotkey());
  EXPECT_FALSE(form().listclicktimer->Enabled());
}

TEST_F(RunSafety, AHotkeyWhoseBoxIsOpenOpensNoSecondOneAndAHeldKeyActsOnce) {
  // No point locked: every start hotkey press answers with a box.
  tab(0);
  user().click(*form().CheckBox2);
  int pressesWhileOpen = 0;
  fake().boxes().whileOpen([&] {
    for (int i = 0; i < 50; ++i) {
      if (fake().pressHotKey(kModControl, kF9)) ++pressesWhileOpen;
      fake().runPending();
    }
  });
  ASSERT_TRUE(fake().pressHotKey(kModControl, kF9));
  fake().runPending();
  EXPECT_EQ(pressesWhileOpen, 50) << "the key is still the program's";
  EXPECT_EQ(fake().boxes().mostOpenAtOnce(), 1);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "No Click Point Specified.");
  // Closed, the next press answers again.
  fake().boxes().whileOpen(nullptr);
  ASSERT_TRUE(fake().pressHotKey(kModControl, kF9));
  fake().runPending();
  EXPECT_EQ(fake().messageBoxes().size(), 2u);

  // Held down, the key repeats; the run starts once and is not toggled.
  user().click(*form().CheckBox2);
  tab(1);
  twoEntries();
  ASSERT_TRUE(fake().pressHotKey(kModControl, kF9));
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(fake().pressHotKey(kModControl, kF9, true));
  fake().runPending();
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop");
}

TEST_F(RunSafety, AFullListAnswersEachCaptureHotkeyWithOneBoxAtATime) {
  tab(1);
  user().click(*form().mstartspecify);
  user().enterText(*form().mxpostext, "1");
  user().enterText(*form().mypostext, "1");
  for (int i = 0; i < kClickListCapacity; ++i) form().addtolistbuttonClick(nullptr);
  fake().boxes().whileOpen([&] {
    for (int i = 0; i < 20; ++i) {
      ASSERT_TRUE(fake().pressHotKey(kModControl, 'A'));
      fake().runPending();
    }
  });
  ASSERT_TRUE(fake().pressHotKey(kModControl, 'A'));
  fake().runPending();
  EXPECT_EQ(fake().boxes().mostOpenAtOnce(), 1);
  EXPECT_EQ(fake().messageBoxes().size(), 1u);
}

TEST_F(RunSafety, ANewListRunFirstWaitsTheIntervalItShows) {
  // A list whose last entry waited an hour, stopped, then another list:
  // each way of making a new list starts from the fields' 5 s.
  const std::function<void()> renewals[] = {
      [&] { user().click(*form().mclearlistbtn); },
      [&] {
        user().click(*form().mstartspecify);
        user().click(*form().mstopspecify);
      },
  };
  for (const auto& renew : renewals) {
    // Two entries of an hour each, the fields back at 5 s.
    form().mtimeinterval->SetValue(1);
    form().mseconds->SetValue(0);
    twoEntries();
    form().mtimeinterval->SetValue(0);
    form().mseconds->SetValue(5);
    user().click(*form().mclicklistbtn);
    fake().advance(5000);
    EXPECT_EQ(form().listclicktimer->Interval(), 3600000u) << "waits its entry's hour";
    user().click(*form().mclicklistbtn);
    renew();
    if (form().listbox1->Items().Count() == 0) twoEntries();
    fake().clearMouseEvents();
    user().click(*form().mclicklistbtn);
    fake().advance(5000);
    EXPECT_EQ(fake().mouseEvents().size(), 2u) << "clicked after the 5 s the fields show";
    user().click(*form().mclicklistbtn);
    user().click(*form().mclearlistbtn);
  }
}

TEST_F(RunSafety, ADelayTheTimerCannotWaitIsRefusedWhenAdding) {
  tab(1);
  form().mtimeinterval->SetValue(1000);  // a thousand hours
  user().click(*form().mstartspecify);
  user().enterText(*form().mxpostext, "1");
  user().enterText(*form().mypostext, "1");
  user().click(*form().addtolistbutton);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text,
            "A delay of 3600005 seconds is longer than the longest wait of 2147483.647 seconds; nothing was added.");
  EXPECT_EQ(form().listbox1->Items().Count(), 0);
  form().mtimeinterval->SetValue(596);  // 596 h 0 m 5 s: within 2147483.647 s
  user().click(*form().addtolistbutton);
  EXPECT_EQ(form().listbox1->Items().Count(), 1);
}

TEST(Delays, TheTimerWaitsFromNothingUpToItsLongest) {
  struct Case {
    double seconds;
    bool waitable;
  };
  const Case cases[] = {{0, true},
                        {0.01, true},
                        {2147483.647, true},
                        {2147483.648, false},
                        {-0.001, false},
                        {-1, false},
                        {1e308, false},
                        {std::numeric_limits<double>::infinity(), false},
                        {std::numeric_limits<double>::quiet_NaN(), false}};
  for (const Case& c : cases) EXPECT_EQ(DelayIsWaitable(c.seconds), c.waitable) << c.seconds;
}

TEST(SessionEnd, LogoffWritesTheSettingsAsAnExitWould) {
  FakePlatform fake;
  auto& values = fake.registryStore().key(platform::RegistryRoot::kLocalMachine, "Software\\Brenmoorsoft\\Tapfinch");
  {
    Tapfinch app(fake);
    app.form().minutes->SetValue(7);
    app.form().xpostext->SetText("3x");  // not a number: kept as stored, and no box
    fake.desktop().endSession();
    EXPECT_TRUE(fake.messageBoxes().empty()) << "nobody is there to answer a box";
    ASSERT_EQ(values.size(), 18u);
    EXPECT_EQ(values.count("x"), 0u);
    EXPECT_EQ(values.at("timem").data[0], 7);
    // The system ends the process here; nothing else runs.
    values.clear();
    app.form().xpostext->SetText("3");
  }
}

TEST_F(RunSafety, APointOnAnAdministratorsWindowIsNamedWhenTakenAndWhenARunStarts) {
  auto& processes = fake().processes();
  processes.placeWindow({0, 0, 200, 200}, "Setup - Installer", true);
  processes.placeWindow({300, 0, 200, 200}, "Notepad", false);
  processes.placeWindow({150, 150, 100, 100}, "Calculator", false);  // over the installer's corner
  const std::string warning =
      "Windows does not let Tapfinch click \"Setup - Installer\", a window of a program running as administrator: "
      "clicks there do nothing.\r\nTo click there, start Tapfinch as administrator.";
  const auto boxes = [&] {
    std::vector<std::string> texts;
    for (const auto& box : fake().messageBoxes()) texts.push_back(box.text);
    fake().clearMessageBoxes();
    return texts;
  };

  // Captured: said for the installer only, not for ordinary windows.
  tab(1);
  user().click(*form().mstartspecify);
  for (platform::Point at : {platform::Point{50, 50}, {350, 50}, {160, 160}, {900, 900}}) {
    user().moveMouse(at.x, at.y);
    fake().advance(10);
    ASSERT_TRUE(fake().pressHotKey(kModControl, 'A'));
    fake().runPending();
  }
  EXPECT_EQ(boxes(), std::vector<std::string>{warning});
  EXPECT_EQ(form().listbox1->Items().Count(), 4) << "the point is taken all the same";

  // The run: once at its start, not at every click.
  user().click(*form().mstopspecify);
  user().click(*form().mclicklistbtn);
  fake().advance(30000);
  EXPECT_EQ(boxes(), std::vector<std::string>{warning});
  user().click(*form().mclicklistbtn);

  // The single point: when locked and when START reads it.
  tab(0);
  user().click(*form().CheckBox2);
  user().click(*form().singfindclickptstartbtn);
  user().moveMouse(20, 20);
  fake().advance(10);
  user().press(*form().singfindclickptstartbtn, platform::kVkSpace, ' ');
  user().click(*form().singfindclickptstopbtn);
  EXPECT_EQ(boxes(), std::vector<std::string>{warning});
  user().click(*form().singclickstartbtn);
  EXPECT_EQ(boxes(), std::vector<std::string>{warning});
  user().click(*form().singleclickstopbutton);

  // Running as administrator too, nothing stands in the way.
  processes.setElevated(true);
  user().click(*form().singclickstartbtn);
  EXPECT_TRUE(boxes().empty());
}

namespace {

// A list that drags: a Click-Hold at (10, 10) and a Release at (20, 20),
// 100 ms apart, running; returns once the hold has pressed the button.
void StartADrag(Tapfinch& app) {
  TForm1& form = app.form();
  FakePlatform& fake = app.fake();
  app.user().selectTab(*form.PageControl1, 1);
  form.mseconds->SetValue(0);
  form.mtenth->SetValue(1);
  app.user().click(*form.mstartspecify);
  for (const auto& [x, key] : {std::pair{10, 'S'}, std::pair{20, 'D'}}) {
    app.user().moveMouse(x, x);
    fake.advance(10);
    ASSERT_TRUE(fake.pressHotKey(kModControl, static_cast<std::uint32_t>(key)));
    fake.runPending();
  }
  app.user().click(*form.mstopspecify);
  app.user().click(*form.mclicklistbtn);
  fake.advance(100);
  ASSERT_TRUE(fake.mouse().leftHeld()) << "the hold pressed the button";
}

}  // namespace

TEST(Exit, EveryRunAndTheCaptureStopAndTheButtonGoesUpBeforeTheExitsBoxOpens) {
  Tapfinch app;
  TForm1& form = app.form();
  FakePlatform& fake = app.fake();
  // The Single Click point field empty: the exit says so in a box.
  app.user().selectTab(*form.PageControl1, 0);
  app.user().click(*form.CheckBox2);
  app.user().enterText(*form.xpostext, "");  // all of it selected
  app.user().press(*form.xpostext, 0x2E);    // and deleted
  ASSERT_EQ(form.xpostext->Text(), "");
  StartADrag(app);
  app.user().click(*form.mstartspecify);  // capture on again, beside the run
  fake.advance(200);                      // the hold again
  ASSERT_TRUE(fake.mouse().leftHeld());

  bool heldInBox = true;
  bool listLooksStopped = false;
  int timersInBox = -1;
  std::size_t eventsInBox = 0;
  bool startHotkeyInBox = true;
  fake.boxes().whileOpen([&] {
    heldInBox = fake.mouse().leftHeld();
    listLooksStopped = form.mclicklistbtn->Caption() == "Click the List";
    timersInBox = fake.runningTimers();
    const std::size_t before = fake.mouseEvents().size();
    fake.advance(1000);
    startHotkeyInBox = fake.pressHotKey(kModControl, kF9);
    fake.runPending();
    fake.advance(1000);
    eventsInBox = fake.mouseEvents().size() - before;
  });
  dynamic_cast<platform::fake::FakeTopLevel&>(testing_support::WindowOf(form)).close();
  app.shutdown();
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "'' is not a valid integer value.");
  EXPECT_FALSE(heldInBox) << "the button is up before the box";
  EXPECT_TRUE(listLooksStopped) << "the box opens over a window that says the run goes on";
  EXPECT_EQ(timersInBox, 0) << "no run, no capture, no tracking behind the box";
  EXPECT_EQ(eventsInBox, 0u) << "nothing clicks behind the box";
  EXPECT_FALSE(startHotkeyInBox) << "no hotkey starts a run again behind the box";
  EXPECT_FALSE(fake.mouse().leftHeld());
}

TEST(SessionEnd, ACancelledLogoffLeavesTheRunsTheHeldButtonAndTheLockedPointAsTheyWere) {
  Tapfinch app;
  TForm1& form = app.form();
  FakePlatform& fake = app.fake();
  // A fixed point locked at (30, 40) and clicked every 50 ms.
  app.user().selectTab(*form.PageControl1, 0);
  app.user().click(*form.CheckBox2);
  form.seconds->SetValue(0);
  form.hundreth->SetValue(5);
  app.user().click(*form.singfindclickptstartbtn);
  app.user().moveMouse(30, 40);
  fake.advance(10);
  app.user().press(*form.singfindclickptstartbtn, platform::kVkSpace, ' ');
  app.user().click(*form.singfindclickptstopbtn);
  app.user().click(*form.singclickstartbtn);
  // The field edited, not locked: the run keeps clicking the locked point.
  app.user().enterText(*form.xpostext, "500");
  StartADrag(app);

  fake.desktop().endSession(true);
  EXPECT_TRUE(fake.messageBoxes().empty());
  EXPECT_TRUE(fake.mouse().leftHeld()) << "the drag goes on";
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_TRUE(form.listclicktimer->Enabled());
  fake.clearMouseEvents();
  fake.advance(50);
  bool sawPoint = false;
  for (const auto& e : fake.mouseEvents()) {
    if (e.at.x == 500) ADD_FAILURE() << "clicked at the unlocked field's x";
    if (e.at.x == 30 && e.at.y == 40) sawPoint = true;
  }
  EXPECT_TRUE(sawPoint) << "the locked point is clicked";
  // What the exit writes was written all the same.
  const auto& values =
      fake.registryStore().key(platform::RegistryRoot::kLocalMachine, "Software\\Brenmoorsoft\\Tapfinch");
  EXPECT_EQ(values.size(), 19u);
}

TEST(SessionEnd, ALogoffUnderWayStopsEveryRunAndLetsTheButtonUp) {
  Tapfinch app;
  TForm1& form = app.form();
  FakePlatform& fake = app.fake();
  StartADrag(app);
  app.user().selectTab(*form.PageControl1, 0);
  form.seconds->SetValue(0);
  form.hundreth->SetValue(1);
  app.user().click(*form.singclickstartbtn);
  fake.advance(255);  // clicks the count shows a tenth of a second late
  fake.desktop().endSession();
  EXPECT_TRUE(fake.messageBoxes().empty());
  EXPECT_FALSE(fake.mouse().leftHeld());
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_TRUE(form.singclickstartbtn->Enabled()) << "the buttons say it stopped";
  EXPECT_EQ(form.singleclickstopbutton->Color(), clRed);
  EXPECT_EQ(form.countlabel->Caption(), std::to_string(form.session->Count()));
  EXPECT_FALSE(form.listclicktimer->Enabled());
  fake.clearMouseEvents();
  fake.advance(10000);
  EXPECT_TRUE(fake.mouseEvents().empty()) << "the system may end the process at any moment now";
}
