// The Single Click tab driven as a user would, on the virtual clock.
#include <gtest/gtest.h>

#include "tests/support/harness.h"

using platform::MouseAction;
using testing_support::Tapfinch;

namespace {

constexpr std::uint16_t kVkSpace = 0x20;
constexpr std::uint16_t kVkUp = 38;
constexpr std::uint16_t kVkDown = 40;

class SingleClick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started());
    user().selectTab(*form().PageControl1, 0);
  }

  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }

  void showOptions() { user().selectTab(*form().PageControl1, 2); }
  void showSingleClick() { user().selectTab(*form().PageControl1, 0); }

  void setLimit(const std::string& text) {
    showOptions();
    user().enterText(*form().numclicksspin, text);
    showSingleClick();
  }

  void step(TzcFloatSpinEdit& field, std::uint16_t key, int times) {
    user().focus(field);
    for (int i = 0; i < times; ++i) user().press(field, key);
  }

  // Clears at-mouse mode, tracks the cursor to `at` and locks it with the space bar.
  void lockPoint(platform::Point at) {
    if (form().CheckBox2->Checked()) user().click(*form().CheckBox2);
    user().click(*form().singfindclickptstartbtn);
    user().moveMouse(at.x, at.y);
    fake().advance(10);
    user().press(*form().singfindclickptstartbtn, kVkSpace, ' ');
    user().click(*form().singfindclickptstopbtn);
  }

  [[nodiscard]] bool running() { return form().Timer1->Enabled(); }

  Tapfinch app;
};

}  // namespace

TEST_F(SingleClick, DefaultsClickAtTheCursorEveryFiveSecondsAndCount) {
  user().moveMouse(300, 200);
  user().click(*form().singclickstartbtn);
  EXPECT_EQ(form().singclickstartbtn->Color(), clRed);
  EXPECT_FALSE(form().singclickstartbtn->Enabled());
  EXPECT_TRUE(form().singleclickstopbutton->Enabled());
  EXPECT_EQ(form().singleclickstopbutton->Color(), clBtnFace);
  EXPECT_EQ(form().countlabel->Caption(), "0");

  fake().advance(4999);
  EXPECT_TRUE(fake().mouseEvents().empty());
  fake().advance(1);
  ASSERT_EQ(fake().mouseEvents().size(), 2u);
  EXPECT_EQ(fake().mouseEvents()[0].action, MouseAction::kLeftDown);
  EXPECT_EQ(fake().mouseEvents()[1].action, MouseAction::kLeftUp);
  EXPECT_EQ(fake().mouseEvents()[0].at, (platform::Point{300, 200}));
  EXPECT_EQ(fake().mouseEvents()[0].time, 5000u);
  EXPECT_EQ(form().countlabel->Caption(), "1");

  user().moveMouse(10, 20);
  fake().advance(10000);
  EXPECT_EQ(form().countlabel->Caption(), "3");
  ASSERT_EQ(fake().mouseEvents().size(), 6u);
  EXPECT_EQ(fake().mouseEvents()[5].at, (platform::Point{10, 20}));
  EXPECT_EQ(fake().cursorMoves(), 0) << "at-mouse mode never moves the cursor";

  user().click(*form().singleclickstopbutton);
  EXPECT_FALSE(running());
  EXPECT_EQ(form().singleclickstopbutton->Color(), clRed);
  EXPECT_FALSE(form().singleclickstopbutton->Enabled());
  EXPECT_TRUE(form().singclickstartbtn->Enabled());
  EXPECT_EQ(form().countlabel->Caption(), "3") << "STOP keeps the count";
  fake().advance(20000);
  EXPECT_EQ(fake().mouseEvents().size(), 6u);
}

TEST_F(SingleClick, NumberOfClicksStopsOnTheTickThatReachesIt) {
  setLimit("3");
  user().click(*form().singclickstartbtn);
  fake().advance(15000);
  EXPECT_FALSE(running());
  EXPECT_EQ(form().countlabel->Caption(), "3");
  EXPECT_EQ(form().singleclickstopbutton->Color(), clRed);
  EXPECT_EQ(form().singclickstartbtn->Color(), clBtnFace);
  EXPECT_TRUE(form().singclickstartbtn->Enabled());
  fake().advance(20000);
  EXPECT_EQ(fake().mouseEvents().size(), 6u);

  // A new START counts from 0 again and stops at the limit once more.
  user().click(*form().singclickstartbtn);
  EXPECT_EQ(form().countlabel->Caption(), "0");
  fake().advance(15000);
  EXPECT_FALSE(running());
  EXPECT_EQ(fake().mouseEvents().size(), 12u);
}

TEST_F(SingleClick, LimitLoweredBelowTheCountNeverStops) {
  setLimit("10");
  user().click(*form().singclickstartbtn);
  fake().advance(25000);
  EXPECT_EQ(form().countlabel->Caption(), "5");
  setLimit("2");
  fake().advance(50000);
  EXPECT_TRUE(running());
  EXPECT_EQ(form().countlabel->Caption(), "15");
}

