// Shortcut codes and their text form, with the fake's keyboard layout.
#include <gtest/gtest.h>

#include "hotkeys/shortcut.h"
#include "platform/fake/fake_platform.h"

namespace {

class Shortcuts : public ::testing::Test {
 protected:
  std::string format(TShortCut code) { return FormatShortcut(code, fake.keyboard()); }
  TShortCut parse(const std::string& text) { return ParseShortcut(text, fake.keyboard(), fake.locale()); }
  int find(TShortCut code) { return FindHotkeyChoice(code, fake.keyboard(), fake.locale()); }
  platform::fake::FakePlatform fake;
};

}  // namespace

TEST_F(Shortcuts, FormatNamesTheKeyAfterThePrefixesInFixedOrder) {
  const std::pair<TShortCut, const char*> table[] = {
      {0x4041, "Ctrl+A"},
      {0xC041, "Ctrl+Alt+A"},
      {0x6070, "Shift+Ctrl+F1"},
      {0x8008, "Alt+BkSp"},
      {0x002E, "Del"},
      {0x4078, "Ctrl+F9"},
      {0x0087, "F24"},
      {0x0065, "5"},
      {0x0035, "5"},
      {0xE020, "Shift+Ctrl+Alt+Space"},
      {0x0090, "Num Lock"},
      {0x40BA, "Ctrl+;"},
      {0x0000, ""},
      {0x4000, ""},
      {0xE0FF, ""},
      {0x1F41, "A"},
  };
  for (const auto& [code, text] : table) EXPECT_EQ(format(code), text) << std::hex << code;
}

TEST_F(Shortcuts, ParseTakesPrefixesInAnyOrderAndCase) {
  const std::pair<const char*, TShortCut> table[] = {
      {"Ctrl+A", 0x4041},
      {"ctrl+a", 0x4041},
      {"CTRL+A", 0x4041},
      {"^A", 0x4041},
      {"Ctrl+Ctrl+A", 0x4041},
      {"Alt+Ctrl+A", 0xC041},
      {"DEL", 0x002E},
      {"5", 0x0035},
      {"Ctrl+Y", 0x4059},
      {"Shift+Ctrl+F1", 0x6070},
      {"Ctrl+Shift+F1", 0x6070},
      {"ctrl+shift+f1", 0x6070},
      {"F24", 0x0087},
      {"Num Lock", 0x0090},
      {"Alt+BkSp", 0x8008},
      // Nothing is trimmed; a prefix alone or no key names nothing.
      {"Ctrl + A", 0},
      {" Ctrl+A", 0},
      {"Ctrl+A ", 0},
      {"", 0},
      {"Ctrl+", 0},
      {"Alt+", 0},
      {"Ctrl+Alt+", 0},
      {"Click             / Ctrl + A", 0},
      {"Ctrl+Nothing", 0},
  };
  for (const auto& [text, code] : table) EXPECT_EQ(parse(text), code) << '"' << text << '"';
  EXPECT_EQ(format(parse("Alt+Ctrl+A")), "Ctrl+Alt+A");
  EXPECT_EQ(format(parse("Ctrl+Shift+F1")), "Shift+Ctrl+F1");
  EXPECT_EQ(parse(format(0x0065)), 0x0035) << "a keypad digit comes back as the main-row digit";
}

