// The click session on its own: the rules of a run's life that the window
// only shows. Its two run timers are the program's own framework timers on
// the fake clock; its events are recorded as the window would show them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/click_session.h"
#include "framework/exceptions.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/timer_host.h"

using platform::MouseAction;
using platform::Point;
using testing_support::HostedTicker;
using testing_support::TimerHost;

namespace {

// What the window would show, and in which order it was told.
struct Shown final : SessionEvents {
  std::vector<std::string> told;
  bool singleRunning = false;
  bool listStarted = false;
  bool listPaused = false;
  std::vector<std::int64_t> counts;
  std::vector<std::string> rows;
  int highlighted = -1;
  HotkeyArming arming;
  std::vector<std::string> informed;
  bool capturing = false;
  bool tracking = false;

  void SingleRunChanged(bool running) override {
    singleRunning = running;
    told.push_back(running ? "single on" : "single off");
  }
  void ListRunChanged(bool started, bool paused) override {
    listStarted = started;
    listPaused = paused;
    told.push_back("list");
  }
  void CountChanged(std::int64_t count) override { counts.push_back(count); }
  void RowHighlighted(int /*leaving*/, int current) override { highlighted = current; }
  void RowAdded(const std::string& row) override { rows.push_back(row); }
  void RowRemoved(int row) override { rows.erase(rows.begin() + row); }
  void RowsReplaced(const std::vector<std::string>& replaced) override { rows = replaced; }
  void HotkeysArmed(const HotkeyArming& armed) override {
    arming = armed;
    told.push_back("hotkeys");
  }
  void PointModeChanged(bool /*atMouse*/) override { told.push_back("mode"); }
  void PointTrackingChanged(bool on, bool /*pointSet*/) override {
    tracking = on;
    told.push_back(on ? "tracking on" : "tracking off");
  }
  void CaptureChanged(bool on) override {
    capturing = on;
    told.push_back(on ? "capture on" : "capture off");
  }
  void Inform(const std::string& text) override { informed.push_back(text); }
};

class Session : public ::testing::Test {
 protected:
  Session() {
    single.onTick = [this] { session.SingleTick(); };
    list.onTick = [this] { session.ListTick(); };
  }

  // Entries at (x, x) of a kind and a delay, added as Add to List adds them.
  void add(int x, int option, double delay) {
    session.SetCaptureOption(option);
    ASSERT_TRUE(session.Add(std::to_string(x), std::to_string(x), delay, '.'));
  }
  std::vector<MouseAction> actions() const {
    std::vector<MouseAction> seen;
    for (const auto& e : fake.mouseEvents()) seen.push_back(e.action);
    return seen;
  }

  platform::fake::FakePlatform fake;
  TimerHost host{fake};
  HostedTicker single{host, 5000};
  HostedTicker list{host, 5000};
  Shown shown;
  ClickSession session{SessionSystem{fake.input(), fake.process(), fake.files(), fake.timers()}, single.ticker(),
                       list.ticker(), shown};
};

}  // namespace

TEST_F(Session, TheStopHotkeyIsHeldUntilTheFirstRunStopsThenWhileARunGoesAndCaptureArmsItsFive) {
  add(1, 1, 5);
  const struct {
    const char* what;
    std::function<void()> act;
    bool stop;
    bool capture;
  } steps[] = {
      {"capture on", [&] { session.StartCapture(); }, true, true},
      {"capture off", [&] { session.StopCapture(); }, true, false},
      {"single started", [&] { session.StartSingle("0", "0"); }, true, false},
      {"single stopped", [&] { session.StopSingle(); }, false, false},
      {"list started", [&] { session.ToggleListRun(5000); }, true, false},
      {"list paused", [&] { session.TogglePause(5000); }, true, false},
      {"a paused list stopped keeps it", [&] { session.ToggleListRun(5000); }, true, false},
      {"resumed: a run again", [&] { session.TogglePause(5000); }, true, false},
      {"stop hotkey", [&] { session.StopHotkey(); }, false, false},
      {"shutdown", [&] { session.Shutdown(); }, false, false},
  };
  EXPECT_TRUE(session.Arming().stop) << "held from start-up, as the layout holds it";
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(shown.arming.stop, step.stop) << step.what;
    EXPECT_EQ(shown.arming.capture, step.capture) << step.what;
    EXPECT_EQ(shown.arming.start, std::string(step.what) != "shutdown") << step.what;
  }
}