TEST(SingleClickLimit, ZeroNegativeOrNonNumericMeansNoLimit) {
  for (const char* limit : {"0", "-5", "-", ""}) {
    Tapfinch app;
    auto& form = app.form();
    app.user().selectTab(*form.PageControl1, 2);
    app.user().enterText(*form.numclicksspin, limit);
    app.user().selectTab(*form.PageControl1, 0);
    app.user().click(*form.singclickstartbtn);
    app.fake().advance(30000);
    EXPECT_TRUE(form.Timer1->Enabled()) << "limit '" << limit << "'";
    EXPECT_EQ(form.countlabel->Caption(), "6") << "limit '" << limit << "'";
  }
  // Pasted text is not filtered and reads as no limit.
  Tapfinch app;
  auto& form = app.form();
  app.user().selectTab(*form.PageControl1, 2);
  app.user().paste(*form.numclicksspin, "abc");
  EXPECT_EQ(form.numclicksspin->Value(), 0);
  app.user().selectTab(*form.PageControl1, 0);
  app.user().click(*form.singclickstartbtn);
  app.fake().advance(30000);
  EXPECT_TRUE(form.Timer1->Enabled());
}

TEST_F(SingleClick, FixedPointNeedsALockedPoint) {
  user().click(*form().CheckBox2);
  EXPECT_TRUE(form().xpostext->Visible());
  EXPECT_FALSE(form().setlabel->Visible());
  EXPECT_TRUE(form().addtolistbutton->Enabled());
  EXPECT_FALSE(form().session->PointSet());

  user().click(*form().singclickstartbtn);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "No Click Point Specified.");
  EXPECT_EQ(fake().messageBoxes()[0].caption, "Information");
  EXPECT_EQ(fake().messageBoxes()[0].flags, platform::kMbOk | platform::kMbIconInformation);
  EXPECT_TRUE(form().singclickstartbtn->Enabled());
  EXPECT_EQ(form().singclickstartbtn->Color(), clBtnFace);
  EXPECT_FALSE(running());

  // A locked point survives until the mode is left again: ticking and
  // clearing the box forgets it although the fields still show it.
  lockPoint({640, 480});
  EXPECT_TRUE(form().session->PointSet());
  EXPECT_TRUE(form().setlabel->Visible());
  user().click(*form().CheckBox2);
  user().click(*form().CheckBox2);
  EXPECT_EQ(form().xpostext->Text(), "640");
  user().click(*form().singclickstartbtn);
  EXPECT_EQ(fake().messageBoxes().size(), 2u);
  EXPECT_FALSE(running());
}

TEST_F(SingleClick, TrackingShowsTheCursorAndSpaceLocksIt) {
  user().click(*form().CheckBox2);
  user().click(*form().singfindclickptstartbtn);
  EXPECT_TRUE(form().Label7->Visible());
  EXPECT_TRUE(fake().highResolution()) << "a 10 ms timer needs 1 ms resolution";
  user().moveMouse(-120, 45);
  fake().advance(10);
  EXPECT_EQ(form().xposlabel->Caption(), "-120");
  EXPECT_EQ(form().yposlabel->Caption(), "45");
  EXPECT_GT(form().xposlabel->Width(), 3) << "the label grows to show its text";

  // Other keys do nothing; the space bar copies and goes on tracking.
  user().press(*form().singfindclickptstartbtn, 'B', 'b');
  EXPECT_EQ(form().xpostext->Text(), "0");
  EXPECT_FALSE(form().session->PointSet());
  user().press(*form().singfindclickptstartbtn, kVkSpace, ' ');
  EXPECT_EQ(form().xpostext->Text(), "-120");
  EXPECT_EQ(form().ypostext->Text(), "45");
  EXPECT_TRUE(form().session->PointSet());
  EXPECT_TRUE(form().findpointtimer->Enabled());
  user().moveMouse(7, 8);
  fake().advance(10);
  EXPECT_EQ(form().xposlabel->Caption(), "7");
  EXPECT_EQ(form().xpostext->Text(), "-120");

  user().click(*form().singfindclickptstopbtn);
  EXPECT_FALSE(form().findpointtimer->Enabled());
  EXPECT_FALSE(form().Label7->Visible());
  EXPECT_TRUE(form().setlabel->Visible());
  EXPECT_FALSE(fake().highResolution());
  EXPECT_EQ(form().xposlabel->Caption(), "7") << "the labels keep their last values";
}

