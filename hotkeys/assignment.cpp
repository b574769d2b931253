// What the start and stop hotkeys do.
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
