// Key combinations as shortcut codes (virtual key in bits 0-7, Shift
// 0x2000, Ctrl 0x4000, Alt 0x8000) and their text form, which is also how
// they are stored: "Ctrl+A", "Shift+Ctrl+F1", "Alt+BkSp". Neither
// conversion ever fails: unknown text is 0, a nameless key is "".
// The middle and side mouse buttons are codes too, under their virtual
// keys (4, 5, 6): "Middle Button", "Mouse Back", "Ctrl+Mouse Forward".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

struct SplitCode {
  std::uint16_t key = 0;  // bits 0-12 of the code
  TShiftState shift;
};
SplitCode SplitShortcut(TShortCut code) noexcept;
// The MOD_ALT, MOD_CONTROL and MOD_SHIFT flags of a modifier set.
std::uint32_t HotkeyModifiers(TShiftState shift) noexcept;

// Whether the code is a mouse button, with or without modifiers.
[[nodiscard]] bool IsMouseShortcut(TShortCut code) noexcept;

std::string FormatShortcut(TShortCut code, platform::Keyboard& keyboard);
TShortCut ParseShortcut(const std::string& text, platform::Keyboard& keyboard, platform::Locale& locale);

// The 119 texts every hotkey combo box offers, in order: 107 of the
// keyboard, then the three mouse buttons alone and with Ctrl, Shift, Alt.
const std::vector<std::string>& HotkeyChoices();
// Position of a code's text in the choices (first equal ignoring case), or -1.
int FindHotkeyChoice(TShortCut code, platform::Keyboard& keyboard, platform::Locale& locale);

// The same, with the system's keyboard and locale.
std::string FormatShortcut(const TComponent& where, TShortCut code);
TShortCut ParseShortcut(const TComponent& where, const std::string& text);
int FindHotkeyChoice(const TComponent& where, TShortCut code);