TEST_F(SingleClick, FixedPointWithClickOnOrigAndDoubleClick) {
  lockPoint({640, 480});
  showOptions();
  user().click(*form().clickonorigoption);
  EXPECT_TRUE(form().session->ClickOnOrig());
  showSingleClick();
  user().moveMouse(100, 100);
  user().click(*form().singclickstartbtn);
  fake().advance(5000);
  const auto& events = fake().mouseEvents();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].at, (platform::Point{640, 480}));
  EXPECT_EQ(events[1].at, (platform::Point{640, 480}));
  EXPECT_EQ(events[2].at, (platform::Point{100, 100}));
  EXPECT_EQ(events[3].action, MouseAction::kLeftUp);
  EXPECT_EQ(fake().cursor(), (platform::Point{100, 100}));

  // Double click is read at every click: from the next tick, two double
  // clicks per tick, still counted once.
  showOptions();
  user().click(*form().doubleclickbox);
  fake().advance(5000);
  ASSERT_EQ(events.size(), 12u);
  for (std::size_t i = 4; i < 12; ++i) {
    EXPECT_EQ(events[i].action, i % 2 == 0 ? MouseAction::kLeftDown : MouseAction::kLeftUp);
    EXPECT_EQ(events[i].at, i < 8 ? (platform::Point{640, 480}) : (platform::Point{100, 100}));
  }
  EXPECT_EQ(form().countlabel->Caption(), "2");
}

TEST_F(SingleClick, ClickOnOrigHasNoEffectAtTheMouse) {
  showOptions();
  user().click(*form().clickonorigoption);
  showSingleClick();
  user().moveMouse(50, 60);
  user().click(*form().singclickstartbtn);
  fake().advance(5000);
  EXPECT_EQ(fake().mouseEvents().size(), 2u);
  EXPECT_EQ(fake().cursorMoves(), 0);
}

TEST_F(SingleClick, LeavingAtMouseModeDuringARunClicksThePointReadAtStart) {
  user().moveMouse(300, 300);
  user().click(*form().singclickstartbtn);
  fake().advance(5000);
  user().click(*form().CheckBox2);
  fake().advance(5000);
  const auto& events = fake().mouseEvents();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2].at, (platform::Point{0, 0})) << "the hidden fields' 0, 0";
  EXPECT_EQ(fake().cursor(), (platform::Point{300, 300}));
  EXPECT_TRUE(running()) << "the mode switch does not touch a run";
}

TEST_F(SingleClick, StartDuringARunRestartsTheCountButNotTheTimer) {
  user().click(*form().singclickstartbtn);
  fake().advance(7000);
  EXPECT_EQ(form().countlabel->Caption(), "1");
  // What the start hotkey does: perform START although it is disabled.
  form().singclickstartbtn->Click();
  EXPECT_EQ(form().countlabel->Caption(), "0");
  fake().advance(3000);  // the old schedule: 10 s after the first START
  EXPECT_EQ(form().countlabel->Caption(), "1");
  EXPECT_EQ(fake().mouseEvents().back().time, 10000u);
}

TEST_F(SingleClick, BadCoordinateTextShowsTheErrorAndNothingClicks) {
  lockPoint({5, 5});
  user().enterText(*form().xpostext, "12a");
  user().click(*form().singclickstartbtn);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "'12a' is not a valid integer value.");
  EXPECT_EQ(fake().messageBoxes()[0].caption, "Tapfinch by BRENMOOR");
  EXPECT_EQ(fake().messageBoxes()[0].flags, platform::kMbOk | platform::kMbIconStop);
  // Checked before anything changed: START ready again, STOP off.
  EXPECT_EQ(form().singclickstartbtn->Color(), clBtnFace);
  EXPECT_TRUE(form().singclickstartbtn->Enabled());
  EXPECT_FALSE(form().singleclickstopbutton->Enabled());
  EXPECT_EQ(form().countlabel->Caption(), "");
  fake().advance(20000);
  EXPECT_TRUE(fake().mouseEvents().empty());
}

TEST_F(SingleClick, TestButtonFlipsOnEachClickButNotOnADoubleClick) {
  TzColorBtn& test = *form().testbutton;
  user().click(test);
  EXPECT_EQ(test.Color(), clRed);
  user().click(test);
  EXPECT_EQ(test.Color(), clBtnFace);
  // The second press of a double click arrives as a double click: no click.
  test.PeerMouseDown(platform::MouseButton::kLeft, 3, 3, platform::kLeftButton);
  test.PeerMouseUp(platform::MouseButton::kLeft, 3, 3, 0);
  test.PeerMouseDown(platform::MouseButton::kLeft, 3, 3, platform::kLeftButton | platform::kDouble);
  test.PeerMouseUp(platform::MouseButton::kLeft, 3, 3, 0);
  EXPECT_EQ(test.Color(), clRed);
  // Pressed, moved off and released outside: no click.
  test.PeerMouseDown(platform::MouseButton::kLeft, 3, 3, platform::kLeftButton);
  test.PeerMouseMove(200, 3, platform::kLeftButton);
  EXPECT_FALSE(test.Pressed());
  test.PeerMouseUp(platform::MouseButton::kLeft, 200, 3, 0);
  EXPECT_EQ(test.Color(), clRed);
}