TEST_F(Session, TheCountIsAtMostATenthOfASecondOldWhileARunGoesAndExactWhenItEnds) {
  for (const std::uint32_t interval : {10u, 50u}) {
    SCOPED_TRACE(interval);
    shown.counts.clear();
    session.SetSingleInterval(interval);
    session.StartSingle("0", "0");
    EXPECT_EQ(shown.counts, std::vector<std::int64_t>{0}) << "shown at the start";
    for (int tick = 1; tick <= 200; ++tick) {
      fake.advance(interval);
      ASSERT_GE(shown.counts.back() + static_cast<std::int64_t>(ClickSession::kCountAgeMs / interval), tick);
    }
    // Ten a second at 10 ms, and at 50 ms every second click: never older
    // than a tenth of a second, never more often than needed for that.
    EXPECT_LE(shown.counts.size(), interval == 10 ? 22u : 102u);
    EXPECT_GE(shown.counts.size(), interval == 10 ? 19u : 100u);
    fake.advance(interval * 3);
    session.StopSingle();
    EXPECT_EQ(shown.counts.back(), 203) << "exact once stopped";
  }
  // A limit is shown as it is met, and ends the run.
  session.SetClickLimit(7);
  session.SetSingleInterval(10);
  session.StartSingle("0", "0");
  fake.advance(1000);
  EXPECT_FALSE(session.SingleRunning());
  EXPECT_EQ(shown.counts.back(), 7);
  EXPECT_EQ(fake.mouseEvents().size(), 203u * 2 * 2 + 7 * 2);
}

TEST_F(Session, StartReadsThePointOnlyWhereItClicksAndARefusalChangesNothing) {
  session.SetClickAtMouse(false);
  session.StartSingle("5", "5");
  EXPECT_EQ(shown.informed, std::vector<std::string>{"No Click Point Specified."}) << "no point locked";
  EXPECT_FALSE(session.SingleRunning());

  session.LockPoint("5", "5");
  shown.told.clear();
  EXPECT_THROW(session.StartSingle("12a", "5"), EConvertError);
  EXPECT_TRUE(shown.told.empty()) << "refused before anything changed";
  EXPECT_FALSE(session.SingleRunning());
  session.StartSingle(" 12", "5");
  EXPECT_EQ(session.ClickPoint(), (Point{12, 5})) << "a leading blank reads";
  session.StopSingle();
  EXPECT_THROW(session.StartSingle("x5", "5"), EConvertError);
  EXPECT_FALSE(shown.arming.stop) << "free after a stop, and a refused start keeps it so";

  // Clicking at the mouse, the fields are hidden and unused.
  session.SetClickAtMouse(true);
  session.StartSingle("x5", "");
  EXPECT_TRUE(session.SingleRunning());
  EXPECT_EQ(session.ClickPoint(), (Point{12, 5})) << "the last point stays";
}

TEST_F(Session, AnEntryIsAddedFromItsTextsAsTypedOrNotAtAll) {
  session.SetCaptureOption(2);
  ASSERT_TRUE(session.Add(" 12", "-3", 1.25, ','));
  EXPECT_EQ(shown.rows, std::vector<std::string>{" 12, -3, 2, 1,25"}) << "the texts as typed, the system's comma";
  EXPECT_EQ(session.List().At(1), (ClickEntry{12, -3, 2, 1.25}));
  EXPECT_THROW(session.Add("", "1", 1, '.'), EConvertError);
  EXPECT_THROW(session.Add("1", "1", 3e9, '.'), Exception) << "a delay the timer cannot wait";
  EXPECT_EQ(session.List().Count(), 1);
  for (int i = 1; i < kClickListCapacity; ++i) ASSERT_TRUE(session.Add("1", "1", 1, '.'));
  EXPECT_FALSE(session.Add("1", "1", 1, '.'));
  EXPECT_EQ(shown.informed, std::vector<std::string>{kFullListMessage});
  EXPECT_EQ(shown.rows.size(), 100u);

  // Delete's row is checked against the list itself.
  session.Remove(100);
  session.Remove(-1);
  EXPECT_EQ(session.List().Count(), 100);
  session.Remove(0);
  EXPECT_EQ(session.List().Count(), 99);
  EXPECT_EQ(shown.rows, session.Rows());
  session.Clear();
  EXPECT_TRUE(shown.rows.empty());
}

