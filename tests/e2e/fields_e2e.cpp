// The narrow interval fields on the real program: whatever the caret and
// the focus do, the digit a field holds stays in view.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
// After windows.h, which driver.h brings.
#include <commctrl.h>

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
  LeftButton(true);
  ASSERT_TRUE(WaitFor([&] { return TextOf(minutes) != "0"; }, 3000)) << "the held arrow never stepped";
  // Another program comes to the front (as Alt+Tab would), and the button
  // is let go over it.
  Window other(40, 300, 200, 150);
  ASSERT_TRUE(other.activate());
  MoveCursor(CenterOf(other.window()));
  LeftButton(false);
  Pump(300);
  const std::string stopped = TextOf(minutes);
  Pump(2000);
  EXPECT_EQ(TextOf(minutes), stopped) << "the field went on stepping after the release";
  EXPECT_EQ(app.close(), 0u);
  DeleteSettings();
}

TEST(FieldsE2E, AColumnBorderDraggedFarRightLeavesEveryColumnInReach) {
  DeleteSettings();
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND header = app.control("TLMDHeaderControl");
  ASSERT_NE(header, nullptr);
  RECT client{};
  GetClientRect(header, &client);
  // The header's last 26 pixels: where the columns right of X must stay.
  // Their borders and titles show there as more than the blank face.
  const auto rightEndColours = [&] {
    const Picture picture = CaptureWindow(header);
    std::vector<COLORREF> seen;
    for (int x = picture.width - 26; x < picture.width - 2; ++x) {
      for (int y = 2; y < picture.height - 2; ++y) {
        const COLORREF c = picture.at(x, y);
        if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
      }
    }
    return seen.size();
  };
  // X's border (40 pixels at 96 per inch), dragged with the real mouse to
  // well past the list's end.
  const int scale = WindowDpi(header);
  POINT border{40 * scale / 96 - 1, (client.top + client.bottom) / 2};
  ClientToScreen(header, &border);
  SetCursorPos(border.x, border.y);
  Pump(100);
  LeftButton(true);
  Pump(100);
  for (int step = 1; step <= 10; ++step) MoveCursor({border.x + step * 40, border.y});
  LeftButton(false);
  Pump(300);
  WriteBitmap(CaptureWindow(header), ArtefactDirectory() + "header-dragged.bmp");
  EXPECT_GT(rightEndColours(), 1u) << "Y, Opt and Time(s) are out of reach";
  EXPECT_EQ(app.close(), 0u);
  DeleteSettings();
}
