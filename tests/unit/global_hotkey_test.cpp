// The global hotkey component's setter rules, on a bare application.
#include <gtest/gtest.h>

#include <vector>

#include "framework/exceptions.h"
#include "framework/forms.h"
#include "hotkeys/global_hotkey.h"
#include "platform/fake/fake_platform.h"

using platform::kModAlt;
using platform::kModControl;

namespace {

constexpr std::uint32_t kF9 = 0x78;
constexpr std::uint32_t kF11 = 0x7A;

class GlobalHotKey : public ::testing::Test {
 protected:
  GlobalHotKey() {
    app.Initialize();
    form = app.CreateForm<TForm>("Form");
  }

  TLMDGlobalHotKey* make(const char* name) {
    auto* hotkey = Make<TLMDGlobalHotKey>(*form, name);
    hotkey->OnKeyDown = [this, hotkey](TObject* sender, std::uint16_t& key, TShiftState shift) {
      EXPECT_EQ(sender, hotkey);
      presses.push_back({hotkey, key, shift});
    };
    return hotkey;
  }

  bool press(std::uint32_t modifiers, std::uint32_t key) {
    const bool held = fake.pressHotKey(modifiers, key);
    fake.runPending();
    return held;
  }

  struct Press {
    TLMDGlobalHotKey* hotkey;
    std::uint16_t key;
    TShiftState shift;
  };
  platform::fake::FakePlatform fake;
  TApplication app{fake};
  TForm* form = nullptr;
  std::vector<Press> presses;
};

}  // namespace

TEST_F(GlobalHotKey, ActiveAndHotKeySettersRegisterOnlyOnARealChange) {
  TLMDGlobalHotKey* hotkey = make("hotkey");
  EXPECT_TRUE(hotkey->Active()) << "active from construction";
  EXPECT_TRUE(fake.registrations().empty()) << "but nothing to register yet";

  hotkey->SetActive(true);  // already active, code 0: nothing
  hotkey->SetActive(false);
  EXPECT_EQ(fake.unregisterCalls(), 0) << "code 0 unregisters nothing";
  hotkey->SetHotKey(0x4078);
  EXPECT_EQ(fake.registerCalls(), 0) << "inactive: only stored";
  hotkey->SetActive(true);
  hotkey->SetActive(true);
  EXPECT_EQ(fake.registerCalls(), 1);
  ASSERT_EQ(fake.registrations().size(), 1u);
  EXPECT_EQ(fake.registrations()[0].modifiers, kModControl | platform::kModNoRepeat) << "a held key notifies once";
  EXPECT_EQ(fake.registrations()[0].key, kF9);
  EXPECT_EQ(fake.registrations()[0].id, hotkey->Identifier());
  hotkey->SetHotKey(0x4078);
  EXPECT_EQ(fake.registerCalls(), 1) << "the same code does nothing";
  hotkey->SetActive(false);
  hotkey->SetActive(false);
  EXPECT_EQ(fake.unregisterCalls(), 1);
  EXPECT_TRUE(fake.registrations().empty());
}

TEST_F(GlobalHotKey, ZeroUnregistersButStaysActive) {
  TLMDGlobalHotKey* hotkey = make("hotkey");
  hotkey->SetHotKey(0x4078);
  hotkey->SetHotKey(0);
  EXPECT_TRUE(hotkey->Active());
  EXPECT_TRUE(fake.registrations().empty());
  EXPECT_FALSE(press(kModControl, kF9));
  hotkey->SetHotKey(0x0074);  // F5, a bare key
  ASSERT_EQ(fake.registrations().size(), 1u);
  EXPECT_EQ(fake.registrations()[0].modifiers, platform::kModNoRepeat);
  EXPECT_TRUE(press(0, 0x74));
  EXPECT_EQ(presses.size(), 1u);
}

TEST_F(GlobalHotKey, ANewCodeWhileActiveReplacesTheOldOne) {
  TLMDGlobalHotKey* hotkey = make("hotkey");
  hotkey->SetHotKey(0x4078);  // Ctrl+F9
  hotkey->SetHotKey(0x407A);  // Ctrl+F11
  EXPECT_FALSE(press(kModControl, kF9));
  EXPECT_TRUE(press(kModControl, kF11));
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].key, kF11);
}

TEST_F(GlobalHotKey, OfTwoWithOneCodeOnlyTheFirstFires) {
  TLMDGlobalHotKey* first = make("first");
  TLMDGlobalHotKey* second = make("second");
  first->SetHotKey(0x4041);
  second->SetHotKey(0x4041);  // refused silently
  EXPECT_EQ(second->HotKey(), 0x4041);
  EXPECT_TRUE(press(kModControl, 'A'));
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].hotkey, first);
  // A combination another program holds is likewise inert.
  ASSERT_TRUE(fake.holdExternally(kModControl, 'Q'));
  first->SetHotKey(0x4051);
  EXPECT_TRUE(press(kModControl, 'Q'));
  EXPECT_EQ(presses.size(), 1u);
}

