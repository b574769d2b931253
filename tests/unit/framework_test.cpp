// The framework's own rules, on a bare application and form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/comctrls.h"
#include "framework/exceptions.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "platform/fake/fake_platform.h"

namespace {

class Bare : public ::testing::Test {
 protected:
  Bare() {
    app.Initialize();
    app.SetTitle("Bare");
    form = app.CreateForm<TForm>("Form");
    form->SetBounds(0, 0, 300, 200);
  }

  TTimer* timer(std::uint32_t interval, std::vector<std::uint64_t>& fired) {
    auto* t = Make<TTimer>(*form, "timer");
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetOnTimer([this, &fired](TObject*) { fired.push_back(fake.now()); });
    return t;
  }

  platform::fake::FakePlatform fake;
  TApplication app{fake};
  TForm* form = nullptr;
};

}  // namespace

TEST_F(Bare, AnErrorUnderATimerTickIsShownAndTheTimerGoesOn) {
  std::vector<std::uint64_t> fired;
  TTimer* t = timer(100, fired);
  t->SetOnTimer([&](TObject*) {
    fired.push_back(fake.now());
    throw EConvertError("'x' is not a valid integer value");
  });
  t->SetEnabled(true);
  fake.advance(300);
  EXPECT_EQ(fired.size(), 3u);
  ASSERT_EQ(fake.messageBoxes().size(), 3u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "'x' is not a valid integer value.");
}

TEST_F(Bare, TimerOnlyAChangeOfIntervalOrEnabledRearmsIt) {
  std::vector<std::uint64_t> fired;
  TTimer* t = timer(1000, fired);
  t->SetEnabled(true);
  fake.advance(500);
  t->SetInterval(1000);  // same interval: the countdown goes on
  t->SetEnabled(true);   // same state: likewise
  fake.advance(500);
  ASSERT_EQ(fired, (std::vector<std::uint64_t>{1000}));
  fake.advance(300);
  t->SetInterval(2000);  // a new interval restarts the wait from now
  fake.advance(1999);
  EXPECT_EQ(fired.size(), 1u);
  fake.advance(1);
  EXPECT_EQ(fired.back(), 3300u);
  t->SetEnabled(false);
  fake.advance(10000);
  EXPECT_EQ(fired.size(), 2u);
  t->SetEnabled(true);  // a full new wait
  fake.advance(2000);
  EXPECT_EQ(fired.back(), 15300u);
}

TEST_F(Bare, TimerWithIntervalZeroNeverFiresUntilGivenOne) {
  std::vector<std::uint64_t> fired;
  TTimer* t = timer(0, fired);
  t->SetEnabled(true);
  EXPECT_FALSE(t->Running());
  fake.advance(100000);
  EXPECT_TRUE(fired.empty());
  t->SetInterval(50);
  fake.advance(100);
  EXPECT_EQ(fired, (std::vector<std::uint64_t>{100050, 100100}));
}

TEST_F(Bare, RefusedTimerRaisesOutOfResourcesAndKeepsItsState) {
  std::vector<std::uint64_t> fired;
  TTimer* t = timer(100, fired);
  fake.refuseTimers(true);
  try {
    t->SetEnabled(true);
    FAIL() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  EXPECT_TRUE(t->Enabled());
  EXPECT_EQ(t->Interval(), 100u);
  fake.advance(1000);
  EXPECT_TRUE(fired.empty());
  // Under a handler the error reaches the default error handler.
  fake.clearMessageBoxes();
  form->Guard([&] { t->SetInterval(200); });
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "Not enough timers available.");
  EXPECT_EQ(fake.messageBoxes()[0].caption, "Bare");
}

TEST_F(Bare, FastTimersHoldOneMillisecondResolutionWhileAnyRuns) {
  std::vector<std::uint64_t> fired;
  TTimer* fast1 = timer(10, fired);
  TTimer* fast2 = timer(15, fired);
  TTimer* slow = timer(16, fired);
  slow->SetEnabled(true);
  EXPECT_FALSE(fake.highResolution());
  fast1->SetEnabled(true);
  fast2->SetEnabled(true);
  EXPECT_TRUE(fake.highResolution());
  fast1->SetEnabled(false);
  EXPECT_TRUE(fake.highResolution());
  fast2->SetInterval(0);  // enabled but not running
  EXPECT_FALSE(fake.highResolution());
  fast2->SetInterval(12);
  EXPECT_TRUE(fake.highResolution());
  const int calls = fake.highResolutionCalls();
  fast2->SetInterval(11);  // still fast: no churn
  EXPECT_EQ(fake.highResolutionCalls(), calls);
  fast2->SetInterval(5000);
  EXPECT_FALSE(fake.highResolution());
}

