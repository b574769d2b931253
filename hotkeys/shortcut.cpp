#include "hotkeys/shortcut.h"

#include <array>

#include "platform/mouse_hook.h"

namespace {

// The program's key-name strings.
constexpr const char* kShiftPrefix = "Shift+";
constexpr const char* kCtrlPrefix = "Ctrl+";
constexpr const char* kAltPrefix = "Alt+";

const char* FixedKeyName(unsigned key) noexcept {
  switch (key) {
    case 0x08:
      return "BkSp";
    case 0x09:
      return "Tab";
    case 0x0D:
      return "Enter";
    case 0x1B:
      return "Esc";
    case 0x20:
      return "Space";
    case 0x21:
      return "PgUp";
    case 0x22:
      return "PgDn";
    case 0x23:
      return "End";
    case 0x24:
      return "Home";
    case 0x25:
      return "Left";
    case 0x26:
      return "Up";
    case 0x27:
      return "Right";
    case 0x28:
      return "Down";
    case 0x2D:
      return "Ins";
    case 0x2E:
      return "Del";
    default:
      return nullptr;
  }
}

// The buttons by their virtual key, 4 to 6, as Windows' own settings name them.
constexpr const char* kMouseButtonNames[] = {"Middle Button", "Mouse Back", "Mouse Forward"};

// The program's own names of the keys, by virtual key; empty where the
// keyboard layout names the key. Made once: every hotkey name read is
// looked up among all the keys.
const std::array<std::string, 256>& OwnKeyNames() {
  static const auto names = [] {
    std::array<std::string, 256> table;
    for (unsigned key = 0; key < table.size(); ++key) {
      if (const char* name = FixedKeyName(key)) {
        table[key] = name;
      } else if ((key >= 0x30 && key <= 0x39) || (key >= 0x41 && key <= 0x5A)) {
        table[key] = std::string(1, static_cast<char>(key));
      } else if (key >= 0x60 && key <= 0x69) {
        table[key] = std::string(1, static_cast<char>('0' + (key - 0x60)));  // keypad digits
      } else if (key >= 0x70 && key <= 0x87) {
        table[key] = "F" + std::to_string(key - 0x6F);
      }
    }
    return table;
  }();
  return names;
}

std::string LayoutKeyName(unsigned key, platform::Keyboard& keyboard) {
  const std::uint32_t scanCode = keyboard.ScanCodeOf(key);
  if (scanCode == 0) return {};
  return keyboard.KeyName(scanCode);
}

std::string KeyName(unsigned key, platform::Keyboard& keyboard) {
  const std::string& own = OwnKeyNames()[key & 0xFFu];
  return own.empty() ? LayoutKeyName(key, keyboard) : own;
}

bool SameLayoutName(unsigned key, const std::string& text, platform::Keyboard& keyboard, platform::Locale& locale) {
  const std::string name = LayoutKeyName(key, keyboard);
  return !name.empty() && locale.SameTextIgnoringCase(name, text);
}

// Whether text continues at `at` with prefix.
bool ContinuesWithIgnoringCase(const std::string& text, std::size_t at, const std::string& prefix,
                               platform::Locale& locale) {
  return text.size() - at >= prefix.size() && locale.SameTextIgnoringCase(text.substr(at, prefix.size()), prefix);
}

}  // namespace

SplitCode SplitShortcut(TShortCut code) noexcept {
  platform::ShiftBits bits = 0;
  if ((code & scShift) != 0) bits |= platform::kShift;
  if ((code & scCtrl) != 0) bits |= platform::kCtrl;
  if ((code & scAlt) != 0) bits |= platform::kAlt;
  return {static_cast<std::uint16_t>(code & 0x1FFF), TShiftState(bits)};
}

std::uint32_t HotkeyModifiers(TShiftState shift) noexcept {
  std::uint32_t modifiers = 0;
  if (shift.Contains(platform::kAlt)) modifiers |= platform::kModAlt;
  if (shift.Contains(platform::kCtrl)) modifiers |= platform::kModControl;
  if (shift.Contains(platform::kShift)) modifiers |= platform::kModShift;
  return modifiers;
}

bool IsMouseShortcut(TShortCut code) noexcept { return platform::IsMouseButtonKey(code & 0x1FFFu); }

