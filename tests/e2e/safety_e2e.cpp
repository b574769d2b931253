// What the real program owes the mouse it borrows: an exit that stops the
// runs before its box opens, a crash that lets a dragged button go, clicks
// that go on behind a message box, and the buttons of a left-handed mouse.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver.h"
// After windows.h, which the driver brings.
#include <tlhelp32.h>

using namespace e2e;

namespace {

bool LeftButtonIsDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// Whether a process of that file name runs (Wine's debugger after a crash).
bool ProcessRuns(const char* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more != FALSE && !found; more = Process32Next(snapshot, &entry)) {
    found = _stricmp(entry.szExeFile, exeName) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// The program's own error box carries the application title.
constexpr const char* kErrorTitle = "Tapfinch by BRENMOOR";

class SafetyE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
    app.selectTab(1);
    run = app.control("TButton", "Click the List");
    ASSERT_NE(run, nullptr);
  }
  // Whatever a test left, the next one starts with the button up.
  void TearDown() override {
    if (LeftButtonIsDown()) LeftButton(false);
  }

  // Captures one entry a combination, at each point in turn.
  void capture(const std::vector<std::pair<POINT, WORD>>& entries) {
    HWND list = app.control("TListBox");
    Click(app.control("TButton", "Start"));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(app.control("TButton", "Add to List")) != FALSE; }, 2000));
    int count = 0;
    for (const auto& [at, key] : entries) {
      MoveCursor(at);
      Pump(100);
      PressCombination({VK_CONTROL}, key);
      ++count;
      ASSERT_TRUE(WaitFor([&] { return ListCount(list) == count; }, 3000)) << "entry " << count;
    }
  }

  Tapfinch app;
  HWND run = nullptr;
};

}  // namespace

TEST_F(SafetyE2E, ClosingWithABoxToShowStopsTheRunsAndLetsTheButtonUpBeforeTheBoxOpens) {
  // The Single Click tab's X field emptied: the exit has a box to show.
  app.selectTab(0);
  HWND atMouse = app.control("TCheckBox", "Click Wherever The Mouse Is");
  Click(atMouse);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(atMouse, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 2000));
  const auto fields = app.controls("TEdit");
  ASSERT_EQ(fields.size(), 2u);
  RetypeInto(fields[0], "");
  ASSERT_TRUE(WaitFor([&] { return TextOf(fields[0]).empty(); }, 2000));

  // A drag every 0.2 s: a hold, a release, round again.
  app.selectTab(1);
  ASSERT_TRUE(app.setTenths(1));
  Target target(900, 700, 300, 200);
  const POINT hold = target.center();
  capture({{hold, 'S'}, {{hold.x + 60, hold.y}, 'D'}});
  Click(app.control("TButton", "Stop"));
  target.clear();
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return target.leftDowns() >= 2; }, 5000)) << "the run drags";

  PostMessageA(app.mainWindow(), WM_CLOSE, 0, 0);
  HWND box = MessageBoxOf(app, kErrorTitle);
  ASSERT_NE(box, nullptr) << "no box at exit";
  const auto downs = target.leftDowns();
  EXPECT_FALSE(LeftButtonIsDown()) << "the button is down behind the box";
  Pump(1500);
  EXPECT_EQ(target.leftDowns(), downs) << "the run clicks on behind the box";
  EXPECT_FALSE(LeftButtonIsDown());
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(app.waitForExit(10000));
  EXPECT_EQ(app.exitCode(), 0u);
}

