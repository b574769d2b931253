// How the real program looks: pictures of its windows kept with the run,
// captions that fit their controls in the fonts really drawn, the windows'
// size and place, and the test button's colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

constexpr DWORD kOpenTimeout = 10000;

bool Measured(const std::vector<std::string>& checked, const std::string& control) {
  return std::find(checked.begin(), checked.end(), control) != checked.end();
}

// The main window's controls draw in the form's font, a few of them bold.
CaptionLook MainWindowLook(const std::string& className, const std::string& text) {
  CaptionLook look;
  look.font.bold = className == "Tz3DLabel" || text == "Multiple Click point options" || text == "Hot Key Options";
  return look;
}

// The about box: the program's name large in Arial, the version bold, the
// web address underlined.
CaptionLook AboutLook(const std::string& className, const std::string& text) {
  CaptionLook look;
  if (className == "Tz3DLabel") {
    look.font.name = "Arial";
    look.font.height = 22 * 96 / 72;  // 22 points
    look.font.bold = true;
    look.wordWrap = true;
  } else if (className == "TLabel" && text == "2.5") {
    look.font.bold = true;
  } else if (className == "TLMDSimpleLabel") {
    look.font.underline = true;
  }
  return look;
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string Hex(COLORREF colour) {
  char text[16] = {};
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

class AppearanceE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteSettings();
    app.emplace();
    ASSERT_TRUE(app->started()) << "tapfinch.exe did not show its window";
  }

  void TearDown() override {
    if (app) {
      EXPECT_EQ(app->close(), 0u) << "exit code";
    }
    app.reset();
    DeleteSettings();
  }

  // Help's items by position (1 Instructions, 2 About). Another process
  // cannot read the program's menu: the user's way, a click on the bar and
  // the arrow keys.
  void chooseHelpItem(int item) const {
    RECT r{};
    GetWindowRect(app->mainWindow(), &r);
    RECT help{};
    if (GetMenuItemRect(app->mainWindow(), GetMenu(app->mainWindow()), 2, &help) != 0) {
      ClickAt({(help.left + help.right) / 2, (help.top + help.bottom) / 2});
    } else {
      // The frame and bar grow with the system's scale, as the window does
      // from its 600 pixels at 100 %.
      const double scale = (r.right - r.left) / 600.0;
      const int menuY = r.top + static_cast<int>((GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) +
                                                  GetSystemMetrics(SM_CYMENU) / 2) *
                                                 scale);
      ClickAt({r.left + static_cast<int>(110 * scale), menuY});  // "Help", after "File" and "Options"
    }
    Pump(200);
    PressKey(VK_DOWN, item);
    PressKey(VK_RETURN);
  }

  HWND openWindow(int item, const char* className) const {
    chooseHelpItem(item);
    HWND window = nullptr;
    WaitFor(
        [&] {
          window = VisibleWindowOf(app->processId(), className);
          return window != nullptr;
        },
        kOpenTimeout);
    Pump(300);  // painted
    return window;
  }
  HWND openInstructions() const { return openWindow(1, "TForm2"); }
  HWND openAbout() const { return openWindow(2, "TLMDAboutForm"); }

  // Enter, or its OK button when Enter did not take.
  static bool closeAbout(HWND box) {
    SetForegroundWindow(box);
    Pump(200);
    PressKey(VK_RETURN);
    if (WaitFor([&] { return IsWindow(box) == FALSE; }, 3000)) return true;
    HWND ok = FindWindowExA(box, nullptr, "TButton", "OK");
    if (ok != nullptr) Click(ok);
    return WaitFor([&] { return IsWindow(box) == FALSE; }, 3000);
  }

  // Shows a tab and waits for one of its controls.
  void showTab(int index, const char* className, const char* text) const {
    app->selectTab(index);
    ASSERT_TRUE(WaitFor([&] { return app->control(className, text) != nullptr; }, kOpenTimeout))
        << "tab " << index << " did not show " << text;
    Pump(200);
  }

  // Keeps a picture of the window with the run and checks the file shows
  // something.
  static void keepPicture(HWND window, const std::string& name) {
    const std::string path = ArtefactDirectory() + name;
    DeleteFileA(path.c_str());
    const Picture taken = CaptureWindow(window);
    ASSERT_GT(taken.width, 0) << name << ": nothing captured";
    ASSERT_TRUE(WriteBitmap(taken, path)) << "cannot write " << path;
    const Picture kept = ReadBitmap(path);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(kept.width, r.right - r.left) << path;
    EXPECT_EQ(kept.height, r.bottom - r.top) << path;
    EXPECT_GT(kept.distinctColours(), 1u) << path << " is one flat colour";
  }

  std::optional<Tapfinch> app;
};

}  // namespace

