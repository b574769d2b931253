// The hotkey assignment and the settings store on their own: the rules on
// codes and texts, and the stored values as a plain value, with no window.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "framework/exceptions.h"
#include "hotkeys/assignment.h"
#include "platform/fake/fake_platform.h"
#include "settings/settings_store.h"

namespace {

constexpr const char* kPath = "Software\\Brenmoorsoft\\Tapfinch";
// Ctrl+F9, Ctrl+F10, Ctrl+A, Ctrl+S, Ctrl+D, Ctrl+F, Ctrl+G.
constexpr HotkeyCodes kDefaults = {0x4078, 0x4079, 0x4041, 0x4053, 0x4044, 0x4046, 0x4047};

struct Rules : ::testing::Test {
  platform::fake::FakePlatform fake;
  HotkeyAssignment rules{fake.keyboard(), fake.locale()};
  int position(TShortCut code) { return FindHotkeyChoice(code, fake.keyboard(), fake.locale()); }
};

}  // namespace

TEST_F(Rules, TypedTextCountsOnlyAsAWholeCombination) {
  const struct {
    const char* text;
    std::optional<TShortCut> code;
  } table[] = {
      {"Ctrl+F11", 0x407A},
      {"shift+CTRL+f2", 0x6071},
      {"Alt+F4", 0x8073},
      {"F5", 0x0074},
      {"", 0},
      {"c", std::nullopt},
      {"Ctrl+", std::nullopt},
      {"ctrl+shift", std::nullopt},
      {"Alt+Ctrl", std::nullopt},
      {"Ctrl+Nothing", std::nullopt},
  };
  for (const auto& row : table) EXPECT_EQ(rules.Typed(row.text), row.code) << '"' << row.text << '"';
}

TEST_F(Rules, NoTwoRowsShareACombinationButNoneClashesWithNothing) {
  HotkeyCodes codes = kDefaults;
  rules.checkcomboboxes(codes, 0, 0x4079);
  EXPECT_FALSE(rules.HotkeysDistinct()) << "the stop hotkey's";
  rules.checkcomboboxes(codes, 1, 0x4079);
  EXPECT_TRUE(rules.HotkeysDistinct()) << "its own";
  codes[1] = 0;
  codes[2] = 0;
  rules.checkcomboboxes(codes, 1, 0);
  EXPECT_TRUE(rules.HotkeysDistinct()) << "two empty rows";
}

TEST_F(Rules, AnArrowStepPassesOverWhatOtherRowsHold) {
  HotkeyCodes codes = kDefaults;
  const int start = position(codes[0]);
  ASSERT_GE(start, 0);
  // Ctrl+F10 follows Ctrl+F9 among the choices and is the stop hotkey's:
  // a step down lands on the next free one, a step up on the one before.
  ASSERT_EQ(position(0x4079), start + 1);
  const auto down = rules.Picked(codes, 0, start + 1);
  ASSERT_TRUE(down);
  EXPECT_GT(position(*down), start + 1);
  EXPECT_NE(*down, 0x4079);
  EXPECT_EQ(rules.Picked(codes, 0, start - 1),
            HotkeyChoices().empty()
                ? std::nullopt
                : std::optional<TShortCut>{ParseShortcut(HotkeyChoices()[static_cast<std::size_t>(start - 1)],
                                                         fake.keyboard(), fake.locale())});
  // A pick further away is taken as it is; assigning it is checked apart.
  EXPECT_EQ(rules.Picked(codes, 0, position(0x4041)), 0x4041);
  EXPECT_EQ(rules.Picked(codes, 0, -1), std::nullopt);
  // With every entry after it held, a step down finds nothing.
  const int last = static_cast<int>(HotkeyChoices().size()) - 1;
  codes[0] = ParseShortcut(HotkeyChoices()[static_cast<std::size_t>(last - 1)], fake.keyboard(), fake.locale());
  codes[1] = ParseShortcut(HotkeyChoices()[static_cast<std::size_t>(last)], fake.keyboard(), fake.locale());
  EXPECT_EQ(rules.Picked(codes, 0, last), std::nullopt);
}

