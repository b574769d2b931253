// Start-up, the single-instance check and shutdown, with copies of the
// program sharing one simulated desktop.
#include <gtest/gtest.h>

#include "tests/support/harness.h"
#include "ui/Unit2.h"

using platform::fake::FakePlatform;
using platform::fake::FakeTopLevel;
using testing_support::Tapfinch;

namespace {

constexpr const char* kTitle = "Tapfinch by BRENMOOR";
constexpr std::uint32_t kF9 = 0x78;
constexpr std::uint32_t kF10 = 0x79;

FakeTopLevel& PeerOf(const TControl& control) { return dynamic_cast<FakeTopLevel&>(*control.Peer()); }

int WindowsTitled(const FakePlatform& fake, const std::string& title) {
  int count = 0;
  for (FakeTopLevel* window : fake.topLevelWindows()) count += window->text() == title ? 1 : 0;
  return count;
}

bool Holds(const FakePlatform& fake, std::uint32_t modifiers, std::uint32_t key) {
  for (const auto& r : fake.registrations()) {
    if ((r.modifiers & ~platform::kModNoRepeat) == modifiers && r.key == key) return true;
  }
  return false;
}

}  // namespace

TEST(StartUp, FirstCopyShowsItsWindowsInOrder) {
  Tapfinch app;
  ASSERT_TRUE(app.started());
  auto& fake = app.fake();
  EXPECT_EQ(app.program().Application().Title(), kTitle);
  FakeTopLevel* appWindow = fake.findTopLevel("TApplication", kTitle);
  ASSERT_NE(appWindow, nullptr) << "the window a second copy looks for";
  EXPECT_TRUE(appWindow->visible()) << "it carries the taskbar entry";
  EXPECT_TRUE(fake.mutexExists("tapfinch.exe"));
  EXPECT_EQ(app.program().Application().MainForm(), &app.form());
  EXPECT_EQ(app.form().Height(), 265) << "FormCreate ran";
  ASSERT_NE(app.program().Form2(), nullptr);
  EXPECT_FALSE(app.program().Form2()->Visible());
  EXPECT_EQ(PeerOf(*app.program().Form2()).className(), "TForm2");
  EXPECT_EQ(fake.activeForm(), &PeerOf(app.form()));
  // Loading registered the start and stop hotkeys; the capture ones wait.
  EXPECT_TRUE(Holds(fake, platform::kModControl, kF9));
  EXPECT_TRUE(Holds(fake, platform::kModControl, kF10));
  EXPECT_EQ(fake.registrations().size(), 2u);
  EXPECT_FALSE(app.form().clickhotkey->Active());
  EXPECT_EQ(app.form().clickhotkey->HotKey(), 0x4041);
}

TEST(StartUp, TheInstructionsWindowIsBuiltAfterTheMainWindowShowsAndWhatWaitedIsHandled) {
  FakePlatform fake;
  Program program(fake);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Form2(), nullptr) << "not on the way to the main window";
  // Stands for the main window's painting, which waits in the queue.
  bool builtBeforeTheWaitingMessage = true;
  fake.post([&] { builtBeforeTheWaitingMessage = program.Form2() != nullptr; });
  program.Run();
  EXPECT_FALSE(builtBeforeTheWaitingMessage);
  ASSERT_NE(program.Form2(), nullptr);
  EXPECT_FALSE(program.Form2()->Visible());
  EXPECT_EQ(program.Form1()->Form2, program.Form2()) << "the menu's Instructions opens it";
}

TEST(StartUp, ASecondCopyRaisesTheFirstAndEndsBeforeFormCreate) {
  Tapfinch first;
  auto& desktop = first.fake();
  FakeTopLevel& firstForm = PeerOf(first.form());
  const auto zBefore = firstForm.zOrder();
  {
    Tapfinch second(desktop);
    EXPECT_FALSE(second.started());
    // Its own application window lost its title before the search.
    EXPECT_EQ(WindowsTitled(desktop, kTitle), 1);
    auto* form = dynamic_cast<TForm1*>(second.program().Application().FindComponent("Form1"));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Created()) << "FormCreate never ran";
    EXPECT_EQ(form->Height(), 319);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(second.program().Application().FindComponent("Form2"), nullptr);
    EXPECT_TRUE(second.program().Application().Terminated());
    desktop.runPending();
    EXPECT_GT(firstForm.zOrder(), zBefore) << "the first copy came to the top";
  }
  // The first copy's registrations and mutex are untouched by the second.
  EXPECT_TRUE(Holds(desktop, platform::kModControl, kF9));
  EXPECT_TRUE(desktop.mutexExists("tapfinch.exe"));
  EXPECT_EQ(desktop.topLevelWindows().size(), 3u) << "the first copy's three windows, nothing of the second";
}

