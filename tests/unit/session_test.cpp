// The click session on its own: the rules of a run's life that the window
// only shows. Its two run timers are the program's own framework timers on
// the fake clock; its events are recorded as the window would show them.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
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
  std::set<int> selected;
  std::size_t paints = 0;
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
  // The rows selected as the list box shows them.
  void RowHighlighted(int leaving, int current) override {
    ++paints;
    selected.erase(leaving);
    if (current >= 0) selected.insert(current);
  }
  void RowAdded(const std::string& row) override { rows.push_back(row); }
  void RowRemoved(int row) override {
    rows.erase(rows.begin() + row);
    std::set<int> moved;
    for (int r : selected) {
      if (r != row) moved.insert(r > row ? r - 1 : r);
    }
    selected = moved;
  }
  void RowsReplaced(const std::vector<std::string>& replaced) override {
    rows = replaced;
    selected.clear();
  }
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

// The view of a run against the truth, a millisecond at a time: what
// differs may differ for at most a frame, and the view is painted no more
// often than that needs.
TEST_F(Session, TheCountAndTheHighlightFollowARunAtMostAFrameBehindAndThirtyTimesASecond) {
  for (int x = 1; x <= 5; ++x) add(x, 1, 0.01);
  const struct {
    const char* run;
    std::uint32_t interval;
  } runs[] = {{"single", 10}, {"single", 20}, {"single", 50}, {"list", 10}, {"list", 50}};
  for (const auto& run : runs) {
    SCOPED_TRACE(std::string(run.run) + " at " + std::to_string(run.interval));
    const bool ofList = std::string(run.run) == "list";
    const auto truth = [&] { return ofList ? session.ListPosition() - 2 : session.Count(); };
    const auto view = [&]() -> std::int64_t {
      if (!ofList) return shown.counts.back();
      return shown.selected.size() == 1 ? *shown.selected.begin() : -99;
    };
    shown.counts.clear();
    shown.paints = 0;
    if (ofList) {
      session.Clear();
      for (int x = 1; x <= 5; ++x) add(x, 1, run.interval / 1000.0);
      session.SetListInterval(run.interval);
      session.ToggleListRun(run.interval);
    } else {
      session.SetSingleInterval(run.interval);
      session.StartSingle("0", "0");
      EXPECT_EQ(shown.counts, std::vector<std::int64_t>{0}) << "shown at the start";
    }
    std::uint64_t behindSince = 0;
    std::uint64_t mostBehind = 0;
    for (int ms = 1; ms <= 2000; ++ms) {
      fake.advance(1);
      if (view() == truth() || truth() < 0) {
        behindSince = 0;
      } else {
        if (behindSince == 0) behindSince = fake.now();
        mostBehind = std::max(mostBehind, fake.now() - behindSince + 1);
      }
    }
    EXPECT_LE(mostBehind, ViewPace::kFrameMs);
    const std::size_t paints = ofList ? shown.paints : shown.counts.size() - 1;
    EXPECT_LE(paints, 2 * 60u) << "no more than a screen shows";
    EXPECT_GE(paints, 2000 / std::max<std::uint32_t>(run.interval, ViewPace::kFrameMs) - 1);
    fake.advance(run.interval / 2 + 1);
    if (ofList) {
      session.TogglePause(run.interval);
      EXPECT_EQ(view(), truth()) << "exact once paused";
      session.TogglePause(run.interval);
      fake.advance(run.interval / 2 + 1);
      session.StopHotkey();
    } else {
      session.StopSingle();
    }
    EXPECT_EQ(view(), truth()) << "exact once stopped";
  }
}

TEST_F(Session, HiddenTheViewIsToldNothingAndShownAgainItIsToldTheTruthAtOnce) {
  add(1, 1, 0.01);
  add(2, 1, 0.01);
  add(3, 1, 0.01);
  session.SetSingleInterval(10);
  session.StartSingle("0", "0");
  session.SetListInterval(10);
  session.ToggleListRun(10);
  fake.advance(95);
  const auto counts = shown.counts.size();
  const auto paints = shown.paints;
  session.SetViewVisible(false);
  fake.advance(1000);
  EXPECT_EQ(shown.counts.size(), counts) << "no count painted while hidden";
  EXPECT_EQ(shown.paints, paints) << "no row highlighted while hidden";
  session.SetViewVisible(true);
  EXPECT_EQ(shown.counts.back(), session.Count());
  EXPECT_EQ(shown.selected, std::set<int>{session.ListPosition() - 2});

  // A run that stops while hidden is shown stopped once the window shows.
  session.SetViewVisible(false);
  fake.advance(55);
  session.StopHotkey();
  EXPECT_NE(shown.counts.back(), session.Count());
  session.SetViewVisible(true);
  EXPECT_EQ(shown.counts.back(), session.Count());
  EXPECT_EQ(shown.selected, std::set<int>{session.ListPosition() - 2});
  EXPECT_EQ(shown.counts.size(), counts + 2) << "told once each time it showed again";
}

