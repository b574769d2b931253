// The main window's layout: every control at its place with its caption,
// initial state and wiring. Properties are applied before the events are
// wired, so the layout itself raises no handler.
#include "ui/Unit1.h"

#include "ui/Unit2.h"

#include <string>

namespace {

TNotifyEvent Handler(TForm1* form, void (TForm1::*method)(TObject*)) {
  return [form, method](TObject* sender) { (form->*method)(sender); };
}

TKeyEvent KeyHandler(TForm1* form, void (TForm1::*method)(TObject*, std::uint16_t&, TShiftState)) {
  return
      [form, method](TObject* sender, std::uint16_t& key, TShiftState shift) { (form->*method)(sender, key, shift); };
}

TKeyPressEvent KeyPressHandler(TForm1* form, void (TForm1::*method)(TObject*, char&)) {
  return [form, method](TObject* sender, char& key) { (form->*method)(sender, key); };
}

template <class T>
T* Place(TComponent& owner, TWinControl* parent, const char* name, platform::Rect bounds,
         const std::string& caption = {}) {
  T* control = Make<T>(owner, name);
  control->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  control->SetCaption(caption);
  control->SetParent(parent);
  return control;
}

TzcFloatSpinEdit* IntervalField(TComponent& owner, TWinControl* parent, const char* name, platform::Rect bounds,
                                double maxValue, double value) {
  auto* field = Make<TzcFloatSpinEdit>(owner, name);
  field->SetEditorEnabled(false);
  field->SetIncrement(1);
  field->SetMinValue(0);
  field->SetMaxValue(maxValue);
  field->SetValue(value);
  field->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  field->SetParent(parent);
  return field;
}

TMenuItem* Item(TComponent& owner, const char* name, const char* caption) {
  auto* item = Make<TMenuItem>(owner, name);
  item->SetCaption(caption);
  return item;
}

TFont Bold(TFont font) {
  font.bold = true;
  return font;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner, "TForm1") {
  SetCaption(std::string("Tapfinch ver 2.5 ") + kMakerWebAddress);
  SetColor(clGray);
  SetPosition(TPosition::poScreenCenter);
  CreateMenu();
  SetBounds(0, 0, 600, 319);

  Panel2 = Make<TPanel>(*this, "Panel2");
  Panel2->SetColor(clAppWorkSpace);
  Panel2->SetAlign(TAlign::alClient);
  Panel2->SetParent(this);

  PageControl1 = Make<TPageControl>(*this, "PageControl1");
  PageControl1->SetAlign(TAlign::alClient);
  PageControl1->SetParent(Panel2);
  auto sheet = [&](const char* name, const char* caption) {
    auto* page = Make<TTabSheet>(*this, name);
    page->SetCaption(caption);
    page->SetPageControl(PageControl1);
    return page;
  };
  TabSheet1 = sheet("TabSheet1", "Single Click");
  TabSheet2 = sheet("TabSheet2", "Multiple Click Points");
  TabSheet3 = sheet("TabSheet3", "Options");
  // The page the window opens on, first: the other pages' controls get
  // their windows when the user turns to them.
  PageControl1->SetActivePage(TabSheet2);

  CreateSingleClickTab();
  CreateMultipleClickTab();
  CreateOptionsTab();
  CreateNonVisualComponents();
  CreateEngine();
  PageControl1->SetActivePage(TabSheet2);

  OnCreate = Handler(this, &TForm1::FormCreate);
  OnDestroy = Handler(this, &TForm1::FormDestroy);
  OnActivate = Handler(this, &TForm1::FormActivate);
  OnClose = Handler(this, &TForm1::FormClose);
  OnQueryEndSession = Handler(this, &TForm1::FormQueryEndSession);
  OnSessionEnding = Handler(this, &TForm1::FormSessionEnding);
  Application().OnMinimize = Handler(this, &TForm1::ApplicationMinimize);
  Application().OnRestore = Handler(this, &TForm1::ApplicationRestore);
}

void TForm1::Instructions1Click(TObject* /*Sender*/) {
  // Already showing: left where it is, not brought to the front.
  if (Form2 != nullptr) Form2->Show();
}

void TForm1::showOptions(TObject* /*Sender*/) { PageControl1->SetActivePage(TabSheet3); }

void TForm1::about2Click(TObject* /*Sender*/) { static_cast<void>(aboutdlg->Execute()); }

void TForm1::CreateMenu() {
  MainMenu1 = Make<TMainMenu>(*this, "MainMenu1");
  File1 = Item(*this, "File1", "File");
  SaveClickList1 = Item(*this, "SaveClickList1", "Save Click List");
  LoadClickList1 = Item(*this, "LoadClickList1", "Load Click List");
  Options1 = Item(*this, "Options1", "Options");
  Minimizetotray1 = Item(*this, "Minimizetotray1", "Minimize to Tray Icon");
  Minimizetotray1->SetVisible(false);
  Exit1 = Item(*this, "Exit1", "Exit");
  for (TMenuItem* item : {SaveClickList1, LoadClickList1, Options1, Minimizetotray1, Exit1}) File1->Add(item);
  Options2 = Item(*this, "Options2", "Options");
  SetHotKeys1 = Item(*this, "SetHotKeys1", "Set HotKeys");
  Options2->Add(SetHotKeys1);
  about1 = Item(*this, "about1", "Help");
  Instructions1 = Item(*this, "Instructions1", "Instructions");
  about2 = Item(*this, "about2", "About Tapfinch");
  about1->Add(Instructions1);
  about1->Add(about2);
  for (TMenuItem* menu : {File1, Options2, about1}) MainMenu1->Add(menu);
  SetMenu(MainMenu1);
  // Closing the main window ends the program; Exit does the same.
  Exit1->OnClick = [this](TObject*) { Close(); };
  SaveClickList1->OnClick = Handler(this, &TForm1::SaveClickList1Click);
  Options1->OnClick = Handler(this, &TForm1::showOptions);
  SetHotKeys1->OnClick = Handler(this, &TForm1::showOptions);
  Instructions1->OnClick = Handler(this, &TForm1::Instructions1Click);
  about2->OnClick = Handler(this, &TForm1::about2Click);
  LoadClickList1->OnClick = Handler(this, &TForm1::LoadClickList1Click);
}

void TForm1::CreateSingleClickTab() {
  TTabSheet* tab = TabSheet1;
  GroupBox3 = Place<TGroupBox>(*this, tab, "GroupBox3", {96, 0, 297, 92}, "Specify Click Point");
  GroupBox1 = Place<TGroupBox>(*this, tab, "GroupBox1", {96, 92, 297, 65}, "Click Interval");

  singclickstartbtn = Make<TzColorBtn>(*this, "singclickstartbtn");
  singclickstartbtn->SetColor(clBtnFace);
  singclickstartbtn->SetBounds(8, 8, 73, 25);
  singclickstartbtn->SetCaption("START");
  singclickstartbtn->SetParent(tab);

  singleclickstopbutton = Make<TzColorBtn>(*this, "singleclickstopbutton");
  singleclickstopbutton->SetColor(clBtnFace);
  singleclickstopbutton->SetEnabled(false);
  singleclickstopbutton->SetBounds(8, 40, 73, 25);
  singleclickstopbutton->SetCaption("STOP");
  singleclickstopbutton->SetParent(tab);

  GroupBox2 = Place<TGroupBox>(*this, tab, "GroupBox2", {8, 72, 81, 33}, "Click Count");

  testbutton = Make<TzColorBtn>(*this, "testbutton");
  testbutton->SetColor(clBtnFace);
  testbutton->SetDefaultLook(TzColorBtn::TDefaultLook::dlNone);
  testbutton->SetBounds(8, 112, 81, 25);
  testbutton->SetCaption("Test click area");
  testbutton->SetParent(tab);

  // "Specify Click Point"
  TGroupBox* point = GroupBox3;
  singfindclickptstartbtn = Make<TButton>(*this, "singfindclickptstartbtn");
  singfindclickptstartbtn->SetEnabled(false);
  singfindclickptstartbtn->SetBounds(8, 32, 41, 17);
  singfindclickptstartbtn->SetCaption("Start");
  singfindclickptstartbtn->SetParent(point);

  singfindclickptstopbtn = Make<TButton>(*this, "singfindclickptstopbtn");
  singfindclickptstopbtn->SetEnabled(false);
  singfindclickptstopbtn->SetBounds(8, 56, 41, 17);
  singfindclickptstopbtn->SetCaption("Stop");
  singfindclickptstopbtn->SetParent(point);

  xpostext = Make<TEdit>(*this, "xpostext");
  xpostext->SetVisible(false);
  xpostext->SetBounds(120, 32, 49, 21);
  xpostext->SetText("0");
  xpostext->SetParent(point);

  ypostext = Make<TEdit>(*this, "ypostext");
  ypostext->SetVisible(false);
  ypostext->SetBounds(120, 56, 49, 21);
  ypostext->SetText("0");
  ypostext->SetParent(point);

  CheckBox2 = Make<TCheckBox>(*this, "CheckBox2");
  CheckBox2->SetChecked(true);
  CheckBox2->SetColor(clGray);
  TFont maroon = CheckBox2->Font();
  maroon.color = clMaroon;
  CheckBox2->SetFont(maroon);
  CheckBox2->SetBounds(8, 16, 169, 17);
  CheckBox2->SetCaption("Click Wherever The Mouse Is");
  CheckBox2->SetParent(point);

  Label5 = Make<TLabel>(*this, "Label5");
  Label5->SetEnabled(false);
  Label5->SetBounds(64, 34, 13, 13);
  Label5->SetCaption("X  ");
  Label5->SetParent(point);

  Label6 = Make<TLabel>(*this, "Label6");
  Label6->SetEnabled(false);
  Label6->SetBounds(64, 58, 13, 13);
  Label6->SetCaption("Y  ");
  Label6->SetParent(point);

  xposlabel = Place<TLabel>(*this, point, "xposlabel", {88, 34, 3, 13});
  yposlabel = Place<TLabel>(*this, point, "yposlabel", {88, 56, 3, 13});

  Label7 = Make<TLabel>(*this, "Label7");
  Label7->SetVisible(false);
  Label7->SetBounds(176, 24, 108, 39);
  Label7->SetCaption("Press SPACE BAR to\r\nset Click Point with this\r\nwindow active.");
  Label7->SetParent(point);

  setlabel = Make<Tz3DLabel>(*this, "setlabel");
  TFont red = Bold(setlabel->Font());
  red.color = clRed;
  setlabel->SetFont(red);
  setlabel->SetBounds(64, 74, 90, 13);
  setlabel->SetCaption("Click Point SET");
  setlabel->SetParent(point);

  // "Click Interval"
  TGroupBox* interval = GroupBox1;
  Label1 = Place<TLabel>(*this, interval, "Label1", {35, 16, 28, 13}, "Hours");
  Label2 = Place<TLabel>(*this, interval, "Label2", {83, 16, 37, 13}, "Minutes");
  Label3 = Place<TLabel>(*this, interval, "Label3", {135, 16, 42, 13}, "Seconds");
  Label4 = Place<TLabel>(*this, interval, "Label4", {188, 16, 31, 13}, "1/10 s");
  Label9 = Place<TLabel>(*this, interval, "Label9", {229, 16, 37, 13}, "1/100 s");
  hours = IntervalField(*this, interval, "hours", {31, 32, 41, 22}, 23, 0);
  minutes = IntervalField(*this, interval, "minutes", {83, 32, 41, 22}, 59, 0);
  seconds = IntervalField(*this, interval, "seconds", {135, 32, 41, 22}, 59, 5);
  tenth = IntervalField(*this, interval, "tenth", {187, 32, 33, 22}, 9, 0);
  hundreth = IntervalField(*this, interval, "hundreth", {231, 32, 33, 22}, 9, 0);

  countlabel = Place<TLabel>(*this, GroupBox2, "countlabel", {8, 16, 3, 13});

  singclickstartbtn->OnClick = Handler(this, &TForm1::singclickstartbtnClick);
  singleclickstopbutton->OnClick = Handler(this, &TForm1::singleclickstopbuttonClick);
  testbutton->OnClick = Handler(this, &TForm1::testbuttonClick);
  singfindclickptstartbtn->OnClick = Handler(this, &TForm1::singfindclickptstartbtnClick);
  singfindclickptstartbtn->OnKeyPress = KeyPressHandler(this, &TForm1::singfindclickptstartbtnKeyPress);
  singfindclickptstopbtn->OnClick = Handler(this, &TForm1::singfindclickptstopbtnClick);
  CheckBox2->OnClick = Handler(this, &TForm1::CheckBox2Click);
  for (TzcFloatSpinEdit* field : {hours, minutes, seconds, tenth, hundreth}) {
    field->OnChange = Handler(this, &TForm1::tenthChange);
  }
}

void TForm1::CreateMultipleClickTab() {
  TTabSheet* tab = TabSheet2;
  GroupBox4 = Place<TGroupBox>(*this, tab, "GroupBox4", {0, 0, 241, 92}, "Specify Click Point");
  GroupBox5 = Place<TGroupBox>(*this, tab, "GroupBox5", {0, 92, 241, 65}, "Click Interval");

  auto button = [&](const char* name, platform::Rect bounds, const char* caption, bool tabStop) {
    auto* b = Make<TButton>(*this, name);
    b->SetTabStop(tabStop);
    b->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    b->SetCaption(caption);
    b->SetParent(tab);
    return b;
  };
  addtolistbutton = Make<TButton>(*this, "addtolistbutton");
  addtolistbutton->SetEnabled(false);
  addtolistbutton->SetTabStop(false);
  addtolistbutton->SetBounds(252, 112, 69, 17);
  addtolistbutton->SetCaption("Add to List");
  addtolistbutton->SetParent(tab);
  mclicklistbtn = button("mclicklistbtn", {404, 16, 73, 17}, "Click the List", false);
  mclearlistbtn = button("mclearlistbtn", {252, 136, 69, 17}, "Clear List", false);

  const char* const options[] = {"Click             / Ctrl + A", "Click-Hold    / Ctrl + S", "Release       / Ctrl + D",
                                 "Right Click   / Ctrl + F", "Double Click / Ctrl + G "};
  TRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5};
  for (int i = 0; i < 5; ++i) {
    auto* radio = Make<TRadioButton>(*this, "RadioButton" + std::to_string(i + 1));
    radio->SetBounds(252, 16 + 16 * i, 133, 17);
    radio->SetCaption(options[i]);
    radio->SetParent(tab);
    *radios[i] = radio;
  }
  RadioButton1->SetChecked(true);
  msavelistbtn = button("msavelistbtn", {324, 112, 69, 17}, "Save List", false);
  mloadlistbtn = button("mloadlistbtn", {324, 136, 69, 17}, "Load List", false);
  // A tab stop, so that a drag can be paused from the keyboard: a click
  // of the user's own would let the held button go.
  mpausebutton = button("mpausebutton", {492, 16, 73, 17}, "Pause", true);
  mpausebutton->SetShowHint(true);

