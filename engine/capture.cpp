// Capture: Start tracks the cursor and registers the five capture
// hotkeys, each of which locks the tracked point, picks its click option
// and adds the entry; the space bar locks the point alone.
#include "framework/sysutils.h"
#include "ui/Unit1.h"

void TForm1::mstartspecifyClick(TObject* /*Sender*/) {
  // The mouse is the user's while capturing: a button a run left down goes up.
  releaseHeldButton();
  Label14->Show();
  mfindpointtimer->SetEnabled(true);
  addtolistbutton->SetEnabled(true);
  for (TLMDGlobalHotKey* hotkey : captureHotkeys()) hotkey->SetActive(true);
  retryHotkeys();  // says which of them another program holds
}

void TForm1::mstopspecifyClick(TObject* /*Sender*/) {
  releaseHeldButton();
  mfindpointtimer->SetEnabled(false);
  Label14->Hide();
  addtolistbutton->SetEnabled(false);
  for (TLMDGlobalHotKey* hotkey : captureHotkeys()) hotkey->SetActive(false);
  retryHotkeys();
  if (listbox1->Items().Count() > 0) listPos = 1;
  restartListWaits();
}

void TForm1::mfindpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = Platform().input().GetCursorPos();
  Label12->SetCaption(IntToStr(at.x));
  Label13->SetCaption(IntToStr(at.y));
}

void TForm1::mstartspecifyKeyPress(TObject* /*Sender*/, char& Key) {
  if (Key != ' ') return;
  mxpostext->SetText(Label12->Caption());
  mypostext->SetText(Label13->Caption());
}

void TForm1::RadioButton1Click(TObject* /*Sender*/) {
  const TRadioButton* buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
  for (std::int32_t option = 1; option <= 5; ++option) {
    if (buttons[option - 1]->Checked()) currentOption = option;
  }
  focusCaptureStart();
}

void TForm1::captureWithOption(TRadioButton* button) {
  mxpostext->SetText(Label12->Caption());
  mypostext->SetText(Label13->Caption());
  button->SetChecked(true);
  RadioButton1Click(button);
  addtolistbuttonClick(button);
}

void TForm1::setposhotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  captureWithOption(RadioButton1);
}

void TForm1::clickholdhotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  captureWithOption(RadioButton2);
}

void TForm1::releasehotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  captureWithOption(RadioButton3);
}

void TForm1::rightclickhotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  captureWithOption(RadioButton4);
}

void TForm1::doubleclickhotkeyKeyDown(TObject* /*Sender*/, std::uint16_t& /*Key*/, TShiftState /*Shift*/) {
  captureWithOption(RadioButton5);
}
