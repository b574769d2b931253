// The main window as the view of the click session: each handler turns its
// controls into a command, and each of the session's events is shown in
// the controls. The window keeps no state of the runs, the list or capture.
#include "engine/list_file.h"
#include "framework/sysutils.h"
#include "ui/Unit1.h"
#include "ui/timer_ticker.h"

namespace {
constexpr const char* kClickTheList = "Click the List";
constexpr const char* kStop = "Stop";
constexpr const char* kPause = "Pause";
constexpr const char* kResume = "Resume";
constexpr std::uint16_t kVkDelete = 46;

IntervalFields Read(const TzcFloatSpinEdit& h, const TzcFloatSpinEdit& m, const TzcFloatSpinEdit& s,
                    const TzcFloatSpinEdit& t, const TzcFloatSpinEdit& hu) {
  IntervalFields fields;
  fields.hundredths = hu.Value();
  fields.tenths = t.Value();
  fields.seconds = s.Value();
  fields.minutes = m.Value();
  fields.hours = h.Value();
  return fields;
}
}  // namespace

void TForm1::CreateEngine() {
  singleTicker_ = std::make_unique<TimerTicker>(*Timer1);
  listTicker_ = std::make_unique<TimerTicker>(*listclicktimer);
  const SessionSystem system{Platform().input(), Platform().process(), Platform().files(), Platform().timers()};
  SessionEvents& events = *this;
  session = std::make_unique<ClickSession>(system, *singleTicker_, *listTicker_, events);
  hotkeys = std::make_unique<HotkeyAssignment>(Platform().keyboard(), Platform().locale());
}

IntervalFields TForm1::singleFields() const { return Read(*hours, *minutes, *seconds, *tenth, *hundreth); }
IntervalFields TForm1::listFields() const { return Read(*mtimeinterval, *mminutes, *mseconds, *mtenth, *mhundreth); }

// ---- the session's events

void TForm1::SingleRunChanged(bool running) {
  singclickstartbtn->SetColor(running ? clRed : clBtnFace);
  singleclickstopbutton->SetColor(running ? clBtnFace : clRed);
  singleclickstopbutton->SetEnabled(running);
  singclickstartbtn->SetEnabled(!running);
}

void TForm1::ListRunChanged(bool started, bool paused) {
  const char* caption = started ? kStop : kClickTheList;
  if (mclicklistbtn->Caption() != caption) mclicklistbtn->SetCaption(caption);
  const char* pause = paused ? kResume : kPause;
  if (mpausebutton->Caption() != pause) mpausebutton->SetCaption(pause);
  showActivity();
}

void TForm1::CountChanged(std::int64_t count) { countlabel->SetCaption(IntToStr(count)); }

void TForm1::RowHighlighted(int leaving, int current) {
  listbox1->SetMultiSelect(true);
  if (leaving >= 0) listbox1->SetSelected(leaving, false);
  if (current >= 0) listbox1->SetSelected(current, true);
  listbox1->SetMultiSelect(false);
}

void TForm1::RowAdded(const std::string& row) { listbox1->Items().Add(row); }

void TForm1::RowRemoved(int row) { listbox1->Items().Delete(row); }

void TForm1::RowsReplaced(const std::vector<std::string>& rows) {
  listbox1->Clear();
  for (const std::string& row : rows) listbox1->Items().Add(row);
}

void TForm1::HotkeysArmed(const HotkeyArming& arming) {
  starthotkey->SetActive(arming.start);
  stophotkey->SetActive(arming.stop);
  for (TLMDGlobalHotKey* hotkey : captureHotkeys()) hotkey->SetActive(arming.capture);
  retryHotkeys();  // says which of them another program holds
  showActivity();  // raised once a run or capture has changed
}

void TForm1::PointModeChanged(bool atMouse) {
  addtolistbutton->SetEnabled(!atMouse);
  singfindclickptstartbtn->SetEnabled(!atMouse);
  singfindclickptstopbtn->SetEnabled(!atMouse);
  xpostext->SetVisible(!atMouse);
  ypostext->SetVisible(!atMouse);
  Label5->SetEnabled(!atMouse);
  Label6->SetEnabled(!atMouse);
  Label7->SetEnabled(!atMouse);
  setlabel->SetVisible(atMouse);
}

