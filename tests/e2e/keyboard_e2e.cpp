// The keyboard on the real program under the real dialog manager and edit
// control: Tab and Shift+Tab through the Single Click tab and out of the
// colour buttons, Space and Enter pressing them, no key or paste changing
// an interval field, and a click into a spin edit placing the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

class KeyboardE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
    app.selectTab(0);
    fields = app.controls("TzcFloatSpinEdit");
    ASSERT_EQ(fields.size(), 5u);
    start = app.control("TzColorBtn", "START");
    stop = app.control("TzColorBtn", "STOP");
    test = app.control("TzColorBtn", "Test click area");
    atMouse = app.control("TCheckBox", "Click Wherever The Mouse Is");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(stop, nullptr);
    ASSERT_NE(test, nullptr);
    ASSERT_NE(atMouse, nullptr);
  }

  void TearDown() override { EXPECT_EQ(app.close(), 0u) << "exit code"; }

  // Into a field's text, at its left end, clear of the arrows.
  void clickIntoText(HWND field) const {
    RECT r{};
    GetWindowRect(field, &r);
    ClickAt({r.left + 4, (r.top + r.bottom) / 2});
  }

  // The focus after each press of a key (with Shift when asked).
  std::vector<HWND> focusWhilePressing(WORD key, int times, bool shift = false) {
    std::vector<HWND> seen;
    for (int i = 0; i < times; ++i) {
      if (shift) {
        PressCombination({VK_SHIFT}, key);
      } else {
        PressKey(key);
      }
      WaitFor([] { return false; }, 60);
      seen.push_back(app.focusedControl());
    }
    return seen;
  }

  Tapfinch app;
  std::vector<HWND> fields;
  HWND start = nullptr;
  HWND stop = nullptr;
  HWND test = nullptr;
  HWND atMouse = nullptr;
};

std::string Describe(const std::vector<HWND>& windows) {
  std::string text;
  for (HWND w : windows) text += ClassOf(w) + " '" + TextOf(w) + "', ";
  return text;
}

}  // namespace

TEST_F(KeyboardE2E, AClickOnATabStillWorksAfterTheArrowKeysChangedTabs) {
  // SetUp's click on the first tab left the focus on the row of tabs.
  PressKey(VK_RIGHT, 2);
  ASSERT_TRUE(WaitFor([&] { return app.controls("TComboBox").size() == 7u; }, 3000)) << "Options not shown";
  HWND pages = app.control("TPageControl");
  ASSERT_NE(pages, nullptr);
  RECT r{};
  GetWindowRect(pages, &r);
  const double scale = (r.right - r.left) / 590.0;
  // Past the double-click time, which would make this the second click of a double click.
  Pump(GetDoubleClickTime() + 100);
  ClickAt({r.left + static_cast<int>(32 * scale), r.top + static_cast<int>(10 * scale)});
  EXPECT_TRUE(WaitFor([&] { return app.control("TzColorBtn", "START") != nullptr; }, 3000))
      << "the click on \"Single Click\" did not show its tab";
}

TEST_F(KeyboardE2E, TabAndShiftTabCycleThroughTheTabStopsAndOutOfEveryColourButton) {
  clickIntoText(fields[0]);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == fields[0]; }, 2000)) << "the hours field took no focus";
  // The row of tabs is a stop too, after the page's controls.
  HWND tabs = app.control("TPageControl");
  ASSERT_NE(tabs, nullptr);
  const std::vector<HWND> forward{fields[1], fields[2], fields[3], fields[4], start, test, tabs, atMouse, fields[0]};
  const auto tabbed = focusWhilePressing(VK_TAB, 9);
  EXPECT_EQ(tabbed, forward) << Describe(tabbed);
  const std::vector<HWND> backward{atMouse, tabs, test, start, fields[4], fields[3], fields[2], fields[1], fields[0]};
  const auto shifted = focusWhilePressing(VK_TAB, 9, true);
  EXPECT_EQ(shifted, backward) << Describe(shifted);
  EXPECT_EQ(SendMessageA(atMouse, BM_GETCHECK, 0, 0), BST_CHECKED) << "Tab clicked nothing on its way";
  EXPECT_EQ(IsWindowEnabled(stop), FALSE) << "Tab clicked nothing on its way";
}

TEST_F(KeyboardE2E, SpaceAndEnterPressTheFocusedColourButton) {
  clickIntoText(fields[4]);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == fields[4]; }, 2000));
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == start; }, 2000));
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) != FALSE; }, 2000)) << "Space did not press START";
  ASSERT_TRUE(app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; }));

  clickIntoText(fields[4]);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == fields[4]; }, 2000));
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == start; }, 2000));
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) != FALSE; }, 2000)) << "Enter did not press START";
  ASSERT_TRUE(app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; }));
}

