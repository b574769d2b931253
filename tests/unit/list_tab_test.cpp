// The Multiple Click Points tab driven as a user would: building the click
// list by hand and by capture, running it on the virtual clock, pausing,
// what every way of ending a run does to a held mouse button, and the
// Save and Load buttons. The rules themselves are the session's and the
// list file's (session_test.cpp, list_file_test.cpp); here, what the tab
// shows of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/harness.h"

using platform::MouseAction;
using testing_support::Tapfinch;

namespace {

constexpr std::uint32_t kModControl = platform::kModControl;

class ClickListTab : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.started());
    ASSERT_EQ(form().PageControl1->ActivePage(), form().TabSheet2);
  }
  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }

  // The tab's interval fields, as the user steps them.
  void setInterval(int hours, int minutes, int seconds, int tenths, int hundredths) {
    form().mtimeinterval->SetValue(hours);
    form().mminutes->SetValue(minutes);
    form().mseconds->SetValue(seconds);
    form().mtenth->SetValue(tenths);
    form().mhundreth->SetValue(hundredths);
  }

  // Types a point, picks an option and presses Add to List (capture on).
  void add(const std::string& x, const std::string& y, int option) {
    if (!form().addtolistbutton->Enabled()) user().click(*form().mstartspecify);
    user().enterText(*form().mxpostext, x);
    user().enterText(*form().mypostext, y);
    TRadioButton* radios[] = {form().RadioButton1, form().RadioButton2, form().RadioButton3, form().RadioButton4,
                              form().RadioButton5};
    user().click(*radios[option - 1]);
    user().click(*form().addtolistbutton);
  }

  std::vector<std::string> rows() {
    std::vector<std::string> all;
    for (int i = 0; i < form().listbox1->Items().Count(); ++i) all.push_back(form().listbox1->Items()[i]);
    return all;
  }

  std::vector<int> selectedRows() {
    std::vector<int> selected;
    for (int i = 0; i < form().listbox1->Items().Count(); ++i) {
      if (form().listbox1->Selected(i)) selected.push_back(i);
    }
    return selected;
  }

  // Times and places of the left-button downs since the last clear.
  std::vector<std::pair<std::uint64_t, platform::Point>> downs() {
    std::vector<std::pair<std::uint64_t, platform::Point>> found;
    for (const auto& e : fake().mouseEvents()) {
      if (e.action == MouseAction::kLeftDown) found.emplace_back(e.time, e.at);
    }
    return found;
  }

  void pressDelete() {
    user().focus(form().listbox1->List());
    fake().desktop().pressKey(platform::kVkDelete);
  }

  Tapfinch app;
};

}  // namespace

TEST_F(ClickListTab, AddBuildsEachRowFromTheFieldsAsTyped) {
  add("512", "384", 1);
  setInterval(0, 0, 1, 2, 5);
  add("-200", "40", 4);
  setInterval(0, 0, 0, 0, 1);
  add(" 7", "9", 2);
  setInterval(1, 30, 0, 0, 0);
  add("100", "100", 5);
  EXPECT_EQ(rows(),
            (std::vector<std::string>{"512, 384, 1, 5", "-200, 40, 4, 1.25", " 7, 9, 2, 0.01", "100, 100, 5, 5400"}));
  EXPECT_EQ(form().session->List().Count(), 4);
  const ClickEntry& third = form().session->List().At(3);
  EXPECT_EQ(third.x, 7) << "the blank stays in the row, not in the entry";
  EXPECT_EQ(third.option, 2);
  EXPECT_DOUBLE_EQ(third.delay, 0.01);
  EXPECT_TRUE(form().mstartspecify->Focused()) << "ready for the space bar";
  EXPECT_TRUE(fake().messageBoxes().empty());

  // A field that is not a number: the conversion error and no change.
  user().enterText(*form().mxpostext, "");
  fake().desktop().pressKey(platform::kVkDelete);
  user().click(*form().addtolistbutton);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text, "'' is not a valid integer value.");
  EXPECT_EQ(form().session->List().Count(), 4);
  EXPECT_EQ(rows().size(), 4u);
}