TEST_F(Session, ALoadReplacesTheWholeListOrNothingAndANewListWaitsTheFieldsInterval) {
  const auto folder = std::filesystem::temp_directory_path() / "tapfinch-session-load";
  std::filesystem::create_directories(folder);
  const std::string good = (folder / "good.txt").string();
  const std::string bad = (folder / "bad.txt").string();
  std::ofstream(good, std::ios::binary) << "1, 1, 1, 3600\r\n2, 2, 1, 3600\r\n";
  std::ofstream(bad, std::ios::binary) << "1, 1, 1, 1\r\nabc\r\n";
  add(9, 1, 1);
  EXPECT_THROW(session.Load(bad, '.'), EConvertError);
  EXPECT_EQ(shown.rows, std::vector<std::string>{"9, 9, 1, 1"}) << "a bad file changes nothing";
  session.Load(good, '.');
  EXPECT_EQ(shown.rows, (std::vector<std::string>{"1, 1, 1, 3600", "2, 2, 1, 3600"}));
  // The first wait of a loaded list is the fields' 40 ms, not the hour the
  // entry before waited.
  session.SetListInterval(40);
  session.ToggleListRun(40);
  fake.advance(40);
  EXPECT_EQ(fake.mouseEvents().size(), 2u);
  EXPECT_EQ(shown.highlighted, 0);
  std::filesystem::remove_all(folder);
}

TEST_F(Session, ShutdownLetsGoOfEveryHotkeyFirstThenStopsEverythingAndLetsTheButtonUp) {
  add(10, 2, 0.1);  // a hold
  add(20, 3, 0.1);  // and its release
  session.StartCapture();
  session.StartPointTracking();
  session.StartSingle("0", "0");  // its first click 5 s away
  session.SetListInterval(100);
  session.ToggleListRun(100);
  fake.advance(115);
  ASSERT_TRUE(fake.mouse().leftHeld());
  shown.told.clear();
  session.Shutdown();
  ASSERT_FALSE(shown.told.empty());
  EXPECT_EQ(shown.told.front(), "hotkeys") << "before anything a box could show";
  EXPECT_EQ(shown.arming, (HotkeyArming{false, false, false}));
  EXPECT_FALSE(fake.mouse().leftHeld());
  EXPECT_FALSE(shown.singleRunning);
  EXPECT_FALSE(shown.listStarted);
  EXPECT_FALSE(shown.capturing);
  EXPECT_FALSE(shown.tracking);
  EXPECT_EQ(shown.counts.back(), session.Count()) << "the true count";
  const std::size_t events = fake.mouseEvents().size();
  fake.advance(10000);
  EXPECT_EQ(fake.mouseEvents().size(), events) << "nothing clicks after";
  EXPECT_EQ(fake.runningTimers(), 0);
}

TEST_F(Session, TheStopHotkeyStopsWhatRunsAndLeavesAPausedListPaused) {
  add(1, 1, 1);
  session.ToggleListRun(1000);
  session.TogglePause(1000);
  session.StartSingle("0", "0");
  session.StopHotkey();
  EXPECT_FALSE(session.SingleRunning());
  EXPECT_TRUE(session.ListStarted());
  EXPECT_TRUE(session.ListPaused());
  session.TogglePause(1000);
  session.StopHotkey();
  EXPECT_FALSE(session.ListStarted());
  EXPECT_FALSE(shown.listStarted);
}

TEST_F(Session, AnIntervalOfZeroHaltsARunUntilRaisedAndAChangeRestartsTheWait) {
  session.SetSingleInterval(0);
  session.StartSingle("0", "0");
  fake.advance(120000);
  EXPECT_TRUE(fake.mouseEvents().empty()) << "no click at all";
  EXPECT_TRUE(session.SingleRunning());
  const std::uint64_t raised = fake.now();
  session.SetSingleInterval(10);  // still running: it starts without a new START
  fake.advance(10);
  ASSERT_EQ(fake.mouseEvents().size(), 2u);
  EXPECT_EQ(fake.mouseEvents()[0].time, raised + 10);
  session.StopSingle();

  // A change during a run restarts the wait; away and back does too.
  session.SetSingleInterval(5000);
  fake.clearMouseEvents();
  const std::uint64_t started = fake.now();
  session.StartSingle("0", "0");
  fake.advance(3000);
  session.SetSingleInterval(5100);
  fake.advance(5099);
  EXPECT_TRUE(fake.mouseEvents().empty());
  fake.advance(1);
  ASSERT_EQ(fake.mouseEvents().size(), 2u);
  EXPECT_EQ(fake.mouseEvents()[0].time, started + 8100);
  fake.advance(2000);
  session.SetSingleInterval(5200);
  session.SetSingleInterval(5100);
  fake.advance(5099);
  EXPECT_EQ(fake.mouseEvents().size(), 2u);
  fake.advance(1);
  EXPECT_EQ(fake.mouseEvents()[2].time, started + 15200);
}
