// The click engine on its own: the runs, the list and capture on the fake
// clock and mouse, with no window. What only the window shows is tested
// with the window.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "engine/capture.h"
#include "engine/click_interval.h"
#include "engine/click_list.h"
#include "engine/list_run.h"
#include "engine/mouse_actions.h"
#include "engine/run_watch.h"
#include "engine/single_point.h"
#include "framework/exceptions.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/timer_host.h"

using platform::MouseAction;
using platform::Point;
using testing_support::HostedTicker;
using testing_support::TimerHost;

namespace {

using Events = std::vector<std::pair<MouseAction, Point>>;

struct Engine {
  platform::fake::FakePlatform fake;
  MouseActions mouse{fake.input()};
  TimerHost host{fake};
  HostedTicker hosted{host};
  TimerTicker& ticker = hosted.ticker();

  Events events() const {
    Events seen;
    for (const auto& e : fake.mouseEvents()) seen.emplace_back(e.action, e.at);
    return seen;
  }
  std::vector<MouseAction> actions() const {
    std::vector<MouseAction> seen;
    for (const auto& e : fake.mouseEvents()) seen.push_back(e.action);
    return seen;
  }
};

constexpr MouseAction kDown = MouseAction::kLeftDown;
constexpr MouseAction kUp = MouseAction::kLeftUp;

ClickList ListOf(const std::vector<std::string>& rows) { return ClickList::FromRows(rows, '.'); }

}  // namespace

TEST(MouseActions, EachOptionInjectsItsEventsAndKnowsTheHeldButton) {
  const struct {
    int option;
    std::vector<MouseAction> events;
    bool held;
  } table[] = {
      {1, {kDown, kUp}, false},
      {2, {kDown}, true},
      {3, {kUp}, false},
      {4, {MouseAction::kRightDown, MouseAction::kRightUp}, false},
      {5, {kDown, kUp, kDown, kUp}, false},
      {0, {}, false},
      {6, {}, false},
      {-1, {}, false},
  };
  for (const auto& row : table) {
    Engine engine;
    engine.mouse.clickOption(row.option);
    EXPECT_EQ(engine.actions(), row.events) << "option " << row.option;
    EXPECT_EQ(engine.mouse.buttonHeld(), row.held) << "option " << row.option;
    engine.fake.clearMouseEvents();
    engine.mouse.releaseHeldButton();
    EXPECT_EQ(engine.actions(), row.held ? std::vector<MouseAction>{kUp} : std::vector<MouseAction>{})
        << "only a button we hold goes up";
    EXPECT_EQ(engine.fake.cursorMoves(), 0);
  }
}

// What windows see of each option, whichever physical button Windows
// takes for the primary one: (primary, down) in order.
TEST(MouseActions, ClicksPressThePrimaryButtonAndRightClickTheSecondaryWithTheButtonsSwappedOrNot) {
  using Seen = std::vector<std::pair<bool, bool>>;
  const struct {
    int option;
    Seen seen;
  } table[] = {
      {1, {{true, true}, {true, false}}},
      {2, {{true, true}}},
      {3, {{true, false}}},
      {4, {{false, true}, {false, false}}},
      {5, {{true, true}, {true, false}, {true, true}, {true, false}}},
  };
  for (const bool swapped : {false, true}) {
    for (const auto& row : table) {
      Engine engine;
      engine.fake.mouse().setButtonsSwapped(swapped);
      engine.mouse.clickOption(row.option);
      Seen seen;
      for (const auto& e : engine.fake.mouseEvents()) {
        seen.emplace_back(e.primary, e.down);
        const bool leftFlag = e.action == MouseAction::kLeftDown || e.action == MouseAction::kLeftUp;
        EXPECT_EQ(leftFlag, e.primary != swapped) << "the flag names the physical button";
      }
      EXPECT_EQ(seen, row.seen) << "option " << row.option << (swapped ? ", swapped" : "");
    }
  }
}