TEST_F(Session, TheHighlightStaysOnItsEntryAsRowsGoAndAListOfOneKeepsItsRow) {
  add(1, 1, 0.05);
  session.SetListInterval(50);
  session.ToggleListRun(50);
  fake.advance(50 * 4);
  EXPECT_EQ(shown.selected, std::set<int>{0}) << "a list of one goes round on the same row";

  add(2, 1, 0.05);
  add(3, 1, 0.05);
  fake.advance(50 * 2);
  ASSERT_EQ(shown.selected, std::set<int>{2});
  session.Remove(0);
  EXPECT_EQ(shown.selected, std::set<int>{1}) << "the window's row moved up with the rest";
  fake.advance(50);
  EXPECT_EQ(shown.selected, std::set<int>{0}) << "past the end: round to the first, the last let go";
  session.Remove(0);
  EXPECT_TRUE(shown.selected.empty()) << "its row deleted, nothing is highlighted";
  session.Clear();
  fake.advance(50);
  EXPECT_FALSE(session.ListStarted()) << "emptied: the run ended";
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
  EXPECT_EQ(shown.selected, std::set<int>{0});
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

// Rounds: each ends with a click of the last entry, counted from the start;
// the last one ends the run as Stop would, with nothing left held.
TEST_F(Session, AListRunOfRoundsEndsAfterTheLastEntryOfTheLastRoundWithNothingHeld) {
  const struct {
    const char* list;
    std::vector<int> options;
    std::int32_t rounds;
    std::size_t events;  // mouse events until it ended
  } cases[] = {
      {"clicks, one round", {1, 1, 1}, 1, 3 * 2},
      {"clicks, three rounds", {1, 1, 1}, 3, 9 * 2},
      {"a drag that ends the round", {1, 2, 3}, 2, 2 * 4},
      {"a hold last: let go at the end", {1, 2}, 2, 2 * 3 + 1},
      {"past the most: as many as the most", {1}, ClickSession::kMaxRounds + 5, ClickSession::kMaxRounds * 2u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    session.Clear();
    for (std::size_t i = 0; i < c.options.size(); ++i) add(static_cast<int>(i) + 1, c.options[i], 0.01);
    session.SetListRounds(c.rounds);
    session.SetListInterval(10);
    fake.clearMouseEvents();
    session.ToggleListRun(10);
    fake.advance(10 *
                 (static_cast<std::uint64_t>(std::min(c.rounds, ClickSession::kMaxRounds)) * c.options.size() + 5));
    EXPECT_FALSE(session.ListStarted());
    EXPECT_FALSE(session.ListRunning());
    EXPECT_FALSE(shown.listStarted) << "the window shows it ended";
    EXPECT_FALSE(shown.arming.stop) << "nothing runs: the stop hotkey is let go";
    EXPECT_FALSE(fake.mouse().leftHeld());
    EXPECT_EQ(fake.mouseEvents().size(), c.events);
    EXPECT_EQ(shown.selected, std::set<int>{static_cast<int>(c.options.size()) - 1}) << "the last entry shown";
  }

  // A pause keeps the count; a new start counts again; 0 goes on.
  session.Clear();
  for (int x = 1; x <= 2; ++x) add(x, 1, 0.01);
  session.SetListRounds(2);
  session.ToggleListRun(10);
  fake.advance(30);  // a round and a half
  session.TogglePause(10);
  fake.advance(500);
  session.TogglePause(10);
  fake.advance(20);
  EXPECT_FALSE(session.ListStarted()) << "two rounds in all";
  session.ToggleListRun(10);
  fake.advance(30);
  EXPECT_TRUE(session.ListStarted()) << "counted again from the new start";
  session.SetListRounds(0);
  fake.advance(1000);
  EXPECT_TRUE(session.ListRunning()) << "0: until stopped";
  session.SetListRounds(-3);
  EXPECT_EQ(session.ListRounds(), 0);
}