TEST_F(Bare, ErrorHandlerAppendsAFullStopOnlyAfterLettersAndDigits) {
  form->Guard([] { throw EConvertError("abc"); });
  form->Guard([] { throw EConvertError("done."); });
  form->Guard([] { throw EConvertError("'quoted'"); });
  form->Guard([] { throw EConvertError("A\xE9"); });
  form->Guard([] { throw EAbort(); });
  form->Guard([] { throw EConvertError(""); });
  ASSERT_EQ(fake.messageBoxes().size(), 5u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "abc.");
  EXPECT_EQ(fake.messageBoxes()[1].text, "done.");
  EXPECT_EQ(fake.messageBoxes()[2].text, "'quoted'");
  EXPECT_EQ(fake.messageBoxes()[3].text, "A\xE9.");
  EXPECT_EQ(fake.messageBoxes()[4].text, "");
  EXPECT_EQ(fake.messageBoxes()[0].flags, platform::kMbOk | platform::kMbIconStop);
}

TEST_F(Bare, CodeSetCheckStatesRaiseClickOnlyOnChange) {
  auto* box = Make<TCheckBox>(*form, "box");
  box->SetParent(form);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetChecked(false);
  EXPECT_EQ(clicks, 0);
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box->PeerClicked();  // the user toggles it
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);

  std::vector<std::string> radioClicks;
  std::vector<TRadioButton*> radios;
  for (const char* name : {"r1", "r2", "r3"}) {
    auto* radio = Make<TRadioButton>(*form, name);
    radio->SetParent(form);
    radio->OnClick = [&radioClicks, name](TObject*) { radioClicks.emplace_back(name); };
    radios.push_back(radio);
  }
  radios[0]->SetChecked(true);
  radios[2]->SetChecked(true);
  EXPECT_FALSE(radios[0]->Checked()) << "siblings are turned off";
  radios[2]->SetChecked(true);
  radios[1]->SetChecked(false);
  EXPECT_EQ(radioClicks, (std::vector<std::string>{"r1", "r3"})) << "only a change to checked clicks";
}