TEST(StartUp, ASecondCopyRestoresAMinimisedFirst) {
  Tapfinch first;
  auto& desktop = first.fake();
  first.form().PeerMinimizeRequested();  // the title bar's minimise button
  FakeTopLevel* appWindow = desktop.findTopLevel("TApplication", kTitle);
  ASSERT_NE(appWindow, nullptr);
  EXPECT_TRUE(appWindow->iconic());
  EXPECT_FALSE(PeerOf(first.form()).visible());
  Tapfinch second(desktop);
  EXPECT_FALSE(second.started());
  desktop.runPending();
  EXPECT_FALSE(appWindow->iconic());
  EXPECT_TRUE(PeerOf(first.form()).visible());
  EXPECT_EQ(desktop.activeForm(), &PeerOf(first.form()));
}

TEST(StartUp, TheMutexIsNamedAfterTheFileNameNotThePath) {
  FakePlatform desktop;
  desktop.setModuleFileName("C:\\Tools\\tapfinch.exe");
  Tapfinch first(desktop);
  desktop.setModuleFileName("D:\\Copy\\tapfinch.exe");
  Tapfinch sameName(desktop);
  EXPECT_FALSE(sameName.started()) << "another folder, same name: excluded";
  desktop.setModuleFileName("D:\\Copy\\tapfinch2.exe");
  Tapfinch otherName(desktop);
  EXPECT_TRUE(otherName.started()) << "another name runs beside the first";
  EXPECT_TRUE(desktop.mutexExists("tapfinch2.exe"));
  EXPECT_TRUE(first.started());
}

TEST(StartUp, WithoutAMutexOrWithoutTheFirstWindowNothingBreaks) {
  FakePlatform desktop;
  desktop.failMutexCreation(true);
  Tapfinch first(desktop);
  EXPECT_TRUE(first.started()) << "no handle: runs as a first copy";
  first.shutdown();

  // A copy that is still starting (mutex made, no titled window yet): the
  // second ends and activates nothing.
  FakePlatform starting;
  auto mutex = starting.process().CreateNamedMutex("tapfinch.exe");
  Tapfinch second(starting);
  EXPECT_FALSE(second.started());
  starting.runPending();
}

TEST(Shutdown, ClosingTheMainWindowEndsTheLoopAndReleasesEverything) {
  FakePlatform desktop;
  {
    Tapfinch app(desktop);
    app.form().PeerCloseRequested();
    EXPECT_TRUE(app.program().Application().Terminated());
    EXPECT_FALSE(PeerOf(app.form()).visible()) << "out of sight at once, before the settings and the teardown";
    // Let go at the close, before the exit may show a box: no hotkey can
    // start a run behind it.
    EXPECT_TRUE(desktop.registrations().empty());
  }
  EXPECT_TRUE(desktop.registrations().empty());
  EXPECT_FALSE(desktop.mutexExists("tapfinch.exe"));
  EXPECT_EQ(desktop.atomCount(), 0u);
  EXPECT_TRUE(desktop.topLevelWindows().empty());
  EXPECT_FALSE(desktop.highResolution());
}

TEST(StopHotkey, StartArmsItAndStopDisarmsIt) {
  Tapfinch app;
  auto& fake = app.fake();
  TForm1& form = app.form();
  app.user().selectTab(*form.PageControl1, 0);
  EXPECT_TRUE(form.stophotkey->Active()) << "active from loading";
  app.user().click(*form.singclickstartbtn);
  EXPECT_TRUE(fake.pressHotKey(platform::kModControl, kF10));
  fake.runPending();
  EXPECT_FALSE(form.Timer1->Enabled()) << "the stop hotkey stopped the run";
  EXPECT_FALSE(form.stophotkey->Active());
  EXPECT_FALSE(Holds(fake, platform::kModControl, kF10));
  EXPECT_FALSE(fake.pressHotKey(platform::kModControl, kF10)) << "nobody holds it between runs";
  app.user().click(*form.singclickstartbtn);
  EXPECT_TRUE(Holds(fake, platform::kModControl, kF10));
}

TEST(StartHotkey, RunsStartOnTheSingleClickPageOnly) {
  Tapfinch app;
  auto& fake = app.fake();
  TForm1& form = app.form();
  auto pressStart = [&] {
    EXPECT_TRUE(fake.pressHotKey(platform::kModControl, kF9));
    fake.runPending();
  };
  pressStart();  // the window opens on Multiple Click Points
  EXPECT_FALSE(form.Timer1->Enabled());
  app.user().selectTab(*form.PageControl1, 2);
  pressStart();
  EXPECT_FALSE(form.Timer1->Enabled()) << "nothing on the Options page";
  app.user().selectTab(*form.PageControl1, 0);
  pressStart();
  EXPECT_TRUE(form.Timer1->Enabled());
  fake.advance(5000);
  EXPECT_EQ(form.countlabel->Caption(), "1");
  pressStart();  // START is disabled now, the hotkey performs it anyway
  EXPECT_EQ(form.countlabel->Caption(), "0");
  EXPECT_TRUE(form.Timer1->Enabled());
}