TEST_F(ClickListTab, HoldsAHundredEntriesAndDeleteMakesRoomAgain) {
  user().click(*form().mstartspecify);
  user().enterText(*form().mxpostext, "1");
  user().enterText(*form().mypostext, "2");
  for (int i = 0; i < 100; ++i) user().click(*form().addtolistbutton);
  EXPECT_EQ(form().session->List().Count(), 100);
  EXPECT_TRUE(fake().messageBoxes().empty());
  user().click(*form().addtolistbutton);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text,
            "Currently, only 100 click points can be specified\r\nDelete one or more click points by selecting it "
            "from the list, and pressing the delete key.");
  EXPECT_EQ(fake().messageBoxes()[0].caption, "Information");
  EXPECT_EQ(rows().size(), 100u);

  user().click(form().listbox1->List(), 5, 5);
  fake().desktop().pressKey(platform::kVkDelete);
  EXPECT_EQ(form().session->List().Count(), 99);
  user().click(*form().addtolistbutton);
  EXPECT_EQ(form().session->List().Count(), 100);
  EXPECT_EQ(fake().messageBoxes().size(), 1u);
}

TEST_F(ClickListTab, DeleteRemovesTheSelectedEntryAndClearEmptiesTheList) {
  add("1", "1", 1);
  add("2", "2", 2);
  add("3", "3", 3);
  pressDelete();  // nothing selected: nothing happens
  EXPECT_EQ(form().session->List().Count(), 3);
  user().click(form().listbox1->List(), 5, 3);  // row A
  fake().desktop().pressKey(platform::kVkBack);
  EXPECT_EQ(form().session->List().Count(), 3) << "only Delete deletes";
  fake().desktop().pressKey(platform::kVkDelete);
  EXPECT_EQ(rows(), (std::vector<std::string>{"2, 2, 2, 5", "3, 3, 3, 5"}));
  EXPECT_EQ(form().session->List().At(1).x, 2);
  EXPECT_EQ(form().session->List().At(2).x, 3);
  EXPECT_EQ(form().session->List().Count(), 2);

  // A run moves the position on; Clear sends it back.
  user().click(*form().mclicklistbtn);
  while (form().session->ListPosition() != 2) fake().advance(100);
  user().click(*form().mclicklistbtn);
  user().click(*form().mclearlistbtn);
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(form().session->List().Count(), 0);
  EXPECT_EQ(form().session->ListPosition(), 1);
  add("9", "9", 1);
  EXPECT_EQ(rows(), (std::vector<std::string>{"9, 9, 1, 5"}));
  EXPECT_EQ(form().session->List().At(1).x, 9);
}

TEST_F(ClickListTab, RunClicksEachEntryAfterTheDelayOfTheOneBefore) {
  setInterval(0, 0, 1, 0, 0);
  add("10", "10", 1);
  setInterval(0, 0, 2, 0, 0);
  add("20", "20", 1);
  setInterval(0, 0, 3, 0, 0);
  add("30", "30", 1);
  // The first click comes one full current interval (3 s, the fields' last
  // total) after the press; then 1, 2 and 3 s, round again.
  fake().clearMouseEvents();
  const std::uint64_t start = fake().now();
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop");
  std::vector<int> highlighted;
  for (int i = 0; i < 5; ++i) {
    const auto before = downs().size();
    while (downs().size() == before) fake().advance(10);
    highlighted.push_back(selectedRows().size() == 1 ? selectedRows()[0] : -1);
  }
  const auto d = downs();
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].first - start, 3000u);
  EXPECT_EQ(d[1].first - d[0].first, 1000u);
  EXPECT_EQ(d[2].first - d[1].first, 2000u);
  EXPECT_EQ(d[3].first - d[2].first, 3000u);
  EXPECT_EQ(d[4].first - d[3].first, 1000u);
  EXPECT_EQ(d[0].second, (platform::Point{10, 10}));
  EXPECT_EQ(d[3].second, (platform::Point{10, 10}));
  EXPECT_EQ(highlighted, (std::vector<int>{0, 1, 2, 0, 1}));
  EXPECT_FALSE(form().listbox1->MultiSelect());

  // Stopped right after entry 2, started again: entry 3, 2 s after the press.
  user().click(*form().mclicklistbtn);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  fake().advance(5000);
  EXPECT_EQ(downs().size(), 5u);
  const std::uint64_t again = fake().now();
  user().click(*form().mclicklistbtn);
  fake().advance(2000);
  ASSERT_EQ(downs().size(), 6u);
  EXPECT_EQ(downs().back().first - again, 2000u);
  EXPECT_EQ(downs().back().second, (platform::Point{30, 30}));

  // Capture Stop sends the run back to entry 1.
  user().click(*form().mstopspecify);
  fake().advance(3000);
  EXPECT_EQ(downs().back().second, (platform::Point{10, 10}));
}