void TForm1::PointTrackingChanged(bool tracking, bool pointSet) {
  findpointtimer->SetEnabled(tracking);
  Label7->SetVisible(tracking);
  if (!tracking) setlabel->SetVisible(pointSet);
}

void TForm1::CaptureChanged(bool tracking) {
  Label14->SetVisible(tracking);
  mfindpointtimer->SetEnabled(tracking);
  addtolistbutton->SetEnabled(tracking);
  showActivity();
}

// ---- the notification-area icon

void TForm1::showActivity() {
  static constexpr platform::TrayImage kImages[] = {platform::TrayImage::kIdle, platform::TrayImage::kSingle,
                                                    platform::TrayImage::kList, platform::TrayImage::kPaused,
                                                    platform::TrayImage::kCapturing};
  const Activity activity = session->CurrentActivity();
  trayicon->SetImage(kImages[static_cast<std::size_t>(activity)]);
  trayicon->SetHint(ActivityTip(activity, session->RunClicks(), session->RunRate()));
  // The rate falls while paused: the tip follows it there too.
  traytimer->SetEnabled(activity != Activity::kIdle && activity != Activity::kCapturing);
}

void TForm1::traytimerTimer(TObject* /*Sender*/) { showActivity(); }

void TForm1::trayShowClick(TObject* /*Sender*/) {
  if (Application().Minimized()) Application().Restore();
  Application().BringToFront();
}

// Through the hotkeys themselves: a box their press opened is not opened again.
void TForm1::trayStartClick(TObject* /*Sender*/) { starthotkey->Press(); }
void TForm1::trayStopClick(TObject* /*Sender*/) { stophotkey->Press(); }

void TForm1::trayExitClick(TObject* /*Sender*/) { Close(); }

// Minimised, nobody sees the count or the highlight: they wait, and show
// the truth once the window is back.
void TForm1::ApplicationMinimize(TObject* /*Sender*/) { session->SetViewVisible(false); }
void TForm1::ApplicationRestore(TObject* /*Sender*/) { session->SetViewVisible(true); }

void TForm1::Inform(const std::string& text) { ShowInformation(Application(), text); }

// ---- Single Click tab

void TForm1::singclickstartbtnClick(TObject* /*Sender*/) { session->StartSingle(xpostext->Text(), ypostext->Text()); }

void TForm1::singleclickstopbuttonClick(TObject* /*Sender*/) { session->StopSingle(); }

void TForm1::Timer1Timer(TObject* /*Sender*/) { session->SingleTick(); }

void TForm1::singfindclickptstartbtnClick(TObject* /*Sender*/) { session->StartPointTracking(); }

void TForm1::singfindclickptstopbtnClick(TObject* /*Sender*/) { session->StopPointTracking(); }

void TForm1::findpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = session->Cursor();
  xposlabel->SetCaption(IntToStr(at.x));
  yposlabel->SetCaption(IntToStr(at.y));
}

void TForm1::copyTrackedPoint(TLabel* x, TLabel* y, TEdit* xField, TEdit* yField) {
  xField->SetText(x->Caption());
  yField->SetText(y->Caption());
}

void TForm1::singfindclickptstartbtnKeyPress(TObject* /*Sender*/, char& Key) {
  // The key goes on unchanged: a space also presses the focused button,
  // which only re-enables the tracking already running.
  if (Key == ' ') {
    copyTrackedPoint(xposlabel, yposlabel, xpostext, ypostext);
    session->LockPoint(xposlabel->Caption(), yposlabel->Caption());
  } else if (Key == 'a' || Key == 'A') {
    // Copies this tab's point, then adds an entry from the other tab's fields.
    copyTrackedPoint(xposlabel, yposlabel, xpostext, ypostext);
    addtolistbuttonClick(singfindclickptstartbtn);
  }
}

void TForm1::CheckBox2Click(TObject* /*Sender*/) { session->SetClickAtMouse(CheckBox2->Checked()); }

void TForm1::clickonorigoptionClick(TObject* /*Sender*/) { session->SetClickOnOrig(clickonorigoption->Checked()); }

void TForm1::doubleclickboxClick(TObject* /*Sender*/) { session->SetDoubleClick(doubleclickbox->Checked()); }

