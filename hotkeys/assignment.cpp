// What the start and stop hotkeys do, and reassigning the seven hotkeys
// on the Options tab. A box's text takes effect when it names a whole
// combination: at once for an entry picked or stepped to, and for typed
// text when the focus leaves the box (each keystroke would otherwise bind
// whatever the text spells so far).
#include <cstdlib>

#include "ui/Unit1.h"

void TForm1::starthotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  // The page selected in the main window counts, also while another
  // program has the focus. START runs even while disabled.
  if (PageControl1->ActivePage() == TabSheet1) {
    singclickstartbtn->Click();
  } else if (PageControl1->ActivePage() == TabSheet2) {
    mclicklistbtn->Click();
  }
}

void TForm1::stophotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  if (Timer1->Enabled()) singleclickstopbutton->Click();
  // A paused list run is left paused.
  if (listclicktimer->Enabled()) endListRun();
}

namespace {
// Rows 3 to 7 name their capture hotkey in a radio button's caption.
constexpr const char* kOptionPrefixes[] = {"Click      / ", "Click-Hold   / ", "Release    / ", "Right Click / ",
                                           "Double Click/ "};
// Shift, Ctrl, Alt and the Windows keys, left, right or either: held
// alone with a modifier they are no combination a user can press.
bool IsModifierKey(std::uint16_t key) noexcept {
  return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C || (key >= 0xA0 && key <= 0xA5);
}
// What each row's hotkey does, as the notice of refused hotkeys names it.
constexpr const char* kRowPurposes[] = {"Start",   "Stop",        "Click",       "Click-Hold",
                                        "Release", "Right Click", "Double Click"};
}  // namespace

void TForm1::showHotkeyOf(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  const TShortCut code = hotkeyComponents()[static_cast<std::size_t>(row)]->HotKey();
  const int position = FindHotkeyChoice(*this, code);
  // A code the list lacks (Alt+F4 from the registry) shows its name.
  const std::string shown = position >= 0 ? box->Items()[static_cast<std::size_t>(position)]
                            : code != 0   ? FormatShortcut(*this, code)
                                          : std::string();
  if (box->ItemIndex() != position || box->Text() != shown) {
    box->SetItemIndex(position);
    if (position < 0) box->SetText(shown);
  }
  hotkeyTyped_[static_cast<std::size_t>(row)] = false;
}

void TForm1::loadhotkeystringlist() {
  for (int row = 0; row < 7; ++row) showHotkeyOf(row);
}

void TForm1::setCaptureCaption(int row) {
  if (row < 2) return;
  TRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
  radios[row - 2]->SetCaption(kOptionPrefixes[row - 2] +
                              FormatShortcut(*this, hotkeyComponents()[static_cast<std::size_t>(row)]->HotKey()));
}

void TForm1::showHotkeys() {
  loadhotkeystringlist();
  for (int row = 2; row < 7; ++row) setCaptureCaption(row);
  retryHotkeys();
}

void TForm1::checkcomboboxes(int row, TShortCut code) {
  // Two hotkeys on one combination would leave one of them dead; no
  // combination at all clashes with nothing.
  const auto hotkeys = hotkeyComponents();
  hotkeysDistinct = true;
  for (std::size_t other = 0; other < hotkeys.size(); ++other) {
    if (static_cast<int>(other) != row && code != 0 && hotkeys[other]->HotKey() == code) hotkeysDistinct = false;
  }
}

void TForm1::assignHotkey(int row, TShortCut code) {
  checkcomboboxes(row, code);
  if (hotkeysDistinct) {
    hotkeyComponents()[static_cast<std::size_t>(row)]->SetHotKey(code);
    setCaptureCaption(row);
    retryHotkeys();
  }
  // Accepted or refused, the box shows the hotkey as it now is.
  showHotkeyOf(row);
}