  listbox1 = Make<TLMDListBox>(*this, "listbox1");
  listbox1->SetBounds(400, 32, 169, 209);
  listbox1->SetDelimiter(',');
  listbox1->SetHeaderHeight(17);
  listbox1->SetHeaderSections({{"X", 40}, {"Y", 40}, {"Opt", 30}, {"Time(s)", 54}});
  listbox1->SetParent(tab);
  // Its bottom stays where the layout puts it, above the page's: the window
  // opens shorter than laid out, and every row and both scroll arrows must
  // be in sight.
  listbox1->SetAnchors(akLeft | akTop | akBottom);

  // The radio buttons stand over the group's frame as its siblings; made
  // last, the frame lies below them, and it takes no focus.
  RadioGroup1 = Place<TRadioGroup>(*this, tab, "RadioGroup1", {248, 0, 145, 105}, "Click options / Hot Key");

  // "Specify Click Point"
  TGroupBox* point = GroupBox4;
  mstartspecify = Place<TButton>(*this, point, "mstartspecify", {8, 16, 41, 17}, "Start");
  mstopspecify = Place<TButton>(*this, point, "mstopspecify", {8, 40, 41, 17}, "Stop");
  mxpostext = Place<TEdit>(*this, point, "mxpostext", {88, 24, 33, 21});
  mypostext = Place<TEdit>(*this, point, "mypostext", {88, 56, 33, 21});
  mxposlabel = Place<TLabel>(*this, point, "mxposlabel", {64, 18, 13, 13}, "X  ");
  myposlabel = Make<TLabel>(*this, "myposlabel");
  myposlabel->SetColor(clAppWorkSpace);
  myposlabel->SetBounds(64, 58, 13, 13);
  myposlabel->SetCaption("Y  ");
  myposlabel->SetParent(point);
  Label12 = Place<TLabel>(*this, point, "Label12", {56, 34, 3, 13});
  Label13 = Place<TLabel>(*this, point, "Label13", {56, 72, 3, 13});
  Label14 = Make<TLabel>(*this, "Label14");
  Label14->SetVisible(false);
  Label14->SetBounds(128, 8, 102, 78);
  Label14->SetCaption(
      "Use a HOTKEY to \r\nSet the click point\r\nor press Space Bar to\r\nlock coordinates, set \r\nthe click "
      "option and \r\nclick Add to List");
  Label14->SetParent(point);

