// Runs at 10 ms while every core is busy with loops of the driver's own:
// a single fixed point and a short list. Speed is not judged here (the
// benchmark measures it); what must hold on a loaded machine is that every
// click lands on its point, that the cursor goes back to where the user
// left it after each tick, that no button is left down, and that nothing
// clicks once the program has shown that it stopped.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/busy_load.h"
#include "tests/e2e/driver.h"

using namespace e2e;

namespace {

// Waits are long: the program, Wine and X share the cores with the loops.
constexpr DWORD kPatience = 15000;
// A click stamped later than this after the stop was seen is a click too
// many. The last tick's clicks are stamped before the stop is handled, and
// so before it can be seen; the margin is for the clock's whole
// milliseconds.
constexpr LONG kStopMargin = 10;

// Windows of the driver's that log the mouse messages they get, in the
// order they get them, each stamped with the time of its input
// (GetMessageTime): a loaded driver may handle a message late, but its
// stamp tells when the click happened.
class Recorder {
 public:
  struct Event {
    HWND window;
    UINT message;
    POINT at;       // screen coordinates
    DWORD time;     // when the input happened
    DWORD handled;  // when the driver got to it
  };

  ~Recorder() {
    for (HWND window : windows_) DestroyWindow(window);
  }

  HWND add(int x, int y, int width, int height) {
    static const bool registered = [] {
      WNDCLASSA info{};
      info.lpfnWndProc = &Recorder::Procedure;
      info.hInstance = GetModuleHandleA(nullptr);
      info.lpszClassName = "TapfinchDriverRecorder";
      info.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
      info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      return RegisterClassA(&info) != 0;
    }();
    if (!registered) return nullptr;
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "TapfinchDriverRecorder", "Recorder",
                                  WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
    if (window != nullptr) windows_.push_back(window);
    Pump(100);
    return window;
  }

  [[nodiscard]] const std::vector<Event>& events() const noexcept { return events_; }
  void clear() noexcept { events_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Recorder*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        if (self != nullptr) {
          POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
          ClientToScreen(window, &at);
          self->events_.push_back({window, message, at, static_cast<DWORD>(GetMessageTime()), GetTickCount()});
        }
        return 0;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // clicks must not take the focus from the program
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }

