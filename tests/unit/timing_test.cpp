// Keeping time on the Windows users run: a timer that drives clicking
// waits on a high-resolution deadline, counted from the last deadline so a
// late tick never makes the next one late; a modal loop of the system's
// is served by WM_TIMER instead; and while such a timer runs fast, the
// program is exempt from the throttling Windows puts on hidden programs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/exceptions.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/precise_timer.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/harness.h"

using platform::fake::FakePlatform;
using testing_support::Tapfinch;

namespace {

class Timing : public ::testing::Test {
 protected:
  Timing() {
    app.Initialize();
    form = app.CreateForm<TForm>("Form");
  }

  // A timer whose every tick is noted at the time it came.
  TTimer* timer(std::uint32_t interval, bool precise) {
    auto* t = Make<TTimer>(*form, "timer");
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetPrecise(precise);
    t->SetOnTimer([this](TObject*) { fired.push_back(fake.now()); });
    return t;
  }

  std::vector<std::uint64_t> gaps() const {
    std::vector<std::uint64_t> between;
    for (std::size_t i = 1; i < fired.size(); ++i) between.push_back(fired[i] - fired[i - 1]);
    return between;
  }

  FakePlatform fake;
  TApplication app{fake};
  TForm* form = nullptr;
  std::vector<std::uint64_t> fired;
};

}  // namespace

TEST_F(Timing, ATickServedLateDoesNotMakeTheNextLateWhenTheTimerIsRestartedInIt) {
  // A list run's ticks: each sets the next entry's wait (1 s, 2 s, 1 s,
  // ...), which restarts the timer from within its tick.
  for (const bool precise : {true, false}) {
    SCOPED_TRACE(precise ? "precise" : "today's");
    fired.clear();
    fake.clock().setLatency(3);
    TTimer* t = timer(1000, precise);
    int tick = 0;
    t->SetOnTimer([&](TObject*) {
      fired.push_back(fake.now());
      t->SetEnabled(false);
      t->SetInterval(++tick % 2 == 1 ? 2000 : 1000);
      t->SetEnabled(true);
    });
    const std::uint64_t start = fake.now();
    t->SetEnabled(true);
    fake.advance(45000 + 500);
    ASSERT_EQ(fired.size(), 30u);
    // Due at 1 s, then 2 s and 1 s in turn: the 30th at 45 s. Precise:
    // every tick 3 ms after its deadline, the last as the first. Today's:
    // the 3 ms add up, a tick at a time.
    const std::uint64_t lateness = fired.back() - start - 45000;
    EXPECT_EQ(lateness, precise ? 3u : 30u * 3);
    t->SetEnabled(false);
    fake.clock().setLatency(0);
  }
}

TEST_F(Timing, ADeadlineTimerIsAskedForWhereTheSystemHasOneAndTodaysTimerServesWhereItHasNot) {
  TTimer* precise = timer(10, true);
  precise->SetEnabled(true);
  ASSERT_FALSE(fake.clock().deadlineArms().empty());
  const auto first = fake.clock().deadlineArms().back();
  EXPECT_EQ(first.due - first.at, 10000u) << "armed for its interval, in microseconds";
  fake.advance(100);
  EXPECT_EQ(fired.size(), 10u);
  // Each deadline from the one before: 10 ms apart exactly.
  const auto& arms = fake.clock().deadlineArms();
  for (std::size_t i = arms.size() - 9; i < arms.size(); ++i) EXPECT_EQ(arms[i].due - arms[i - 1].due, 10000u);
  precise->SetEnabled(false);

  // An older Windows: no deadline timer, and today's timer clicks as ever.
  FakePlatform older;
  older.clock().lackDeadlineTimers(true);
  TApplication olderApp(older);
  olderApp.Initialize();
  auto* olderForm = olderApp.CreateForm<TForm>("Form");
  auto* t = Make<TTimer>(*olderForm, "timer");
  std::vector<std::uint64_t> ticks;
  t->SetOnTimer([&](TObject*) { ticks.push_back(older.now()); });
  t->SetEnabled(false);
  t->SetInterval(10);
  t->SetPrecise(true);
  const int starts = older.timerStarts();
  t->SetEnabled(true);
  EXPECT_EQ(older.timerStarts(), starts + 1);
  EXPECT_TRUE(older.clock().deadlineArms().empty());
  older.advance(100);
  EXPECT_EQ(ticks.size(), 10u);
  EXPECT_TRUE(older.clock().throttlingExempt()) << "exempt all the same";
}

