// Hotkeys on the real program under real keys: typed text in a hotkey box
// counts only when the box is left, the arrow keys step past what another
// box holds, capture works from any tab, the stop hotkey stops a list run
// after a single-point run has stopped, a hotkey another program held is
// taken once it is free, and logoff keeps the settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class HotkeyRulesE2E : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettings(); }
  void TearDown() override { DeleteSettings(); }

  // Answers every message box of the program with OK; true once all are gone.
  static bool CloseBoxes(const Tapfinch& app) {
    for (HWND w : WindowsOf(app.processId(), "#32770")) PostMessageA(w, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return VisibleDialogs(app.processId()) == 0; }, 3000);
  }
};

}  // namespace

TEST_F(HotkeyRulesE2E, TypedTextCountsWhenTheBoxIsLeftAndArrowsStepPastHeldCombinations) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(2);
  const auto boxes = app.controls("TComboBox");
  ASSERT_EQ(boxes.size(), 7u);

  // "Ctrl+F10" over Ctrl+F9 spells Ctrl+F and Ctrl+F1 on the way: neither
  // is taken, and Ctrl+F10 is Stop's, so leaving puts Ctrl+F9 back.
  RetypeInto(boxes[0], "Ctrl+F10");
  Pump(300);
  EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F1)) << "a keystroke bound what it spelled";
  EXPECT_FALSE(HotkeyFree(MOD_CONTROL, VK_F9)) << "Start changed before the box was left";
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return TextOf(boxes[0]) == "Ctrl+F9"; }, 3000)) << TextOf(boxes[0]);
  EXPECT_FALSE(HotkeyFree(MOD_CONTROL, VK_F9));
  EXPECT_FALSE(HotkeyFree(MOD_CONTROL, VK_F10));

  // A bare letter is no combination: put back too.
  RetypeInto(boxes[0], "c");
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return TextOf(boxes[0]) == "Ctrl+F9"; }, 3000)) << TextOf(boxes[0]);

  // Stop's box, one step up: Ctrl+F9 is Start's, so Ctrl+F8.
  RECT r{};
  GetWindowRect(boxes[1], &r);
  ClickAt({r.left + 8, (r.top + r.bottom) / 2});
  PressKey(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return TextOf(boxes[1]) == "Ctrl+F8"; }, 3000)) << TextOf(boxes[1]);
  EXPECT_TRUE(WaitFor([&] { return !HotkeyFree(MOD_CONTROL, VK_F8); }, 3000)) << "Ctrl+F8 not taken";
  EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F10)) << "Ctrl+F10 let go";
  // Typed straight after the step, no keystroke is lost.
  PressKey(VK_HOME);
  PressCombination({VK_SHIFT}, VK_END);
  TypeText("Ctrl+F12");
  EXPECT_TRUE(WaitFor([&] { return TextOf(boxes[1]) == "Ctrl+F12"; }, 3000)) << TextOf(boxes[1]);
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return !HotkeyFree(MOD_CONTROL, VK_F12); }, 3000)) << "Ctrl+F12 not taken";
  EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F8));

  // A whole new combination, typed and left, takes effect.
  RetypeInto(boxes[0], "Ctrl+F11");
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return !HotkeyFree(MOD_CONTROL, VK_F11); }, 3000));
  EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F9));
  EXPECT_EQ(TextOf(boxes[0]), "Ctrl+F11");
  EXPECT_EQ(VisibleDialogs(app.processId()), 0u);
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(HotkeyRulesE2E, CaptureAddsFromAnyTabAndStopStopsAListAfterASingleRun) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  // A single-point run started and stopped: the stop hotkey goes free.
  app.selectTab(0);
  Click(app.control("TzColorBtn", "START"));
  HWND stopButton = app.control("TzColorBtn", "STOP");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(stopButton) != FALSE; }, 3000));
  Click(stopButton);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(stopButton) == FALSE; }, 3000));

  // Capture on, then the Options tab showing and another program active.
  app.selectTab(1);
  Click(app.control("TButton", "Start"));
  app.selectTab(2);
  Window other(100, 100, 300, 200);
  ASSERT_TRUE(other.activate());
  MoveCursor({150, 160});
  Pump(200);
  PressCombination({VK_CONTROL}, 'A');
  Pump(500);
  EXPECT_EQ(VisibleDialogs(app.processId()), 0u) << "a message box answered the capture hotkey";
  app.selectTab(1);
  HWND list = app.control("TListBox");
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000)) << ListCount(list);
  Click(app.control("TButton", "Stop"));

  // The list run, stopped with Ctrl+F10 from the other program.
  HWND run = app.control("TButton", "Click the List");
  ASSERT_NE(run, nullptr);
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return TextOf(run) == "Stop"; }, 3000));
  ASSERT_TRUE(other.activate());
  PressCombination({VK_CONTROL}, VK_F10);
  EXPECT_TRUE(WaitFor([&] { return TextOf(run) == "Click the List"; }, 3000)) << "Ctrl+F10 did not stop the list";
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(HotkeyRulesE2E, AHotkeyAnotherProgramHeldIsNamedAndTakenOnceFree) {
  ASSERT_NE(RegisterHotKey(nullptr, 79, MOD_CONTROL, VK_F9), 0) << "the driver could not hold Ctrl+F9";
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(2);
  std::string notice;
  WaitFor(
      [&] {
        for (HWND label : app.controls("TLabel")) {
          if (TextOf(label).find("Another program holds") != std::string::npos) notice = TextOf(label);
        }
        return !notice.empty();
      },
      3000);
  EXPECT_EQ(notice, "Another program holds Ctrl+F9 (Start). Tapfinch tries again until it is free.");
  // The note as the user sees it, kept with the other screenshots.
  WriteBitmap(CaptureWindow(app.mainWindow()), ArtefactDirectory() + "options-held-hotkey.bmp");
  EXPECT_EQ(VisibleDialogs(app.processId()), 0u) << "no box at start-up";
  UnregisterHotKey(nullptr, 79);
  EXPECT_TRUE(WaitFor([&] { return !HotkeyFree(MOD_CONTROL, VK_F9); }, 8000)) << "Ctrl+F9 was not taken once free";
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(HotkeyRulesE2E, LogoffWritesTheSettings) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  const auto fields = app.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  app.stepField(fields[1], VK_UP, 3);  // 3 minutes
  ASSERT_TRUE(WaitFor([&] { return TextOf(fields[1]) == "3"; }, 2000));
  // What the system sends at logoff; then it ends the process.
  EXPECT_NE(SendMessageA(app.mainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
  SendMessageA(app.mainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, app.processId());
  ASSERT_NE(process, nullptr);
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
  DWORD minutes = 0;
  DWORD size = sizeof minutes;
  const bool found = RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Brenmoorsoft\\Tapfinch", "timem", RRF_RT_REG_DWORD,
                                  nullptr, &minutes, &size) == ERROR_SUCCESS ||
                     RegGetValueA(HKEY_CURRENT_USER, "Software\\Brenmoorsoft\\Tapfinch", "timem", RRF_RT_REG_DWORD,
                                  nullptr, &minutes, &size) == ERROR_SUCCESS;
  EXPECT_TRUE(found) << "nothing written at logoff";
  EXPECT_EQ(minutes, 3u);
}

TEST_F(HotkeyRulesE2E, AHotkeyPressedWhileItsBoxIsOpenOpensNoSecondBox) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  // A fixed point that is not set: START answers "No Click Point Specified."
  Click(app.control("TCheckBox", "Click Wherever The Mouse Is"));
  ASSERT_TRUE(WaitFor([&] { return app.control("TEdit") != nullptr; }, 2000));
  Window other(100, 300, 300, 200);
  ASSERT_TRUE(other.activate());
  PressCombination({VK_CONTROL}, VK_F9);
  ASSERT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 1; }, 3000)) << "no box for the first press";
  for (int i = 0; i < 5; ++i) PressCombination({VK_CONTROL}, VK_F9);
  Pump(800);
  EXPECT_EQ(VisibleDialogs(app.processId()), 1u) << "a press while the box was open opened another";
  // Closed with its OK button, the next press answers again.
  ASSERT_TRUE(CloseBoxes(app));
  PressCombination({VK_CONTROL}, VK_F9);
  EXPECT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 1; }, 3000));
  ASSERT_TRUE(CloseBoxes(app));
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(HotkeyRulesE2E, StartChecksXFirstAndPauseIsReachedWithTheKeyboard) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  Click(app.control("TCheckBox", "Click Wherever The Mouse Is"));
  ASSERT_TRUE(WaitFor([&] { return app.controls("TEdit").size() == 2; }, 2000));
  // A point locked, then X typed over with what is no number.
  Click(app.control("TButton", "Start"));
  const POINT point{60, 70};
  MoveCursor(point);
  Pump(100);
  ASSERT_EQ(app.lockWithSpace(point), PointText(point)) << "the point fields";
  RetypeInto(app.controls("TEdit")[0], "abc");
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  Click(start);
  ASSERT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 1; }, 3000)) << "no conversion message";
  std::string message;
  for (HWND w : WindowsOf(app.processId(), "#32770")) {
    EnumChildWindows(
        w,
        [](HWND child, LPARAM data) -> BOOL {
          if (ClassOf(child) == "Static" && !TextOf(child).empty())
            *reinterpret_cast<std::string*>(data) += TextOf(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&message));
  }
  EXPECT_NE(message.find("'abc' is not a valid integer value."), std::string::npos) << message;
  ASSERT_TRUE(CloseBoxes(app));
  EXPECT_NE(IsWindowEnabled(start), FALSE) << "START was left disabled";
  EXPECT_EQ(IsWindowEnabled(stop), FALSE) << "STOP was left enabled";
  RetypeInto(app.controls("TEdit")[0], "0");  // else the exit would say it cannot keep X

  // A list of one point; Pause is reached with Tab and pressed with Space.
  app.selectTab(1);
  Click(app.control("TButton", "Start"));
  MoveCursor({40, 40});
  Pump(200);
  PressCombination({VK_CONTROL}, 'A');
  HWND list = app.control("TListBox");
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000));
  Click(app.control("TButton", "Stop"));
  HWND pause = app.control("TButton", "Pause");
  ASSERT_NE(pause, nullptr);
  for (int i = 0; i < 30 && app.focusedControl() != pause; ++i) PressKey(VK_TAB);
  ASSERT_EQ(app.focusedControl(), pause) << "Tab never reached Pause";
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return TextOf(pause) == "Resume"; }, 2000)) << TextOf(pause);
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return TextOf(pause) == "Pause"; }, 2000)) << TextOf(pause);
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(HotkeyRulesE2E, ACaptureOptionNamesItsReassignedHotkeyAfterARestart) {
  {
    Tapfinch app;
    ASSERT_TRUE(app.started());
    app.selectTab(2);
    const auto boxes = app.controls("TComboBox");
    ASSERT_EQ(boxes.size(), 7u);
    RetypeInto(boxes[2], "Ctrl+Alt+C");
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return TextOf(boxes[2]) == "Ctrl+Alt+C"; }, 3000)) << TextOf(boxes[2]);
    EXPECT_EQ(app.close(), 0u);
  }
  Tapfinch again;
  ASSERT_TRUE(again.started());
  again.selectTab(1);
  EXPECT_NE(again.control("TRadioButton", "Click      / Ctrl+Alt+C"), nullptr) << "the option still reads Ctrl + A";
  EXPECT_EQ(again.close(), 0u);
}