  TGroupBox* interval = GroupBox5;
  Label15 = Place<TLabel>(*this, interval, "Label15", {11, 16, 28, 13}, "Hours");
  Label16 = Place<TLabel>(*this, interval, "Label16", {59, 16, 37, 13}, "Minutes");
  Label17 = Place<TLabel>(*this, interval, "Label17", {103, 16, 42, 13}, "Seconds");
  Label18 = Place<TLabel>(*this, interval, "Label18", {153, 16, 31, 13}, "1/10 s");
  Label19 = Place<TLabel>(*this, interval, "Label19", {190, 16, 37, 13}, "1/100 s");
  mtimeinterval = IntervalField(*this, interval, "mtimeinterval", {8, 32, 41, 22}, 1000, 0);
  mminutes = IntervalField(*this, interval, "mminutes", {56, 32, 41, 22}, 59, 0);
  mseconds = IntervalField(*this, interval, "mseconds", {104, 32, 41, 22}, 59, 5);
  mtenth = IntervalField(*this, interval, "mtenth", {152, 32, 33, 22}, 9, 0);
  mhundreth = IntervalField(*this, interval, "mhundreth", {192, 32, 33, 22}, 9, 0);
  for (TzcFloatSpinEdit* field : {mtimeinterval, mminutes, mseconds, mtenth, mhundreth}) {
    field->OnChange = Handler(this, &TForm1::mtimerintervalchange);
  }

