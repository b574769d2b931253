// The notification-area icon on the real program: Wine shows it in its
// own tray window when the display has no tray, with the tip the program
// gave it, and the icon's menu stops a run.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

// Wine's stand-in for a tray and the icons in it.
HWND TrayIconWindow() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  return tray != nullptr ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
}

// The tip the shell shows while the pointer rests on the icon.
std::string ShownTip() {
  for (HWND tip = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); tip != nullptr;
       tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) {
    if (IsWindowVisible(tip) != FALSE) return TextOf(tip);
  }
  return {};
}

// Rests the pointer on the icon until its tip starts with the text.
bool TipShows(HWND icon, const std::string& start) {
  return WaitFor(
      [&] {
        const POINT at = CenterOf(icon);
        XPointerTo({at.x + 1, at.y});
        XPointerTo(at);
        Pump(600);
        return ShownTip().rfind(start, 0) == 0;
      },
      8000);
}

}  // namespace

TEST(TrayIconE2E, TheIconShowsItsTipAndItsMenuStopsARun) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND icon = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconWindow()) != nullptr; }, 5000)) << "no icon in the tray";
  EXPECT_TRUE(TipShows(icon, "Tapfinch: idle")) << "the tip reads \"" << ShownTip() << '"';

  // A run slow enough that none of its clicks lands on the menu.
  app.selectTab(0);
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  app.stepField(fields[2], VK_UP, 25);
  ASSERT_TRUE(WaitFor([&] { return TextOf(fields[2]) == "30"; }, 3000)) << TextOf(fields[2]);
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  ASSERT_TRUE(app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; })) << "START did not start";
  EXPECT_TRUE(TipShows(icon, "Tapfinch: clicking one point, 0 clicks")) << "the tip reads \"" << ShownTip() << '"';

  RightClickAt(CenterOf(icon));
  HWND menu = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 3000))
      << "no menu at the right click";
  PressKey(VK_DOWN, 2);  // Start, then Stop
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) == FALSE; }, 3000)) << "the menu's Stop did not stop the run";
  EXPECT_TRUE(TipShows(icon, "Tapfinch: idle"));
  EXPECT_EQ(app.close(), 0u);
  EXPECT_TRUE(WaitFor([] { return TrayIconWindow() == nullptr; }, 3000)) << "the icon outlived the program";
}
