// One copy at a time, and system-wide hotkeys, on the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

constexpr DWORD kSecondCopyTimeout = 20000;

HWND ApplicationWindowOf(const Tapfinch& app) {
  const auto windows = WindowsOf(app.processId(), "TApplication");
  return windows.empty() ? nullptr : windows.front();
}

constexpr std::uint32_t kClearPixel = 0xFF000000;  // outside any 0x00RRGGBB colour

// A 32 x 32 icon of the module, top row first, one 0x00RRGGBB colour a
// pixel or kClearPixel where the mask lets the background through; empty
// when the module has no such icon.
std::vector<std::uint32_t> IconPixels(HMODULE module, int id) {
  constexpr int kSide = 32;
  auto* icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, kSide, kSide, 0));
  if (icon == nullptr) return {};
  ICONINFO info{};
  std::vector<std::uint32_t> colours(kSide * kSide);
  std::vector<std::uint32_t> mask(kSide * kSide);
  bool read = false;
  if (GetIconInfo(icon, &info) != FALSE) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = kSide;
    format.bmiHeader.biHeight = -kSide;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    read = info.hbmColor != nullptr &&
           GetDIBits(screen, info.hbmColor, 0, kSide, colours.data(), &format, DIB_RGB_COLORS) == kSide &&
           GetDIBits(screen, info.hbmMask, 0, kSide, mask.data(), &format, DIB_RGB_COLORS) == kSide;
    ReleaseDC(nullptr, screen);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
  if (!read) return {};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = (mask[i] & 0xFFFFFF) != 0 ? kClearPixel : colours[i] & 0xFFFFFF;
  }
  return colours;
}

}  // namespace

TEST(SingleInstanceE2E, ASecondCopyRestoresAMinimisedFirst) {
  Tapfinch first;
  ASSERT_TRUE(first.started());
  HWND application = ApplicationWindowOf(first);
  ASSERT_NE(application, nullptr);
  char title[64] = {};
  GetWindowTextA(application, title, sizeof title);
  EXPECT_STREQ(title, "Tapfinch by BRENMOOR");

  PostMessageA(first.mainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(
      WaitFor([&] { return IsIconic(application) != FALSE && IsWindowVisible(first.mainWindow()) == FALSE; }, 5000))
      << "minimising the main window minimises the program";

  bool showed = true;
  EXPECT_EQ(RunToExit(TapfinchPath(), kSecondCopyTimeout, &showed), 0u);
  EXPECT_FALSE(showed) << "the second copy showed a window";
  EXPECT_TRUE(
      WaitFor([&] { return IsIconic(application) == FALSE && IsWindowVisible(first.mainWindow()) != FALSE; }, 5000))
      << "the first copy was not restored";
  EXPECT_EQ(first.close(), 0u);
}

TEST(SingleInstanceE2E, ASecondCopyRaisesAFirstHiddenBehindAnotherWindow) {
  Tapfinch first;
  ASSERT_TRUE(first.started());
  Window cover(0, 0, 1280, 1000);
  ASSERT_TRUE(cover.activate());
  ASSERT_TRUE(WaitFor([&] { return IsAbove(cover.window(), first.mainWindow()); }, 3000));

  EXPECT_EQ(RunToExit(TapfinchPath(), kSecondCopyTimeout), 0u);
  EXPECT_TRUE(WaitFor([&] { return IsAbove(first.mainWindow(), cover.window()); }, 5000))
      << "the first copy stayed behind the other window";
  EXPECT_EQ(first.close(), 0u);
}

TEST(SingleInstanceE2E, ACopyUnderAnotherFileNameRunsBesideTheFirst) {
  const std::string other = ExeDirectory() + "\\tapfinch-other.exe";
  ASSERT_NE(CopyFileA(TapfinchPath().c_str(), other.c_str(), FALSE), 0);
  {
    Tapfinch first;
    ASSERT_TRUE(first.started());
    Tapfinch second(other);
    EXPECT_TRUE(second.started()) << "the copy under another name did not show its window";
    EXPECT_NE(IsWindowVisible(first.mainWindow()), FALSE);
    EXPECT_EQ(second.close(), 0u);
    EXPECT_EQ(first.close(), 0u);
  }
  DeleteFileA(other.c_str());
}

// Each hidden window costs Wine milliseconds of the start: the timers and
// the hotkeys that wait for a run or a capture make theirs when first used.
TEST(StartUpE2E, AtStartOnlyTheStartAndStopHotkeysHaveWindowsOfTheirOwnAndARunMakesItsTimers) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  EXPECT_TRUE(WaitFor([&] { return !WindowsOf(app.processId(), "TForm2").empty(); }, 5000))
      << "the instructions window comes after the main window";
  EXPECT_EQ(WindowsOf(app.processId(), "TPUtilWindow").size(), 2u);
  app.selectTab(0);
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  ASSERT_TRUE(app.clickUntil(start, [&] { return IsWindowEnabled(stop) != FALSE; }));
  ASSERT_TRUE(app.clickUntil(stop, [&] { return IsWindowEnabled(stop) == FALSE; }));
  EXPECT_GT(WindowsOf(app.processId(), "TPUtilWindow").size(), 2u) << "the run's timer has one";
  EXPECT_EQ(app.close(), 0u);
}

