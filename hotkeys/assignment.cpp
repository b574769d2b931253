#include "hotkeys/assignment.h"

#include <cstdlib>

#include "framework/sysutils.h"

namespace {
// Rows 3 to 7 name their capture hotkey in a radio button's caption.
constexpr const char* kOptionPrefixes[] = {"Click      / ", "Click-Hold   / ", "Release    / ", "Right Click / ",
                                           "Double Click/ "};
constexpr const char* kRowPurposes[] = {"Start",   "Stop",        "Click",       "Click-Hold",
                                        "Release", "Right Click", "Double Click"};
// Shift, Ctrl, Alt and the Windows keys, left, right or either: held
// alone with a modifier they are no combination a user can press.
bool IsModifierKey(std::uint16_t key) noexcept {
  return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C || (key >= 0xA0 && key <= 0xA5);
}
}  // namespace

const char* HotkeyPurpose(int row) { return kRowPurposes[row]; }

std::string FallbackNotice(int row, const std::string& storedName, int holder, const std::string& nowName) {
  const std::string purpose = kRowPurposes[row];
  return purpose + " was stored as " + storedName + ", which " + kRowPurposes[holder] + " has: " + purpose +
         (nowName.empty() ? " has no hotkey." : " is " + nowName + ".");
}

std::string UnreadableNotice(int row, const std::string& storedText, const std::string& nowName) {
  const std::string purpose = kRowPurposes[row];
  return purpose + " was stored as " + QuotedForMessage(storedText) + ", which names no combination: " + purpose +
         (nowName.empty() ? " has no hotkey." : " is " + nowName + ".");
}

std::array<std::string, kHotkeyRows> StoredHotkeyNotes(
    const StoredHotkeys& resolved, const std::array<std::optional<std::string>, kHotkeyRows>& unreadable,
    const HotkeyAssignment& names) {
  std::array<std::string, kHotkeyRows> notes{};
  for (int row = 0; row < kHotkeyRows; ++row) {
    const auto at = static_cast<std::size_t>(row);
    const std::string now = names.Name(resolved.codes[at]);
    if (unreadable[at]) notes[at] = UnreadableNotice(row, *unreadable[at], now);
    if (!resolved.refused[at]) continue;
    const TShortCut refused = *resolved.refused[at];
    int holder = 0;
    while (holder < kHotkeyRows && resolved.codes[static_cast<std::size_t>(holder)] != refused) ++holder;
    notes[at] = FallbackNotice(row, names.Name(refused), holder, now);
  }
  return notes;
}

std::string HotkeyNotice(const std::array<std::string, kHotkeyRows>& notes,
                         const std::vector<std::string>& heldElsewhere, const std::vector<std::string>& hookless) {
  std::string notice;
  auto append = [&](const std::string& sentence) { notice += (notice.empty() ? "" : " ") + sentence; };
  auto joined = [](const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
  };
  for (const std::string& note : notes) {
    if (!note.empty()) append(note);
  }
  if (!heldElsewhere.empty()) {
    append("Another program holds " + joined(heldElsewhere) + ". Tapfinch tries again until it is free.");
  }
  if (!hookless.empty()) {
    append("Windows refused or removed the mouse hook for " + joined(hookless) +
           ". Tapfinch tries again until it works.");
  }
  return notice;
}

StoredHotkeys ResolveStoredHotkeys(const std::array<std::optional<TShortCut>, kHotkeyRows>& stored,
                                   const HotkeyCodes& defaults) {
  StoredHotkeys result;
  std::array<bool, kHotkeyRows> settled{};
  auto taken = [&](TShortCut code) {
    for (int row = 0; row < kHotkeyRows; ++row) {
      if (settled[static_cast<std::size_t>(row)] && result.codes[static_cast<std::size_t>(row)] == code) return true;
    }
    return false;
  };
  // A row on its own default, or on none, keeps it: defaults never clash.
  for (std::size_t row = 0; row < result.codes.size(); ++row) {
    const TShortCut wanted = stored[row].value_or(defaults[row]);
    if (wanted == defaults[row] || wanted == 0) {
      result.codes[row] = wanted;
      settled[row] = true;
    }
  }
  for (std::size_t row = 0; row < result.codes.size(); ++row) {
    if (settled[row]) continue;
    const TShortCut wanted = *stored[row];
    if (!taken(wanted)) {
      result.codes[row] = wanted;
      settled[row] = true;
    } else {
      result.refused[row] = wanted;
    }
  }
  for (std::size_t row = 0; row < result.codes.size(); ++row) {
    if (settled[row]) continue;
    result.codes[row] = taken(defaults[row]) ? TShortCut{0} : defaults[row];
    settled[row] = true;
  }
  return result;
}

std::string CaptureCaption(int row, const std::string& hotkeyName) { return kOptionPrefixes[row - 2] + hotkeyName; }

bool HotkeyAssignment::checkcomboboxes(const HotkeyCodes& codes, int row, TShortCut code) {
  // Two hotkeys on one combination would leave one of them dead.
  hotkeysDistinct = true;
  for (int other = 0; other < kHotkeyRows; ++other) {
    if (other != row && code != 0 && codes[static_cast<std::size_t>(other)] == code) hotkeysDistinct = false;
  }
  return hotkeysDistinct;
}

std::optional<TShortCut> HotkeyAssignment::Picked(const HotkeyCodes& codes, int row, int index) {
  const auto& choices = HotkeyChoices();
  const int count = static_cast<int>(choices.size());
  if (index < 0 || index >= count) return std::nullopt;
  // A step of one with the arrow keys passes over the entries that other
  // rows hold, in the direction of the step; a pick elsewhere is taken as
  // it is and refused when held.
  const int before = FindHotkeyChoice(codes[static_cast<std::size_t>(row)], keyboard_, locale_);
  const bool step = before >= 0 ? std::abs(index - before) == 1 : index == 0;
  if (step) {
    const int direction = before >= 0 && index < before ? -1 : 1;
    for (; index >= 0 && index < count; index += direction) {
      checkcomboboxes(codes, row, ParseShortcut(choices[static_cast<std::size_t>(index)], keyboard_, locale_));
      if (hotkeysDistinct) break;
    }
    if (index < 0 || index >= count) return std::nullopt;  // nothing free that way
  }
  return ParseShortcut(choices[static_cast<std::size_t>(index)], keyboard_, locale_);
}

std::optional<TShortCut> HotkeyAssignment::Typed(const std::string& text) const {
  // Emptied on purpose: the hotkey is unassigned.
  if (text.empty()) return TShortCut{0};
  // A bare letter typed here would take that letter from every program.
  const TShortCut code = ParseShortcut(text, keyboard_, locale_);
  const bool whole = code != 0 && !IsModifierKey(SplitShortcut(code).key) &&
                     ((code & (scShift | scCtrl | scAlt)) != 0 || FindHotkeyChoice(code, keyboard_, locale_) >= 0);
  if (!whole) return std::nullopt;
  return code;
}

HotkeyAssignment::Shown HotkeyAssignment::ShownFor(TShortCut code) const {
  const int position = FindHotkeyChoice(code, keyboard_, locale_);
  // A code the choices lack (Alt+F4 from the registry) shows its name.
  if (position >= 0) return {position, HotkeyChoices()[static_cast<std::size_t>(position)]};
  return {-1, code != 0 ? Name(code) : std::string()};
}