void TForm1::hotkeyRowChanged(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  int index = box->ItemIndex();
  // A pick or a step shows its entry's text. Anything else is typing, also
  // when the box still reports a selection (Wine's does so for the first
  // keystroke after a step).
  if (index < 0 || box->Text() != box->Items()[static_cast<std::size_t>(index)]) {
    // The text counts once the focus leaves the box.
    hotkeyTyped_[static_cast<std::size_t>(row)] = true;
    return;
  }
  // A step of one with the arrow keys passes over the entries that other
  // boxes hold, in the direction of the step; a pick elsewhere is refused.
  const int before = FindHotkeyChoice(*this, hotkeyComponents()[static_cast<std::size_t>(row)]->HotKey());
  const bool step = before >= 0 ? std::abs(index - before) == 1 : index == 0;
  if (step) {
    const int direction = before >= 0 && index < before ? -1 : 1;
    const int count = static_cast<int>(box->Items().size());
    for (; index >= 0 && index < count; index += direction) {
      checkcomboboxes(row, ParseShortcut(*this, box->Items()[static_cast<std::size_t>(index)]));
      if (hotkeysDistinct) break;
    }
    if (index < 0 || index >= count) {
      showHotkeyOf(row);  // nothing free that way: it stays where it was
      return;
    }
  }
  assignHotkey(row, ParseShortcut(*this, box->Items()[static_cast<std::size_t>(index)]));
}

void TForm1::commitHotkeyRow(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  hotkeyTyped_[static_cast<std::size_t>(row)] = false;
  // Emptied on purpose: the hotkey is unassigned.
  if (box->Text().empty()) {
    assignHotkey(row, 0);
    return;
  }
  // A combination is a key with Ctrl, Alt or Shift, or one of the list's
  // own entries: a bare letter typed here would take that letter from
  // every program.
  const TShortCut code = ParseShortcut(*this, box->Text());
  const bool whole = code != 0 && !IsModifierKey(SplitShortcut(code).key) &&
                     ((code & (scShift | scCtrl | scAlt)) != 0 || FindHotkeyChoice(*this, code) >= 0);
  if (!whole) {
    showHotkeyOf(row);
    return;
  }
  assignHotkey(row, code);
}

void TForm1::hotkeyBoxExit(TObject* Sender) {
  const auto boxes = hotkeyBoxes();
  for (std::size_t row = 0; row < boxes.size(); ++row) {
    if (boxes[row] == Sender && hotkeyTyped_[row]) commitHotkeyRow(static_cast<int>(row));
  }
}

void TForm1::retryHotkeys() {
  std::string refused;
  const auto hotkeys = hotkeyComponents();
  for (std::size_t row = 0; row < hotkeys.size(); ++row) {
    if (hotkeys[row]->Retry()) continue;
    if (!refused.empty()) refused += ", ";
    refused += FormatShortcut(*this, hotkeys[row]->HotKey()) + " (" + kRowPurposes[row] + ")";
  }
  const std::string notice =
      refused.empty() ? std::string() : "Another program holds " + refused + ". Tapfinch tries again until it is free.";
  if (hotkeynotice->Caption() != notice) hotkeynotice->SetCaption(notice);
  hotkeyretrytimer->SetEnabled(!refused.empty());
}

void TForm1::hotkeyretrytimerTimer(TObject* /*Sender*/) { retryHotkeys(); }

void TForm1::FormActivate(TObject* /*Sender*/) { retryHotkeys(); }

void TForm1::ComboBox1Change(TObject* /*Sender*/) { hotkeyRowChanged(0); }
void TForm1::ComboBox2Change(TObject* /*Sender*/) { hotkeyRowChanged(1); }
void TForm1::ComboBox3Change(TObject* /*Sender*/) { hotkeyRowChanged(2); }
void TForm1::ComboBox4Change(TObject* /*Sender*/) { hotkeyRowChanged(3); }
void TForm1::ComboBox5Change(TObject* /*Sender*/) { hotkeyRowChanged(4); }
void TForm1::ComboBox6Change(TObject* /*Sender*/) { hotkeyRowChanged(5); }
void TForm1::ComboBox7Change(TObject* /*Sender*/) { hotkeyRowChanged(6); }
