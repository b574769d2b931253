// The Multiple Click Points tab on the real program: points captured with
// the capture hotkeys over another program's window, the list clicked
// there in order with each kind of click, the current row highlighted as
// the run goes, Delete on a selected row, and the 100-entry limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class ClickListE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
    list = app.control("TListBox");
    capture = app.control("TButton", "Start");
    run = app.control("TButton", "Click the List");
    add = app.control("TButton", "Add to List");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(capture, nullptr);
    ASSERT_NE(run, nullptr);
    ASSERT_NE(add, nullptr);
  }
  void TearDown() override { EXPECT_EQ(app.close(), 0u) << "exit code"; }

  void startCapture() {
    Click(capture);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 2000)) << "capture did not start";
  }

  Tapfinch app;
  HWND list = nullptr;
  HWND capture = nullptr;
  HWND run = nullptr;
  HWND add = nullptr;
};

}  // namespace

TEST_F(ClickListE2E, CapturedPointsAreClickedInOrderWithTheirKindsAndTheRowFollows) {
  ASSERT_TRUE(app.setTenths(3));
  startCapture();
  Target target(900, 700, 300, 200);
  const POINT base = target.center();
  const POINT points[] = {
      {base.x - 100, base.y - 50}, {base.x - 40, base.y}, {base.x + 40, base.y + 20}, {base.x + 100, base.y + 50}};
  const WORD keys[] = {'A', 'S', 'D', 'F'};
  for (int i = 0; i < 4; ++i) {
    MoveCursor(points[i]);
    Pump(100);  // a tracking tick sees the cursor
    PressCombination({VK_CONTROL}, keys[i]);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == i + 1; }, 3000)) << "capture hotkey " << i;
  }
  const auto rows = ListRows(list);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], std::to_string(points[1].x) + ", " + std::to_string(points[1].y) + ", 2, 0.3");
  EXPECT_TRUE(target.clicks().empty()) << "the hotkeys never reached the target";
  Click(app.control("TButton", "Stop"));

  target.clear();
  Click(run);
  std::vector<int> highlighted;
  WaitFor(
      [&] {
        // One message each, so that no tick falls between the readings of
        // single rows: the count of selected rows, and the row that is.
        const int count = ListSelectedCount(list);
        const int selected = ListCaret(list);
        if (count == 1 && ListSelected(list, selected) && (highlighted.empty() || highlighted.back() != selected)) {
          highlighted.push_back(selected);
        }
        EXPECT_LE(count, 1) << "one row at most";
        return target.clicks().size() >= 6;
      },
      8000);
  PressCombination({VK_CONTROL}, VK_F10);  // the stop hotkey ends the list run
  ASSERT_TRUE(WaitFor([&] { return TextOf(run) == "Click the List"; }, 3000)) << TextOf(run);
  const auto& clicks = target.clicks();
  ASSERT_GE(clicks.size(), 6u);
  const UINT expected[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
  const int at[] = {0, 0, 1, 2, 3, 3};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(clicks[i].message, expected[i]) << "click " << i;
    EXPECT_EQ(clicks[i].at.x, points[at[i]].x) << "click " << i;
    EXPECT_EQ(clicks[i].at.y, points[at[i]].y) << "click " << i;
  }
  ASSERT_GE(highlighted.size(), 3u) << "the highlight moved with the run";
  for (std::size_t i = 1; i < highlighted.size(); ++i) EXPECT_EQ(highlighted[i], (highlighted[i - 1] + 1) % 4);
}

TEST_F(ClickListE2E, DeleteRemovesTheSelectedRow) {
  startCapture();
  HWND x = app.control("TEdit");
  ASSERT_NE(x, nullptr);
  for (const char* value : {"11", "22", "33"}) {
    Click(x);
    PressKey(VK_END);
    PressCombination({VK_SHIFT}, VK_HOME);
    for (const char* c = value; *c != '\0'; ++c) PressKey(static_cast<WORD>(*c));
    const auto edits = app.controls("TEdit");
    Click(edits[1]);
    PressKey('5');
    Click(add);
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == static_cast<int>(value[0] - '0'); }, 2000));
  }
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{"11, 5, 1, 5", "22, 55, 1, 5", "33, 555, 1, 5"}));
  RECT r{};
  GetWindowRect(list, &r);
  ClickAt({r.left + 20, r.top + 16 + 8});  // the second row
  ASSERT_TRUE(WaitFor([&] { return ListSelected(list, 1); }, 2000));
  PressKey(VK_DELETE);
  EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 2000));
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{"11, 5, 1, 5", "33, 555, 1, 5"}));
}

TEST_F(ClickListE2E, TheHundredAndFirstEntryIsRefusedWithAMessage) {
  startCapture();
  MoveCursor({40, 40});
  Pump(100);
  PressCombination({VK_CONTROL}, 'A');
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000));
  for (int i = 1; i < 100; ++i) Click(add);
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 100; }, 5000)) << ListCount(list);
  Click(add);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        for (HWND w : WindowsOf(app.processId(), "#32770")) {
          if (IsWindowVisible(w) != FALSE && TextOf(w) == "Information") box = w;
        }
        return box != nullptr;
      },
      3000))
      << "no message";
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        const std::string part = TextOf(child);
        if (part.find("100 click points") != std::string::npos) *reinterpret_cast<std::string*>(data) = part;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  EXPECT_NE(text.find("Currently, only 100 click points can be specified"), std::string::npos) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; }, 3000));
  EXPECT_EQ(ListCount(list), 100);
}