TEST_F(AppearanceE2E, PicturesOfEveryWindowAreKept) {
  // It opens on the list's tab.
  ASSERT_TRUE(WaitFor([&] { return app->control("TButton", "Click the List") != nullptr; }, kOpenTimeout));
  Pump(300);
  keepPicture(app->mainWindow(), "main-multiple-click-points.bmp");
  showTab(0, "TzColorBtn", "Test click area");
  keepPicture(app->mainWindow(), "main-single-click.bmp");
  showTab(2, "TLabel", "Hot Key Options");
  keepPicture(app->mainWindow(), "main-options.bmp");

  HWND instructions = openInstructions();
  ASSERT_NE(instructions, nullptr) << "Help > Instructions showed no window";
  keepPicture(instructions, "instructions.bmp");
  PostMessageA(instructions, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(instructions) == FALSE; }, kOpenTimeout));

  HWND about = openAbout();
  ASSERT_NE(about, nullptr) << "Help > About Tapfinch showed no box";
  keepPicture(about, "about.bmp");
  EXPECT_TRUE(closeAbout(about)) << "the about box did not close";
}

TEST_F(AppearanceE2E, EveryCaptionOfTheMainWindowFitsItsControl) {
  const int dpi = WindowDpi(app->mainWindow());
  std::vector<std::string> checked;
  std::vector<CaptionMisfit> misfits;
  const struct {
    int index;
    const char* className;
    const char* text;
  } tabs[] = {{0, "TzColorBtn", "Test click area"}, {1, "TButton", "Click the List"}, {2, "TLabel", "Hot Key Options"}};
  for (const auto& tab : tabs) {
    showTab(tab.index, tab.className, tab.text);
    for (const CaptionMisfit& misfit : CaptionMisfits(app->mainWindow(), MainWindowLook, dpi, &checked)) {
      misfits.push_back(misfit);
    }
  }
  // Each tab's controls were measured.
  EXPECT_TRUE(Measured(checked, "TzColorBtn \"Test click area\""));
  EXPECT_TRUE(Measured(checked, "TRadioButton \"Right Click / Ctrl+F\""));
  EXPECT_TRUE(Measured(checked, "TCheckBox \"Click on Orig\""));
  EXPECT_TRUE(misfits.empty()) << misfits.size() << " of " << checked.size() << " captions at " << dpi
                               << " dpi do not fit:\n"
                               << Describe(misfits);
}

TEST_F(AppearanceE2E, EveryCaptionOfTheInstructionsAndTheAboutBoxFitsItsControl) {
  const int dpi = WindowDpi(app->mainWindow());
  HWND instructions = openInstructions();
  ASSERT_NE(instructions, nullptr) << "Help > Instructions showed no window";
  std::vector<std::string> checked;
  std::vector<CaptionMisfit> misfits = CaptionMisfits(instructions, MainWindowLook, dpi, &checked);
  PostMessageA(instructions, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(instructions) == FALSE; }, kOpenTimeout));

  HWND about = openAbout();
  ASSERT_NE(about, nullptr) << "Help > About Tapfinch showed no box";
  for (const CaptionMisfit& misfit : CaptionMisfits(about, AboutLook, dpi, &checked)) misfits.push_back(misfit);
  EXPECT_TRUE(Measured(checked, "Tz3DLabel \"Tapfinch by Brenmoor\""));
  EXPECT_TRUE(Measured(checked, "TButton \"OK\""));
  EXPECT_TRUE(misfits.empty()) << misfits.size() << " of " << checked.size() << " captions at " << dpi
                               << " dpi do not fit:\n"
                               << Describe(misfits);
  EXPECT_TRUE(closeAbout(about)) << "the about box did not close";
}