TEST(MouseActions, AReleaseLetsGoOfTheVeryButtonTheHoldPressedThoughTheSwapChangedBetween) {
  {
    Engine engine;
    engine.fake.mouse().setButtonsSwapped(true);
    engine.mouse.clickhold();
    EXPECT_TRUE(engine.fake.mouse().rightHeld());
    engine.fake.mouse().setButtonsSwapped(false);
    engine.mouse.releaseclick();
    EXPECT_FALSE(engine.fake.mouse().rightHeld()) << "the held right button goes up";
    EXPECT_EQ(engine.actions().back(), MouseAction::kRightUp);
    EXPECT_FALSE(engine.mouse.buttonHeld());
  }
  {
    // A run that ends lets go of it the same way.
    Engine engine;
    engine.mouse.clickhold();
    engine.fake.mouse().setButtonsSwapped(true);
    engine.mouse.singleclick();  // the right button now: the held left stays down
    EXPECT_TRUE(engine.fake.mouse().leftHeld());
    EXPECT_TRUE(engine.mouse.buttonHeld());
    engine.mouse.releaseHeldButton();
    EXPECT_FALSE(engine.fake.mouse().leftHeld());
    EXPECT_EQ(engine.actions().back(), kUp);
    engine.fake.clearMouseEvents();
    engine.mouse.releaseHeldButton();
    EXPECT_TRUE(engine.actions().empty()) << "nothing is held any more";
  }
  {
    // Two holds on either button, the swap switched between: both go up at the end.
    Engine engine;
    engine.mouse.clickhold();
    engine.fake.mouse().setButtonsSwapped(true);
    engine.mouse.clickhold();
    engine.mouse.releaseHeldButton();
    EXPECT_FALSE(engine.fake.mouse().leftHeld());
    EXPECT_FALSE(engine.fake.mouse().rightHeld());
  }
  {
    // A Release with no hold of ours lets go of the primary button as it is now.
    Engine engine;
    engine.fake.mouse().setButtonsSwapped(true);
    engine.mouse.releaseclick();
    EXPECT_EQ(engine.actions(), std::vector<MouseAction>{MouseAction::kRightUp});
  }
}

TEST(SinglePointRun, ClicksAtThePointAndPutsTheCursorBack) {
  Engine engine;
  SinglePointRun run(engine.mouse, engine.fake.input(), engine.ticker);
  engine.hosted.onTick = [&] { run.Tick(0, false); };
  engine.ticker.SetInterval(50);
  engine.fake.moveCursor({7, 8});
  run.SetClickAtMouse(false);
  EXPECT_FALSE(run.PointSet()) << "leaving the mouse forgets the point";
  run.Start(300, 400);
  engine.fake.advance(49);
  EXPECT_TRUE(engine.events().empty()) << "the first click comes one interval after the start";
  engine.fake.advance(1);
  EXPECT_EQ(engine.events(), (Events{{kDown, {300, 400}}, {kUp, {300, 400}}}));
  EXPECT_EQ(engine.fake.cursor(), (Point{7, 8}));

  engine.fake.clearMouseEvents();
  run.SetClickOnOrig(true);
  engine.fake.advance(50);
  EXPECT_EQ(engine.events(), (Events{{kDown, {300, 400}}, {kUp, {300, 400}}, {kDown, {7, 8}}, {kUp, {7, 8}}}));
  EXPECT_EQ(run.Count(), 2);

  run.Stop();
  engine.fake.clearMouseEvents();
  engine.fake.advance(500);
  EXPECT_TRUE(engine.events().empty());
  run.Start(std::nullopt, 5);
  EXPECT_EQ(run.ClickPoint().x, 300) << "a coordinate not given keeps the last";
  EXPECT_EQ(run.ClickPoint().y, 5);
  EXPECT_EQ(run.Count(), 0) << "each start counts from nothing";
}

TEST(SinglePointRun, TheLimitIsMetOnlyByEqualityAndDoubleClickDoublesEachClick) {
  const struct {
    std::int32_t limit;
    int metAt;  // 0: never within ten ticks
  } table[] = {{0, 0}, {1, 1}, {3, 3}, {-2, 0}};
  for (const auto& row : table) {
    Engine engine;
    SinglePointRun run(engine.mouse, engine.fake.input(), engine.ticker);
    run.Start(std::nullopt, std::nullopt);
    int metAt = 0;
    for (int tick = 1; tick <= 10; ++tick) {
      if (run.Tick(row.limit, tick % 2 == 0) && metAt == 0) metAt = tick;
    }
    EXPECT_EQ(metAt, row.metAt) << "limit " << row.limit;
    EXPECT_EQ(engine.fake.mouseEvents().size(), 30U) << "one click on odd ticks, two on even";
    EXPECT_EQ(engine.fake.cursorMoves(), 0) << "at the mouse the cursor is left alone";
  }
  // A limit lowered below the count is never met.
  Engine engine;
  SinglePointRun run(engine.mouse, engine.fake.input(), engine.ticker);
  run.Start(std::nullopt, std::nullopt);
  for (int tick = 0; tick < 3; ++tick) static_cast<void>(run.Tick(0, false));
  EXPECT_FALSE(run.Tick(2, false));
  EXPECT_FALSE(run.Tick(2, false));
}