  addtolistbutton->OnClick = Handler(this, &TForm1::addtolistbuttonClick);
  mclicklistbtn->OnClick = Handler(this, &TForm1::mclicklistbtnClick);
  mclearlistbtn->OnClick = Handler(this, &TForm1::mclearlistbtnClick);
  mpausebutton->OnClick = Handler(this, &TForm1::mpausebuttonClick);
  for (TRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5}) {
    radio->OnClick = Handler(this, &TForm1::RadioButton1Click);
  }
  listbox1->OnKeyDown = KeyHandler(this, &TForm1::listbox1KeyDown);
  listbox1->OnClick = Handler(this, &TForm1::listbox1Click);
  mstartspecify->OnClick = Handler(this, &TForm1::mstartspecifyClick);
  mstartspecify->OnKeyPress = KeyPressHandler(this, &TForm1::mstartspecifyKeyPress);
  mstopspecify->OnClick = Handler(this, &TForm1::mstopspecifyClick);
  msavelistbtn->OnClick = Handler(this, &TForm1::SaveClickList1Click);
  mloadlistbtn->OnClick = Handler(this, &TForm1::LoadClickList1Click);
}

void TForm1::CreateOptionsTab() {
  TTabSheet* tab = TabSheet3;
  auto panel = [&](const char* name, int left, int width, TAlign align) {
    auto* p = Make<TPanel>(*this, name);
    p->SetColor(clAppWorkSpace);
    p->SetBounds(left, 0, width, tab->Height());
    p->SetAlign(align);
    p->SetParent(tab);
    return p;
  };
  auto title = [&](TPanel* parent, const char* name, const char* caption, bool bold) {
    auto* label = Make<TLabel>(*this, name);
    if (bold) label->SetFont(Bold(label->Font()));
    label->SetHeight(13);
    label->SetCaption(caption);
    label->SetAlign(TAlign::alTop);
    label->SetParent(parent);
    return label;
  };

  singleclickoptionspanel = panel("singleclickoptionspanel", 0, 161, TAlign::alLeft);
  Label10 = title(singleclickoptionspanel, "Label10", "Single Click point options", false);
  multipleclickoptionspanel = panel("multipleclickoptionspanel", 161, 208, TAlign::alLeft);
  Label11 = title(multipleclickoptionspanel, "Label11", "Multiple Click point options", true);
  hotkeyoptionspanel = panel("hotkeyoptionspanel", 369, 0, TAlign::alClient);
  Label20 = title(hotkeyoptionspanel, "Label20", "Hot Key Options", true);

  TPanel* single = singleclickoptionspanel;
  clickonorigoption = Place<TCheckBox>(*this, single, "clickonorigoption", {8, 29, 81, 17}, "Click on Orig");
  clickonorigoption->SetHint(
      "Allows you to continue working almost as normal on the computer while tapfinch is active.");
  clickonorigoption->SetShowHint(true);
  doubleclickbox = Place<TCheckBox>(*this, single, "doubleclickbox", {8, 53, 81, 17}, "Double click");

  numclicksspin = Make<TzcSpinEdit>(*this, "numclicksspin");
  numclicksspin->SetMinValue(0);
  numclicksspin->SetMaxValue(0);
  numclicksspin->SetValue(0);
  numclicksspin->SetBounds(40, 107, 49, 22);
  numclicksspin->SetParent(single);

  Label8 =
      Place<TLabel>(*this, single, "Label8", {8, 81, 121, 26}, "Number of Clicks to make\r\nDefault is 0 or unlimited");
  // The list's one option: how many rounds a run makes before it ends.
  TPanel* multiple = multipleclickoptionspanel;
  Label29 = Place<TLabel>(*this, multiple, "Label29", {8, 24, 40, 13}, "Rounds");
  roundsspin = Make<TzcSpinEdit>(*this, "roundsspin");
  roundsspin->SetMinValue(0);
  roundsspin->SetMaxValue(ClickSession::kMaxRounds);
  roundsspin->SetValue(0);
  roundsspin->SetBounds(56, 20, 57, 22);
  roundsspin->SetParent(multiple);
  Label28 = Place<TLabel>(*this, multiple, "Label28", {8, 48, 150, 26},
                          "Rounds of the list to click\r\nDefault is 0 or until stopped");

  // "Hot Key Options": a label and an editable drop-down list a row.
  struct Row {
    const char* label;
    int labelWidth;
    const char* caption;
    const char* box;
    void (TForm1::*handler)(TObject*);
  };
  const Row rows[] = {
      {"Label21", 64, "Start clicking:", "ComboBox1", &TForm1::ComboBox1Change},
      {"Label22", 64, "Stop clicking:", "ComboBox2", &TForm1::ComboBox2Change},
      {"Label23", 69, "Set Click Point", "ComboBox3", &TForm1::ComboBox3Change},
      {"Label24", 96, "Set Click/Hold Point", "ComboBox4", &TForm1::ComboBox4Change},
      {"Label25", 85, "Set Release Point", "ComboBox5", &TForm1::ComboBox5Change},
      {"Label26", 97, "Set Right Click Point", "ComboBox6", &TForm1::ComboBox6Change},
      {"Label27", 102, "Set Doubleclick Point", "ComboBox7", &TForm1::ComboBox7Change},
  };
  TLabel** labels[] = {&Label21, &Label22, &Label23, &Label24, &Label25, &Label26, &Label27};
  TComboBox** boxes[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5, &ComboBox6, &ComboBox7};
  for (int i = 0; i < 7; ++i) {
    const int top = 20 + 24 * i;
    *labels[i] =
        Place<TLabel>(*this, hotkeyoptionspanel, rows[i].label, {8, top + 4, rows[i].labelWidth, 13}, rows[i].caption);
    auto* box = Make<TComboBox>(*this, rows[i].box);
    box->SetItems(HotkeyChoices());
    box->SetBounds(112, top, 97, 21);
    box->SetParent(hotkeyoptionspanel);
    *boxes[i] = box;
  }

  hotkeynotice = Make<TLabel>(*this, "hotkeynotice");
  TFont maroon = Bold(hotkeynotice->Font());
  maroon.color = clMaroon;
  hotkeynotice->SetFont(maroon);
  hotkeynotice->SetWordWrap(true);
  hotkeynotice->SetBounds(8, 78, 192, 104);  // below the Rounds caption
  hotkeynotice->SetParent(multipleclickoptionspanel);

  clickonorigoption->OnClick = Handler(this, &TForm1::clickonorigoptionClick);
  doubleclickbox->OnClick = Handler(this, &TForm1::doubleclickboxClick);
  numclicksspin->OnChange = Handler(this, &TForm1::numclicksspinChange);
  roundsspin->OnChange = Handler(this, &TForm1::roundsspinChange);
  for (int i = 0; i < 7; ++i) {
    (*boxes[i])->OnChange = Handler(this, rows[i].handler);
    (*boxes[i])->OnExit = Handler(this, &TForm1::hotkeyBoxExit);
  }
}

