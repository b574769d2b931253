// The main window's handlers of the two runs, the click list and capture:
// each reads its controls, calls the engine and shows the engine's state.
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
  auto& input = Platform().input();
  singleTicker_ = std::make_unique<TimerTicker>(*Timer1);
  listTicker_ = std::make_unique<TimerTicker>(*listclicktimer);
  mouse = std::make_unique<MouseActions>(input);
  singleRun = std::make_unique<SinglePointRun>(*mouse, input, *singleTicker_);
  listRun = std::make_unique<ListRun>(clickList, *mouse, input, *listTicker_);
  capture = std::make_unique<Capture>(clickList, *listRun, *mouse, input);
  hotkeys = std::make_unique<HotkeyAssignment>(Platform().keyboard(), Platform().locale());
  listRun->onStep = [this](int leaving, int current) {
    listbox1->SetMultiSelect(true);
    listbox1->SetSelected(current, true);
    if (leaving >= 0) listbox1->SetSelected(leaving, false);
    listbox1->SetMultiSelect(false);
  };
}

IntervalFields TForm1::singleFields() const { return Read(*hours, *minutes, *seconds, *tenth, *hundreth); }
IntervalFields TForm1::listFields() const { return Read(*mtimeinterval, *mminutes, *mseconds, *mtenth, *mhundreth); }

void TForm1::sayWhereClicksCannotGo(const std::vector<platform::Point>& points) {
  if (const auto message = WhereClicksCannotGo(Platform().process(), points)) ShowInformation(Application(), *message);
}

void TForm1::showSingleRun(bool running) {
  singclickstartbtn->SetColor(running ? clRed : clBtnFace);
  singleclickstopbutton->SetColor(running ? clBtnFace : clRed);
  singleclickstopbutton->SetEnabled(running);
  singclickstartbtn->SetEnabled(!running);
}

void TForm1::showListRun() {
  const char* caption = listRun->Started() ? kStop : kClickTheList;
  if (mclicklistbtn->Caption() != caption) mclicklistbtn->SetCaption(caption);
  const char* pause = listRun->Paused() ? kResume : kPause;
  if (mpausebutton->Caption() != pause) mpausebutton->SetCaption(pause);
}

void TForm1::stopHotkeyFollowsRuns() {
  // The emergency stop must work whichever run goes; with none going the
  // combination is left to other programs. A paused list run keeps what
  // it had.
  if (singleRun->Running() || listRun->Running()) {
    stophotkey->SetActive(true);
  } else if (!listRun->Paused()) {
    stophotkey->SetActive(false);
  }
  // A run is when a stop hotkey another program held matters most.
  retryHotkeys();
}

void TForm1::showClickList() {
  listbox1->Clear();
  for (const std::string& row : clickList.Rows()) listbox1->Items().Add(row);
}

void TForm1::stopEverything() {
  // Nothing may click behind a box at exit, and Windows keeps an injected
  // press down after its process has gone.
  for (TLMDGlobalHotKey* hotkey : hotkeyComponents()) hotkey->SetActive(false);
  const bool singleRan = singleRun->Running();
  singleRun->Stop();
  listRun->End();
  if (capture->Tracking()) capture->Stop();
  findpointtimer->SetEnabled(false);
  mfindpointtimer->SetEnabled(false);
  mouse->releaseHeldButton();
  // A box may show next: the buttons and the count say what is true.
  if (singleRan) showSingleRun(false);
  showListRun();
  if (countPending_) showCount();
}

// ---- Single Click tab

void TForm1::singclickstartbtnClick(TObject* /*Sender*/) {
  if (!singleRun->pointSet) {
    ShowInformation(Application(), "No Click Point Specified.");
    return;
  }
  // Read before anything changes: a bad text leaves the buttons and the
  // stop hotkey as they were. Clicking at the mouse, the fields are hidden
  // and unused, so a text there that is no number cannot stop the run.
  const bool used = !singleRun->clickAtMouse;
  const auto x = used ? StrToInt(xpostext->Text()) : TryStrToInt(xpostext->Text());
  const auto y = used ? StrToInt(ypostext->Text()) : TryStrToInt(ypostext->Text());
  if (used) sayWhereClicksCannotGo({{*x, *y}});
  // The running look first: should the system refuse the timer, STOP is
  // there to undo it.
  showSingleRun(true);
  singleRun->Start(x, y);
  stopHotkeyFollowsRuns();
  showCount();
}