TEST_F(ClickListTab, AListOfOneKeepsItsRowHighlightedAsItGoesRound) {
  setInterval(0, 0, 0, 1, 0);
  add("10", "10", 1);
  user().click(*form().mclicklistbtn);
  for (int round = 1; round <= 4; ++round) {
    fake().advance(100);
    EXPECT_EQ(selectedRows(), std::vector<int>{0}) << "round " << round;
  }
}

TEST_F(ClickListTab, WithRoundsSetOnTheOptionsTabARunEndsByItselfAndLooksStopped) {
  setInterval(0, 0, 0, 1, 0);
  add("10", "10", 2);  // a hold
  add("20", "20", 3);  // its release
  add("30", "30", 2);  // and a hold last
  user().click(*form().mstopspecify);
  user().selectTab(*form().PageControl1, 2);
  user().enterText(*form().roundsspin, "2");
  user().selectTab(*form().PageControl1, 1);
  fake().clearMouseEvents();
  user().click(*form().mclicklistbtn);
  fake().advance(100 * 6 + 50);
  EXPECT_EQ(downs().size(), 4u) << "two rounds of two holds";
  EXPECT_FALSE(fake().mouse().leftHeld()) << "the last hold let go at the end";
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  EXPECT_FALSE(form().stophotkey->Active());
  fake().advance(1000);
  EXPECT_EQ(downs().size(), 4u);
}

TEST_F(ClickListTab, ADelayOfZeroHaltsTheRunAndPauseRestartsAFullWait) {
  setInterval(0, 0, 1, 0, 0);
  add("1", "1", 1);
  setInterval(0, 0, 0, 0, 0);
  add("2", "2", 1);
  setInterval(0, 0, 0, 3, 0);
  add("3", "3", 1);
  fake().clearMouseEvents();
  user().click(*form().mclicklistbtn);  // interval 0.3 s from the fields: 300 ms
  fake().advance(60000);
  EXPECT_EQ(downs().size(), 2u) << "entries 1 and 2, then nothing";
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop");
  EXPECT_TRUE(form().listclicktimer->Enabled());
  EXPECT_EQ(form().listclicktimer->Interval(), 0u);
  user().click(*form().mpausebutton);
  user().click(*form().mpausebutton);
  fake().advance(60000);
  EXPECT_EQ(downs().size(), 2u) << "Pause and Resume do not revive it";
  user().click(*form().mclicklistbtn);

  // 0.3 s is a wait of 299 ms; a pause discards the rest of it. The
  // fields give the timer 300 ms again when they change.
  form().mtenth->SetValue(2);
  form().mtenth->SetValue(3);
  ASSERT_EQ(form().session->ListPosition(), 3) << "halted after entry 2";
  fake().clearMouseEvents();
  user().click(*form().mclicklistbtn);
  fake().advance(300);  // the fields' 300 ms: entry 3
  ASSERT_EQ(downs().size(), 1u);
  EXPECT_EQ(form().listclicktimer->Interval(), 299u);
  fake().advance(200);
  user().click(*form().mpausebutton);
  EXPECT_EQ(form().mpausebutton->Caption(), "Resume");
  fake().advance(5000);
  EXPECT_EQ(downs().size(), 1u);
  const std::uint64_t resumed = fake().now();
  user().click(*form().mpausebutton);
  fake().advance(299);
  ASSERT_EQ(downs().size(), 2u);
  EXPECT_EQ(downs().back().first - resumed, 299u);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Stop") << "the captions are independent";
}