  std::vector<HWND> windows_;
  std::vector<Event> events_;
};

bool IsButton(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
}

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// Milliseconds from b to a on the wrapping tick clock.
LONG Since(DWORD a, DWORD b) { return static_cast<LONG>(a - b); }

std::string Describe(POINT p) { return std::to_string(p.x) + ", " + std::to_string(p.y); }

class LoadE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started()) << "tapfinch.exe did not show its window";
    target = recorder.add(1000, 780, 200, 150);
    home = recorder.add(1000, 560, 160, 100);  // where the user leaves the mouse
    ASSERT_NE(target, nullptr);
    ASSERT_NE(home, nullptr);
    load = std::make_unique<BusyLoad>();
    ASSERT_GE(load->threads(), 2u);
    loadSince = NowMilliseconds();
  }

  void TearDown() override {
    // The premise: the loops really had the processors, at least one core's
    // worth for half the time whatever else runs on the machine.
    const double seconds = (NowMilliseconds() - loadSince) / 1000.0;
    const double busy = load->processorMilliseconds();
    std::printf("busy loops: %zu threads, %.0f ms of processor time in %.1f s\n", load->threads(), busy, seconds);
    load.reset();
    EXPECT_GE(busy, seconds * 500.0) << "the busy loops had " << busy << " ms in " << seconds << " s";
    EXPECT_EQ(app.close(), 0u) << "exit code";
  }

  // Steps the tab's interval from the default 5 s down to 1/100 s.
  void setHundredth() {
    const auto fields = app.controls("TzcFloatSpinEdit");
    ASSERT_EQ(fields.size(), 5u);
    app.stepField(fields[2], VK_DOWN, 5);
    app.stepField(fields[4], VK_UP, 1);
    ASSERT_TRUE(WaitFor([&] { return TextOf(fields[2]) == "0" && TextOf(fields[4]) == "1"; }, kPatience))
        << "seconds " << TextOf(fields[2]) << ", hundredths " << TextOf(fields[4]);
  }

  // Until the tab's position labels show the cursor at `point`: a
  // tracking tick has seen it there.
  void awaitTracked(POINT point) {
    const std::string x = std::to_string(point.x);
    const std::string y = std::to_string(point.y);
    ASSERT_TRUE(
        WaitFor([&] { return app.control("TLabel", x.c_str()) && app.control("TLabel", y.c_str()); }, kPatience))
        << "no tracking shows " << Describe(point);
  }

  // The program's clicks: button messages on the driver's windows.
  [[nodiscard]] std::vector<Recorder::Event> clicks() const {
    std::vector<Recorder::Event> found;
    for (const auto& e : recorder.events()) {
      if (IsButton(e.message)) found.push_back(e);
    }
    return found;
  }

  // Shared by both runs: stamps that make sense, an up after every down,
  // the button let go, and no click stamped after the stop was seen.
  void expectCleanStop(DWORD runFrom, DWORD stopSeen) {
    const auto all = clicks();
    for (const auto& c : all) {
      // Stamps on the same clock as GetTickCount, or the checks below
      // would compare nothing.
      ASSERT_GE(Since(c.time, runFrom), -5) << "a click stamped before the run";
      ASSERT_LE(Since(c.time, c.handled), 5) << "a click stamped after the driver saw it";
    }
    ASSERT_FALSE(all.empty());
    // Down, up, down, up: each down has its up, at the same place.
    std::size_t parted = all.size();
    for (std::size_t i = 0; i < all.size() && parted == all.size(); ++i) {
      const UINT expected = i % 2 == 0 ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      if (all[i].message != expected || (i % 2 == 1 && !Same(all[i].at, all[i - 1].at))) parted = i;
    }
    EXPECT_EQ(parted, all.size()) << "downs and ups part at button message " << parted << " of " << all.size();
    EXPECT_EQ(all.back().message, static_cast<UINT>(WM_LBUTTONUP)) << "the last down has no up";
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0) << "the left button is still down";
    std::size_t late = 0;
    for (const auto& c : all) {
      if (Since(c.time, stopSeen) > kStopMargin) ++late;
    }
    EXPECT_EQ(late, 0u) << "clicks after the stop was seen (" << all.size() << " in all)";
  }

  Tapfinch app;
  Recorder recorder;
  HWND target = nullptr;
  HWND home = nullptr;
  std::unique_ptr<BusyLoad> load;
  double loadSince = 0;
};

}  // namespace

TEST_F(LoadE2E, FixedPointRunKeepsItsPointAndTheUsersCursorAndStopsClean) {
  app.selectTab(0);
  HWND start = app.control("TzColorBtn", "START");
  HWND stop = app.control("TzColorBtn", "STOP");
  HWND atMouse = app.control("TCheckBox", "Click Wherever The Mouse Is");
  HWND track = app.control("TButton", "Start");
  ASSERT_NE(start, nullptr);
  ASSERT_NE(stop, nullptr);
  ASSERT_NE(atMouse, nullptr);
  ASSERT_NE(track, nullptr);
  Click(atMouse);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(atMouse, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, kPatience));

  // Lock the target's centre with the space bar while tracking.
  const POINT point = CenterOf(target);
  Click(track);
  MoveCursor(point);
  awaitTracked(point);
  ASSERT_EQ(app.lockWithSpace(point, kPatience), PointText(point)) << "the point fields";
  Click(app.control("TButton", "Stop"));
  setHundredth();

  // The user's mouse rests on the other window; Ctrl+F9 starts the run
  // and Ctrl+F10 stops it without moving it.
  const POINT rest = CenterOf(home);
  MoveCursor(rest);
  Pump(200);
  recorder.clear();
  const DWORD runFrom = GetTickCount();
  CtrlKey(VK_F9);
  ASSERT_TRUE(Poll([&] { return IsWindowEnabled(stop) != FALSE; }, kPatience)) << "Ctrl+F9 did not start the run";

  // Between ticks the cursor is where the user left it; read in the middle
  // of a tick it may be on the point (on a loaded machine often: a tick
  // can wait for a processor between its moves), never anywhere else.
  std::size_t atRest = 0;
  std::size_t atPoint = 0;
  std::vector<POINT> strays;
  const double until = NowMilliseconds() + 3000;
  while (NowMilliseconds() < until) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (Same(cursor, rest)) {
      ++atRest;
    } else if (Same(cursor, point)) {
      ++atPoint;
    } else {
      strays.push_back(cursor);
    }
    Sleep(2);
  }

  // Seen once STOP has turned off (disabled, and red, when no run goes on).
  CtrlKey(VK_F10);
  DWORD stopSeen = 0;
  ASSERT_TRUE(Poll(
      [&] {
        if (IsWindowEnabled(stop) != FALSE) return false;
        stopSeen = GetTickCount();
        return true;
      },
      kPatience))
      << "Ctrl+F10 did not stop the run";
  POINT left{};
  GetCursorPos(&left);
  Pump(1500);  // the clicks waiting in the queue, and anything late

  EXPECT_TRUE(strays.empty()) << strays.size() << " readings away from both, the first at " << Describe(strays.front());
  // Each tick finds the cursor where the user left it and puts it back
  // there: one tick that left it on the point would have it stay there for
  // good, as the next tick would find it there.
  EXPECT_TRUE(Same(left, rest)) << "the run left the cursor at " << Describe(left);
  const auto all = clicks();
  ASSERT_GE(all.size(), 10u) << "the run hardly clicked";
  std::size_t misplaced = 0;
  for (const auto& c : all) {
    if (c.window != target || !Same(c.at, point)) {
      if (misplaced++ == 0) ADD_FAILURE() << "a click at " << Describe(c.at) << ", not " << Describe(point);
    }
  }
  EXPECT_EQ(misplaced, 0u) << "button messages away from the point, of " << all.size();
  expectCleanStop(runFrom, stopSeen);

  std::printf("single point: %zu clicks; the cursor read %zu times where the user left it, %zu times on the point\n",
              all.size() / 2, atRest, atPoint);
}