TEST(ClickList, AddRemoveAndTheLimitsOfWhatItTakes) {
  ClickList list;
  for (int k = 0; k < kClickListCapacity; ++k) list.Add({k, -k, 1, 0.5}, "row " + std::to_string(k), '.');
  EXPECT_TRUE(list.Full());
  EXPECT_THROW(list.Add({1, 1, 1, 0}, "one more", '.'), Exception);
  list.Remove(0);
  list.Remove(50);
  EXPECT_EQ(list.Count(), 98);
  EXPECT_EQ(list.At(1).x, 1) << "later entries move up";
  EXPECT_EQ(list.At(51).x, 52);
  EXPECT_EQ(list.Rows()[50], "row 52") << "rows move with their entries";
  list.Remove(98);  // no such row
  EXPECT_EQ(list.Count(), 98);

  for (const double delay : {-0.01, 2147483.648, 1e308}) {
    try {
      list.Add({1, 1, 1, delay}, "x", ',');
      ADD_FAILURE() << delay << " was taken";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("nothing was added"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(list.Count(), 98);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Rows().empty());
}

TEST(ClickList, RowsGiveEntriesOrANamedLineAndNothing) {
  const ClickList comma = ClickList::FromRows({"10, -20, 5, 2,5", "1, 1, 1, 0.5"}, ',', "C:\\a.txt");
  ASSERT_EQ(comma.Count(), 2);
  EXPECT_EQ(comma.At(1), (ClickEntry{10, -20, 5, 2.5})) << "a decimal comma joins its two parts";
  EXPECT_EQ(comma.At(2), (ClickEntry{1, 1, 1, 0.5})) << "a period reads under the comma too";
  const ClickList period = ClickList::FromRows({"3,4,9,1.25, extra"}, '.');
  EXPECT_EQ(period.At(1), (ClickEntry{3, 4, 9, 1.25})) << "an option outside 1 to 5 is kept; a fifth part ignored";

  const struct {
    std::string row;
    std::string message;
  } bad[] = {
      {"1, 2, 1", "Line 2 of C:\\a.txt: '' is not a valid floating point value; the list is unchanged"},
      {"x, 2, 1, 1", "Line 2 of C:\\a.txt: 'x' is not a valid integer value; the list is unchanged"},
      {"1, 2, 1, -1",
       "Line 2 of C:\\a.txt: the delay -1 is not between 0 and 2147483.647 seconds; the list is unchanged"},
  };
  for (const auto& row : bad) {
    try {
      static_cast<void>(ClickList::FromRows({"1, 1, 1, 1", row.row}, '.', "C:\\a.txt"));
      ADD_FAILURE() << row.row << " was taken";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), row.message);
    }
  }
}

TEST(ListRun, ClicksEachEntryAfterTheWaitOfTheOneBeforeAndGoesRound) {
  Engine engine;
  const ClickList list = ListOf({"1, 1, 1, 0.05", "2, 2, 4, 0.02", "3, 3, 2, 0.1"});
  ListRun run(list, engine.mouse, engine.fake.input(), engine.ticker);
  std::vector<int> steps;
  run.onStep = [&](int row) { steps.push_back(row); };
  engine.hosted.onTick = [&] { run.Tick(); };
  run.WaitFromFields();
  run.Start(30);
  EXPECT_TRUE(run.Started());
  std::vector<std::pair<std::uint64_t, Point>> downs;
  engine.fake.mouse().onEvent([&](const auto& e) {
    if (e.action == kDown || e.action == MouseAction::kRightDown) downs.emplace_back(e.time, e.at);
  });
  const std::uint64_t start = engine.fake.now();
  engine.fake.advance(30 + 50 + 20 + 100 + 50);
  const std::vector<std::pair<std::uint64_t, Point>> expected = {
      {start + 30, {1, 1}}, {start + 80, {2, 2}}, {start + 100, {3, 3}}, {start + 200, {1, 1}}, {start + 250, {2, 2}}};
  EXPECT_EQ(downs, expected) << "the fields' interval first, then each entry's own delay";
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 0, 1}));
  engine.mouse.clickhold();
  run.End();
  EXPECT_FALSE(run.Started());
  EXPECT_FALSE(engine.mouse.buttonHeld()) << "ending lets go of the held button";
  EXPECT_EQ(run.Position(), 3) << "an ended run resumes where it was";
}

TEST(ListRun, PauseAndResumeKeepThePlaceAndAnEmptiedListEndsTheRun) {
  Engine engine;
  ClickList list = ListOf({"1, 1, 1, 0.01", "2, 2, 1, 0.01"});
  ListRun run(list, engine.mouse, engine.fake.input(), engine.ticker);
  engine.hosted.onTick = [&] { run.Tick(); };
  engine.ticker.SetInterval(10);
  run.Start(10);
  engine.fake.advance(10);
  run.TogglePause(10);
  EXPECT_TRUE(run.Paused());
  EXPECT_TRUE(run.Started()) << "the two toggles are independent";
  engine.fake.clearMouseEvents();
  engine.fake.advance(100);
  EXPECT_TRUE(engine.events().empty());
  run.TogglePause(10);
  engine.fake.advance(10);
  ASSERT_FALSE(engine.events().empty());
  EXPECT_EQ(engine.events().front().second, (Point{2, 2})) << "resumed at the next entry";

  list.Clear();
  engine.fake.advance(10);
  EXPECT_FALSE(run.Running());
  EXPECT_FALSE(run.Started());

  ClickList none;
  ListRun idle(none, engine.mouse, engine.fake.input(), engine.ticker);
  idle.Start(10);
  idle.TogglePause(10);
  EXPECT_FALSE(idle.Started()) << "an empty list does not start";
  EXPECT_FALSE(idle.Paused());
}

