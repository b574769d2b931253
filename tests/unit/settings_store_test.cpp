// The settings store on its own, over the fake registry: the nineteen
// values as a plain value, where they are kept, the types they must have,
// and every failure with its message. No window: what the main window does
// with the values is settings_test.cpp's.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "platform/fake/fake_platform.h"
#include "settings/settings_store.h"
#include "tests/support/registry_values.h"

using platform::RegistryRoot;
using platform::RegistryValue;

using testing_support::Dword;
using testing_support::Text;

namespace {

constexpr const char* kPath = "Software\\Brenmoorsoft\\Tapfinch";

// Every value given, as an exit gives them.
Settings AllValues() {
  Settings values;
  values.x = -12;
  values.y = 40;
  values.interval = {1, 2, 3, 4, 5};
  values.mouse = false;
  values.numclicks = 7;
  values.orig = true;
  values.doubleclick = true;
  values.rounds = 5;
  values.hotkeys = {0x407A, 0, 0x8073, 0x4053, 0x4044, 0x4046, 0x4047};
  return values;
}

class Store : public ::testing::Test {
 protected:
  platform::fake::FakeRegistry::Values& stored(RegistryRoot root = RegistryRoot::kLocalMachine) {
    return fake.registryStore().key(root, kPath);
  }
  SettingsStore open() { return SettingsStore(fake.registry(), fake.keyboard(), fake.locale()); }
  // What a read says when it stops; "" when it read every value.
  std::string readFault(Settings& into) {
    try {
      open().Read(into);
    } catch (const Exception& e) {
      return e.what();
    }
    return "";
  }

  platform::fake::FakePlatform fake;
};

}  // namespace

TEST_F(Store, EveryValueIsWrittenWithItsTypeAndReadsBackAndAValueNotGivenStaysAsStored) {
  open().Write(AllValues());
  ASSERT_EQ(stored().size(), 19u);
  EXPECT_EQ(stored().at("listrounds").data, Dword(5).data) << "the rounds, beside the others";
  EXPECT_EQ(stored().at("x").data, Dword(static_cast<std::uint32_t>(-12)).data);
  EXPECT_EQ(stored().at("mouse").data, Dword(0).data);
  EXPECT_EQ(stored().at("starthotkey").data, Text("Ctrl+F11").data);
  EXPECT_EQ(stored().at("stophotkey").data, Text("").data) << "no combination: the empty text";
  EXPECT_EQ(stored().at("clickhotkey").data, Text("Alt+F4").data);
  Settings read;
  EXPECT_EQ(readFault(read), "");
  EXPECT_EQ(read.x, -12);
  EXPECT_EQ(read.interval, AllValues().interval);
  EXPECT_EQ(read.mouse, false);
  EXPECT_EQ(read.doubleclick, true);
  EXPECT_EQ(read.rounds, 5);
  EXPECT_EQ(read.hotkeys, AllValues().hotkeys);
  stored().erase("listrounds");
  Settings older;
  EXPECT_EQ(readFault(older), "") << "a store of before, without the rounds";
  EXPECT_EQ(older.rounds, std::nullopt);

  Settings some;
  some.y = 6;
  open().Write(some);
  EXPECT_EQ(stored().at("x").data, Dword(static_cast<std::uint32_t>(-12)).data) << "not given: as stored";
  EXPECT_EQ(stored().at("y").data, Dword(6).data);
}

TEST_F(Store, AValueThatCannotBeReadEndsTheReadingThereWithItsMessage) {
  const struct {
    const char* name;
    RegistryValue value;
    const char* message;
  } table[] = {
      {"numclicks", {platform::kRegSz, {'3', 0}}, "Invalid data type for 'numclicks'"},
      {"numclicks", {platform::kRegBinary, {1, 2, 3, 4, 5}}, "Failed to get data for 'numclicks'"},
      {"numclicks", {platform::kRegDword, {}}, "Failed to get data for 'numclicks'"},
      {"stophotkey", {platform::kRegBinary, {'C', 't', 'r', 'l', '+', 'Q', 0}}, "Invalid data type for 'stophotkey'"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.message);
    stored().clear();
    open().Write(AllValues());
    stored()[row.name] = row.value;
    Settings read;
    EXPECT_EQ(readFault(read), row.message);
    EXPECT_EQ(read.mouse, false) << "the values before it are read";
    if (std::string(row.name) == "numclicks") {
      EXPECT_EQ(read.orig, std::nullopt) << "none after it";
    }
  }
}

TEST_F(Store, AHotkeyReadsAsItsCodeEmptyAsNoneAndATextThatNamesNothingAsUnreadable) {
  stored()["starthotkey"] = Text("ctrl+f5");
  stored()["stophotkey"] = {platform::kRegBinary, {}};  // no data at all: the empty text
  stored()["clickhotkey"] = Text("");
  stored()["clickholdhotkey"] = Text("Ctrl + S");
  stored()["releasehotkey"] = Text("garbage");
  stored()["rightclickhotkey"] = Text("Ctrl+Mouse Forward");
  Settings read;
  EXPECT_EQ(readFault(read), "");
  EXPECT_EQ(read.hotkeys[0], 0x4074);
  EXPECT_EQ(read.hotkeys[1], 0);
  EXPECT_EQ(read.hotkeys[2], 0);
  EXPECT_EQ(read.hotkeys[3], std::nullopt) << "the default stands in";
  EXPECT_EQ(read.unreadableHotkeys[3], "Ctrl + S");
  EXPECT_EQ(read.unreadableHotkeys[4], "garbage");
  EXPECT_EQ(read.unreadableHotkeys[1], std::nullopt);
  EXPECT_EQ(read.hotkeys[5], 0x4006) << "a side button reads as its code";
}

TEST_F(Store, AnUnwritableMachineRootFallsBackToTheUsersOwnAndNeitherIsReportedAtTheFirstWrite) {
  fake.registryStore().makeUnwritable(RegistryRoot::kLocalMachine);
  stored(RegistryRoot::kCurrentUser)["times"] = Dword(12);
  Settings read;
  EXPECT_EQ(readFault(read), "");
  EXPECT_EQ(read.interval[2], 12) << "read from the user's root";
  open().Write(AllValues());
  EXPECT_EQ(stored(RegistryRoot::kCurrentUser).size(), 19u);
  EXPECT_FALSE(fake.registryStore().keyExists(RegistryRoot::kLocalMachine, kPath));

  fake.registryStore().makeUnwritable(RegistryRoot::kCurrentUser);
  SettingsStore nowhere = open();
  Settings none;
  nowhere.Read(none);
  EXPECT_EQ(none.x, std::nullopt) << "every value counts as absent";
  try {
    nowhere.Write(AllValues());
    ADD_FAILURE() << "written";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'x'");
  }
}

TEST_F(Store, AWriteThatFailsStopsThereWithTheValueNamed) {
  fake.registryStore().failWritesAfter(3);
  try {
    open().Write(AllValues());
    ADD_FAILURE() << "written";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'timem'") << "x, y, timeh went; none after";
  }
  EXPECT_EQ(stored().size(), 3u);
  // A key deleted meanwhile is made again by the next write.
  fake.registryStore().failWritesAfter(-1);
  fake.registryStore().deleteKey(RegistryRoot::kLocalMachine, kPath);
  open().Write(AllValues());
  EXPECT_EQ(stored().size(), 19u);
}
