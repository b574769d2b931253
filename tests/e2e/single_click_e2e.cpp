// The Single Click tab on the real program: clicks land where and when the
// tab says, and STOP ends them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class SingleClickE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
    app.selectTab(0);
    start = app.control("TzColorBtn", "START");
    stop = app.control("TzColorBtn", "STOP");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(stop, nullptr);
  }

  void TearDown() override { EXPECT_EQ(app.close(), 0u) << "exit code"; }

  void startRun() {
    ASSERT_TRUE(app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; })) << "START did not start";
  }

  // A run's own cursor moves can take a click elsewhere; STOP is pressed
  // until it takes.
  void stopRun() {
    ASSERT_TRUE(app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; })) << "STOP did not stop";
  }

  [[nodiscard]] int count() const { return std::stoi("0" + TextOf(app.childOf("Click Count", "TLabel"))); }

  void expectNoMoreClicks(const Target& target) {
    Pump(300);
    const auto settled = target.leftDowns();
    Pump(700);
    EXPECT_EQ(target.leftDowns(), settled) << "clicks went on after STOP";
  }

  Tapfinch app;
  HWND start = nullptr;
  HWND stop = nullptr;
};

}  // namespace

TEST_F(SingleClickE2E, FixedPointClicksLandOnTheTargetUntilStop) {
  Target target(1000, 780, 200, 150);
  HWND atMouse = app.control("TCheckBox", "Click Wherever The Mouse Is");
  ASSERT_NE(atMouse, nullptr);
  Click(atMouse);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(atMouse, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 2000));

  // Track the cursor to the target's centre and lock it with the space bar.
  HWND track = app.control("TButton", "Start");
  ASSERT_NE(track, nullptr);
  ASSERT_TRUE(IsWindowEnabled(track));
  Click(track);
  const POINT point = target.center();
  MoveCursor(point);
  Pump(100);
  ASSERT_EQ(app.lockWithSpace(point), PointText(point)) << "the point fields";
  Click(app.control("TButton", "Stop"));

  ASSERT_TRUE(app.setTenths(1));
  const POINT home = CenterOf(start);
  MoveCursor(home);
  Pump(200);
  target.clear();
  const WatchedRun run = WatchRun(stop, home, point, 2000);
  ASSERT_TRUE(run.started) << "Ctrl+F9 did not start the run";
  ASSERT_TRUE(run.stopped) << "Ctrl+F10 did not stop the run";
  Pump(1000);  // the clicks waiting in the queue
  EXPECT_TRUE(run.strays.empty()) << run.strays.size() << " readings away from both, the first at "
                                  << PointText(run.strays.front());
  EXPECT_GT(run.atHome, 0u) << "the cursor did not return to where it was";
  EXPECT_TRUE(run.left.x == home.x && run.left.y == home.y) << "the run left the cursor at " << PointText(run.left);
  const auto during = target.leftDowns();
  // Ten a second for two seconds; a loaded machine makes fewer, never more.
  EXPECT_GE(during, 8u);
  EXPECT_LE(during, 22u);
  for (const auto& click : target.clicks()) {
    EXPECT_EQ(click.at.x, point.x);
    EXPECT_EQ(click.at.y, point.y);
  }
  EXPECT_NEAR(count(), static_cast<int>(during), 2);
  expectNoMoreClicks(target);
}

TEST_F(SingleClickE2E, AtMouseModeClicksWhereTheCursorIs) {
  Target target(1000, 780, 200, 150);
  ASSERT_TRUE(app.setTenths(1));
  startRun();
  const POINT spot{target.center().x + 30, target.center().y - 20};
  MoveCursor(spot);
  target.clear();
  Pump(1500);
  EXPECT_GE(target.leftDowns(), 6u);
  EXPECT_LE(target.leftDowns(), 17u);
  for (const auto& click : target.clicks()) {
    EXPECT_EQ(click.at.x, spot.x);
    EXPECT_EQ(click.at.y, spot.y);
  }
  // Over STOP the run clicks STOP itself, which is as good as the user's.
  stopRun();
  expectNoMoreClicks(target);
}

// Minimised from its title bar and restored from its taskbar entry, a 10 ms
// run goes on clicking all along, and the count, left alone while nobody
// could see it, shows the whole run once the window is back.
TEST_F(SingleClickE2E, MinimisedAndRestoredA10MsRunGoesOnClicking) {
  Target target(1000, 780, 200, 150);
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  app.stepField(fields[2], VK_DOWN, 5);
  app.stepField(fields[4], VK_UP, 1);
  ASSERT_TRUE(WaitFor([&] { return TextOf(fields[2]) == "0" && TextOf(fields[4]) == "1"; }, 3000));
  const auto applications = WindowsOf(app.processId(), "TApplication");
  ASSERT_EQ(applications.size(), 1u);
  HWND taskbarWindow = applications.front();
  startRun();
  MoveCursor(target.center());
  Pump(500);
  target.clear();
  const int before = count();
  PostMessageA(app.mainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(
      WaitFor([&] { return IsIconic(taskbarWindow) != FALSE && IsWindowVisible(app.mainWindow()) == FALSE; }, 3000));
  Pump(1000);
  const std::size_t whileMinimised = target.leftDowns();
  PostMessageA(taskbarWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(app.mainWindow()) != FALSE; }, 3000));
  Pump(1000);
  EXPECT_GE(count(), before + static_cast<int>(whileMinimised)) << "the count is the run's once restored";
  double largest = 0;
  double previous = -1;
  for (const auto& click : target.clicks()) {
    if (click.message != WM_LBUTTONDOWN) continue;
    if (previous >= 0) largest = std::max(largest, click.time - previous);
    previous = click.time;
  }
  // A loaded machine may hold a tick up; a stall takes seconds.
  EXPECT_LT(largest, 500.0) << "the longest wait between two clicks, ms";
  EXPECT_GE(target.leftDowns(), 100u) << "about 100 a second for two seconds and more";
  stopRun();
}