void TForm1::numclicksspinChange(TObject* /*Sender*/) { session->SetClickLimit(numclicksspin->Value()); }

void TForm1::roundsspinChange(TObject* /*Sender*/) { session->SetListRounds(roundsspin->Value()); }

void TForm1::testbuttonClick(TObject* /*Sender*/) {
  testbutton->SetColor(testbutton->Color() == clBtnFace ? clRed : clBtnFace);
}

void TForm1::tenthChange(TObject* /*Sender*/) { session->SetSingleInterval(IntervalMilliseconds(singleFields())); }

void TForm1::mtimerintervalchange(TObject* /*Sender*/) { session->SetListInterval(IntervalMilliseconds(listFields())); }

// ---- Multiple Click Points tab

void TForm1::addtolistbuttonClick(TObject* /*Sender*/) {
  const char separator = Application().DecimalSeparator();
  // Ready for the space bar to lock the next point.
  if (session->Add(mxpostext->Text(), mypostext->Text(), EntryDelaySeconds(listFields()), separator)) {
    focusCaptureStart();
  }
}

void TForm1::focusCaptureStart() {
  // Only where the user could put it: a capture hotkey pressed while
  // another tab shows adds its entry without an error.
  if (mstartspecify->CanFocus()) mstartspecify->SetFocus();
}

void TForm1::listbox1Click(TObject* /*Sender*/) {
  // Only the user's clicks and keys raise it; a run's highlight does not.
  pickedRow = -1;
  for (int i = 0; i < listbox1->Items().Count(); ++i) {
    if (listbox1->Selected(i)) pickedRow = i;
  }
}

void TForm1::mclearlistbtnClick(TObject* /*Sender*/) {
  pickedRow = -1;
  session->Clear();
}

void TForm1::listbox1KeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key != kVkDelete) return;
  // The row the user picked, not the one a run highlights meanwhile.
  const int row = pickedRow;
  pickedRow = -1;
  session->Remove(row);
}

void TForm1::mclicklistbtnClick(TObject* /*Sender*/) { session->ToggleListRun(IntervalMilliseconds(listFields())); }

void TForm1::mpausebuttonClick(TObject* /*Sender*/) { session->TogglePause(IntervalMilliseconds(listFields())); }

void TForm1::listclicktimerTimer(TObject* /*Sender*/) { session->ListTick(); }

void TForm1::mstartspecifyClick(TObject* /*Sender*/) { session->StartCapture(); }

void TForm1::mstopspecifyClick(TObject* /*Sender*/) { session->StopCapture(); }

void TForm1::mfindpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = session->Cursor();
  Label12->SetCaption(IntToStr(at.x));
  Label13->SetCaption(IntToStr(at.y));
}

void TForm1::mstartspecifyKeyPress(TObject* /*Sender*/, char& Key) {
  if (Key == ' ') copyTrackedPoint(Label12, Label13, mxpostext, mypostext);
}

void TForm1::RadioButton1Click(TObject* /*Sender*/) {
  const TRadioButton* buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
  for (std::int32_t option = 1; option <= 5; ++option) {
    if (buttons[option - 1]->Checked()) session->SetCaptureOption(option);
  }
  focusCaptureStart();
}

void TForm1::captureWithOption(TRadioButton* button) {
  copyTrackedPoint(Label12, Label13, mxpostext, mypostext);
  button->SetChecked(true);
  RadioButton1Click(button);
  addtolistbuttonClick(button);
}

void TForm1::setposhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton1); }
void TForm1::clickholdhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton2); }
void TForm1::releasehotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton3); }
void TForm1::rightclickhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton4); }
void TForm1::doubleclickhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton5); }

// ---- the list file

void TForm1::SaveClickList1Click(TObject* /*Sender*/) {
  if (session->Rows().empty()) return;
  if (SaveDialog1->Execute()) session->Save(SaveDialog1->FileName());
}

void TForm1::LoadClickList1Click(TObject* /*Sender*/) {
  const char separator = Application().DecimalSeparator();
  if (!OpenDialog1->Execute()) {
    // Cancelled: the entries are read again from the rows as they stand.
    session->RereadRows(separator);
    return;
  }
  session->Load(OpenDialog1->FileName(), separator);
  pickedRow = -1;
}
