// The main window's handlers of the hotkeys and the settings: each reads
// its controls, calls the hotkey assignment or the settings store and
// shows the outcome. A hotkey box's text takes effect when it names a
// whole combination: at once for an entry picked or stepped to, and for
// typed text when the focus leaves the box (each keystroke would otherwise
// bind whatever the text spells so far).
#include <algorithm>
#include <cmath>
#include <exception>

#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"

namespace {
// A point field's number, or nothing with its error kept (the first one).
std::optional<std::int32_t> CoordinateToKeep(const std::string& text, std::exception_ptr& unreadable) {
  try {
    return StrToInt(text);
  } catch (const EConvertError&) {
    if (!unreadable) unreadable = std::current_exception();
    return std::nullopt;
  }
}
}  // namespace

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
  session->StopHotkey();
}

// ---- the hotkey boxes

HotkeyCodes TForm1::hotkeyCodes() const {
  HotkeyCodes codes{};
  const auto components = hotkeyComponents();
  for (std::size_t row = 0; row < codes.size(); ++row) codes[row] = components[row]->HotKey();
  return codes;
}

HotkeyCodes TForm1::hotkeyCodesToKeep() const {
  // What the user typed into a hotkey box last counts as if it had been left.
  HotkeyCodes codes = hotkeyCodes();
  for (std::size_t row = 0; row < codes.size(); ++row) {
    if (!hotkeyTyped_[row]) continue;
    const auto typed = hotkeys->Typed(hotkeyBoxes()[row]->Text());
    if (!typed) continue;
    if (hotkeys->checkcomboboxes(codes, static_cast<int>(row), *typed)) codes[row] = *typed;
  }
  return codes;
}

void TForm1::showHotkeyOf(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  const HotkeyAssignment::Shown shown = hotkeys->ShownFor(hotkeyComponents()[static_cast<std::size_t>(row)]->HotKey());
  if (box->ItemIndex() != shown.position || box->Text() != shown.text) {
    box->SetItemIndex(shown.position);
    if (shown.position < 0) box->SetText(shown.text);
  }
  hotkeyTyped_[static_cast<std::size_t>(row)] = false;
}

void TForm1::loadhotkeystringlist() {
  for (int row = 0; row < kHotkeyRows; ++row) showHotkeyOf(row);
}

void TForm1::setCaptureCaption(int row) {
  if (row < 2) return;
  TRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
  radios[row - 2]->SetCaption(
      CaptureCaption(row, hotkeys->Name(hotkeyComponents()[static_cast<std::size_t>(row)]->HotKey())));
}

void TForm1::showHotkeys() {
  loadhotkeystringlist();
  for (int row = 2; row < kHotkeyRows; ++row) setCaptureCaption(row);
  retryHotkeys();
}

void TForm1::assignHotkey(int row, TShortCut code) {
  if (hotkeys->checkcomboboxes(hotkeyCodes(), row, code)) {
    fallbackNotes_[static_cast<std::size_t>(row)].clear();  // the user has chosen anew
    hotkeyComponents()[static_cast<std::size_t>(row)]->SetHotKey(code);
    setCaptureCaption(row);
    retryHotkeys();
  }
  // Accepted or refused, the box shows the hotkey as it now is.
  showHotkeyOf(row);
}

void TForm1::hotkeyRowChanged(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  const int index = box->ItemIndex();
  // A pick or a step shows its entry's text. Anything else is typing, also
  // when the box still reports a selection (Wine's does so for the first
  // keystroke after a step); it counts once the focus leaves the box.
  if (index < 0 || box->Text() != box->Items()[static_cast<std::size_t>(index)]) {
    hotkeyTyped_[static_cast<std::size_t>(row)] = true;
    return;
  }
  if (const auto code = hotkeys->Picked(hotkeyCodes(), row, index)) {
    assignHotkey(row, *code);
  } else {
    showHotkeyOf(row);  // nothing free that way: it stays where it was
  }
}

void TForm1::commitHotkeyRow(int row) {
  hotkeyTyped_[static_cast<std::size_t>(row)] = false;
  if (const auto code = hotkeys->Typed(hotkeyBoxes()[static_cast<std::size_t>(row)]->Text())) {
    assignHotkey(row, *code);
  } else {
    showHotkeyOf(row);
  }
}

void TForm1::hotkeyBoxExit(TObject* Sender) {
  const auto boxes = hotkeyBoxes();
  for (std::size_t row = 0; row < boxes.size(); ++row) {
    if (boxes[row] == Sender && hotkeyTyped_[row]) commitHotkeyRow(static_cast<int>(row));
  }
}

void TForm1::retryHotkeys() {
  for (TLMDGlobalHotKey* component : hotkeyComponents()) component->Retry();
  showHotkeyNotice();
}

void TForm1::showHotkeyNotice() {
  std::vector<std::string> heldElsewhere;
  std::vector<std::string> hookless;
  const auto components = hotkeyComponents();
  for (std::size_t row = 0; row < components.size(); ++row) {
    if (!components[row]->Refused()) continue;
    const TShortCut code = components[row]->HotKey();
    (IsMouseShortcut(code) ? hookless : heldElsewhere)
        .push_back(hotkeys->Name(code) + " (" + HotkeyPurpose(static_cast<int>(row)) + ")");
  }
  const std::string notice = HotkeyNotice(fallbackNotes_, heldElsewhere, hookless);
  if (hotkeynotice->Caption() != notice) hotkeynotice->SetCaption(notice);
  hotkeyretrytimer->SetEnabled(!heldElsewhere.empty() || !hookless.empty());
}