TEST_F(ClickListTab, AnEmptyListNeitherStartsNorKeepsARunGoing) {
  user().click(*form().mclicklistbtn);
  user().click(*form().mpausebutton);
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  EXPECT_EQ(form().mpausebutton->Caption(), "Pause");
  EXPECT_FALSE(form().listclicktimer->Enabled());

  add("5", "5", 2);  // a Click-Hold
  user().click(*form().mclicklistbtn);
  fake().advance(5000);
  ASSERT_EQ(downs().size(), 1u);
  user().click(*form().mclearlistbtn);
  fake().clearMouseEvents();
  fake().advance(5000);
  EXPECT_FALSE(form().listclicktimer->Enabled()) << "the run ended at its next tick";
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");
  ASSERT_EQ(fake().mouseEvents().size(), 1u) << "no entry clicked, the held button let go";
  EXPECT_EQ(fake().mouseEvents()[0].action, MouseAction::kLeftUp);
  fake().advance(50000);
  EXPECT_EQ(fake().mouseEvents().size(), 1u);
}

TEST_F(ClickListTab, ClickHoldThenReleaseDragsAndEveryEndOfARunLetsTheButtonGo) {
  setInterval(0, 0, 1, 0, 0);
  add("100", "100", 2);
  add("300", "200", 3);
  fake().clearMouseEvents();
  user().click(*form().mclicklistbtn);
  fake().advance(2000);
  ASSERT_EQ(fake().mouseEvents().size(), 2u);
  EXPECT_EQ(fake().mouseEvents()[0].action, MouseAction::kLeftDown);
  EXPECT_EQ(fake().mouseEvents()[0].at, (platform::Point{100, 100}));
  EXPECT_EQ(fake().mouseEvents()[1].action, MouseAction::kLeftUp);
  EXPECT_EQ(fake().mouseEvents()[1].at, (platform::Point{300, 200}));
  user().click(*form().mclicklistbtn);

  // Stopped between the hold and the release: the button goes up at once.
  // Capture Start and Stop send the next run back to the hold.
  auto fromTheHold = [&] {
    user().click(*form().mstartspecify);
    user().click(*form().mstopspecify);
  };
  auto heldThenEnded = [&](const std::function<void()>& end) {
    fromTheHold();
    fake().clearMouseEvents();
    if (form().mclicklistbtn->Caption() == "Click the List") user().click(*form().mclicklistbtn);
    fake().advance(1000);
    EXPECT_EQ(fake().mouseEvents().back().action, MouseAction::kLeftDown);
    end();
    const auto& events = fake().mouseEvents();
    return events.size() == 2 && events.back().action == MouseAction::kLeftUp;
  };
  EXPECT_TRUE(heldThenEnded([&] { user().click(*form().mclicklistbtn); })) << "Stop";
  EXPECT_TRUE(heldThenEnded([&] { user().click(*form().mstartspecify); })) << "capture Start";
  EXPECT_TRUE(heldThenEnded([&] { user().click(*form().mstopspecify); })) << "capture Stop";
  // The stop hotkey (held from start-up until a single-point run stops).
  EXPECT_TRUE(heldThenEnded([&] {
    ASSERT_TRUE(fake().pressHotKey(kModControl, 0x79));
    fake().runPending();
  })) << "stop hotkey";
  EXPECT_EQ(form().mclicklistbtn->Caption(), "Click the List");

  // Pause keeps it down, so the drag resumes; a release entry lets it go.
  fromTheHold();
  fake().clearMouseEvents();
  user().click(*form().mclicklistbtn);
  fake().advance(1000);
  user().click(*form().mpausebutton);
  EXPECT_EQ(fake().mouseEvents().size(), 1u);
  user().click(*form().mpausebutton);
  fake().advance(1000);
  EXPECT_EQ(fake().mouseEvents().back().action, MouseAction::kLeftUp);
  EXPECT_EQ(fake().mouseEvents().size(), 2u);

  // The program's exit lets go too: round again to the hold.
  fake().advance(1000);
  ASSERT_EQ(fake().mouseEvents().back().action, MouseAction::kLeftDown);
  const auto before = fake().mouseEvents().size();
  app.shutdown();
  ASSERT_EQ(fake().mouseEvents().size(), before + 1);
  EXPECT_EQ(fake().mouseEvents().back().action, MouseAction::kLeftUp);
}

