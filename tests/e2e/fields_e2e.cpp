// The narrow interval fields on the real program: whatever the caret and
// the focus do, the digit a field holds stays in view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

// The left edge of a field's first character in its client area, or
// nothing when the field shows no character at all.
int FirstCharacterX(HWND field) {
  const LRESULT at = SendMessageA(field, EM_POSFROMCHAR, 0, 0);
  return static_cast<short>(LOWORD(at));
}

bool InView(HWND field) {
  RECT client{};
  GetClientRect(field, &client);
  const int x = FirstCharacterX(field);
  return x >= 0 && x < client.right;
}

}  // namespace

TEST(FieldsE2E, TheTenthsAndHundredthsShowTheirDigitWhenFocused) {
  DeleteSettings();
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  HWND tenths = fields[3];
  HWND hundredths = fields[4];
  // Clicked into, stepped up and down again: 0, and in view.
  app.stepField(tenths, VK_UP, 1);
  ASSERT_TRUE(WaitFor([&] { return TextOf(tenths) == "1"; }, 2000));
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return TextOf(tenths) == "0"; }, 2000));
  Pump(200);
  EXPECT_TRUE(InView(tenths)) << "the 1/10 field's 0 is scrolled away: x " << FirstCharacterX(tenths);
  // Tabbed into: the whole text selected, and in view.
  PressKey(VK_TAB);
  Pump(200);
  EXPECT_EQ(app.focusedControl(), hundredths);
  EXPECT_TRUE(InView(hundredths)) << "the 1/100 field's 0 is scrolled away: x " << FirstCharacterX(hundredths);
  PressKey(VK_END);
  Pump(200);
  EXPECT_TRUE(InView(hundredths)) << "with the caret at the end: x " << FirstCharacterX(hundredths);
  WriteBitmap(CaptureWindow(app.mainWindow()), ArtefactDirectory() + "focused-hundredths.bmp");
  EXPECT_EQ(app.close(), 0u);
  DeleteSettings();
}

TEST(FieldsE2E, AHeldArrowStopsWhenAnotherWindowIsActivatedBeforeTheRelease) {
  DeleteSettings();
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  HWND minutes = fields[1];
  // The up arrow: the top half of the field's right end.
  RECT r{};
  GetWindowRect(minutes, &r);
  MoveCursor({r.right - 6, r.top + 5});
  Pump(100);
  INPUT press{};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &press, sizeof press);
  ASSERT_TRUE(WaitFor([&] { return TextOf(minutes) != "0"; }, 3000)) << "the held arrow never stepped";
  // Another program comes to the front (as Alt+Tab would), and the button
  // is let go over it.
  Window other(40, 300, 200, 150);
  ASSERT_TRUE(other.activate());
  MoveCursor(CenterOf(other.window()));
  INPUT release{};
  release.type = INPUT_MOUSE;
  release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &release, sizeof release);
  Pump(300);
  const std::string stopped = TextOf(minutes);
  Pump(2000);
  EXPECT_EQ(TextOf(minutes), stopped) << "the field went on stepping after the release";
  EXPECT_EQ(app.close(), 0u);
  DeleteSettings();
}