TEST(HotkeysE2E, StartAndStopHotkeysWorkWhileAnotherWindowHasTheFocus) {
  Window driver(100, 100, 300, 200);
  {
    Tapfinch app;
    ASSERT_TRUE(app.started());
    app.selectTab(0);
    HWND stop = app.control("TzColorBtn", "STOP");
    ASSERT_NE(stop, nullptr);
    // The program holds both combinations: nobody else can have them.
    EXPECT_EQ(RegisterHotKey(driver.window(), 1, MOD_CONTROL, VK_F9), 0);
    EXPECT_EQ(RegisterHotKey(driver.window(), 2, MOD_CONTROL, VK_F10), 0);

    ASSERT_TRUE(driver.activate());
    PressCombination({VK_CONTROL}, VK_F9);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) != FALSE; }, 5000)) << "Ctrl+F9 did not start the run";
    EXPECT_EQ(GetForegroundWindow(), driver.window()) << "the focus stays where it was";
    for (WPARAM key : driver.keys()) EXPECT_NE(key, static_cast<WPARAM>(VK_F9)) << "the hotkey reached the window";

    PressCombination({VK_CONTROL}, VK_F10);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(stop) == FALSE; }, 5000)) << "Ctrl+F10 did not stop the run";
    EXPECT_EQ(app.close(), 0u);
  }
  // Once the program has ended, the combinations are free.
  EXPECT_NE(RegisterHotKey(driver.window(), 1, MOD_CONTROL, VK_F9), 0);
  EXPECT_NE(RegisterHotKey(driver.window(), 2, MOD_CONTROL, VK_F10), 0);
  UnregisterHotKey(driver.window(), 1);
  UnregisterHotKey(driver.window(), 2);
}

TEST(ExecutableE2E, CarriesItsVersionResource) {
  const std::string path = TapfinchPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> block(size);
  ASSERT_NE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()), 0);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_NE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length), 0);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 5);
  auto text = [&](const char* name) {
    char* value = nullptr;
    UINT chars = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) == 0) return std::string();
    return std::string(value);
  };
  EXPECT_EQ(text("ProductName"), "Tapfinch");
  EXPECT_EQ(text("ProductVersion"), "2.5");
  EXPECT_FALSE(text("FileDescription").empty());
}

TEST(ExecutableE2E, DeclaresPerMonitorDpiAwarenessAndTheRunningProgramHasIt) {
  // The manifest in the exe: per-monitor (version 2) and the Windows versions.
  const std::string path = TapfinchPath();
  HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no manifest";
  HGLOBAL loaded = LoadResource(exe, found);
  const auto* bytes = static_cast<const char*>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(exe, found));
  FreeLibrary(exe);
  EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2"),
            std::string::npos);
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos) << "Windows 10 and 11";

  // Read back from the running program's window.
  using WindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
  using AwarenessOf = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto windowContext =
      reinterpret_cast<WindowContext>(reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  const auto awarenessOf = reinterpret_cast<AwarenessOf>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_NE(windowContext, nullptr);
  ASSERT_NE(awarenessOf, nullptr);
  DeleteSettings();
  Tapfinch app;
  ASSERT_TRUE(app.started());
  EXPECT_EQ(awarenessOf(windowContext(app.mainWindow())), DPI_AWARENESS_PER_MONITOR_AWARE);
  EXPECT_EQ(app.close(), 0u);
}

TEST(ExecutableE2E, CarriesItsIconAndTheApplicationsVariant) {
  // The title bar showing it was seen on a screenshot; another process
  // cannot ask a window of ours for its icon under Wine.
  HMODULE exe = LoadLibraryExA(TapfinchPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr) << "no icon group";
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(14)), nullptr) << "no application icon group";
  const std::vector<std::uint32_t> forms = IconPixels(exe, 1);
  const std::vector<std::uint32_t> application = IconPixels(exe, 2);
  FreeLibrary(exe);
  ASSERT_EQ(forms.size(), 32u * 32u) << "no 32 x 32 icon";
  ASSERT_EQ(application.size(), 32u * 32u) << "no 32 x 32 application icon";
  const auto opaque = [](const std::vector<std::uint32_t>& pixels) {
    return std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != kClearPixel; });
  };
  EXPECT_GT(opaque(forms), 200) << "a picture, not a blank";
  std::size_t differing = 0;
  for (std::size_t i = 0; i < forms.size(); ++i) differing += forms[i] != application[i] ? 1 : 0;
  EXPECT_GT(differing, 0u) << "the variant is the same picture";
  EXPECT_LT(differing, 64u) << "the variant is another picture, not a near-identical one";
}