TEST_F(Shortcuts, EveryChoiceRoundTripsThroughFormatAndParse) {
  const auto& choices = HotkeyChoices();
  ASSERT_EQ(choices.size(), 119u);
  std::vector<TShortCut> codes;
  for (TShortCut c = 0x4041; c <= 0x405A; ++c) codes.push_back(c);
  for (TShortCut c = 0xC041; c <= 0xC05A; ++c) codes.push_back(c);
  for (TShortCut base : {0x0000, 0x4000, 0x2000, 0x6000}) {
    for (TShortCut f = 0x70; f <= 0x7B; ++f) codes.push_back(static_cast<TShortCut>(base | f));
  }
  for (TShortCut c : {0x002D, 0x202D, 0x402D, 0x002E, 0x202E, 0x402E, 0x8008}) codes.push_back(c);
  // The mouse buttons, virtual keys 4 to 6, alone, then with Ctrl, Shift, Alt.
  for (TShortCut base : {0x0000, 0x4000, 0x2000, 0x8000}) {
    for (TShortCut b = 0x04; b <= 0x06; ++b) codes.push_back(static_cast<TShortCut>(base | b));
  }
  ASSERT_EQ(codes.size(), choices.size());
  for (std::size_t i = 0; i < choices.size(); ++i) {
    EXPECT_EQ(parse(choices[i]), codes[i]) << choices[i];
    EXPECT_EQ(parse(format(codes[i])), codes[i]) << choices[i];
    if (choices[i] != "DEL") {
      EXPECT_EQ(format(codes[i]), choices[i]);
    }
    EXPECT_EQ(find(codes[i]), static_cast<int>(i)) << choices[i];
  }
  for (const char* defaults : {"Ctrl+F9", "Ctrl+F10", "Ctrl+A", "Ctrl+S", "Ctrl+D", "Ctrl+F", "Ctrl+G"}) {
    EXPECT_NE(std::find(choices.begin(), choices.end(), defaults), choices.end()) << defaults;
  }
}

TEST_F(Shortcuts, MouseButtonsAreNamedApartFromEveryKey) {
  const std::pair<std::string, TShortCut> table[] = {
      {"Middle Button", 0x0004},
      {"mouse back", 0x0005},
      {"Ctrl+Mouse Forward", 0x4006},
      {"Shift+Ctrl+Alt+Mouse Back", 0xE005},
      {"^Middle Button", 0x4004},
      {"MouseBack", 0},
      {"Mouse Back ", 0},
      {"Mouse", 0},
  };
  for (const auto& [text, code] : table) EXPECT_EQ(parse(text), code) << '"' << text << '"';
  EXPECT_EQ(format(0xE005), "Shift+Ctrl+Alt+Mouse Back");
  EXPECT_TRUE(IsMouseShortcut(0x8006));
  EXPECT_FALSE(IsMouseShortcut(0x0104)) << "only the button's own code is a button";
  EXPECT_FALSE(IsMouseShortcut(0x4041));
  EXPECT_NE(format(0x0104), "Middle Button");
}

TEST_F(Shortcuts, FindingACodeInTheChoices) {
  EXPECT_EQ(find(0x4057), 22);  // Ctrl+W
  EXPECT_EQ(find(0x4059), 24);  // Ctrl+Y
  EXPECT_EQ(find(0x002E), 103) << "Del finds DEL";
  EXPECT_EQ(find(0x0073), 55);  // F4
  EXPECT_EQ(find(0x8073), -1);  // Alt+F4
  EXPECT_EQ(find(0x007C), -1);  // F13
  EXPECT_EQ(find(0), -1);
}

TEST(SplitShortcut, KeyAndModifiersForTheSystem) {
  const std::pair<TShortCut, std::uint32_t> table[] = {
      {0x4078, platform::kModControl},
      {0x6070, platform::kModControl | platform::kModShift},
      {0xC041, platform::kModControl | platform::kModAlt},
      {0x8008, platform::kModAlt},
      {0x0074, 0},
  };
  for (const auto& [code, modifiers] : table) {
    const SplitCode split = SplitShortcut(code);
    EXPECT_EQ(split.key, code & 0xFF);
    EXPECT_EQ(HotkeyModifiers(split.shift), modifiers) << std::hex << code;
  }
  const SplitCode split = SplitShortcut(0xC041);
  EXPECT_TRUE(split.shift.Contains(platform::kCtrl));
  EXPECT_TRUE(split.shift.Contains(platform::kAlt));
  EXPECT_FALSE(split.shift.Contains(platform::kShift));
}