TEST_F(GlobalHotKey, EventReportsTheCurrentCode) {
  TLMDGlobalHotKey* hotkey = make("hotkey");
  hotkey->SetHotKey(0xC041);
  press(kModControl | kModAlt, 'A');
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].key, 0x41);
  EXPECT_TRUE(presses[0].shift.Contains(platform::kCtrl));
  EXPECT_TRUE(presses[0].shift.Contains(platform::kAlt));
  EXPECT_FALSE(presses[0].shift.Contains(platform::kShift));
}

TEST_F(GlobalHotKey, AnErrorInTheHandlerIsShownAndTheHotkeyKeepsWorking) {
  TLMDGlobalHotKey* hotkey = make("hotkey");
  int calls = 0;
  hotkey->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) {
    ++calls;
    throw EConvertError("'x' is not a valid integer value");
  };
  hotkey->SetHotKey(0x4078);
  press(kModControl, kF9);
  ASSERT_EQ(fake.messageBoxes().size(), 1u);
  EXPECT_EQ(fake.messageBoxes()[0].text, "'x' is not a valid integer value.");
  press(kModControl, kF9);
  EXPECT_EQ(calls, 2) << "still registered after the error";
  EXPECT_EQ(fake.messageBoxes().size(), 2u);
  hotkey->OnKeyDown = [](TObject*, std::uint16_t&, TShiftState) { throw EAbort(); };
  press(kModControl, kF9);
  EXPECT_EQ(fake.messageBoxes().size(), 2u) << "a silent abort shows nothing";
}

TEST_F(GlobalHotKey, DestructionUnregistersAndReleasesItsIdentifier) {
  const std::size_t atomsBefore = fake.atomCount();
  TLMDGlobalHotKey* a = make("a");
  TLMDGlobalHotKey* b = make("b");
  EXPECT_NE(a->Identifier(), b->Identifier());
  EXPECT_EQ(fake.atomCount(), atomsBefore + 2);
  a->SetHotKey(0x4078);
  b->SetActive(false);
  b->SetHotKey(0x4079);
  form->DestroyComponents();
  EXPECT_TRUE(fake.registrations().empty());
  EXPECT_EQ(fake.unregisterCalls(), 1) << "the inactive one had nothing to unregister";
  EXPECT_EQ(fake.atomCount(), atomsBefore);
}

// ---- mouse buttons, held through the low-level mouse hook

namespace {
constexpr TShortCut kMouseBack = 0x0005;
constexpr TShortCut kCtrlMouseForward = 0x4006;
constexpr TShortCut kMiddle = 0x0004;
}  // namespace

TEST_F(GlobalHotKey, TheMouseHookIsInstalledOnlyWhileAMouseButtonIsArmed) {
  platform::fake::FakeHotkeys& system = fake.hotkeyTable();
  TLMDGlobalHotKey* start = make("start");
  TLMDGlobalHotKey* capture = make("capture");
  capture->SetActive(false);
  capture->SetHotKey(kMiddle);
  EXPECT_FALSE(system.mouseHookInstalled()) << "assigned but not armed";
  start->SetHotKey(kMouseBack);
  EXPECT_TRUE(system.mouseHookInstalled());
  EXPECT_TRUE(fake.registrations().empty()) << "no keyboard hotkey for a button";
  capture->SetActive(true);
  EXPECT_EQ(system.mouseHookInstalls(), 1) << "one hook for every button";
  EXPECT_EQ(system.mouseRegistrations().size(), 2u);
  start->SetHotKey(0x4078);  // a key now
  EXPECT_EQ(fake.registrations().size(), 1u);
  EXPECT_TRUE(system.mouseHookInstalled()) << "the capture button still needs it";
  capture->SetActive(false);
  EXPECT_FALSE(system.mouseHookInstalled()) << "no button armed: no hook";
  start->SetHotKey(kCtrlMouseForward);
  EXPECT_TRUE(fake.registrations().empty()) << "the key it had is let go";
  const int installs = system.mouseHookInstalls();
  start->SetHotKey(kMouseBack);
  EXPECT_EQ(system.mouseHookInstalls(), installs) << "a button rebound keeps the hook it had";
  ASSERT_EQ(system.mouseRegistrations().size(), 1u);
  EXPECT_EQ(system.mouseRegistrations()[0].key, 5u);
  form->DestroyComponents();
  EXPECT_FALSE(system.mouseHookInstalled());
}