TEST_F(AppearanceE2E, TheMainWindowOpensCentredAtItsSizeWithItsCaption) {
  RECT r{};
  ASSERT_NE(GetWindowRect(app->mainWindow(), &r), 0);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 265);

  // Centred on the screen or on its work area; an odd half may go either way.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  auto centredOn = [&](const RECT& area) {
    const int left = area.left + (area.right - area.left - (r.right - r.left)) / 2;
    const int top = area.top + (area.bottom - area.top - (r.bottom - r.top)) / 2;
    return std::abs(r.left - left) <= 1 && std::abs(r.top - top) <= 1;
  };
  EXPECT_TRUE(centredOn(screen) || centredOn(work))
      << "at " << r.left << ", " << r.top << " on a screen of " << screen.right << " x " << screen.bottom;

  const std::string caption = TextOf(app->mainWindow());
  const std::string prefix = "Tapfinch ver 2.5 ";
  ASSERT_EQ(caption.rfind(prefix, 0), 0u) << caption;
  const std::string address = caption.substr(prefix.size());
  EXPECT_TRUE(address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0 || address.rfind("www.", 0) == 0)
      << "no web address after the version: \"" << caption << "\"";
  EXPECT_EQ(address.find(' '), std::string::npos) << caption;
}

TEST_F(AppearanceE2E, TheInstructionsWindowHasAFixedSize) {
  HWND instructions = openInstructions();
  ASSERT_NE(instructions, nullptr) << "Help > Instructions showed no window";
  RECT r{};
  GetWindowRect(instructions, &r);
  EXPECT_EQ(r.right - r.left, 450);
  EXPECT_EQ(r.bottom - r.top, 460);
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(instructions, GWL_STYLE));
  EXPECT_EQ(style & WS_THICKFRAME, 0u) << "it can be resized";
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u) << "it can be maximised";
  EXPECT_EQ(style & WS_MINIMIZEBOX, 0u) << "a minimise button that does nothing";
  PostMessageA(instructions, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(instructions) == FALSE; }, kOpenTimeout));
}

TEST_F(AppearanceE2E, TheTestButtonTurnsRedAndBackUnderClicks) {
  showTab(0, "TzColorBtn", "Test click area");
  HWND button = app->control("TzColorBtn", "Test click area");
  ASSERT_NE(button, nullptr);
  RECT client{};
  GetClientRect(button, &client);
  MapWindowPoints(button, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  // The face inside the two-pixel edge, clear of the centred caption and of
  // the focus rectangle three pixels in.
  const POINT face[] = {{client.left + width / 2, client.top + 2},
                        {client.left + width / 2, client.bottom - 3},
                        {client.left + 2, client.top + height / 2}};
  auto faceIs = [&](COLORREF colour) {
    return std::all_of(std::begin(face), std::end(face), [&](POINT at) { return ScreenPixel(at) == colour; });
  };
  auto seen = [&] {
    return Hex(ScreenPixel(face[0])) + " " + Hex(ScreenPixel(face[1])) + " " + Hex(ScreenPixel(face[2]));
  };
  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  const COLORREF red = RGB(255, 0, 0);

  EXPECT_TRUE(WaitFor([&] { return faceIs(buttonFace); }, 3000)) << "before any click: " << seen();
  ClickAt(CenterOf(button));
  EXPECT_TRUE(WaitFor([&] { return faceIs(red); }, 5000)) << "after one click: " << seen();
  // Past the double-click time: the second press of a double click is no click.
  Pump(GetDoubleClickTime() + 200);
  ClickAt(CenterOf(button));
  EXPECT_TRUE(WaitFor([&] { return faceIs(buttonFace); }, 5000)) << "after two clicks: " << seen();
}

TEST_F(AppearanceE2E, TheAcceleratorOfAColourButtonsCaptionClicksIt) {
  showTab(0, "TzColorBtn", "Test click area");
  HWND button = app->control("TzColorBtn", "Test click area");
  ASSERT_NE(button, nullptr);
  // The layout's captions have no accelerator; the dialog manager reads
  // the window's own text, so one is given there.
  SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("&Test click area"));
  RECT client{};
  GetClientRect(button, &client);
  MapWindowPoints(button, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const POINT face{(client.left + client.right) / 2, client.top + 2};
  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  const COLORREF red = RGB(255, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return ScreenPixel(face) == buttonFace; }, 3000));

  // From the row of tabs, which takes no characters.
  showTab(0, "TzColorBtn", "&Test click area");
  PressCombination({VK_MENU}, 'T');
  EXPECT_TRUE(WaitFor([&] { return ScreenPixel(face) == red; }, 3000)) << "Alt+T: " << Hex(ScreenPixel(face));
  // A click back to its face, which focuses it; a button takes no characters.
  Pump(GetDoubleClickTime() + 100);
  ClickAt(CenterOf(button));
  ASSERT_TRUE(WaitFor([&] { return ScreenPixel(face) == buttonFace; }, 3000)) << "clicked: " << Hex(ScreenPixel(face));
  PressKey('T');
  EXPECT_TRUE(WaitFor([&] { return ScreenPixel(face) == red; }, 3000)) << "T alone: " << Hex(ScreenPixel(face));
}

