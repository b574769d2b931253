// Points on a monitor left of the primary one have negative x: the real
// program locks, captures, shows and clicks them there like any other.
// The desktop (wine-env setup) has such a monitor at x = -1280..-1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

// A target on the left monitor, clear of its edges.
constexpr int kTargetX = -1000;
constexpr int kTargetY = 380;
constexpr int kTargetWidth = 400;
constexpr int kTargetHeight = 260;

class NegativeCoordinatesE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    MONITORINFO left{};
    left.cbSize = sizeof left;
    HMONITOR monitor = MonitorFromPoint({kTargetX, kTargetY}, MONITOR_DEFAULTTONULL);
    ASSERT_TRUE(monitor != nullptr && GetMonitorInfoA(monitor, &left) != 0 && left.rcMonitor.right <= 0)
        << "the desktop has no monitor left of the primary one (virtual screen from x = "
        << GetSystemMetrics(SM_XVIRTUALSCREEN) << "); see wine-env setup";
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280) << "the primary monitor";
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
  }

  void TearDown() override { EXPECT_EQ(app.close(), 0u) << "exit code"; }

  Tapfinch app;
};

}  // namespace

TEST_F(NegativeCoordinatesE2E, SingleClickLockedLeftOfThePrimaryClicksThereAndComesBack) {
  app.selectTab(0);
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  HWND atMouse = app.control("TCheckBox", "Click Wherever The Mouse Is");
  ASSERT_NE(start, nullptr);
  ASSERT_NE(stop, nullptr);
  ASSERT_NE(atMouse, nullptr);
  Target target(kTargetX, kTargetY, kTargetWidth, kTargetHeight);
  Click(atMouse);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(atMouse, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 2000));

  HWND track = app.control("TButton", "Start");
  ASSERT_NE(track, nullptr);
  Click(track);
  const POINT point = target.center();
  ASSERT_LT(point.x, 0);
  MoveCursor(point);
  Pump(100);  // a tracking tick sees the cursor
  ASSERT_EQ(app.lockWithSpace(point), PointText(point)) << "the point fields";
  Click(app.control("TButton", "Stop"));

  ASSERT_TRUE(app.setTenths(1));
  // The user's pointer rests on the primary monitor.
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
  EXPECT_GT(run.atHome, 0u) << "the cursor did not return to where the user had it";
  EXPECT_TRUE(run.left.x == home.x && run.left.y == home.y) << "the run left the cursor at " << PointText(run.left);
  const auto during = target.leftDowns();
  // Ten a second for two seconds; a loaded machine makes fewer, never more.
  EXPECT_GE(during, 8u);
  EXPECT_LE(during, 22u);
  for (const auto& click : target.clicks()) {
    EXPECT_EQ(click.at.x, point.x);
    EXPECT_EQ(click.at.y, point.y);
  }
  const auto settled = target.leftDowns();
  Pump(700);
  EXPECT_EQ(target.leftDowns(), settled) << "clicks went on after the stop";
}

TEST_F(NegativeCoordinatesE2E, PointsCapturedLeftOfThePrimaryAreListedAndClickedThere) {
  app.selectTab(1);
  HWND list = app.control("TListBox");
  HWND capture = app.control("TButton", "Start");
  HWND run = app.control("TButton", "Click the List");
  HWND add = app.control("TButton", "Add to List");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(capture, nullptr);
  ASSERT_NE(run, nullptr);
  ASSERT_NE(add, nullptr);
  ASSERT_TRUE(app.setTenths(3));
  Target target(kTargetX, kTargetY, kTargetWidth, kTargetHeight);
  const POINT base = target.center();
  const POINT first{base.x - 120, base.y - 60};
  const POINT second{base.x + 90, base.y + 70};
  ASSERT_LT(second.x, 0);

  Click(capture);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 2000)) << "capture did not start";
  // The space bar locks the tracked point into the fields; Add to List
  // takes them as they are (the cursor moves to the button meanwhile).
  MoveCursor(first);
  Pump(100);
  ASSERT_EQ(app.lockWithSpace(first), PointText(first)) << "the point fields";
  Click(add);
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000)) << "Add to List";
  // The right-click capture hotkey locks and adds in one.
  MoveCursor(second);
  Pump(100);
  PressCombination({VK_CONTROL}, 'F');
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000)) << "capture hotkey";
  const auto row = [](POINT p, int option) {
    return std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(option) + ", 0.3";
  };
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{row(first, 1), row(second, 4)}));
  EXPECT_TRUE(target.clicks().empty()) << "capturing clicked the target";
  Click(app.control("TButton", "Stop"));

  target.clear();
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return target.clicks().size() >= 4; }, 8000)) << target.clicks().size() << " clicks";
  PressCombination({VK_CONTROL}, VK_F10);  // the stop hotkey ends the list run
  ASSERT_TRUE(WaitFor([&] { return TextOf(run) == "Click the List"; }, 3000)) << TextOf(run);
  const auto& clicks = target.clicks();
  ASSERT_GE(clicks.size(), 4u);
  const UINT expected[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
  const POINT at[] = {first, first, second, second};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(clicks[i].message, expected[i]) << "click " << i;
    EXPECT_EQ(clicks[i].at.x, at[i].x) << "click " << i;
    EXPECT_EQ(clicks[i].at.y, at[i].y) << "click " << i;
  }
}