TEST_F(ClickListTab, CaptureTracksLocksAndAddsWithTheHotkeysOption) {
  EXPECT_TRUE(fake().pressHotKey(kModControl, 'S') == false) << "capture hotkeys are free while capture is off";
  user().click(*form().mstartspecify);
  EXPECT_TRUE(form().Label14->Visible());
  EXPECT_TRUE(form().addtolistbutton->Enabled());
  user().moveMouse(-150, 720);
  fake().advance(10);
  EXPECT_EQ(form().Label12->Caption(), "-150");
  EXPECT_EQ(form().Label13->Caption(), "720");
  user().press(*form().mstartspecify, platform::kVkSpace, ' ');
  EXPECT_EQ(form().mxpostext->Text(), "-150");
  EXPECT_TRUE(form().listbox1->Items().Count() == 0) << "the space bar only locks";

  user().moveMouse(640, 480);
  fake().advance(10);
  ASSERT_TRUE(fake().pressHotKey(kModControl, 'S'));
  fake().runPending();
  EXPECT_TRUE(form().RadioButton2->Checked());
  EXPECT_EQ(form().session->CaptureOption(), 2);
  EXPECT_EQ(form().mxpostext->Text(), "640");
  EXPECT_EQ(std::vector<std::string>{form().listbox1->Items()[0]}, std::vector<std::string>{"640, 480, 2, 5"});

  // With another tab showing, a capture hotkey adds its entry all the same,
  // without a word: the focus stays where the user has it.
  for (int tab : {2, 0}) {
    user().selectTab(*form().PageControl1, tab);
    fake().clearMessageBoxes();
    ASSERT_TRUE(fake().pressHotKey(kModControl, tab == 2 ? 'A' : 'F'));
    fake().runPending();
    EXPECT_TRUE(fake().messageBoxes().empty()) << "tab " << tab;
  }
  EXPECT_EQ(form().session->CaptureOption(), 4);
  ASSERT_EQ(form().listbox1->Items().Count(), 3);
  EXPECT_EQ(form().listbox1->Items()[1], "640, 480, 1, 5");
  EXPECT_EQ(form().listbox1->Items()[2], "640, 480, 4, 5");

  user().selectTab(*form().PageControl1, 1);
  user().click(*form().mstopspecify);
  EXPECT_FALSE(form().Label14->Visible());
  EXPECT_FALSE(form().mfindpointtimer->Enabled());
  EXPECT_FALSE(fake().pressHotKey(kModControl, 'S')) << "released again";
  user().moveMouse(1, 1);
  fake().advance(100);
  EXPECT_EQ(form().Label12->Caption(), "640") << "frozen at its last value";
}

TEST_F(ClickListTab, TheAKeyOfTheSingleClickTabAddsFromThisTabsFields) {
  add("11", "22", 3);
  user().selectTab(*form().PageControl1, 0);
  user().click(*form().CheckBox2);
  user().click(*form().singfindclickptstartbtn);
  user().moveMouse(5, 6);
  fake().advance(10);
  fake().clearMessageBoxes();
  user().press(*form().singfindclickptstartbtn, 'A', 'a');
  EXPECT_EQ(form().xpostext->Text(), "5");
  EXPECT_FALSE(form().session->PointSet()) << "the a key locks nothing";
  ASSERT_EQ(form().listbox1->Items().Count(), 2);
  EXPECT_EQ(form().listbox1->Items()[1], "11, 22, 3, 5");
  EXPECT_TRUE(fake().messageBoxes().empty());
  EXPECT_TRUE(form().singfindclickptstartbtn->Focused()) << "the focus stays on this tab";
}

