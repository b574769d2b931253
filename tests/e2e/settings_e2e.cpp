// Settings and files on the real program: a hotkey reassigned on the
// Options tab works from another program's window, the settings come back
// from the registry at the next start, and a list goes through the real
// save and open dialogs to disk and back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class SettingsE2E : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettings(); }
  void TearDown() override { DeleteSettings(); }
};

}  // namespace

TEST_F(SettingsE2E, AReassignedHotkeyWorksAndTheSettingsComeBackAtTheNextStart) {
  {
    Tapfinch app;
    ASSERT_TRUE(app.started());
    app.selectTab(2);
    const auto boxes = app.controls("TComboBox");
    ASSERT_EQ(boxes.size(), 7u);
    ASSERT_EQ(TextOf(boxes[0]), "Ctrl+F9");
    RetypeInto(boxes[0], "Ctrl+F5");
    PressKey(VK_TAB);  // typed text counts once the box is left
    ASSERT_TRUE(WaitFor([&] { return !HotkeyFree(MOD_CONTROL, VK_F5); }, 3000)) << "Ctrl+F5 was not taken";
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL, VK_F9)) << "Ctrl+F9 was let go";

    // Used from another program's window, on the Single Click tab.
    app.selectTab(0);
    const auto fields = app.controls("TzcFloatSpinEdit");
    ASSERT_EQ(fields.size(), 5u);
    app.stepField(fields[2], VK_UP, 2);  // 7 seconds, kept at exit
    ASSERT_TRUE(WaitFor([&] { return TextOf(fields[2]) == "7"; }, 2000));
    HWND stop = app.control("TzColorBtn", "STOP");
    Window other(100, 100, 300, 200);
    ASSERT_TRUE(other.activate());
    PressCombination({VK_CONTROL}, VK_F5);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) != FALSE; }, 3000)) << "Ctrl+F5 did not start a run";
    PressCombination({VK_CONTROL}, VK_F10);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) == FALSE; }, 3000));
    EXPECT_EQ(app.close(), 0u);
  }
  Tapfinch again;
  ASSERT_TRUE(again.started());
  again.selectTab(2);
  const auto boxes = again.controls("TComboBox");
  ASSERT_EQ(boxes.size(), 7u);
  EXPECT_EQ(TextOf(boxes[0]), "Ctrl+F5");
  EXPECT_FALSE(HotkeyFree(MOD_CONTROL, VK_F5)) << "registered again at start-up";
  again.selectTab(0);
  const auto fields = again.controls("TzcFloatSpinEdit");
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(TextOf(fields[2]), "7");
  EXPECT_EQ(again.close(), 0u);
}

TEST_F(SettingsE2E, AListGoesThroughTheRealSaveAndOpenDialogsAndBack) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND list = app.control("TListBox");
  HWND add = app.control("TButton", "Add to List");
  Click(app.control("TButton", "Start"));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 2000));
  const auto edits = app.controls("TEdit");
  ASSERT_EQ(edits.size(), 2u);
  for (const char* x : {"12", "-34"}) {
    RetypeInto(edits[0], x);
    RetypeInto(edits[1], "56");
    Click(add);
  }
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));

  const std::string path = "C:\\tapfinch-e2e-list.txt";
  DeleteFileA(path.c_str());
  Click(app.control("TButton", "Save List"));
  HWND saving = FileDialog(app);
  ASSERT_NE(saving, nullptr) << "no save dialog";
  EXPECT_EQ(TextOf(saving), "Save Click List - Tapfinch");
  ASSERT_TRUE(ChooseFile(saving, path));
  std::string bytes;
  WaitFor(
      [&] {
        std::ifstream file(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return !bytes.empty();
      },
      3000);
  EXPECT_EQ(bytes, "12, 56, 1, 5\r\n-34, 56, 1, 5\r\n");

  Click(app.control("TButton", "Clear List"));
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 0; }, 2000));
  Click(app.control("TButton", "Load List"));
  HWND opening = FileDialog(app);
  ASSERT_NE(opening, nullptr) << "no open dialog";
  ASSERT_TRUE(ChooseFile(opening, path));
  EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));
  EXPECT_EQ(ListRows(list), (std::vector<std::string>{"12, 56, 1, 5", "-34, 56, 1, 5"}));
  DeleteFileA(path.c_str());
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(SettingsE2E, AListIsSavedAndLoadedUnderANameInAnyScript) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND list = app.control("TListBox");
  HWND add = app.control("TButton", "Add to List");
  Click(app.control("TButton", "Start"));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, 2000));
  const auto edits = app.controls("TEdit");
  ASSERT_EQ(edits.size(), 2u);
  RetypeInto(edits[0], "7");
  RetypeInto(edits[1], "8");
  Click(add);
  ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000));

  // A folder with a space; accented, currency and dash, Cyrillic and CJK names.
  const std::wstring folder = L"C:\\tapfinch e2e";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\\x0414\x043E\x043A\x0443\x043C\x0435\x043D\x0442\x044B").c_str(), nullptr);
  const std::wstring names[] = {
      folder + L"\\caf\x00E9 \x20AC\x2013.txt",
      folder + L"\\\x0414\x043E\x043A\x0443\x043C\x0435\x043D\x0442\x044B\\\x0441\x043F\x0438\x0441\x043E\x043A.txt",
      folder + L"\\\x65E5\x672C.txt",
  };
  for (const std::wstring& name : names) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    DeleteFileW(name.c_str());
    Click(app.control("TButton", "Save List"));
    HWND saving = FileDialog(app);
    ASSERT_NE(saving, nullptr) << "no save dialog";
    ASSERT_TRUE(ChooseFile(saving, name));
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }, 3000))
        << "not saved under the name given";
    EXPECT_EQ(VisibleDialogs(app.processId()), 0u) << "a message instead of the save";

    Click(app.control("TButton", "Clear List"));
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == 0; }, 2000));
    Click(app.control("TButton", "Load List"));
    HWND opening = FileDialog(app);
    ASSERT_NE(opening, nullptr) << "no open dialog";
    ASSERT_TRUE(ChooseFile(opening, name));
    EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 1; }, 3000)) << "not loaded back";
    EXPECT_EQ(ListRows(list), std::vector<std::string>{"7, 8, 1, 5"});
    EXPECT_EQ(VisibleDialogs(app.processId()), 0u) << "a message instead of the load";
    if (ListCount(list) != 1) break;
    DeleteFileW(name.c_str());
  }
  EXPECT_EQ(app.close(), 0u);
}