TEST(Capture, StoppingRewindsACapturedListAndLetsGoOfTheButton) {
  Engine engine;
  ClickList list = ListOf({"1, 1, 2, 0.01", "2, 2, 1, 0.01"});
  ListRun run(list, engine.mouse, engine.fake.input(), engine.ticker);
  Capture capture(list, run, engine.mouse, engine.fake.input());
  run.SetPosition(2);
  engine.mouse.clickhold();
  capture.Start();
  EXPECT_TRUE(capture.Tracking());
  EXPECT_FALSE(engine.mouse.buttonHeld());
  engine.fake.moveCursor({-5, 9});
  EXPECT_EQ(capture.Track(), (Point{-5, 9}));
  capture.Stop();
  EXPECT_EQ(run.Position(), 1);
  engine.ticker.SetInterval(999);
  run.Start(40);
  EXPECT_EQ(engine.ticker.Interval(), 40U) << "a captured list first waits the fields' interval";
}

TEST(IntervalArithmetic, MaximaAndEntryDelays) {
  EXPECT_EQ(IntervalMilliseconds({23, 59, 59, 9, 9}), 86399990u);
  EXPECT_EQ(IntervalMilliseconds({1000, 59, 59, 9, 9}), 3603599990u);
  EXPECT_EQ(IntervalMilliseconds({0, 0, 0, 0, 1}), 10u);
  EXPECT_EQ(IntervalMilliseconds({}), 0u);
  EXPECT_DOUBLE_EQ(EntryDelaySeconds({0, 0, 5, 0, 0}), 5);
  EXPECT_DOUBLE_EQ(EntryDelaySeconds({0, 0, 1, 2, 5}), 1.25);
  EXPECT_DOUBLE_EQ(EntryDelaySeconds({0, 0, 0, 0, 1}), 0.01);
  EXPECT_DOUBLE_EQ(EntryDelaySeconds({1, 30, 0, 0, 0}), 5400);
  EXPECT_EQ(EntryWaitMilliseconds(0.3), 299u);
  EXPECT_EQ(EntryWaitMilliseconds(-0.3), static_cast<std::uint32_t>(-299));
}

TEST(ActivityTip, NamesTheStateAndGroupsTheClicksAsUsersReadThem) {
  const struct {
    Activity activity;
    std::int64_t clicks;
    double rate;
    const char* tip;
  } table[] = {
      {Activity::kIdle, 5, 3.0, "Tapfinch: idle"},
      {Activity::kCapturing, 0, 0.0, "Tapfinch: capturing click points"},
      {Activity::kClickingPoint, 1, 0.33, "Tapfinch: clicking one point, 1 click, 0.3 a second"},
      {Activity::kClickingList, 1204, 99.66, "Tapfinch: clicking the list, 1,204 clicks, 99.7 a second"},
      {Activity::kPaused, 1000000, 0.0, "Tapfinch: the list paused, 1,000,000 clicks, 0.0 a second"},
      {Activity::kClickingPoint, 999, 1000.0, "Tapfinch: clicking one point, 999 clicks, 1000.0 a second"},
  };
  for (const auto& c : table) EXPECT_EQ(ActivityTip(c.activity, c.clicks, c.rate), c.tip);
}

TEST(ClickRate, CountsTheLastThreeSecondsOrTheTimeSinceTheStart) {
  ClickRate rate;
  rate.Begin(1000);
  EXPECT_EQ(rate.PerSecond(1000), 0.0) << "nothing yet, and no time";
  for (std::uint64_t t = 1100; t <= 2000; t += 100) rate.Note(t);  // 10 in the first second
  EXPECT_DOUBLE_EQ(rate.PerSecond(2000), 10.0);
  EXPECT_DOUBLE_EQ(rate.PerSecond(4000), 10.0 / 3.0) << "three seconds, ten clicks";
  EXPECT_DOUBLE_EQ(rate.PerSecond(5000), 0.0) << "the clicks are older than three seconds";
  EXPECT_EQ(rate.Count(), 10) << "the run's clicks are all counted";
  rate.Begin(6000);
  EXPECT_EQ(rate.Count(), 0) << "a new run counts from 0";
}
