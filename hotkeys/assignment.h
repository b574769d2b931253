// Assigning the seven hotkeys (start, stop and the five capture actions):
// no two on one combination, an arrow step in a box passes over the
// entries other hotkeys hold, and typed text counts only when it names a
// whole combination. Works on the codes and their texts; the window shows
// them in its boxes and hands the codes to its hotkey components.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "hotkeys/shortcut.h"
#include "platform/hotkeys.h"
#include "platform/locale.h"

inline constexpr int kHotkeyRows = 7;
using HotkeyCodes = std::array<TShortCut, kHotkeyRows>;
// Ctrl+F9, Ctrl+F10, Ctrl+A, Ctrl+S, Ctrl+D, Ctrl+F, Ctrl+G: the layout's.
inline constexpr HotkeyCodes kDefaultHotkeys = {0x4078, 0x4079, 0x4041, 0x4053, 0x4044, 0x4046, 0x4047};

// The seven hotkeys as start-up applies the stored ones (absent: the
// layout's). A hand-edited store may name one combination twice, and then
// one of the two would be dead: a stop hotkey on the start hotkey's
// combination leaves no hotkey that stops a run. A row keeping its own
// default keeps it; otherwise the first row (in the order above) to name a
// combination gets it, and a later one falls back to its default, or to
// none when that is taken too.
struct StoredHotkeys {
  HotkeyCodes codes{};
  // The stored combination a row could not have, for the rows that fell back.
  std::array<std::optional<TShortCut>, kHotkeyRows> refused{};
};
[[nodiscard]] StoredHotkeys ResolveStoredHotkeys(const std::array<std::optional<TShortCut>, kHotkeyRows>& stored,
                                                 const HotkeyCodes& defaults = kDefaultHotkeys);

class HotkeyAssignment {
 public:
  HotkeyAssignment(platform::Keyboard& keyboard, platform::Locale& locale) noexcept
      : keyboard_(keyboard), locale_(locale) {}

  // Whether the row may take the code, no other row of codes holding it
  // (also kept as hotkeysDistinct). No combination at all clashes with nothing.
  bool checkcomboboxes(const HotkeyCodes& codes, int row, TShortCut code);
  [[nodiscard]] bool HotkeysDistinct() const noexcept { return hotkeysDistinct; }

  // The entry (from the choices) a box picked or stepped to. A step of one
  // from the row's entry passes over the entries other rows hold; the code
  // to assign, or nothing when the step found nothing free.
  [[nodiscard]] std::optional<TShortCut> Picked(const HotkeyCodes& codes, int row, int index);
  // Typed text: the code it names when that is a whole combination (a key
  // with Ctrl, Alt or Shift, or one of the choices), 0 for an empty text
  // (unassigned), nothing for anything else.
  [[nodiscard]] std::optional<TShortCut> Typed(const std::string& text) const;

  // What the row's box shows: the position of its entry among the choices
  // and its text, the code's own name when the choices lack it.
  struct Shown {
    int position = -1;
    std::string text;
  };
  [[nodiscard]] Shown ShownFor(TShortCut code) const;
  [[nodiscard]] std::string Name(TShortCut code) const { return FormatShortcut(code, keyboard_); }

 private:
  bool hotkeysDistinct = true;
  platform::Keyboard& keyboard_;
  platform::Locale& locale_;
};

// What the seven hotkeys do, as messages name them.
[[nodiscard]] const char* HotkeyPurpose(int row);
// What the Options tab says of a row that fell back: the combination it
// was stored with, the row that has it, and what the row has now.
[[nodiscard]] std::string FallbackNotice(int row, const std::string& storedName, int holder,
                                         const std::string& nowName);
// The same for a stored text that names no combination.
[[nodiscard]] std::string UnreadableNotice(int row, const std::string& storedText, const std::string& nowName);
// What the Options tab says of each row as start-up applied the stored
// hotkeys: its fallback, or nothing.
[[nodiscard]] std::array<std::string, kHotkeyRows> StoredHotkeyNotes(
    const StoredHotkeys& resolved, const std::array<std::optional<std::string>, kHotkeyRows>& unreadable,
    const HotkeyAssignment& names);
// The Options tab's notice: the rows' notes, then the combinations another
// program holds, then the mouse buttons whose hook the system refused or
// removed, named with their purpose ("Ctrl+F9 (Start)").
[[nodiscard]] std::string HotkeyNotice(const std::array<std::string, kHotkeyRows>& notes,
                                       const std::vector<std::string>& heldElsewhere,
                                       const std::vector<std::string>& hookless = {});
// The caption of the capture option that row 2 to 6 drives.
[[nodiscard]] std::string CaptureCaption(int row, const std::string& hotkeyName);