TEST_F(SettingsE2E, ListsSavedAsUnicodeLoadAndAnIconIsRefused) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND list = app.control("TListBox");
  const std::string rows = "1, 2, 1, 0.5\r\n3, 4, 2, 1\r\n\r\n";
  std::string utf16 = "\xFF\xFE";  // as Notepad's "Unicode" writes it
  for (char c : rows) utf16 += std::string{c, '\0'};
  const std::pair<std::string, std::string> files[] = {
      {"C:\\tapfinch-e2e-mark.txt", "\xEF\xBB\xBF" + rows},
      {"C:\\tapfinch-e2e-utf16.txt", utf16},
  };
  const auto load = [&](const std::string& path) {
    Click(app.control("TButton", "Load List"));
    HWND opening = FileDialog(app);
    return opening != nullptr && ChooseFile(opening, path);
  };
  for (const auto& [path, bytes] : files) {
    SCOPED_TRACE(path);
    std::ofstream(path, std::ios::binary) << bytes;
    Click(app.control("TButton", "Clear List"));
    ASSERT_TRUE(load(path));
    EXPECT_TRUE(WaitFor([&] { return ListCount(list) == 2; }, 3000));
    EXPECT_EQ(ListRows(list), (std::vector<std::string>{"1, 2, 1, 0.5", "3, 4, 2, 1"}));
    EXPECT_EQ(VisibleDialogs(app.processId()), 0u);
    DeleteFileA(path.c_str());
  }
  // A value thousands of characters long: the box stays a readable width.
  const std::string longValue = "C:\\tapfinch-e2e-long.txt";
  std::ofstream(longValue, std::ios::binary) << "1, 2, 3, " + std::string(5000, '9') + "x\r\n";
  ASSERT_TRUE(load(longValue));
  ASSERT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 1; }, 3000)) << "no message for the bad line";
  for (HWND w : WindowsOf(app.processId(), "#32770")) {
    if (IsWindowVisible(w) == FALSE) continue;
    RECT box{};
    GetWindowRect(w, &box);
    EXPECT_LT(box.right - box.left, GetSystemMetrics(SM_CXSCREEN) / 2) << "a message box wider than half the screen";
    PostMessageA(w, WM_COMMAND, IDOK, 0);
  }
  EXPECT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 0; }, 3000));
  EXPECT_EQ(ListCount(list), 2) << "the list was not kept";
  DeleteFileA(longValue.c_str());

  const std::string icon = "C:\\tapfinch-e2e-icon.ico";
  std::ofstream(icon, std::ios::binary) << std::string("\0\0\1\0\1\0\x10\x10\0\0", 10);
  ASSERT_TRUE(load(icon));
  EXPECT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 1; }, 3000)) << "an icon loaded without a word";
  for (HWND w : WindowsOf(app.processId(), "#32770")) PostMessageA(w, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return VisibleDialogs(app.processId()) == 0; }, 3000));
  EXPECT_EQ(ListCount(list), 2) << "the list was not kept";
  DeleteFileA(icon.c_str());
  EXPECT_EQ(app.close(), 0u);
}
