// The Single Click tab: one place clicked at the interval until STOP, the
// stop hotkey or the set number of clicks. The colours of START and STOP
// show the run state.
#include "framework/sysutils.h"
#include "ui/Unit1.h"

void TForm1::singclickstartbtnClick(TObject* /*Sender*/) {
  if (!pointSet) {
    ShowInformation(Application(), "No Click Point Specified.");
    return;
  }
  // Read before anything changes: a bad text leaves the buttons and the
  // stop hotkey as they were. Clicking at the mouse, the fields are hidden
  // and unused, so a text there that is no number cannot stop the run.
  const auto hiddenX = TryStrToInt(xpostext->Text());
  const auto hiddenY = TryStrToInt(ypostext->Text());
  const std::int32_t x = clickAtMouse && !hiddenX ? clickX : StrToInt(xpostext->Text());
  const std::int32_t y = clickAtMouse && !hiddenY ? clickY : StrToInt(ypostext->Text());
  clickX = x;
  clickY = y;
  if (!clickAtMouse) sayWhereClicksCannotGo({{x, y}});
  singclickstartbtn->SetColor(clRed);
  singleclickstopbutton->SetColor(clBtnFace);
  singleclickstopbutton->SetEnabled(true);
  singclickstartbtn->SetEnabled(false);
  // The interval is whatever the fields last gave the timer; the first
  // click comes one interval from now.
  Timer1->SetEnabled(true);
  stopHotkeyFollowsRuns();
  countlabel->SetCaption("0");
}

void TForm1::singleclickstopbuttonClick(TObject* /*Sender*/) {
  Timer1->SetEnabled(false);
  stopHotkeyFollowsRuns();
  singleclickstopbutton->SetColor(clRed);
  singclickstartbtn->SetColor(clBtnFace);
  singleclickstopbutton->SetEnabled(false);
  singclickstartbtn->SetEnabled(true);
}

void TForm1::Timer1Timer(TObject* /*Sender*/) {
  auto& input = Platform().input();
  if (clickAtMouse) {
    mclick();
  } else {
    const platform::Point original = input.GetCursorPos();
    input.SetCursorPos(clickX, clickY);
    mclick();
    input.SetCursorPos(original.x, original.y);
    if (clickOnOrig) mclick();
  }
  countlabel->SetCaption(IntToStr(static_cast<std::int64_t>(StrToInt(countlabel->Caption())) + 1));
  // Met only by equality, read afresh at every tick.
  const std::int32_t limit = numclicksspin->Value();
  if (limit > 0 && countlabel->Caption() == IntToStr(limit)) singleclickstopbutton->Click();
}

void TForm1::singfindclickptstartbtnClick(TObject* /*Sender*/) {
  findpointtimer->SetEnabled(true);
  Label7->Show();
}

void TForm1::singfindclickptstopbtnClick(TObject* /*Sender*/) {
  findpointtimer->SetEnabled(false);
  Label7->Hide();
  setlabel->SetVisible(pointSet);
}

void TForm1::findpointtimerTimer(TObject* /*Sender*/) {
  const platform::Point at = Platform().input().GetCursorPos();
  xposlabel->SetCaption(IntToStr(at.x));
  yposlabel->SetCaption(IntToStr(at.y));
}

void TForm1::singfindclickptstartbtnKeyPress(TObject* /*Sender*/, char& Key) {
  // The key goes on unchanged: a space also presses the focused button,
  // which only re-enables the tracking already running.
  if (Key == ' ') {
    xpostext->SetText(xposlabel->Caption());
    ypostext->SetText(yposlabel->Caption());
    pointSet = true;
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
  clickAtMouse = atMouse;
  // Leaving at-mouse mode always forgets a locked point.
  pointSet = atMouse;
}

void TForm1::clickonorigoptionClick(TObject* /*Sender*/) { clickOnOrig = clickonorigoption->Checked(); }

void TForm1::testbuttonClick(TObject* /*Sender*/) {
  testbutton->SetColor(testbutton->Color() == clBtnFace ? clRed : clBtnFace);
}
