// Spin edits and the colour button, in the main window as the program uses them.
#include <gtest/gtest.h>

#include "engine/click_interval.h"
#include "tests/support/harness.h"
#include "tests/support/recording_canvas.h"

using testing_support::RecordingCanvas;
using testing_support::Tapfinch;

namespace {

constexpr std::uint16_t kVkUp = 38;
constexpr std::uint16_t kVkDown = 40;

class Controls : public ::testing::Test {
 protected:
  void SetUp() override { app.user().selectTab(*form().PageControl1, 0); }
  TForm1& form() { return app.form(); }
  platform::fake::FakePlatform& fake() { return app.fake(); }
  testing_support::User& user() { return app.user(); }

  void countChanges(TzcCustomSpinEdit& field) {
    auto previous = field.OnChange;
    field.OnChange = [this, previous](TObject* sender) {
      ++changes;
      if (previous) previous(sender);
    };
  }

  Tapfinch app;
  int changes = 0;
};

}  // namespace

TEST_F(Controls, IntervalFieldStepsWithinItsBoundsAndRaisesChangeOnlyOnChange) {
  TzcFloatSpinEdit& hours = *form().hours;
  countChanges(hours);
  hours.SetValue(23);
  EXPECT_EQ(changes, 1);
  user().focus(hours);
  user().press(hours, kVkUp);
  EXPECT_EQ(hours.Text(), "23");
  EXPECT_EQ(changes, 1) << "a step beyond the bound changes nothing";
  user().press(hours, kVkDown);
  EXPECT_EQ(hours.Text(), "22");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(form().Timer1->Interval(), 22u * 3600000 + 5000);

  TzcFloatSpinEdit& tenth = *form().tenth;
  user().focus(tenth);
  user().press(tenth, kVkDown);
  EXPECT_EQ(tenth.Text(), "0");

  // Code writes are bounded too.
  form().seconds->SetValue(99);
  EXPECT_EQ(form().seconds->Text(), "59");
}

TEST_F(Controls, IntervalFieldsRefuseTypingButStillStep) {
  TzcFloatSpinEdit& minutes = *form().minutes;
  user().focus(minutes);
  const int beepsBefore = fake().beeps();
  for (char c : {'7', 'a', ' ', '\b', '\r'}) user().type(minutes, c);
  EXPECT_EQ(fake().beeps() - beepsBefore, 5);
  EXPECT_EQ(minutes.Text(), "0");
  user().paste(minutes, "3");
  EXPECT_EQ(minutes.Text(), "0") << "no paste";
  user().press(minutes, kVkUp);
  EXPECT_EQ(minutes.Text(), "1");
}

TEST_F(Controls, NumberOfClicksReadsItsTextAndFiltersTyping) {
  app.user().selectTab(*form().PageControl1, 2);
  TzcSpinEdit& count = *form().numclicksspin;
  user().enterText(count, "-5");
  EXPECT_EQ(count.Value(), -5);
  const int beepsBefore = fake().beeps();
  user().type(count, 'a');
  user().type(count, '\r');
  EXPECT_EQ(fake().beeps() - beepsBefore, 2);
  user().enterText(count, "1000000");
  user().focus(*form().doubleclickbox);  // leaving the field: no bounds, the text stays
  EXPECT_EQ(count.Text(), "1000000");
  user().focus(count);
  user().press(count, kVkUp);
  EXPECT_EQ(count.Value(), 1000001);
}

TEST_F(Controls, LeavingABoundedFieldClampsATextOutsideItsBounds) {
  TzcFloatSpinEdit& seconds = *form().seconds;
  seconds.SetEditorEnabled(true);
  user().enterText(seconds, "75");
  EXPECT_EQ(seconds.Text(), "75");
  user().focus(*form().minutes);
  EXPECT_EQ(seconds.Text(), "59");
}