void TForm1::singleclickstopbuttonClick(TObject* /*Sender*/) {
  singleRun->Stop();
  stopHotkeyFollowsRuns();
  showSingleRun(false);
  if (countPending_) showCount();
}

void TForm1::Timer1Timer(TObject* /*Sender*/) {
  const bool limitMet = singleRun->Tick(numclicksspin->Value(), doubleclickbox->Checked());
  // Painting the count is most of what a click costs: at short intervals
  // it is shown only as often as the next tick would otherwise leave it
  // older than a tenth of a second, and exactly once the run stops.
  const std::uint64_t now = Platform().timers().Now();
  if (limitMet || now - countShownAt_ + Timer1->Interval() > kCountAgeMs) {
    showCount();
  } else {
    countPending_ = true;
  }
  if (limitMet) singleclickstopbutton->Click();
}

void TForm1::showCount() {
  countlabel->SetCaption(IntToStr(singleRun->Count()));
  countShownAt_ = Platform().timers().Now();
  countPending_ = false;
}

void TForm1::singfindclickptstartbtnClick(TObject* /*Sender*/) {
  findpointtimer->SetEnabled(true);
  Label7->Show();
}

void TForm1::singfindclickptstopbtnClick(TObject* /*Sender*/) {
  findpointtimer->SetEnabled(false);
  Label7->Hide();
  setlabel->SetVisible(singleRun->pointSet);
}

void TForm1::findpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = singleRun->Cursor();
  xposlabel->SetCaption(IntToStr(at.x));
  yposlabel->SetCaption(IntToStr(at.y));
}

void TForm1::singfindclickptstartbtnKeyPress(TObject* /*Sender*/, char& Key) {
  // The key goes on unchanged: a space also presses the focused button,
  // which only re-enables the tracking already running.
  if (Key == ' ') {
    xpostext->SetText(xposlabel->Caption());
    ypostext->SetText(yposlabel->Caption());
    singleRun->LockPoint();
    const auto x = TryStrToInt(xposlabel->Caption());
    const auto y = TryStrToInt(yposlabel->Caption());
    if (x && y) sayWhereClicksCannotGo({{*x, *y}});
  } else if (Key == 'a' || Key == 'A') {
    // Copies this tab's point, then adds an entry from the other tab's fields.
    xpostext->SetText(xposlabel->Caption());
    ypostext->SetText(yposlabel->Caption());
    addtolistbuttonClick(singfindclickptstartbtn);
  }
}

void TForm1::CheckBox2Click(TObject* /*Sender*/) {
  const bool atMouse = CheckBox2->Checked();
  addtolistbutton->SetEnabled(!atMouse);
  singfindclickptstartbtn->SetEnabled(!atMouse);
  singfindclickptstopbtn->SetEnabled(!atMouse);
  xpostext->SetVisible(!atMouse);
  ypostext->SetVisible(!atMouse);
  Label5->SetEnabled(!atMouse);
  Label6->SetEnabled(!atMouse);
  Label7->SetEnabled(!atMouse);
  setlabel->SetVisible(atMouse);
  singleRun->SetClickAtMouse(atMouse);
}

void TForm1::clickonorigoptionClick(TObject* /*Sender*/) { singleRun->clickOnOrig = clickonorigoption->Checked(); }

void TForm1::testbuttonClick(TObject* /*Sender*/) {
  testbutton->SetColor(testbutton->Color() == clBtnFace ? clRed : clBtnFace);
}

void TForm1::tenthChange(TObject* /*Sender*/) { Timer1->SetInterval(IntervalMilliseconds(singleFields())); }

void TForm1::mtimerintervalchange(TObject* /*Sender*/) { listRun->SetFieldsWait(IntervalMilliseconds(listFields())); }

// ---- Multiple Click Points tab