TEST_F(GlobalHotKey, APhysicalPressOfTheButtonWithItsModifiersActsAndNeitherItNorItsReleaseReachesAProgram) {
  platform::fake::FakeHotkeys& system = fake.hotkeyTable();
  TLMDGlobalHotKey* start = make("start");
  TLMDGlobalHotKey* stop = make("stop");
  start->SetHotKey(kMouseBack);
  stop->SetHotKey(kCtrlMouseForward);
  struct Event {
    const char* what;
    std::uint32_t key;
    std::uint32_t modifiers;
    bool injected;
    TLMDGlobalHotKey* acts;  // null: passed on to the program under the cursor
  };
  const Event table[] = {
      {"back alone", 5, 0, false, start},
      {"ctrl+forward", 6, kModControl, false, stop},
      {"forward without ctrl", 6, 0, false, nullptr},
      {"back with ctrl", 5, kModControl, false, nullptr},
      {"back with the windows key", 5, platform::kModWin, false, nullptr},
      {"ctrl+forward with alt too", 6, kModControl | kModAlt, false, nullptr},
      {"middle, no hotkey", 4, 0, false, nullptr},
      {"back injected by a program", 5, 0, true, nullptr},
      {"ctrl+forward injected", 6, kModControl, true, nullptr},
  };
  for (const Event& event : table) {
    presses.clear();
    const bool downSwallowed = system.mouseButton(event.key, true, event.modifiers, event.injected);
    const bool upSwallowed = system.mouseButton(event.key, false, 0, event.injected);
    fake.runPending();
    const bool acts = event.acts != nullptr;
    EXPECT_EQ(downSwallowed, acts) << event.what;
    EXPECT_EQ(upSwallowed, acts) << event.what << ": the release goes where the press went";
    ASSERT_EQ(presses.size(), acts ? 1u : 0u) << event.what;
    if (acts) {
      EXPECT_EQ(presses[0].hotkey, event.acts) << event.what;
      EXPECT_EQ(presses[0].key, event.key) << event.what;
      EXPECT_EQ(presses[0].shift.Contains(platform::kCtrl), (event.modifiers & kModControl) != 0) << event.what;
    }
  }
  // A release whose press was passed on is passed on, modifiers or not.
  EXPECT_FALSE(system.mouseButton(5, true, kModAlt));
  EXPECT_FALSE(system.mouseButton(5, false, 0));

  // The hotkey goes while its button is down (the press stopped a run and
  // the run's hotkeys with it): the release the hook never sees is lost,
  // and the next press, no hotkey now, keeps its own release.
  EXPECT_TRUE(system.mouseButton(5, true));
  start->SetHotKey(0x4078);
  stop->SetHotKey(kMouseBack);  // which a press with Alt does not match
  EXPECT_FALSE(system.mouseButton(5, true, kModAlt));
  EXPECT_FALSE(system.mouseButton(5, false)) << "the release of a press passed on";
}

TEST_F(GlobalHotKey, ALostHookIsRefusedAndSaidSoUntilARetryInstallsItAgain) {
  platform::fake::FakeHotkeys& system = fake.hotkeyTable();
  TLMDGlobalHotKey* start = make("start");
  int lost = 0;
  start->OnLost = [&](TObject* sender) {
    EXPECT_EQ(sender, start);
    ++lost;
  };
  start->SetHotKey(kMouseBack);
  ASSERT_FALSE(start->Refused());
  system.loseMouseHook();
  fake.runPending();
  EXPECT_EQ(lost, 1);
  EXPECT_TRUE(start->Refused());
  EXPECT_FALSE(system.mouseButton(5, true)) << "no hook: the press goes to the program";
  system.mouseButton(5, false);

  system.refuseMouseHook(true);
  EXPECT_FALSE(start->Retry()) << "the system refuses it again";
  system.refuseMouseHook(false);
  EXPECT_TRUE(start->Retry());
  EXPECT_EQ(system.mouseHookInstalls(), 2);
  EXPECT_TRUE(system.mouseButton(5, true));
  fake.runPending();
  EXPECT_EQ(presses.size(), 1u) << "the button works again";
}

TEST(HookWatch, AnInjectionUnseenAWholeCheckLaterMeansTheHookIsGone) {
  platform::HookWatch watch;
  EXPECT_FALSE(watch.Lost()) << "nothing sent";
  watch.Sent();
  watch.Sent();
  EXPECT_FALSE(watch.Lost()) << "sent since the last check: not yet due";
  watch.Seen();
  EXPECT_TRUE(watch.Lost()) << "one of the two never came through";
  watch.Reset();  // installed again
  watch.Sent();
  EXPECT_FALSE(watch.Lost());
  watch.Seen();
  watch.Sent();
  EXPECT_FALSE(watch.Lost()) << "all due were seen; the newest is not due yet";
  watch.Seen();
  EXPECT_FALSE(watch.Lost());
  EXPECT_FALSE(watch.Lost()) << "idle: nothing to miss";
}