TEST_F(Controls, SpinButtonStepsOnReleaseAndRepeatsWhileHeld) {
  TzcFloatSpinEdit& hundreth = *form().hundreth;
  TzcSpinBtn& arrows = hundreth.SpinButton();
  auto& desktop = fake().desktop();
  auto& window = testing_support::WindowOf(arrows);
  const int upper = 1;
  const int lower = arrows.Height() - 1;
  const auto down = [&](int y, platform::ShiftBits extra = 0) {
    desktop.mouseDown(window, platform::MouseButton::kLeft, 2, y,
                      static_cast<platform::ShiftBits>(platform::kLeftButton | extra));
  };
  const auto up = [&](int y) { desktop.mouseUp(window, platform::MouseButton::kLeft, 2, y, 0); };

  down(upper);
  fake().advance(400);
  EXPECT_EQ(hundreth.Text(), "0");
  up(upper);
  EXPECT_EQ(hundreth.Text(), "1") << "a short press is one step, at the release";

  // 1600 ms held: steps at 1000, 1250 and 1500 ms and one at the release.
  down(upper);
  fake().advance(999);
  EXPECT_EQ(hundreth.Text(), "1");
  fake().advance(1);
  EXPECT_EQ(hundreth.Text(), "2");
  fake().advance(600);
  up(upper);
  EXPECT_EQ(hundreth.Text(), "5");
  fake().advance(5000);
  EXPECT_EQ(hundreth.Text(), "5") << "the release stops the repeat";

  // The second press of a double click counts as a press.
  down(lower);
  up(lower);
  down(lower, platform::kDouble);
  up(lower);
  EXPECT_EQ(hundreth.Text(), "3");

  // Moving off the pressed half stops the steps; releasing outside makes none.
  down(upper);
  arrows.PeerMouseMove(2, lower, platform::kLeftButton);
  fake().advance(2000);
  up(100);
  EXPECT_EQ(hundreth.Text(), "3");
}

TEST_F(Controls, AHeldArrowStopsWhenTheMouseCaptureOrTheButtonIsGone) {
  TzcFloatSpinEdit& tenth = *form().tenth;
  TzcSpinBtn& arrows = tenth.SpinButton();
  auto& desktop = fake().desktop();
  auto& window = testing_support::WindowOf(arrows);
  // Held, then a message box or Alt+Tab takes the capture: no release
  // comes, and the field stops where it was.
  desktop.mouseDown(window, platform::MouseButton::kLeft, 2, 1, platform::kLeftButton);
  fake().advance(1000);
  ASSERT_EQ(tenth.Text(), "1");
  desktop.loseCapture();
  fake().advance(10000);
  EXPECT_EQ(tenth.Text(), "1") << "stepped on after the capture was lost";

  // Held, then let go over another window: the next tick sees it.
  desktop.mouseDown(window, platform::MouseButton::kLeft, 2, 1, platform::kLeftButton);
  fake().advance(1000);
  ASSERT_EQ(tenth.Text(), "2");
  desktop.releaseElsewhere();
  fake().advance(10000);
  EXPECT_EQ(tenth.Text(), "2") << "stepped on with nobody holding the arrow";
}

TEST_F(Controls, MultipleTabFieldsFeedTheListTimerAndTheEntryDelay) {
  form().mtimeinterval->SetValue(1000);
  form().mminutes->SetValue(59);
  form().mseconds->SetValue(59);
  form().mtenth->SetValue(9);
  form().mhundreth->SetValue(9);
  EXPECT_EQ(form().listclicktimer->Interval(), 3603599990u) << "passed on unchanged as unsigned";
  EXPECT_EQ(form().Timer1->Interval(), 5000u) << "the other tab's timer is not touched";
  form().mtimeinterval->SetValue(0);
  form().mminutes->SetValue(1);
  form().mseconds->SetValue(30);
  form().mtenth->SetValue(0);
  form().mhundreth->SetValue(0);
  form().mxpostext->SetText("1");
  form().mypostext->SetText("1");
  form().addtolistbuttonClick(nullptr);
  EXPECT_DOUBLE_EQ(form().session->List().At(1).delay, 90) << "a new entry's delay in seconds";
}

TEST_F(Controls, ColourButtonPaintsItsFaceAndReadsItsColourBack) {
  TzColorBtn& start = *form().singclickstartbtn;
  EXPECT_EQ(start.Color(), clBtnFace) << "a system colour reads back as itself";
  start.SetColor(255);
  EXPECT_EQ(start.Color(), 255u);
  RecordingCanvas canvas;
  start.PeerPaint(canvas);
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls[0].op, "fill");
  EXPECT_EQ(canvas.calls[0].color, 255u);
  EXPECT_EQ(canvas.calls[0].rect, (platform::Rect{0, 0, 73, 25}));
  const auto texts = canvas.ofKind("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "START");

  // Disabled: the face keeps its colour and the caption is engraved.
  TzColorBtn& stop = *form().singleclickstopbutton;
  stop.SetColor(clRed);
  RecordingCanvas disabled;
  stop.PeerPaint(disabled);
  EXPECT_EQ(disabled.calls[0].color, clRed);
  const auto engraved = disabled.ofKind("text");
  ASSERT_EQ(engraved.size(), 2u);
  EXPECT_EQ(engraved[0].color, clWhite);
  EXPECT_EQ(engraved[0].rect.left, engraved[1].rect.left + 1);
  EXPECT_EQ(engraved[1].color, clGray);
}

