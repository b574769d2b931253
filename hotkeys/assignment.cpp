// What the start and stop hotkeys do, and reassigning the seven hotkeys
// on the Options tab.
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
}  // namespace

void TForm1::loadhotkeystringlist() {
  const auto boxes = hotkeyBoxes();
  const auto hotkeys = hotkeyComponents();
  for (std::size_t row = 0; row < boxes.size(); ++row) {
    const int position = FindHotkeyChoice(*this, hotkeys[row]->HotKey());
    if (boxes[row]->ItemIndex() != position) boxes[row]->SetItemIndex(position);
  }
}

void TForm1::checkcomboboxes() {
  const auto boxes = hotkeyBoxes();
  hotkeysDistinct = true;
  for (std::size_t a = 0; a < boxes.size() && hotkeysDistinct; ++a) {
    for (std::size_t b = a + 1; b < boxes.size(); ++b) {
      if (boxes[a]->Text() == boxes[b]->Text()) {
        hotkeysDistinct = false;
        break;
      }
    }
  }
}

void TForm1::hotkeyRowChanged(int row) {
  TComboBox* box = hotkeyBoxes()[static_cast<std::size_t>(row)];
  TLMDGlobalHotKey* hotkey = hotkeyComponents()[static_cast<std::size_t>(row)];
  checkcomboboxes();
  if (!hotkeysDistinct) {
    // Refused without a word: the box shows its hotkey's entry again.
    const int position = FindHotkeyChoice(*this, hotkey->HotKey());
    if (box->ItemIndex() != position) box->SetItemIndex(position);
    return;
  }
  hotkey->SetHotKey(ParseShortcut(*this, box->Text()));
  if (row >= 2) {
    TRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
    radios[row - 2]->SetCaption(kOptionPrefixes[row - 2] + FormatShortcut(*this, hotkey->HotKey()));
  }
}

void TForm1::ComboBox1Change(TObject* /*Sender*/) { hotkeyRowChanged(0); }
void TForm1::ComboBox2Change(TObject* /*Sender*/) { hotkeyRowChanged(1); }
void TForm1::ComboBox3Change(TObject* /*Sender*/) { hotkeyRowChanged(2); }
void TForm1::ComboBox4Change(TObject* /*Sender*/) { hotkeyRowChanged(3); }
void TForm1::ComboBox5Change(TObject* /*Sender*/) { hotkeyRowChanged(4); }
void TForm1::ComboBox6Change(TObject* /*Sender*/) { hotkeyRowChanged(5); }
void TForm1::ComboBox7Change(TObject* /*Sender*/) { hotkeyRowChanged(6); }