TEST_F(Timing, BehindAMessageBoxTheFallbackServesEachDeadlineOnceAndNoneIsLost) {
  TTimer* t = timer(10, true);
  t->SetEnabled(true);
  // The box's own loop serves WM_TIMER a few milliseconds late (under
  // Wine, often more than the deadline's slack).
  fake.boxes().whileOpen([&] {
    fake.clock().setLatency(6);
    fake.advance(1000);
    fake.clock().setLatency(0);
  });
  form->Guard([&] { ShowInformation(app, "A box of the system's"); });
  const std::size_t inBox = fired.size();
  EXPECT_GE(inBox, 97u) << "the box's loop lost deadlines";
  fake.advance(1000);
  // The deadlines at 10, 20, ... 2000 ms, each served once: the box's late
  // ones made up once it closed, not twice, not in a burst.
  EXPECT_GE(fired.size(), 199u);
  EXPECT_LE(fired.size(), 200u);
  int together = 0;
  for (const std::uint64_t gap : gaps()) {
    together += gap < 5 ? 1 : 0;
    EXPECT_LE(gap, 16u);
  }
  EXPECT_LE(together, 1) << "a burst after the box";
  t->SetEnabled(false);
  // A timer refused at its start is refused as today's is.
  fake.refuseTimers(true);
  EXPECT_THROW(t->SetEnabled(true), EOutOfResources);
  fake.refuseTimers(false);
}

TEST_F(Timing, OnlyAFastTimerThatDrivesClickingExemptsTheProgramAndTheLastToStopPutsItBack) {
  const struct {
    std::uint32_t interval;
    bool precise;
    bool exempt;
  } table[] = {{10, true, true}, {15, true, true}, {16, true, false}, {5000, true, false}, {10, false, false}};
  for (const auto& row : table) {
    TTimer* t = timer(row.interval, row.precise);
    t->SetEnabled(true);
    EXPECT_EQ(fake.clock().throttlingExempt(), row.exempt) << row.interval << (row.precise ? " precise" : "");
    t->SetEnabled(false);
    EXPECT_FALSE(fake.clock().throttlingExempt()) << "put back when it stops";
  }
  TTimer* a = timer(10, true);
  TTimer* b = timer(10, true);
  a->SetEnabled(true);
  b->SetEnabled(true);
  const int calls = fake.clock().throttlingCalls();
  a->SetEnabled(false);
  EXPECT_TRUE(fake.clock().throttlingExempt()) << "one still runs";
  b->SetInterval(0);
  EXPECT_FALSE(fake.clock().throttlingExempt());
  EXPECT_EQ(fake.clock().throttlingCalls(), calls + 1);
}

// The program's own run timers, seen from its windows.
TEST(RunTimers, ASinglePointRunAt10MsIsExemptWhileItGoesAndAListOfOneSecondEntriesDoesNotDrift) {
  Tapfinch app;
  TForm1& form = app.form();
  FakePlatform& fake = app.fake();
  EXPECT_TRUE(form.Timer1->Precise());
  EXPECT_TRUE(form.listclicktimer->Precise());
  EXPECT_FALSE(form.findpointtimer->Precise()) << "tracking shows the cursor; it clicks nothing";

  app.user().selectTab(*form.PageControl1, 0);
  form.seconds->SetValue(0);
  form.hundreth->SetValue(1);
  app.user().click(*form.singclickstartbtn);
  EXPECT_TRUE(fake.clock().throttlingExempt());
  app.user().click(*form.singleclickstopbutton);
  EXPECT_FALSE(fake.clock().throttlingExempt());

  // Entries of 1 s and 2 s in turn, every tick served 4 ms late.
  app.user().selectTab(*form.PageControl1, 1);
  form.mseconds->SetValue(1);
  app.user().click(*form.mstartspecify);
  for (int i = 0; i < 2; ++i) {
    form.mseconds->SetValue(1 + i);
    app.user().moveMouse(100 + i, 100);
    fake.advance(10);
    ASSERT_TRUE(fake.pressHotKey(platform::kModControl, 'A'));
    fake.runPending();
  }
  app.user().click(*form.mstopspecify);
  form.mseconds->SetValue(1);
  fake.clock().setLatency(4);
  fake.clearMouseEvents();
  const std::uint64_t start = fake.now();
  app.user().click(*form.mclicklistbtn);
  fake.advance(92000);
  std::vector<std::uint64_t> downs;
  for (const auto& e : fake.mouseEvents()) {
    if (e.down) downs.push_back(e.time);
  }
  ASSERT_EQ(downs.size(), 61u);
  // The first a second after the start, then 1 s and 2 s in turn: the
  // 61st 90 s after the first, each only the latency late.
  EXPECT_EQ(downs.front() - start, 1004u);
  EXPECT_EQ(downs.back() - downs.front(), 90000u);
  EXPECT_FALSE(fake.clock().throttlingExempt()) << "a list of long entries runs as any program does";
}