TEST_F(ClickListTab, DeleteDuringARunRemovesTheRowTheUserPickedNotTheOneJustClicked) {
  setInterval(0, 0, 0, 1, 0);  // a tenth of a second a point
  add("1", "1", 1);
  add("2", "2", 1);
  add("3", "3", 1);
  user().click(form().listbox1->List(), 5, 3);  // the user picks row 1
  user().click(*form().mclicklistbtn);
  fake().advance(250);  // rows 1 and 2 clicked: the run highlights row 2
  ASSERT_EQ(selectedRows(), std::vector<int>{1}) << "the run's highlight is kept";
  pressDelete();
  EXPECT_EQ(rows(), (std::vector<std::string>{"2, 2, 1, 0.1", "3, 3, 1, 0.1"}));
  EXPECT_EQ(form().session->List().At(1).x, 2);
  // Nothing picked since: a second Delete removes nothing.
  pressDelete();
  EXPECT_EQ(rows().size(), 2u);
  user().click(*form().mclicklistbtn);
}

TEST_F(ClickListTab, SaveAndLoadAskTheirDialogsAndALoadThatFailsShowsWhyAndKeepsTheRows) {
  const auto folder = std::filesystem::temp_directory_path() / "tapfinch-list-tab";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string saved = (folder / "list.txt").string();
  const std::string bad = (folder / "bad.txt").string();
  std::ofstream(bad, std::ios::binary) << "1, 1, 1, 1\r\nabc\r\n";

  // An empty list saves nothing and asks nothing.
  user().click(*form().msavelistbtn);
  EXPECT_TRUE(fake().boxes().fileDialogs().empty());

  add("512", "384", 1);
  add("7", "9", 2);
  fake().boxes().answerFileDialog(saved);
  form().SaveClickList1->Click();  // the menu item does what the button does
  const auto& saving = fake().boxes().fileDialogs().back();
  EXPECT_TRUE(saving.save);
  EXPECT_EQ(saving.title, "Save Click List - Tapfinch");
  EXPECT_EQ(saving.fileName, "tapfinchlist");
  EXPECT_EQ(saving.defaultExt, "txt");
  EXPECT_TRUE(saving.options.overwritePrompt);
  std::ifstream file(saved, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
            "512, 384, 1, 5\r\n7, 9, 2, 5\r\n");

  // A refused file: its message, and the rows and the picked row as they were.
  user().click(form().listbox1->List(), 5, 3);
  fake().boxes().answerFileDialog(bad);
  user().click(*form().mloadlistbtn);
  ASSERT_EQ(fake().messageBoxes().size(), 1u);
  EXPECT_EQ(fake().messageBoxes()[0].text,
            "Line 2 of " + bad + ": 'abc' is not a valid integer value; the list is unchanged.");
  EXPECT_EQ(rows(), (std::vector<std::string>{"512, 384, 1, 5", "7, 9, 2, 5"}));
  pressDelete();
  EXPECT_EQ(rows(), (std::vector<std::string>{"7, 9, 2, 5"})) << "the picked row is still the one Delete removes";

  // Cancelled: nothing changes. Loaded: the file's rows, nothing picked.
  user().click(*form().mloadlistbtn);
  EXPECT_FALSE(fake().boxes().fileDialogs().back().save);
  EXPECT_EQ(fake().boxes().fileDialogs().back().title, "") << "the dialog's standard title";
  EXPECT_EQ(rows(), (std::vector<std::string>{"7, 9, 2, 5"}));
  fake().boxes().answerFileDialog(saved);
  user().click(*form().mloadlistbtn);
  EXPECT_EQ(rows(), (std::vector<std::string>{"512, 384, 1, 5", "7, 9, 2, 5"}));
  pressDelete();
  EXPECT_EQ(rows().size(), 2u) << "nothing picked after a load";
  std::filesystem::remove_all(folder);
}