void TForm1::addtolistbuttonClick(TObject* /*Sender*/) {
  if (clickList.Full()) {
    ShowInformation(Application(), kFullListMessage);
    return;
  }
  // A text that is not a number stops here, with nothing stored.
  const ClickEntry entry{StrToInt(mxpostext->Text()), StrToInt(mypostext->Text()), capture->currentOption,
                         EntryDelaySeconds(listFields())};
  const char separator = Application().DecimalSeparator();
  clickList.Add(entry, RowText(mxpostext->Text(), mypostext->Text(), entry.option, entry.delay, separator), separator);
  listbox1->Items().Add(clickList.Rows().back());
  sayWhereClicksCannotGo({{entry.x, entry.y}});
  // Ready for the space bar to lock the next point.
  focusCaptureStart();
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
  listbox1->Clear();
  clickList.Clear();
  listRun->Rewind();
  listRun->WaitFromFields();
}

void TForm1::listbox1KeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key != kVkDelete) return;
  // The row the user picked, not the one a run highlights meanwhile; the
  // run position stays as it is.
  const int row = pickedRow;
  if (row < 0 || row >= listbox1->Items().Count()) return;
  pickedRow = -1;
  listbox1->Items().Delete(row);
  clickList.Remove(row);
}

void TForm1::mclicklistbtnClick(TObject* /*Sender*/) {
  if (clickList.Count() == 0) return;
  if (listRun->Started()) {
    endListRun();
    return;
  }
  sayWhereClicksCannotGo(clickList.Points());
  listRun->Start(IntervalMilliseconds(listFields()));
  showListRun();
  stopHotkeyFollowsRuns();
}

void TForm1::endListRun() {
  listRun->End();
  showListRun();
  stopHotkeyFollowsRuns();
}

void TForm1::mpausebuttonClick(TObject* /*Sender*/) {
  if (clickList.Count() == 0) return;
  listRun->TogglePause(IntervalMilliseconds(listFields()));
  showListRun();
  if (!listRun->Paused()) stopHotkeyFollowsRuns();
}

void TForm1::listclicktimerTimer(TObject* /*Sender*/) {
  if (listRun->Tick()) return;
  showListRun();
  stopHotkeyFollowsRuns();
}

void TForm1::mstartspecifyClick(TObject* /*Sender*/) {
  capture->Start();
  Label14->Show();
  mfindpointtimer->SetEnabled(true);
  addtolistbutton->SetEnabled(true);
  for (TLMDGlobalHotKey* hotkey : captureHotkeys()) hotkey->SetActive(true);
  retryHotkeys();  // says which of them another program holds
}

void TForm1::mstopspecifyClick(TObject* /*Sender*/) {
  capture->Stop();
  mfindpointtimer->SetEnabled(false);
  Label14->Hide();
  addtolistbutton->SetEnabled(false);
  for (TLMDGlobalHotKey* hotkey : captureHotkeys()) hotkey->SetActive(false);
  retryHotkeys();
}

void TForm1::mfindpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = capture->Track();
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
    if (buttons[option - 1]->Checked()) capture->currentOption = option;
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

void TForm1::setposhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton1); }
void TForm1::clickholdhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton2); }
void TForm1::releasehotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton3); }
void TForm1::rightclickhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton4); }
void TForm1::doubleclickhotkeyKeyDown(TObject*, std::uint16_t&, TShiftState) { captureWithOption(RadioButton5); }

// ---- the list file

void TForm1::SaveClickList1Click(TObject* /*Sender*/) {
  if (clickList.Count() == 0) return;
  if (!SaveDialog1->Execute()) return;
  SaveListFile(Platform().files(), SaveDialog1->FileName(), clickList.Rows());
}

void TForm1::LoadClickList1Click(TObject* /*Sender*/) {
  // A load that fails leaves the list exactly as it was, rows and entries.
  const char separator = Application().DecimalSeparator();
  if (!OpenDialog1->Execute()) {
    // Cancelled: the entries are rebuilt from the rows as they stand.
    clickList = ClickList::FromRows(clickList.Rows(), separator);
    return;
  }
  clickList = ReadListFile(Platform().files(), OpenDialog1->FileName(), separator);
  pickedRow = -1;
  showClickList();
  listRun->WaitFromFields();
}