TEST_F(LoadE2E, ListRunClicksEachPointInTurnAndStopsCleanOnTheHotkey) {
  HWND list = app.control("TListBox");
  HWND capture = app.control("TButton", "Start");
  HWND run = app.control("TButton", "Click the List");
  HWND add = app.control("TButton", "Add to List");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(capture, nullptr);
  ASSERT_NE(run, nullptr);
  ASSERT_NE(add, nullptr);
  setHundredth();

  Click(capture);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; }, kPatience)) << "capture did not start";
  const POINT c = CenterOf(target);
  const std::vector<POINT> points = {
      {c.x - 70, c.y - 40}, {c.x + 60, c.y - 30}, {c.x + 50, c.y + 45}, {c.x - 60, c.y + 35}};
  for (std::size_t i = 0; i < points.size(); ++i) {
    MoveCursor(points[i]);
    awaitTracked(points[i]);
    PressCombination({VK_CONTROL}, 'A');  // a Click entry at the cursor
    ASSERT_TRUE(WaitFor([&] { return ListCount(list) == static_cast<int>(i + 1); }, kPatience)) << "entry " << i;
    EXPECT_EQ(ListText(list, static_cast<int>(i)), Describe(points[i]) + ", 1, 0.01");
  }
  Click(app.control("TButton", "Stop"));

  // Ctrl+F9 presses Click the List; Ctrl+F10 stops the list, seen once
  // the button says Click the List again.
  MoveCursor(CenterOf(home));
  Pump(200);
  recorder.clear();
  const DWORD runFrom = GetTickCount();
  CtrlKey(VK_F9);
  ASSERT_TRUE(Poll([&] { return TextOf(run) != "Click the List"; }, kPatience)) << "Ctrl+F9 did not start the list";
  Sleep(3000);
  CtrlKey(VK_F10);
  DWORD stopSeen = 0;
  ASSERT_TRUE(Poll(
      [&] {
        if (TextOf(run) != "Click the List") return false;
        stopSeen = GetTickCount();
        return true;
      },
      kPatience))
      << "Ctrl+F10 did not stop the list: " << TextOf(run);
  Pump(1500);

  const auto all = clicks();
  ASSERT_GE(all.size(), 16u) << "the run hardly clicked";
  // In the list's order from its top, round and round.
  std::size_t misplaced = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const POINT expected = points[(i / 2) % points.size()];
    if (all[i].window != target || !Same(all[i].at, expected)) {
      if (misplaced++ == 0) {
        ADD_FAILURE() << "button message " << i << " at " << Describe(all[i].at) << ", not " << Describe(expected);
      }
    }
  }
  EXPECT_EQ(misplaced, 0u) << "button messages away from their entry's point, of " << all.size();
  expectCleanStop(runFrom, stopSeen);
  std::printf("list: %zu clicks over %zu points\n", all.size() / 2, points.size());
}