std::string FormatShortcut(TShortCut code, platform::Keyboard& keyboard) {
  const std::string name = IsMouseShortcut(code) ? kMouseButtonNames[(code & 0x1FFFu) - platform::kMiddleButtonKey]
                                                 : KeyName(code & 0xFFu, keyboard);
  if (name.empty()) return {};
  std::string text;
  if ((code & scShift) != 0) text += kShiftPrefix;
  if ((code & scCtrl) != 0) text += kCtrlPrefix;
  if ((code & scAlt) != 0) text += kAltPrefix;
  return text + name;
}

TShortCut ParseShortcut(const std::string& text, platform::Keyboard& keyboard, platform::Locale& locale) {
  // The prefixes are stepped over, never erased, so that a long text of
  // them is read in one pass. Nothing is trimmed.
  std::size_t at = 0;
  TShortCut modifiers = 0;
  for (;;) {
    if (ContinuesWithIgnoringCase(text, at, kShiftPrefix, locale)) {
      at += 6;
      modifiers |= scShift;
    } else if (ContinuesWithIgnoringCase(text, at, "^", locale)) {
      at += 1;
      modifiers |= scCtrl;
    } else if (ContinuesWithIgnoringCase(text, at, kCtrlPrefix, locale)) {
      at += 5;
      modifiers |= scCtrl;
    } else if (ContinuesWithIgnoringCase(text, at, kAltPrefix, locale)) {
      at += 4;
      modifiers |= scAlt;
    } else {
      break;
    }
  }
  const std::string rest = text.substr(at);
  if (rest.empty()) return 0;
  // Before the keys: no key's name is a button's, and code 0x104 would
  // otherwise name the middle button too.
  for (std::uint32_t key = platform::kMiddleButtonKey; key <= platform::kForwardButtonKey; ++key) {
    if (locale.SameTextIgnoringCase(kMouseButtonNames[key - platform::kMiddleButtonKey], rest)) {
      return static_cast<TShortCut>(key | modifiers);
    }
  }
  // Codes 8 to 0x255 are searched, lowest first, but only the low byte is
  // named: each name is tried once, at the lowest code that bears it (8 to
  // 0xFF, then 0x100 to 0x107 for the low bytes below 8).
  const auto& ownNames = OwnKeyNames();
  for (unsigned code = 8; code <= 0x107; ++code) {
    const unsigned key = code & 0xFFu;
    const bool named = ownNames[key].empty() ? SameLayoutName(key, rest, keyboard, locale)
                                             : locale.SameTextIgnoringCase(ownNames[key], rest);
    if (named) return static_cast<TShortCut>(code | modifiers);
  }
  return 0;
}

const std::vector<std::string>& HotkeyChoices() {
  static const std::vector<std::string> choices = [] {
    std::vector<std::string> list;
    for (char c = 'A'; c <= 'Z'; ++c) list.push_back(std::string("Ctrl+") + c);
    for (char c = 'A'; c <= 'Z'; ++c) list.push_back(std::string("Ctrl+Alt+") + c);
    for (const char* prefix : {"", "Ctrl+", "Shift+", "Shift+Ctrl+"}) {
      for (int f = 1; f <= 12; ++f) list.push_back(prefix + std::string("F") + std::to_string(f));
    }
    for (const char* text : {"Ins", "Shift+Ins", "Ctrl+Ins", "DEL", "Shift+Del", "Ctrl+Del", "Alt+BkSp"}) {
      list.emplace_back(text);
    }
    for (const char* prefix : {"", "Ctrl+", "Shift+", "Alt+"}) {
      for (const char* button : kMouseButtonNames) list.push_back(prefix + std::string(button));
    }
    return list;
  }();
  return choices;
}

int FindHotkeyChoice(TShortCut code, platform::Keyboard& keyboard, platform::Locale& locale) {
  const std::string text = FormatShortcut(code, keyboard);
  if (text.empty()) return -1;
  const auto& choices = HotkeyChoices();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (locale.SameTextIgnoringCase(choices[i], text)) return static_cast<int>(i);
  }
  return -1;
}

std::string FormatShortcut(const TComponent& where, TShortCut code) {
  return FormatShortcut(code, where.Platform().keyboard());
}

TShortCut ParseShortcut(const TComponent& where, const std::string& text) {
  return ParseShortcut(text, where.Platform().keyboard(), where.Platform().locale());
}

int FindHotkeyChoice(const TComponent& where, TShortCut code) {
  return FindHotkeyChoice(code, where.Platform().keyboard(), where.Platform().locale());
}