void TForm1::hotkeyretrytimerTimer(TObject* /*Sender*/) { retryHotkeys(); }

void TForm1::hotkeyLost(TObject* /*Sender*/) { showHotkeyNotice(); }

void TForm1::FormActivate(TObject* /*Sender*/) { retryHotkeys(); }

void TForm1::ComboBox1Change(TObject* /*Sender*/) { hotkeyRowChanged(0); }
void TForm1::ComboBox2Change(TObject* /*Sender*/) { hotkeyRowChanged(1); }
void TForm1::ComboBox3Change(TObject* /*Sender*/) { hotkeyRowChanged(2); }
void TForm1::ComboBox4Change(TObject* /*Sender*/) { hotkeyRowChanged(3); }
void TForm1::ComboBox5Change(TObject* /*Sender*/) { hotkeyRowChanged(4); }
void TForm1::ComboBox6Change(TObject* /*Sender*/) { hotkeyRowChanged(5); }
void TForm1::ComboBox7Change(TObject* /*Sender*/) { hotkeyRowChanged(6); }

// ---- the settings

void TForm1::applySettings(const Settings& values) {
  // Through the controls' own setters, so that their handlers run as for the user.
  if (values.x) xpostext->SetText(IntToStr(*values.x));
  if (values.y) ypostext->SetText(IntToStr(*values.y));
  TzcFloatSpinEdit* fields[] = {hours, minutes, seconds, tenth, hundreth};
  for (std::size_t i = 0; i < values.interval.size(); ++i) {
    if (values.interval[i]) fields[i]->SetValue(*values.interval[i]);
  }
  if (values.mouse) CheckBox2->SetChecked(*values.mouse);
  if (values.numclicks) numclicksspin->SetValue(*values.numclicks);
  if (values.orig) clickonorigoption->SetChecked(*values.orig);
  if (values.doubleclick) doubleclickbox->SetChecked(*values.doubleclick);
  if (values.rounds) roundsspin->SetValue(*values.rounds);
  // A combination stored for two hotkeys would leave one of them dead.
  const StoredHotkeys resolved = ResolveStoredHotkeys(values.hotkeys);
  const auto components = hotkeyComponents();
  for (std::size_t row = 0; row < components.size(); ++row) components[row]->SetHotKey(resolved.codes[row]);
  fallbackNotes_ = StoredHotkeyNotes(resolved, values.unreadableHotkeys, *hotkeys);
}

void TForm1::FormCreate(TObject* /*Sender*/) {
  // The layout is 319 high; the window opens shorter.
  SetHeight(265);
  showActivity();
  trayicon->SetVisible(true);
  settingsStore = std::make_unique<SettingsStore>(Platform().registry(), Platform().keyboard(), Platform().locale());
  // A value that cannot be read ends the reading there; the boxes and
  // captions still show the hotkeys as they are.
  Settings stored;
  try {
    settingsStore->Read(stored);
  } catch (...) {
    applySettings(stored);
    showHotkeys();
    throw;
  }
  applySettings(stored);
  showHotkeys();
}

void TForm1::FormClose(TObject* /*Sender*/) {
  session->Shutdown();
  trayicon->SetVisible(false);  // out of sight with the window
}

void TForm1::FormDestroy(TObject* /*Sender*/) {
  // Also when the window goes without a close (an error ending the program).
  session->Shutdown();
  saveSettings(false);
  settingsStore.reset();
  Application().OnMinimize = nullptr;
  Application().OnRestore = nullptr;
}

void TForm1::FormQueryEndSession(TObject* /*Sender*/) {
  // Nobody can answer a message box now, and one would hold up the logoff:
  // a field that cannot be read keeps its stored value, and a registry
  // that refuses is left for the next exit to report.
  try {
    saveSettings(true);
  } catch (const Exception&) {
  }
}

void TForm1::FormSessionEnding(TObject* Sender) {
  session->Shutdown();
  FormQueryEndSession(Sender);
}

void TForm1::saveSettings(bool quiet) {
  if (!settingsStore) return;
  // A field that is not a number keeps its stored value and the rest is
  // written all the same; its message comes last.
  std::exception_ptr unreadable;
  settingsStore->Write(settingsToKeep(unreadable));
  if (unreadable && !quiet) std::rethrow_exception(unreadable);
}

Settings TForm1::settingsToKeep(std::exception_ptr& unreadable) const {
  Settings values;
  values.x = CoordinateToKeep(xpostext->Text(), unreadable);
  values.y = CoordinateToKeep(ypostext->Text(), unreadable);
  const TzcFloatSpinEdit* fields[] = {hours, minutes, seconds, tenth, hundreth};
  for (std::size_t i = 0; i < values.interval.size(); ++i) {
    values.interval[i] = static_cast<std::int32_t>(std::trunc(fields[i]->Value()));
  }
  values.mouse = session->ClickAtMouse();
  values.numclicks = session->ClickLimit();
  values.orig = session->ClickOnOrig();
  values.doubleclick = session->DoubleClick();
  values.rounds = session->ListRounds();
  const HotkeyCodes codes = hotkeyCodesToKeep();
  for (std::size_t row = 0; row < codes.size(); ++row) values.hotkeys[row] = codes[row];
  return values;
}