TEST_F(Rules, ABoxShowsItsEntryOrTheCodesOwnName) {
  const auto listed = rules.ShownFor(0x4078);
  EXPECT_GE(listed.position, 0);
  EXPECT_EQ(listed.text, "Ctrl+F9");
  EXPECT_EQ(rules.ShownFor(0x8073).position, -1);
  EXPECT_EQ(rules.ShownFor(0x8073).text, "Alt+F4");
  EXPECT_EQ(rules.ShownFor(0).text, "");
  EXPECT_EQ(CaptureCaption(3, "Ctrl+S"), "Click-Hold   / Ctrl+S");
}

// Stored hotkeys as a hand-edited registry may give them: whatever it
// holds, no two rows end on one combination, and a row on its own default
// never gives it up.
TEST(StoredHotkeys, NoTwoEndOnOneCombinationAndTheOneThatCannotHaveItFallsBack) {
  constexpr TShortCut kF9 = 0x4078, kF10 = 0x4079, kCtrlA = 0x4041, kF11 = 0x407A, kF12 = 0x407B;
  using Stored = std::array<std::optional<TShortCut>, kHotkeyRows>;
  const struct {
    const char* what;
    Stored stored;
    TShortCut start, stop;
    bool startFellBack, stopFellBack;
  } table[] = {
      {"nothing stored", {}, kF9, kF10, false, false},
      {"stop on start's default", {std::nullopt, kF9}, kF9, kF10, false, true},
      {"start on stop's default", {kF10}, kF9, kF10, true, false},
      {"both on Ctrl+F9", {kF9, kF9}, kF9, kF10, false, true},
      {"a swap is no clash", {kF10, kF9}, kF10, kF9, false, false},
      {"both on another", {kF11, kF11}, kF11, kF10, false, true},
      {"start on a capture default", {kCtrlA}, kF9, kF10, true, false},
      {"both unassigned", {0, 0}, 0, 0, false, false},
      {"the fallback taken too", {kF11, kF11, kF10}, kF11, 0, false, true},
      {"distinct choices", {kF11, kF12}, kF11, kF12, false, false},
  };
  for (const auto& row : table) {
    const StoredHotkeys result = ResolveStoredHotkeys(row.stored);
    EXPECT_EQ(result.codes[0], row.start) << row.what;
    EXPECT_EQ(result.codes[1], row.stop) << row.what;
    EXPECT_EQ(result.refused[0].has_value(), row.startFellBack) << row.what;
    EXPECT_EQ(result.refused[1].has_value(), row.stopFellBack) << row.what;
    for (int a = 0; a < kHotkeyRows; ++a) {
      for (int b = a + 1; b < kHotkeyRows; ++b) {
        const auto ca = result.codes[static_cast<std::size_t>(a)];
        EXPECT_FALSE(ca != 0 && ca == result.codes[static_cast<std::size_t>(b)])
            << row.what << ": rows " << a << " and " << b;
      }
    }
  }
}

TEST_F(Rules, TheOptionsTabNamesEachFallbackAndThenWhatAnotherProgramHolds) {
  std::array<std::optional<TShortCut>, kHotkeyRows> stored{};
  stored[1] = 0x4078;  // stop on Ctrl+F9, which start keeps
  stored[3] = 0x4078;  // click-hold too: its default Ctrl+S is free
  std::array<std::optional<std::string>, kHotkeyRows> unreadable{};
  unreadable[2] = "Ctrl + A";
  const auto notes = StoredHotkeyNotes(ResolveStoredHotkeys(stored), unreadable, rules);
  EXPECT_EQ(notes[0], "");
  EXPECT_EQ(notes[1], "Stop was stored as Ctrl+F9, which Start has: Stop is Ctrl+F10.");
  EXPECT_EQ(notes[2], "Click was stored as 'Ctrl + A', which names no combination: Click is Ctrl+A.");
  EXPECT_EQ(notes[3], "Click-Hold was stored as Ctrl+F9, which Start has: Click-Hold is Ctrl+S.");
  EXPECT_EQ(HotkeyNotice(notes, {"Ctrl+F10 (Stop)"}),
            notes[1] + " " + notes[2] + " " + notes[3] +
                " Another program holds Ctrl+F10 (Stop). Tapfinch tries again until it is free.");
  EXPECT_EQ(HotkeyNotice({}, {}), "");
  EXPECT_EQ(FallbackNotice(1, "Ctrl+F11", 0, ""), "Stop was stored as Ctrl+F11, which Start has: Stop has no hotkey.");
}