TEST_F(ClickListE2E, StoppingARunBetweenAHoldAndItsReleaseLetsTheButtonGo) {
  ASSERT_TRUE(app.setTenths(9));
  startCapture();
  Target target(900, 700, 300, 200);
  const POINT hold = target.center();
  MoveCursor(hold);
  Pump(100);
  PressCombination({VK_CONTROL}, 'S');  // Click-Hold
  MoveCursor({hold.x + 50, hold.y});
  Pump(100);
  PressCombination({VK_CONTROL}, 'D');  // Release
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));
  Click(app.control("TButton", "Stop"));
  target.clear();
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return target.leftDowns() == 1; }, 3000)) << "the hold";
  PressCombination({VK_CONTROL}, VK_F10);  // stopped before the release entry
  ASSERT_TRUE(WaitFor([&] { return TextOf(run) == "Click the List"; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, 2000))
      << "the left button is still held down";
  ASSERT_FALSE(target.clicks().empty());
  EXPECT_EQ(target.clicks().back().message, static_cast<UINT>(WM_LBUTTONUP));
}

TEST_F(ClickListE2E, DeleteDuringARunRemovesTheRowTheUserPicked) {
  ASSERT_TRUE(app.setTenths(8));  // a point every 0.8 s
  startCapture();
  // Points on the tab's own blank face, below the interval group: the
  // clicks land there and Tapfinch keeps the keyboard, as with a target
  // that takes no focus.
  RECT clear{};
  GetWindowRect(app.control("TButton", "Clear List"), &clear);
  for (int i = 0; i < 3; ++i) {
    MoveCursor({clear.left - 200 + 50 * i, clear.bottom + 12});
    Pump(100);
    PressCombination({VK_CONTROL}, 'A');
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == i + 1; }, 3000));
  }
  const std::vector<std::string> rows = ListRows(list);
  Click(app.control("TButton", "Stop"));
  Click(run);
  // The user picks the first row; the run then highlights another one.
  RECT r{};
  GetWindowRect(list, &r);
  ASSERT_TRUE(WaitFor([&] { return ListSelected(list, 2); }, 5000)) << "the run never reached the third row";
  ClickAt({r.left + 20, r.top + 8});
  ASSERT_TRUE(WaitFor([&] { return ListSelected(list, 0) && !ListSelected(list, 2); }, 3000));
  ASSERT_TRUE(WaitFor([&] { return !ListSelected(list, 0); }, 3000)) << "the run's highlight did not move on";
  PressKey(VK_DELETE);
  EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 2000));
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{rows[1], rows[2]})) << "not the row the user picked";
  PressCombination({VK_CONTROL}, VK_F10);
}

namespace {

// The user's decimal separator, as Control Panel keeps it; put back after.
class CommaSystemE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key),
        ERROR_SUCCESS);
    char old[8] = {};
    DWORD size = sizeof old;
    hadValue_ =
        RegQueryValueExA(key, "sDecimal", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    if (hadValue_) old_ = old;
    RegSetValueExA(key, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE*>(","), 2);
    RegCloseKey(key);
  }
  void TearDown() override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
      return;
    }
    if (hadValue_) {
      RegSetValueExA(key, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>(old_.size() + 1));
    } else {
      RegDeleteValueA(key, "sDecimal");
    }
    RegCloseKey(key);
  }

 private:
  bool hadValue_ = false;
  std::string old_;
};

}  // namespace

TEST_F(CommaSystemE2E, ADelayWithADecimalCommaShowsWholeInItsColumn) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND list = app.control("TListBox");
  ASSERT_NE(list, nullptr);
  // 1.25 s: the seconds down to 1, the tenths up to 2, the hundredths to 5.
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  app.stepField(fields[2], VK_DOWN, 4);
  app.stepField(fields[3], VK_UP, 2);
  app.stepField(fields[4], VK_UP, 5);
  Click(app.control("TButton", "Start"));
  MoveCursor({40, 40});
  Pump(100);
  PressCombination({VK_CONTROL}, 'A');
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000));
  if (ListText(list, 0).find("1,25") == std::string::npos) {
    GTEST_SKIP() << "this Wine takes no decimal comma from the registry: " << ListText(list, 0);
  }
  Click(app.control("TButton", "Stop"));
  Pump(300);
  // The Time(s) cell of the first row: its text's ink spans more than the
  // " 1" it used to show.
  const Picture picture = CaptureWindow(list);
  const int scale = WindowDpi(list);
  const int from = (40 + 40 + 30) * scale / 96 + 3;
  int inked = 0;
  for (int x = from; x < picture.width - 2; ++x) {
    for (int y = 2; y < 15 * scale / 96; ++y) {
      const COLORREF c = picture.at(x, y);
      if (GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80) {
        ++inked;
        break;
      }
    }
  }
  WriteBitmap(picture, ArtefactDirectory() + "comma-delay.bmp");
  EXPECT_GT(inked, 12 * scale / 96) << "the Time(s) column shows only part of 1,25";
  EXPECT_EQ(app.close(), 0u);
}