TEST_F(Controls, FocusMakesDefaultLookBoldButNotTheTestButton) {
  TzColorBtn& start = *form().singclickstartbtn;
  app.user().focus(start);
  RecordingCanvas bold;
  start.PeerPaint(bold);
  EXPECT_TRUE(bold.ofKind("text").at(0).font.bold);
  EXPECT_EQ(bold.ofKind("focus").size(), 1u);

  TzColorBtn& test = *form().testbutton;
  app.user().focus(test);
  RecordingCanvas plain;
  test.PeerPaint(plain);
  EXPECT_FALSE(plain.ofKind("text").at(0).font.bold);
  EXPECT_TRUE(plain.ofKind("frame").empty());
}

TEST_F(Controls, ColourButtonKeyboardClicks) {
  TzColorBtn& test = *form().testbutton;
  user().focus(test);
  user().press(test, 0x20);
  EXPECT_EQ(test.Color(), clRed) << "space down and up";
  user().press(test, 0x0D);
  EXPECT_EQ(test.Color(), clBtnFace) << "Enter";
}

TEST_F(Controls, ColourButtonAcceleratorClicksItFromAnyControlThatTakesNoCharacters) {
  TzColorBtn& test = *form().testbutton;
  test.SetCaption("&Test click area");
  TzColorBtn& start = *form().singclickstartbtn;
  user().focus(start);
  user().press(start, 'T', 't');
  EXPECT_EQ(test.Color(), clRed) << "the accelerator from another button";
  EXPECT_TRUE(start.Focused()) << "the focus stays";

  TzcFloatSpinEdit& hours = *form().hours;
  user().focus(hours);
  user().press(hours, 'T', 't');
  EXPECT_EQ(test.Color(), clRed) << "a field takes its characters itself";
  user().press(hours, 'T', 't', platform::kAlt);
  EXPECT_EQ(test.Color(), clBtnFace) << "with Alt, from the field too";

  test.SetEnabled(false);
  user().press(hours, 'T', 't', platform::kAlt);
  EXPECT_EQ(test.Color(), clBtnFace) << "a disabled button is passed over";
  test.SetEnabled(true);
  test.SetCaption("&&Test click area");
  user().press(hours, 'T', 't', platform::kAlt);
  EXPECT_EQ(test.Color(), clBtnFace) << "a doubled ampersand is a plain one";
}

TEST_F(Controls, ThreeDLabelDrawsLightAndDarkCopiesUnderTheText) {
  RecordingCanvas canvas;
  form().setlabel->PeerPaint(canvas);
  const auto texts = canvas.ofKind("text");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].color, clBtnHighlight);
  EXPECT_EQ(texts[0].rect.left, -1);
  EXPECT_EQ(texts[1].color, clBtnShadow);
  EXPECT_EQ(texts[1].rect.left, 1);
  EXPECT_EQ(texts[2].color, clRed);
  EXPECT_TRUE(texts[2].font.bold);
  EXPECT_EQ(texts[2].text, "Click Point SET");
}

TEST_F(Controls, ThreeDLabelFitsItsTextAndAnEmptyOneKeepsAHeight) {
  Tz3DLabel& label = *form().setlabel;
  const TFont bold = label.Font();
  label.SetCaption("Click Point SET and more");
  const platform::Size text = fake().windows().MeasureText("Click Point SET and more", bold);
  EXPECT_EQ(label.Width(), text.width + 1);
  label.SetCaption("");
  EXPECT_EQ(label.Height(), fake().windows().MeasureText(" ", bold).height + 1);
  EXPECT_GT(label.Width(), 1);
  TFont larger = bold;
  larger.height = 20;
  label.SetCaption("SET");
  const int before = label.Width();
  larger.bold = false;
  label.SetFont(larger);
  EXPECT_NE(label.Width(), before) << "a new font re-measures";
}