TEST_F(KeyboardE2E, NoKeyPasteCutOrMenuCommandChangesAnIntervalField) {
  HWND seconds = fields[2];
  ASSERT_EQ(TextOf(seconds), "5");
  ASSERT_TRUE(SetClipboardText("7"));
  clickIntoText(seconds);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == seconds; }, 2000));
  auto selectAll = [] {
    PressKey(VK_HOME);
    PressCombination({VK_SHIFT}, VK_END);
  };
  struct Attempt {
    const char* name;
    std::vector<WORD> modifiers;
    WORD key;
  };
  const Attempt attempts[] = {
      {"Delete", {}, VK_DELETE},     {"Shift+Del", {VK_SHIFT}, VK_DELETE}, {"Shift+Ins", {VK_SHIFT}, VK_INSERT},
      {"Ctrl+V", {VK_CONTROL}, 'V'}, {"Ctrl+X", {VK_CONTROL}, 'X'},        {"Backspace", {}, VK_BACK},
      {"a digit", {}, '4'},
  };
  for (const Attempt& attempt : attempts) {
    selectAll();
    if (attempt.modifiers.empty()) {
      PressKey(attempt.key);
    } else {
      PressCombination({attempt.modifiers[0]}, attempt.key);
    }
    Pump(100);
    EXPECT_EQ(TextOf(seconds), "5") << attempt.name;
  }
  // The context menu's Paste and Delete (by their mnemonics), then away.
  for (WORD mnemonic : {WORD{'P'}, WORD{'D'}, WORD{'T'}}) {
    selectAll();
    RECT r{};
    GetWindowRect(seconds, &r);
    RightClickAt({r.left + 6, (r.top + r.bottom) / 2});
    PressKey(mnemonic);
    PressKey(VK_ESCAPE);
    Pump(100);
    EXPECT_EQ(TextOf(seconds), "5") << "context menu " << static_cast<char>(mnemonic);
  }
  // Stepping still works.
  PressKey(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return TextOf(seconds) == "6"; }, 2000)) << TextOf(seconds);
}

TEST_F(KeyboardE2E, AClickIntoASpinEditPlacesTheCaretInsteadOfSelectingAll) {
  app.selectTab(2);
  HWND count = app.control("TzcSpinEdit");
  ASSERT_NE(count, nullptr);
  ASSERT_EQ(TextOf(count), "0");
  clickIntoText(count);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == count; }, 2000));
  PressKey('7');
  EXPECT_TRUE(WaitFor([&] { return TextOf(count) == "70"; }, 2000))
      << "'" << TextOf(count) << "': the click selected the whole text";
}

TEST_F(KeyboardE2E, TheClickPointSetLabelIsWideEnoughForItsBoldText) {
  HWND label = app.control("Tz3DLabel");
  ASSERT_NE(label, nullptr);
  ASSERT_EQ(TextOf(label), "Click Point SET");
  // In the font the program really draws it in: its bold layout font.
  platform::FontSpec bold;
  bold.bold = true;
  const SIZE extent = MeasureInFont("Click Point SET", bold, 96);
  RECT client{};
  GetClientRect(label, &client);
  EXPECT_GE(client.right, extent.cx) << "the text is " << extent.cx << " pixels wide";
  EXPECT_GE(client.bottom, extent.cy);
}

TEST_F(KeyboardE2E, ArrowsVisitEveryVisibleEnabledWindowInTabOrderLabelsIncluded) {
  clickIntoText(fields[4]);
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == start; }, 2000));
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    PressKey(VK_DOWN);
    Pump(60);
    HWND focus = app.focusedControl();
    seen.push_back(ClassOf(focus) + " '" + TextOf(focus) + "'");
  }
  // Up to the row of tabs, which keeps the arrows: Right there shows the next page.
  EXPECT_EQ(seen, (std::vector<std::string>{"TLabel ''", "TzColorBtn 'Test click area'", "TPageControl ''",
                                            "TPageControl ''"}));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return app.control("TButton", "Click the List") != nullptr; }, 2000));
}

TEST(KeyboardPagesE2E, CtrlTabAndCtrlPageKeysTurnThePages) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  // On Multiple Click Points, with the focus in its X field.
  const auto edits = app.controls("TEdit");
  ASSERT_EQ(edits.size(), 2u);
  Click(edits[0]);
  const auto showing = [&] {
    if (app.control("TzColorBtn", "START") != nullptr) return 0;
    if (app.control("TButton", "Click the List") != nullptr) return 1;
    if (app.control("TLabel", "Hot Key Options") != nullptr) return 2;
    return -1;
  };
  ASSERT_EQ(showing(), 1);
  struct Step {
    std::initializer_list<WORD> modifiers;
    WORD key;
    int page;
  };
  const Step steps[] = {{{VK_CONTROL}, VK_TAB, 2},
                        {{VK_CONTROL}, VK_TAB, 0},
                        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 2},
                        {{VK_CONTROL}, VK_PRIOR, 1},
                        {{VK_CONTROL}, VK_NEXT, 2}};
  for (const Step& step : steps) {
    PressCombination(step.modifiers, step.key);
    EXPECT_TRUE(WaitFor([&] { return showing() == step.page; }, 2000)) << "page " << showing() << ", not " << step.page;
  }
  EXPECT_EQ(app.focusedControl(), app.control("TPageControl")) << "the tab row has the focus";
  // From the tab row the arrow keys go on.
  PressKey(VK_LEFT);
  EXPECT_TRUE(WaitFor([&] { return showing() == 1; }, 2000));
  EXPECT_EQ(app.close(), 0u);
}

TEST(MenuPagesE2E, AMenuThatTurnsThePageTakesTheFocusOffTheHiddenPageAndTheNextKeyIsHarmless) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  app.selectTab(0);
  HWND test = app.control("TzColorBtn", "Test click area");
  ASSERT_NE(test, nullptr);
  Click(test);  // the focus on the Single Click tab
  ASSERT_TRUE(WaitFor([&] { return app.focusedControl() == test; }, 2000));
  // Options > Set HotKeys from the keyboard: the menu bar, the second
  // menu, its first item.
  PressKey(VK_F10);
  Pump(200);
  PressKey(VK_RIGHT);
  Pump(200);
  PressKey(VK_DOWN);
  Pump(200);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return app.control("TComboBox") != nullptr; }, 3000)) << "the Options tab";
  HWND focus = app.focusedControl();
  EXPECT_TRUE(focus == nullptr || IsWindowVisible(focus) != FALSE) << "the focus stayed on the hidden page";
  PressKey('Q');
  PressCombination({VK_MENU}, 'S');
  Pump(300);
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(app.mainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer), 0)
      << "the program stopped answering";
  EXPECT_EQ(app.close(), 0u);
}