namespace {

// The system's scale for the programs started from now on: Wine reads it
// at each process's start. Put back to 100 % when the test ends.
class SystemScale {
 public:
  explicit SystemScale(DWORD dpi) { set(dpi); }
  ~SystemScale() { set(96); }
  SystemScale(const SystemScale&) = delete;
  SystemScale& operator=(const SystemScale&) = delete;

 private:
  static void set(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return;
    }
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
};

// At a scale: the window's size, every caption of the three tabs, the
// instructions window and the about box fitting, and their pictures kept.
class ScaledAppearanceE2E : public AppearanceE2E {
 protected:
  void SetUp() override {}  // the scale first, then the program

  void checkAt(int dpi, const std::string& suffix) {
    const SystemScale scale(static_cast<DWORD>(dpi));
    AppearanceE2E::SetUp();
    if (HasFatalFailure()) return;

    RECT r{};
    ASSERT_NE(GetWindowRect(app->mainWindow(), &r), 0);
    EXPECT_EQ(r.right - r.left, (600 * dpi + 48) / 96) << "width at " << dpi << " dpi";
    EXPECT_EQ(r.bottom - r.top, (265 * dpi + 48) / 96) << "height at " << dpi << " dpi";

    std::vector<std::string> checked;
    std::vector<CaptionMisfit> misfits;
    const struct {
      int index;
      const char* className;
      const char* text;
      const char* picture;
    } tabs[] = {{0, "TzColorBtn", "Test click area", "main-single-click"},
                {1, "TButton", "Click the List", "main-multiple-click-points"},
                {2, "TLabel", "Hot Key Options", "main-options"}};
    for (const auto& tab : tabs) {
      showTab(tab.index, tab.className, tab.text);
      keepPicture(app->mainWindow(), std::string(tab.picture) + suffix + ".bmp");
      for (const CaptionMisfit& misfit : CaptionMisfits(app->mainWindow(), MainWindowLook, dpi, &checked)) {
        misfits.push_back(misfit);
      }
    }
    HWND instructions = openInstructions();
    ASSERT_NE(instructions, nullptr) << "Help > Instructions showed no window";
    keepPicture(instructions, "instructions" + suffix + ".bmp");
    RECT i{};
    GetWindowRect(instructions, &i);
    EXPECT_EQ(i.right - i.left, (450 * dpi + 48) / 96);
    PostMessageA(instructions, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(instructions) == FALSE; }, kOpenTimeout));

    HWND about = openAbout();
    ASSERT_NE(about, nullptr) << "Help > About Tapfinch showed no box";
    keepPicture(about, "about" + suffix + ".bmp");
    for (const CaptionMisfit& misfit : CaptionMisfits(about, AboutLook, dpi, &checked)) misfits.push_back(misfit);
    EXPECT_TRUE(closeAbout(about)) << "the about box did not close";

    EXPECT_TRUE(Measured(checked, "TCheckBox \"Click Wherever The Mouse Is\""));
    EXPECT_TRUE(Measured(checked, "TButton \"OK\""));
    EXPECT_TRUE(misfits.empty()) << misfits.size() << " of " << checked.size() << " captions at " << dpi
                                 << " dpi do not fit:\n"
                                 << Describe(misfits);
  }
};

}  // namespace

TEST_F(ScaledAppearanceE2E, AtOneHundredFiftyPercentEverythingIsScaledAndEveryCaptionFits) { checkAt(144, "-150"); }

TEST_F(ScaledAppearanceE2E, AtTwoHundredPercentEverythingIsScaledAndEveryCaptionFits) { checkAt(192, "-200"); }