void TForm1::CreateNonVisualComponents() {
  auto timer = [&](const char* name, std::uint32_t interval) {
    auto* t = Make<TTimer>(*this, name);
    t->SetEnabled(false);
    t->SetInterval(interval);
    return t;
  };
  Timer1 = timer("Timer1", 5000);
  findpointtimer = timer("findpointtimer", 10);
  listclicktimer = timer("listclicktimer", 5000);
  // The two that click keep their time, also behind a full-screen program.
  Timer1->SetPrecise(true);
  listclicktimer->SetPrecise(true);
  mfindpointtimer = timer("mfindpointtimer", 10);
  hotkeyretrytimer = timer("hotkeyretrytimer", 3000);
  hotkeyretrytimer->SetOnTimer(Handler(this, &TForm1::hotkeyretrytimerTimer));
  traytimer = timer("traytimer", 1000);
  traytimer->SetOnTimer(Handler(this, &TForm1::traytimerTimer));
  trayicon = Make<TTrayIcon>(*this, "trayicon");
  trayicon->SetItems({{"Start", Handler(this, &TForm1::trayStartClick)},
                      {"Stop", Handler(this, &TForm1::trayStopClick)},
                      {"Show Tapfinch", Handler(this, &TForm1::trayShowClick)},
                      {"Exit", Handler(this, &TForm1::trayExitClick)}});
  trayicon->OnDblClick = Handler(this, &TForm1::trayShowClick);
  Timer1->SetOnTimer(Handler(this, &TForm1::Timer1Timer));
  findpointtimer->SetOnTimer(Handler(this, &TForm1::findpointtimerTimer));
  listclicktimer->SetOnTimer(Handler(this, &TForm1::listclicktimerTimer));
  mfindpointtimer->SetOnTimer(Handler(this, &TForm1::mfindpointtimerTimer));

  // As the form definition applies them: Active (only when false), then
  // HotKey; the start and stop hotkeys register here, at loading.
  auto hotkey = [&](const char* name, TShortCut code, bool active) {
    auto* component = Make<TLMDGlobalHotKey>(*this, name);
    if (!active) component->SetActive(false);
    component->SetHotKey(code);
    return component;
  };
  starthotkey = hotkey("starthotkey", kDefaultHotkeys[0], true);
  stophotkey = hotkey("stophotkey", kDefaultHotkeys[1], true);
  clickhotkey = hotkey("clickhotkey", kDefaultHotkeys[2], false);
  clickholdhotkey = hotkey("clickholdhotkey", kDefaultHotkeys[3], false);
  releasehotkey = hotkey("releasehotkey", kDefaultHotkeys[4], false);
  rightclickhotkey = hotkey("rightclickhotkey", kDefaultHotkeys[5], false);
  doubleclickhotkey = hotkey("doubleclickhotkey", kDefaultHotkeys[6], false);
  starthotkey->OnKeyDown = KeyHandler(this, &TForm1::starthotkeyKeyDown);
  stophotkey->OnKeyDown = KeyHandler(this, &TForm1::stophotkeyKeyDown);
  clickhotkey->OnKeyDown = KeyHandler(this, &TForm1::setposhotkeyKeyDown);
  clickholdhotkey->OnKeyDown = KeyHandler(this, &TForm1::clickholdhotkeyKeyDown);
  releasehotkey->OnKeyDown = KeyHandler(this, &TForm1::releasehotkeyKeyDown);
  rightclickhotkey->OnKeyDown = KeyHandler(this, &TForm1::rightclickhotkeyKeyDown);
  doubleclickhotkey->OnKeyDown = KeyHandler(this, &TForm1::doubleclickhotkeyKeyDown);
  for (TLMDGlobalHotKey* component : hotkeyComponents()) component->OnLost = Handler(this, &TForm1::hotkeyLost);

  aboutdlg = Make<TLMDAboutDlg>(*this, "aboutdlg");
  aboutdlg->Appname = "Tapfinch by Brenmoor";
  aboutdlg->CaptionTitle = "About Tapfinch";
  aboutdlg->Version = "2.5";
  aboutdlg->Description =
      "Automate a click or series of clicks ANYWHERE on your desktop.  Create Full Feature mouse click macro's to be "
      "saved and used any time. Updates and news: https://tapfinch.example";
  aboutdlg->Copyright = "Copyright (c) Brenmoor";
  aboutdlg->Jump = kMakerWebAddress;

  SaveDialog1 = Make<TSaveDialog>(*this, "SaveDialog1");
  SaveDialog1->SetTitle("Save Click List - Tapfinch");
  SaveDialog1->SetFileName("tapfinchlist");
  SaveDialog1->SetDefaultExt("txt");
  SaveDialog1->SetFilter("txt");
  SaveDialog1->SetOptions({.overwritePrompt = true, .hideReadOnly = true, .enableSizing = true});
  OpenDialog1 = Make<TOpenDialog>(*this, "OpenDialog1");
  OpenDialog1->SetDefaultExt("txt");
  OpenDialog1->SetFilter("txt");
  OpenDialog1->SetOptions({.hideReadOnly = true, .enableSizing = true});

  // Its loaded step is the single-instance check.
  LMDOneInstance1 = Make<TLMDOneInstance>(*this, "LMDOneInstance1");
}
