// The icon in the notification area: its image and tip follow what the
// session does, its menu starts and stops as the hotkeys would, brings the
// window back and ends the program, and it outlives a restart of the shell
// but not the program.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/harness.h"

using platform::TrayImage;
using platform::fake::FakePlatform;
using platform::fake::FakeTray;
using testing_support::Tapfinch;

namespace {

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(app.started()); }
  TForm1& form() { return app.form(); }
  FakePlatform& fake() { return app.fake(); }
  FakeTray& tray() { return fake().notificationArea(); }
  FakeTray::Shown icon() {
    const auto icons = tray().icons();
    EXPECT_EQ(icons.size(), 1u) << "one icon while the program runs";
    return icons.empty() ? FakeTray::Shown{} : icons[0];
  }
  void pick(const std::string& caption) {
    ASSERT_TRUE(tray().pick(caption)) << caption;
    fake().runPending();
  }
  // Single Click tab, clicking where the mouse is every 10 ms (or more).
  void tenMsSingle(int hundredths = 1) {
    app.user().selectTab(*form().PageControl1, 0);
    form().seconds->SetValue(0);
    form().hundreth->SetValue(hundredths);
  }
  // Two Click entries at 30 ms on the Multiple Click Points tab.
  void twoEntryList() {
    app.user().selectTab(*form().PageControl1, 1);
    form().mseconds->SetValue(0);
    form().mhundreth->SetValue(3);
    app.user().click(*form().mstartspecify);
    for (const char* x : {"10", "20"}) {
      app.user().enterText(*form().mxpostext, x);
      app.user().enterText(*form().mypostext, "10");
      app.user().click(*form().addtolistbutton);
    }
    app.user().click(*form().mstopspecify);
  }

  // The tip for the run's clicks as the mouse saw them, and the rate over
  // the last `window` milliseconds.
  std::string tip(const std::string& what, std::uint64_t window) {
    std::size_t clicks = 0;
    std::size_t recent = 0;
    for (const auto& event : fake().mouseEvents()) {
      if (event.action != platform::MouseAction::kLeftDown || event.time < runStarted) continue;
      ++clicks;
      if (event.time + window > fake().now()) ++recent;
    }
    const long tenths = std::lround(static_cast<double>(recent) * 10000.0 / static_cast<double>(window));
    return "Tapfinch: " + what + ", " + std::to_string(clicks) + " clicks, " + std::to_string(tenths / 10) + "." +
           std::to_string(tenths % 10) + " a second";
  }

  Tapfinch app;
  std::uint64_t runStarted = 0;
};

}  // namespace

TEST_F(TrayIconTest, ImageAndTipFollowTheSessionWithTheRunsClicksAndTheRateReached) {
  EXPECT_EQ(icon().image, TrayImage::kIdle);
  EXPECT_EQ(icon().tip, "Tapfinch: idle");
  EXPECT_EQ(icon().menu, (std::vector<std::string>{"Start", "Stop", "Show Tapfinch", "Exit"}));

  // At 70 ms no click falls on a whole second, when the tip is refreshed.
  tenMsSingle(7);
  app.user().click(*form().singclickstartbtn);
  EXPECT_EQ(icon().image, TrayImage::kSingle);
  fake().advance(1000);
  EXPECT_EQ(icon().tip, tip("clicking one point", 1000)) << "a second in";
  fake().advance(5000);
  EXPECT_EQ(icon().tip, tip("clicking one point", 3000)) << "over the last seconds";
  EXPECT_EQ(icon().tip, "Tapfinch: clicking one point, 85 clicks, 14.3 a second");
  app.user().click(*form().singleclickstopbutton);
  EXPECT_EQ(icon().image, TrayImage::kIdle);
  EXPECT_EQ(icon().tip, "Tapfinch: idle");
  const int updates = tray().updates();
  fake().advance(5000);
  EXPECT_EQ(tray().updates(), updates) << "idle, the icon is left alone";

  twoEntryList();
  app.user().click(*form().mstartspecify);
  EXPECT_EQ(icon().image, TrayImage::kCapturing);
  EXPECT_EQ(icon().tip, "Tapfinch: capturing click points");
  app.user().click(*form().mstopspecify);
  fake().clearMouseEvents();
  runStarted = fake().now();
  app.user().click(*form().mclicklistbtn);
  EXPECT_EQ(icon().image, TrayImage::kList);
  fake().advance(2000);
  EXPECT_EQ(icon().tip, tip("clicking the list", 2000));
  app.user().click(*form().mpausebutton);
  EXPECT_EQ(icon().image, TrayImage::kPaused);
  fake().advance(2000);
  EXPECT_EQ(icon().tip, tip("the list paused", 3000)) << "the rate falls while paused";
}