TEST_F(SafetyE2E, ACrashInTheMiddleOfADragLetsTheButtonUp) {
  // Wine's crash dialog would wait for a user; its report is enough.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const DWORD no = 0;
  RegSetValueExA(key, "ShowCrashDialog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&no), sizeof no);
  RegCloseKey(key);

  ASSERT_TRUE(app.setTenths(5));
  Target target(900, 700, 300, 200);
  capture({{target.center(), 'S'}});
  Click(app.control("TButton", "Stop"));
  target.clear();
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return target.leftDowns() >= 1 && LeftButtonIsDown(); }, 5000)) << "the hold";

  // A thread of the program's that runs into an unmapped address: a fault
  // that nobody handles, as a bug of the program's own would be.
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, app.processId());
  ASSERT_NE(process, nullptr);
  HANDLE thread =
      CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
  CloseHandle(process);
  ASSERT_TRUE(app.waitForExit(30000)) << "the program did not end";
  EXPECT_NE(app.exitCode(), 0u) << "it crashed";
  EXPECT_TRUE(WaitFor([] { return !LeftButtonIsDown(); }, 2000)) << "the button stayed down after the crash";
  ASSERT_FALSE(target.clicks().empty());
  EXPECT_EQ(target.clicks().back().message, static_cast<UINT>(WM_LBUTTONUP));
  // Wine's debugger writes its report after the crash; the next test
  // wants the desktop to itself.
  EXPECT_TRUE(WaitFor([] { return !ProcessRuns("winedbg.exe"); }, 15000));
}

TEST_F(SafetyE2E, AListRunGoesOnClickingBehindAMessageBox) {
  ASSERT_TRUE(app.setTenths(1));
  Target target(900, 700, 300, 200);
  capture({{target.center(), 'A'}});
  // Capture stays on, and an empty X field makes Add to List open a box.
  const auto fields = app.controls("TEdit");
  ASSERT_EQ(fields.size(), 2u);
  RetypeInto(fields[0], "");
  ASSERT_TRUE(WaitFor([&] { return TextOf(fields[0]).empty(); }, 2000));
  Click(run);
  ASSERT_TRUE(WaitFor([&] { return target.leftDowns() >= 2; }, 5000)) << "the run clicks";
  HWND box = nullptr;
  // The run's cursor moves can take a click elsewhere.
  ASSERT_TRUE(app.clickUntil(app.control("TButton", "Add to List"), [&] {
    return (box = MessageBoxOf(app, kErrorTitle, 0)) != nullptr;
  })) << "no box";
  const auto before = target.leftDowns();
  Pump(2000);
  // Ten a second for two seconds; a loaded machine makes fewer, never none.
  EXPECT_GE(target.leftDowns() - before, 8u) << "the clicks stopped behind the box";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return MessageBoxOf(app, kErrorTitle, 0) == nullptr; }, 3000));
  PressCombination({VK_CONTROL}, VK_F10);
  EXPECT_TRUE(WaitFor([&] { return TextOf(run) == "Click the List"; }, 3000));
}

// Swapped in the mouse settings before the program starts, as a
// left-handed user has them; put back whatever the test's outcome.
class SwappedButtons {
 public:
  SwappedButtons() { Set(TRUE); }
  ~SwappedButtons() { Set(FALSE); }
  SwappedButtons(const SwappedButtons&) = delete;
  SwappedButtons& operator=(const SwappedButtons&) = delete;

 private:
  // Kept in the user's settings, so that a program started after sees it.
  static void Set(BOOL swapped) {
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, static_cast<UINT>(swapped), nullptr,
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }
};

TEST(SwappedButtonsE2E, AClickPressesThePrimaryButtonWhichIsThePhysicalRightOne) {
  const SwappedButtons swapped;
  ASSERT_NE(GetSystemMetrics(SM_SWAPBUTTON), 0) << "the setting did not take";
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  ASSERT_TRUE(app.setTenths(1));
  ASSERT_TRUE(app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; }));
  Target target(1000, 780, 200, 150);
  MoveCursor(target.center());
  target.clear();
  Pump(1500);
  ASSERT_TRUE(app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; }));
  // Wine passes injected flags through unswapped: the physical right
  // button's flags arrive as the right button. Windows would swap them
  // back, and the target would see the primary (left) click.
  std::size_t rights = 0;
  std::size_t lefts = 0;
  for (const auto& click : target.clicks()) {
    rights += click.message == WM_RBUTTONDOWN ? 1 : 0;
    lefts += click.message == WM_LBUTTONDOWN ? 1 : 0;
  }
  EXPECT_GE(rights, 5u);
  EXPECT_EQ(lefts, 0u) << "the left button's flags were sent";
  EXPECT_EQ(app.close(), 0u);
}
