// Mouse buttons as hotkeys on the real program: a side button pressed on the
// X display, over another program's window, starts and stops a run through
// the program's low-level mouse hook, and that window never sees it.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class MouseHotkeyE2E : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettings(); }
  void TearDown() override { DeleteSettings(); }
};

}  // namespace

TEST_F(MouseHotkeyE2E, SideButtonsOverAnotherWindowStartAndStopARunAndNeverReachIt) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(2);
  const auto boxes = app.controls("TComboBox");
  ASSERT_EQ(boxes.size(), 7u);
  RetypeInto(boxes[0], "Mouse Back");
  PressKey(VK_TAB);  // typed text counts once the box is left
  RetypeInto(boxes[1], "Mouse Forward");
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return TextOf(boxes[1]) == "Mouse Forward" && HotkeyFree(MOD_CONTROL, VK_F10); }, 3000))
      << "the stop box shows " << TextOf(boxes[1]);
  EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F9)) << "Ctrl+F9 was let go";

  app.selectTab(0);
  ASSERT_TRUE(app.setTenths(1));
  HWND stop = app.control("TzColorBtn", "STOP");
  ASSERT_NE(stop, nullptr);
  Target target(1000, 700, 200, 150);
  MoveCursor(target.center());
  Pump(300);
  XButtonClick(8);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) != FALSE; }, 3000)) << "Mouse Back did not start a run";
  Pump(2500);  // clicking where the mouse is, past two checks of the hook
  XButtonClick(9);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) == FALSE; }, 3000)) << "Mouse Forward did not stop it";
  Pump(300);
  EXPECT_GE(target.leftDowns(), 3u) << "the run clicked on the window under the mouse";
  EXPECT_EQ(target.otherButtons(), 0u) << "the side buttons were swallowed";

  // The middle button is no hotkey: it reaches the window as ever.
  XButtonClick(2);
  Pump(300);
  EXPECT_EQ(target.otherButtons(), 2u) << "a press and a release of the middle button";
  EXPECT_EQ(app.close(), 0u);
}