TEST_F(TrayIconTest, StartAndStopActAsTheHotkeysOnTheTabThatShows) {
  tenMsSingle();
  pick("Start");
  EXPECT_TRUE(form().Timer1->Enabled()) << "Start on the Single Click tab";
  pick("Stop");
  EXPECT_FALSE(form().Timer1->Enabled());

  twoEntryList();
  pick("Start");
  EXPECT_TRUE(form().session->ListRunning()) << "Start on the list's tab";
  app.user().click(*form().mpausebutton);
  pick("Stop");
  EXPECT_TRUE(form().session->ListPaused()) << "a paused list stays paused, as with the stop hotkey";
  app.user().click(*form().mpausebutton);
  pick("Stop");
  EXPECT_FALSE(form().session->ListStarted());

  app.user().selectTab(*form().PageControl1, 2);
  pick("Start");
  EXPECT_FALSE(form().Timer1->Enabled());
  EXPECT_FALSE(form().session->ListStarted()) << "the Options tab starts nothing";
}

TEST_F(TrayIconTest, ShowTapfinchAndADoubleClickBringTheWindowBack) {
  form().PeerMinimizeRequested();
  ASSERT_TRUE(form().Application().Minimized());
  pick("Show Tapfinch");
  EXPECT_FALSE(form().Application().Minimized());
  form().PeerMinimizeRequested();
  ASSERT_TRUE(tray().doubleClick());
  fake().runPending();
  EXPECT_FALSE(form().Application().Minimized());
  EXPECT_EQ(icon().image, TrayImage::kIdle) << "the icon stays while the window shows";
}

TEST_F(TrayIconTest, TheIconComesBackWhenTheShellRestartsAndGoesAtExit) {
  tenMsSingle();
  app.user().click(*form().singclickstartbtn);
  tray().restartShell();
  EXPECT_TRUE(tray().icons().empty()) << "the shell forgot it";
  fake().runPending();
  EXPECT_EQ(icon().image, TrayImage::kSingle) << "added again as it was";

  pick("Exit");
  EXPECT_FALSE(form().Timer1->Enabled()) << "the run stopped first";
  EXPECT_TRUE(tray().icons().empty()) << "gone with the window";
}

TEST(TrayIconStart, AShellNotUpYetGetsTheIconWhenItAnnouncesItself) {
  FakePlatform fake;
  fake.notificationArea().refuse(true);
  Tapfinch app(fake);
  EXPECT_TRUE(fake.notificationArea().icons().empty());
  fake.notificationArea().refuse(false);
  fake.notificationArea().restartShell();  // TaskbarCreated goes to every program
  fake.runPending();
  EXPECT_EQ(fake.notificationArea().icons().size(), 1u);
}

TEST_F(TrayIconTest, StartWhileItsOwnBoxOrTheHotkeysIsOpenOpensNoSecondOne) {
  // No point locked: every Start answers with a box.
  app.user().selectTab(*form().PageControl1, 0);
  app.user().click(*form().CheckBox2);
  const struct {
    const char* first;  // what opens the box
    bool hotkey;
  } cases[] = {{"the menu's Start", false}, {"the start hotkey", true}};
  for (const auto& c : cases) {
    fake().clearMessageBoxes();
    fake().boxes().whileOpen([&] {
      for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(tray().pick("Start"));
        fake().runPending();
        ASSERT_TRUE(fake().pressHotKey(platform::kModControl, 0x78));
        fake().runPending();
      }
    });
    if (c.hotkey) {
      ASSERT_TRUE(fake().pressHotKey(platform::kModControl, 0x78));
      fake().runPending();
    } else {
      pick("Start");
    }
    EXPECT_EQ(fake().boxes().mostOpenAtOnce(), 1) << c.first;
    EXPECT_EQ(fake().messageBoxes().size(), 1u) << c.first;
    fake().boxes().whileOpen(nullptr);
  }
}
