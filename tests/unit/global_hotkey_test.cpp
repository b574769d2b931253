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
