// Long runs on the virtual clock: an hour of a full click list and a day
// of a single point, every event checked as it comes against the time and
// place the delays give, and nothing kept that grows with the run.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "tests/support/harness.h"

using platform::MouseAction;
using platform::fake::FakeMouse;
using testing_support::Tapfinch;

namespace {

constexpr std::uint64_t kHour = 3'600'000;
constexpr std::uint64_t kDay = 24 * kHour;
constexpr std::uint64_t kTick = 10;
// The list's entries are Click, Right Click and Double Click in turn.
constexpr std::array<int, 3> kOptions = {1, 4, 5};

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAPFINCH_SOAK_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(TAPFINCH_SOAK_UNDER_ASAN)
constexpr bool kHeapMeasurable = false;  // the sanitizer's quarantine holds freed blocks
#elif defined(__GLIBC__)
constexpr bool kHeapMeasurable = true;
#else
constexpr bool kHeapMeasurable = false;
#endif

// Bytes the program holds on the heap right now, large blocks included.
std::size_t HeapInUse() {
#if defined(__GLIBC__)
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#else
  return 0;
#endif
}

// Follows the mouse events of a run tick by tick: each tick's events must
// come at the tick's time, at its place, in its order, with no tick
// skipped; the first thing out of place is kept for the report.
class TickChecker {
 public:
  // No allocation per tick: a day has 8.64 million of them.
  struct Tick {
    platform::Point at;
    std::array<MouseAction, 4> flags{};
    std::size_t count = 0;
  };
  using Plan = std::function<Tick(std::uint64_t tick)>;

  TickChecker(std::uint64_t start, Plan plan) : start_(start), plan_(std::move(plan)) {}

  void see(const FakeMouse::Record& event) {
    if (!failure_.empty()) return;
    const std::uint64_t since = event.time - start_;
    if (event.time < start_ || since % kTick != 0) return fail(event, "off the 10 ms grid");
    const std::uint64_t tick = since / kTick;
    if (tick != current_) {
      if (next_ != expected_.count) return fail(event, "the tick before ended early");
      if (tick != current_ + 1) return fail(event, "a tick was skipped");
      current_ = tick;
      expected_ = plan_(tick);
      next_ = 0;
    }
    if (next_ >= expected_.count || event.action != expected_.flags[next_]) return fail(event, "wrong event");
    if (event.at != expected_.at) return fail(event, "wrong place");
    ++next_;
    if (event.action == MouseAction::kLeftDown) ++leftDown_;
    if (event.action == MouseAction::kLeftUp) --leftDown_;
    if (leftDown_ < 0 || leftDown_ > 1) return fail(event, "left button ups and downs unmatched");
  }

  // Ticks whose events were all seen.
  [[nodiscard]] std::uint64_t completeTicks() const { return next_ == expected_.count ? current_ : current_ - 1; }
  [[nodiscard]] bool leftButtonUp() const noexcept { return leftDown_ == 0; }
  [[nodiscard]] const std::string& failure() const noexcept { return failure_; }

 private:
  void fail(const FakeMouse::Record& event, const char* what) {
    failure_ = std::string(what) + " at " + std::to_string(event.time) + " ms (flags " +
               std::to_string(static_cast<int>(event.action)) + ", " + std::to_string(event.at.x) + "," +
               std::to_string(event.at.y) + ")";
  }

  std::uint64_t start_;
  Plan plan_;
  std::uint64_t current_ = 0;
  Tick expected_;
  std::size_t next_ = 0;
  int leftDown_ = 0;
  std::string failure_;
};

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started());
    // Checked as they come; a day would otherwise keep 17 million records.
    fake().mouse().setRecording(false);
  }
  void TearDown() override { fake().mouse().onEvent(nullptr); }

  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }

  void watch(TickChecker& checker) {
    fake().mouse().onEvent([&checker](const FakeMouse::Record& event) { checker.see(event); });
  }

  Tapfinch app;
};

}  // namespace