// Opens Help > About the user's way: Help is the third menu, About its
// second item (another process cannot read our menu). Null when no box
// showed.
HWND OpenAbout(const Tapfinch& app) {
  RECT r{};
  GetWindowRect(app.mainWindow(), &r);
  const int menuY =
      r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
  ClickAt({r.left + 100, menuY});
  PressKey(VK_DOWN, 2);
  PressKey(VK_RETURN);
  HWND box = nullptr;
  WaitFor(
      [&] {
        for (HWND w : WindowsOf(app.processId(), "TLMDAboutForm")) {
          if (IsWindowVisible(w) != FALSE) box = w;
        }
        return box != nullptr;
      },
      5000);
  return box;
}

TEST(AboutE2E, TheAboutBoxIsModalAndEnterClosesIt) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND box = OpenAbout(app);
  ASSERT_NE(box, nullptr) << "no about box";
  EXPECT_EQ(TextOf(box), "About Tapfinch");
  EXPECT_FALSE(IsWindowEnabled(app.mainWindow())) << "the main window takes no input meanwhile";
  // A dialog: a fixed frame, the close button alone, as wide as laid out.
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(box, GWL_STYLE));
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u) << "a minimise, maximise or sizing frame";
  EXPECT_NE(style & WS_SYSMENU, 0u) << "no close button";
  EXPECT_NE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0) << "not a dialog frame";
  RECT outer{};
  GetWindowRect(box, &outer);
  if (WindowDpi(box) == 96) {
    EXPECT_EQ(outer.right - outer.left, 440);
  }
  SetForegroundWindow(box);
  Pump(200);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindow(box) == FALSE; }, 3000)) << "Enter did not close it";
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(app.mainWindow()) != FALSE; }, 2000));
  EXPECT_EQ(app.close(), 0u);
}

TEST(AboutE2E, ThePictureIsTheApplicationsIcon) {
  HMODULE exe = LoadLibraryExA(TapfinchPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const std::vector<std::uint32_t> forms = IconPixels(exe, 1);
  const std::vector<std::uint32_t> application = IconPixels(exe, 2);
  FreeLibrary(exe);
  ASSERT_EQ(forms.size(), application.size());
  ASSERT_FALSE(forms.empty());

  Tapfinch app;
  ASSERT_TRUE(app.started());
  HWND box = OpenAbout(app);
  ASSERT_NE(box, nullptr) << "no about box";
  HWND picture = FindWindowExA(box, nullptr, "TImage", nullptr);
  ASSERT_NE(picture, nullptr);
  Pump(300);
  // The icon fills the picture but for its frame and drop shadow: from 1
  // to 66 of 72 units a side. Where the two icons differ, the screen must
  // show the application's, read at the middle of each stretched pixel.
  RECT client{};
  GetClientRect(picture, &client);
  const auto at = [](int unit, int size) { return unit * size / 72; };
  const int left = at(1, client.right);
  const int top = at(1, client.bottom);
  const int width = at(66, client.right) - left;
  const int height = at(66, client.bottom) - top;
  HDC screen = GetDC(nullptr);
  int compared = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * 32 + x);
      if (forms[i] == application[i]) continue;
      POINT p{left + (2 * x + 1) * width / 64, top + (2 * y + 1) * height / 64};
      ClientToScreen(picture, &p);
      const COLORREF shown = GetPixel(screen, p.x, p.y);
      const std::uint32_t rgb = (GetRValue(shown) << 16) | (GetGValue(shown) << 8) | GetBValue(shown);
      SCOPED_TRACE(testing::Message() << "icon pixel " << x << ", " << y);
      if (application[i] == kClearPixel) {
        EXPECT_NE(rgb, forms[i]) << "the forms' icon is drawn";
      } else {
        EXPECT_EQ(rgb, application[i]);
      }
      ++compared;
    }
  }
  ReleaseDC(nullptr, screen);
  EXPECT_GT(compared, 0);
  SetForegroundWindow(box);
  Pump(200);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindow(box) == FALSE; }, 3000));
  EXPECT_EQ(app.close(), 0u);
}