TEST_F(Bare, DisabledButtonStillRunsOnClickWhenClickedFromCode) {
  auto* button = Make<TButton>(*form, "button");
  button->SetParent(form);
  button->SetEnabled(false);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(Bare, FocusingAControlThatCannotTakeItFails) {
  auto* pages = Make<TPageControl>(*form, "pages");
  pages->SetParent(form);
  pages->SetAlign(TAlign::alClient);
  auto* first = Make<TTabSheet>(*form, "first");
  first->SetPageControl(pages);
  auto* second = Make<TTabSheet>(*form, "second");
  second->SetPageControl(pages);
  auto* onSecond = Make<TButton>(*form, "onSecond");
  onSecond->SetParent(second);
  auto* onFirst = Make<TButton>(*form, "onFirst");
  onFirst->SetParent(first);
  form->Show();

  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_FALSE(onSecond->CanFocus());
  try {
    onSecond->SetFocus();
    FAIL() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot focus a disabled or invisible window");
  }
  onFirst->SetFocus();
  EXPECT_TRUE(onFirst->Focused());
  onFirst->SetEnabled(false);
  EXPECT_THROW(onFirst->SetFocus(), EInvalidOperation);

  pages->PeerTabSelected(1);
  EXPECT_TRUE(second->Visible());
  EXPECT_FALSE(first->Visible());
  onSecond->SetFocus();
  EXPECT_TRUE(onSecond->Focused());
  EXPECT_EQ(form->ActiveControl(), onSecond);
}

TEST_F(Bare, SettersReachTheNativeWindow) {
  auto* label = Make<TLabel>(*form, "label");
  label->SetParent(form);
  label->SetCaption("hello");
  label->SetEnabled(false);
  label->SetVisible(false);
  auto* peer = dynamic_cast<platform::fake::FakeWindow*>(label->Peer());
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(peer->className(), "TLabel");
  EXPECT_EQ(peer->text(), "hello");
  EXPECT_FALSE(peer->enabled());
  EXPECT_FALSE(peer->visible());
  EXPECT_EQ(peer->bounds().width, 30) << "AutoSize measured the caption";
}

TEST_F(Bare, AlignedChildrenShareTheClientArea) {
  auto* panel = Make<TPanel>(*form, "panel");
  panel->SetAlign(TAlign::alClient);
  panel->SetParent(form);
  auto* left = Make<TPanel>(*form, "left");
  left->SetBounds(0, 0, 50, 10);
  left->SetAlign(TAlign::alLeft);
  left->SetParent(panel);
  auto* rest = Make<TPanel>(*form, "rest");
  rest->SetAlign(TAlign::alClient);
  rest->SetParent(panel);
  // Form 300 x 200 without menu: client 292 x 173; panel bevel 1 pixel.
  EXPECT_EQ(panel->BoundsRect(), (platform::Rect{0, 0, 292, 173}));
  EXPECT_EQ(left->BoundsRect(), (platform::Rect{1, 1, 50, 171}));
  EXPECT_EQ(rest->BoundsRect(), (platform::Rect{51, 1, 240, 171}));
}

TEST_F(Bare, FormCreatedLastIsDestroyedWithOnDestroyFirst) {
  std::vector<std::string> log;
  struct Probe : TComponent {
    Probe(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), log_(log) {}
    ~Probe() override { log_->push_back("probe destroyed"); }
    std::vector<std::string>* log_;
  };
  auto* second = app.CreateForm<TForm>("Second");
  Make<Probe>(*second, "probe", &log);
  second->OnDestroy = [&](TObject*) { log.push_back("OnDestroy"); };
  second->DestroyComponents();
  EXPECT_EQ(log, (std::vector<std::string>{"probe destroyed"}));
  log.clear();
  Make<Probe>(*second, "probe", &log);
  app.DestroyComponents();
  EXPECT_EQ(log, (std::vector<std::string>{"OnDestroy", "probe destroyed"}));
}

TEST_F(Bare, ParentColourReachesChildrenThatTakeIt) {
  auto* panel = Make<TPanel>(*form, "panel");
  panel->SetParent(form);
  auto* group = Make<TGroupBox>(*form, "group");
  group->SetParent(panel);
  auto* label = Make<TLabel>(*form, "label");
  label->SetParent(group);
  auto* own = Make<TLabel>(*form, "own");
  own->SetColor(clRed);
  own->SetParent(group);
  panel->SetColor(clGray);
  EXPECT_EQ(group->Color(), clGray);
  EXPECT_EQ(label->Color(), clGray);
  EXPECT_EQ(dynamic_cast<platform::fake::FakeWindow*>(label->Peer())->color(), clGray);
  EXPECT_EQ(own->Color(), clRed);
  label->SetColor(clWhite);
  panel->SetColor(clSilver);
  EXPECT_EQ(label->Color(), clWhite) << "a colour of its own stays";
  label->SetParentColor(true);
  EXPECT_EQ(label->Color(), clSilver);
}

TEST_F(Bare, ShowModalServesTimersUntilAButtonEndsItAndGivesTheOtherFormsBack) {
  auto* dialog = app.CreateForm<TForm>("Dialog");
  auto* ok = Make<TButton>(*dialog, "ok");
  ok->SetModalResult(mrOk);
  ok->SetBounds(8, 8, 75, 25);
  ok->SetParent(dialog);
  auto* cancel = Make<TButton>(*dialog, "cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  cancel->SetParent(dialog);
  form->Show();
  std::vector<std::uint64_t> fired;
  timer(100, fired)->SetEnabled(true);

  bool formDisabled = false;
  fake.desktop().whenModal([&](platform::fake::FakeTopLevel& window) {
    EXPECT_TRUE(window.visible());
    formDisabled = !form->Enabled();
    fake.advance(250);  // the user takes a while: timers go on
    fake.desktop().click(*dynamic_cast<platform::fake::FakeWindow*>(ok->Peer()), 2, 2);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(formDisabled);
  EXPECT_EQ(fired, (std::vector<std::uint64_t>{100, 200}));
  EXPECT_TRUE(form->Enabled());
  EXPECT_FALSE(dialog->Visible());

  // Esc clicks the Cancel button; a window nobody answers is closed.
  fake.desktop().whenModal([&](platform::fake::FakeTopLevel&) { fake.desktop().pressKey(0x1B); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(fake.desktop().pendingModalScripts(), 0u);

  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(Bare, WhatTheSystemRefusesBecomesTheFrameworksErrors) {
  fake.desktop().refuseWindows(true);
  auto* button = Make<TButton>(*form, "button");
  try {
    button->SetParent(form);
    FAIL() << "no error";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Error creating window");
  }
  fake.desktop().refuseWindows(false);
  fake.clock().refuseTimerWindows(true);
  EXPECT_THROW(Make<TTimer>(*form, "timer"), EOutOfResources);
  fake.clock().refuseTimerWindows(false);

  // An error that reaches the system's side of a window goes to the
  // default error handler, like one raised in a handler.
  fake.clock().reportError(std::make_exception_ptr(EConvertError("lost")));
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "lost.");
}

TEST_F(Bare, DestroyingFormsSurvivesAnOnDestroyThatEndsTheProcess) {
  auto* second = app.CreateForm<TForm>("Second");
  int destroyed = 0;
  second->OnDestroy = [&](TObject*) {
    ++destroyed;
    throw ProcessExit{3};
  };
  form->OnDestroy = [&](TObject*) { ++destroyed; };
  app.DestroyComponents();  // noexcept: a throw would end the test binary
  EXPECT_EQ(destroyed, 2) << "the other form still got its OnDestroy";
}

TEST_F(Bare, ArrowsMoveWithinAGroupAndCheckTheRadioButtonTheyReach) {
  std::vector<TRadioButton*> radios;
  for (const char* name : {"a", "b", "c"}) {
    auto* radio = Make<TRadioButton>(*form, name);
    radio->SetParent(form);
    radios.push_back(radio);
  }
  radios[1]->SetEnabled(false);
  form->Show();
  radios[0]->SetFocus();
  fake.desktop().pressKey(0x28);  // Down skips the disabled one
  EXPECT_TRUE(radios[2]->Focused());
  EXPECT_TRUE(radios[2]->Checked());
  fake.desktop().pressKey(0x28);  // and wraps
  EXPECT_TRUE(radios[0]->Focused());
  EXPECT_TRUE(radios[0]->Checked());
  EXPECT_FALSE(radios[2]->Checked());
}