TEST_F(Soak, AHundredEntryListAtTenMillisecondsForAnHour) {
  TRadioButton* radios[] = {form().RadioButton1, form().RadioButton2, form().RadioButton3, form().RadioButton4,
                            form().RadioButton5};
  form().mseconds->SetValue(0);
  form().mhundreth->SetValue(1);
  user().click(*form().mstartspecify);
  for (int k = 0; k < 100; ++k) {
    user().enterText(*form().mxpostext, std::to_string(10 + k));
    user().enterText(*form().mypostext, std::to_string(900 - 3 * k));
    user().click(*radios[kOptions[static_cast<std::size_t>(k % 3)] - 1]);
    user().click(*form().addtolistbutton);
  }
  user().click(*form().mstopspecify);
  ASSERT_EQ(form().listbox1->Items().Count(), 100);
  ASSERT_TRUE(fake().messageBoxes().empty());

  TickChecker checker(fake().now(), [](std::uint64_t tick) {
    const int k = static_cast<int>((tick - 1) % 100);
    const platform::Point at{10 + k, 900 - 3 * k};
    switch (kOptions[static_cast<std::size_t>(k % 3)]) {
      case 1:
        return TickChecker::Tick{at, {MouseAction::kLeftDown, MouseAction::kLeftUp}, 2};
      case 4:
        return TickChecker::Tick{at, {MouseAction::kRightDown, MouseAction::kRightUp}, 2};
      default:
        return TickChecker::Tick{
            at, {MouseAction::kLeftDown, MouseAction::kLeftUp, MouseAction::kLeftDown, MouseAction::kLeftUp}, 4};
    }
  });
  watch(checker);
  user().click(*form().mclicklistbtn);
  for (int minutes = 0; minutes < 60; minutes += 10) {
    fake().advance(kHour / 6);
    ASSERT_EQ(checker.failure(), "");
    ASSERT_EQ(checker.completeTicks(), (minutes + 10) * 6000u);
  }
  user().click(*form().mclicklistbtn);
  fake().advance(kHour);
  EXPECT_EQ(checker.failure(), "");
  EXPECT_EQ(checker.completeTicks(), 360'000u) << "100 entries, 3600 times round";
  // Each round: 34 clicks and 33 right clicks of two events, 33 double clicks of four.
  EXPECT_EQ(fake().mouse().eventCount(), 3600u * (34 * 2 + 33 * 2 + 33 * 4));
  EXPECT_TRUE(checker.leftButtonUp());
  EXPECT_TRUE(fake().mouseEvents().empty());
  EXPECT_TRUE(fake().messageBoxes().empty());
}

TEST_F(Soak, ASinglePointAtTenMillisecondsForADayCountsEveryClick) {
  user().selectTab(*form().PageControl1, 0);
  form().seconds->SetValue(0);
  form().hundreth->SetValue(1);
  ASSERT_EQ(form().Timer1->Interval(), kTick);
  user().moveMouse(640, 512);
  TickChecker checker(fake().now(), [](std::uint64_t) {
    return TickChecker::Tick{{640, 512}, {MouseAction::kLeftDown, MouseAction::kLeftUp}, 2};
  });
  watch(checker);
  user().click(*form().singclickstartbtn);

  // The first hour warms up whatever the run keeps; the other 23 must not
  // add to it.
  fake().advance(kHour);
  const std::size_t heapAfterAnHour = HeapInUse();
  for (int hour = 2; hour <= 24; ++hour) {
    fake().advance(kHour);
    ASSERT_EQ(checker.failure(), "");
    ASSERT_EQ(form().countlabel->Caption(), std::to_string(hour * 360'000)) << "hour " << hour;
  }
  if (kHeapMeasurable) {
    EXPECT_LT(HeapInUse(), heapAfterAnHour + 64 * 1024);
  }
  user().click(*form().singleclickstopbutton);
  fake().advance(kHour);
  EXPECT_EQ(checker.failure(), "");
  EXPECT_EQ(checker.completeTicks(), kDay / kTick);
  EXPECT_EQ(form().countlabel->Caption(), "8640000");
  EXPECT_EQ(fake().mouse().eventCount(), 2 * kDay / kTick);
  EXPECT_TRUE(checker.leftButtonUp());
  EXPECT_EQ(fake().mouseEvents().capacity(), 0u) << "nothing recorded";
  EXPECT_TRUE(fake().messageBoxes().empty());
}
