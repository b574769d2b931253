// The main window, the view of the click session: its layout (Unit1.cpp),
// handlers that turn controls into the session's commands, and the
// session's events shown in the controls (Unit1_runs.cpp); the hotkeys and
// the settings (Unit1_options.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/lmdaboutdlg.h"
#include "controls/lmdlistbox.h"
#include "controls/lmdoneinstance.h"
#include "controls/z3dlabel.h"
#include "controls/zcolorbtn.h"
#include "controls/zspinedit.h"
#include "engine/click_interval.h"
#include "engine/click_session.h"
#include "engine/ticker.h"
#include "framework/comctrls.h"
#include "framework/dialogs.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/registry.h"
#include "framework/stdctrls.h"
#include "framework/tray_icon.h"
#include "hotkeys/assignment.h"
#include "hotkeys/global_hotkey.h"
#include "settings/settings_store.h"

inline constexpr const char* kMakerWebAddress = "https://tapfinch.example";

class TForm2;

class TForm1 : public TForm, private SessionEvents {
 public:
  explicit TForm1(TComponent* owner);

  // ---- menu
  TMainMenu* MainMenu1;
  TMenuItem* File1;
  TMenuItem* SaveClickList1;
  TMenuItem* LoadClickList1;
  TMenuItem* Options1;
  TMenuItem* Minimizetotray1;
  TMenuItem* Exit1;
  TMenuItem* Options2;
  TMenuItem* SetHotKeys1;
  TMenuItem* about1;
  TMenuItem* Instructions1;
  TMenuItem* about2;

  TPanel* Panel2;
  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  TTabSheet* TabSheet3;

  // ---- tab "Single Click"
  TGroupBox* GroupBox3;
  TGroupBox* GroupBox1;
  TzColorBtn* singclickstartbtn;
  TzColorBtn* singleclickstopbutton;
  TGroupBox* GroupBox2;
  TzColorBtn* testbutton;
  TButton* singfindclickptstartbtn;
  TButton* singfindclickptstopbtn;
  TEdit* xpostext;
  TEdit* ypostext;
  TCheckBox* CheckBox2;
  TLabel* Label5;
  TLabel* Label6;
  TLabel* xposlabel;
  TLabel* yposlabel;
  TLabel* Label7;
  Tz3DLabel* setlabel;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label4;
  TLabel* Label9;
  TzcFloatSpinEdit* hours;
  TzcFloatSpinEdit* minutes;
  TzcFloatSpinEdit* seconds;
  TzcFloatSpinEdit* tenth;
  TzcFloatSpinEdit* hundreth;
  TLabel* countlabel;

  // ---- tab "Multiple Click Points"
  TGroupBox* GroupBox4;
  TButton* mstartspecify;
  TButton* mstopspecify;
  TEdit* mxpostext;
  TEdit* mypostext;
  TLabel* mxposlabel;
  TLabel* myposlabel;
  TLabel* Label12;
  TLabel* Label13;
  TLabel* Label14;
  TGroupBox* GroupBox5;
  TButton* addtolistbutton;
  TButton* mclicklistbtn;
  TButton* mclearlistbtn;
  TRadioGroup* RadioGroup1;
  TRadioButton* RadioButton1;
  TRadioButton* RadioButton2;
  TRadioButton* RadioButton3;
  TRadioButton* RadioButton4;
  TRadioButton* RadioButton5;
  TButton* msavelistbtn;
  TButton* mloadlistbtn;
  TButton* mpausebutton;
  TLMDListBox* listbox1;
  TLabel* Label15;
  TLabel* Label16;
  TLabel* Label17;
  TLabel* Label18;
  TLabel* Label19;
  TzcFloatSpinEdit* mtimeinterval;
  TzcFloatSpinEdit* mminutes;
  TzcFloatSpinEdit* mseconds;
  TzcFloatSpinEdit* mtenth;
  TzcFloatSpinEdit* mhundreth;

  // ---- tab "Options"
  TPanel* singleclickoptionspanel;
  TLabel* Label10;
  TCheckBox* clickonorigoption;
  TCheckBox* doubleclickbox;
  TzcSpinEdit* numclicksspin;
  TLabel* Label8;
  TPanel* multipleclickoptionspanel;
  TLabel* Label11;
  TLabel* Label28;
  // Rounds of a list run.
  TLabel* Label29;
  TzcSpinEdit* roundsspin;
  TPanel* hotkeyoptionspanel;
  TLabel* Label20;
  TLabel* Label21;
  TLabel* Label22;
  TLabel* Label23;
  TLabel* Label24;
  TLabel* Label25;
  TLabel* Label26;
  TLabel* Label27;
  TComboBox* ComboBox1;
  TComboBox* ComboBox2;
  TComboBox* ComboBox3;
  TComboBox* ComboBox4;
  TComboBox* ComboBox5;
  TComboBox* ComboBox6;
  TComboBox* ComboBox7;
  // Names the hotkeys that another program holds; empty while all work.
  TLabel* hotkeynotice;

  // ---- non-visual
  TTimer* Timer1;
  TTimer* findpointtimer;
  TTimer* listclicktimer;
  TTimer* mfindpointtimer;
  // The icon in the notification area, and its tip's refresh while a run goes.
  TTrayIcon* trayicon;
  TTimer* traytimer;
  // Tries again, every few seconds, the hotkeys another program held.
  TTimer* hotkeyretrytimer;
  TLMDGlobalHotKey* starthotkey;
  TLMDGlobalHotKey* stophotkey;
  TLMDGlobalHotKey* clickhotkey;
  TLMDGlobalHotKey* clickholdhotkey;
  TLMDGlobalHotKey* releasehotkey;
  TLMDGlobalHotKey* rightclickhotkey;
  TLMDGlobalHotKey* doubleclickhotkey;
  TLMDAboutDlg* aboutdlg;
  TSaveDialog* SaveDialog1;
  TOpenDialog* OpenDialog1;
  TLMDOneInstance* LMDOneInstance1;

  // ---- handlers
  void FormCreate(TObject* Sender);
  void Instructions1Click(TObject* Sender);
  void about2Click(TObject* Sender);
  // File > Options and Options > Set HotKeys: the Options tab.
  void showOptions(TObject* Sender);
  // Closing stops everything before anything at exit can show a box.
  void FormClose(TObject* Sender);
  void FormDestroy(TObject* Sender);
  // Logoff or shutdown asked: the settings are written now, and nothing
  // else changes, since another program may still cancel it.
  void FormQueryEndSession(TObject* Sender);
  // Logoff or shutdown under way: the program may be ended without a
  // close, so everything stops and the settings are written.
  void FormSessionEnding(TObject* Sender);
  void FormActivate(TObject* Sender);
  void ApplicationMinimize(TObject* Sender);
  void ApplicationRestore(TObject* Sender);

  void singclickstartbtnClick(TObject* Sender);
  void singleclickstopbuttonClick(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void singfindclickptstartbtnClick(TObject* Sender);
  void singfindclickptstopbtnClick(TObject* Sender);
  void findpointtimerTimer(TObject* Sender);
  void singfindclickptstartbtnKeyPress(TObject* Sender, char& Key);
  void CheckBox2Click(TObject* Sender);
  void clickonorigoptionClick(TObject* Sender);
  void doubleclickboxClick(TObject* Sender);
  void numclicksspinChange(TObject* Sender);
  void roundsspinChange(TObject* Sender);
  void testbuttonClick(TObject* Sender);
  void tenthChange(TObject* Sender);
  void mtimerintervalchange(TObject* Sender);

  void starthotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void stophotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);

  void addtolistbuttonClick(TObject* Sender);
  void mclearlistbtnClick(TObject* Sender);
  void listbox1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  // The user picked a row (click or keys): the row Delete removes.
  void listbox1Click(TObject* Sender);
  void mclicklistbtnClick(TObject* Sender);
  void listclicktimerTimer(TObject* Sender);
  void mpausebuttonClick(TObject* Sender);
  void mstartspecifyClick(TObject* Sender);
  void mstopspecifyClick(TObject* Sender);
  void mfindpointtimerTimer(TObject* Sender);
  void mstartspecifyKeyPress(TObject* Sender, char& Key);
  void RadioButton1Click(TObject* Sender);
  void setposhotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void clickholdhotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void releasehotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void rightclickhotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void doubleclickhotkeyKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void SaveClickList1Click(TObject* Sender);
  void LoadClickList1Click(TObject* Sender);

  void ComboBox1Change(TObject* Sender);
  void ComboBox2Change(TObject* Sender);
  void ComboBox3Change(TObject* Sender);
  void ComboBox4Change(TObject* Sender);
  void ComboBox5Change(TObject* Sender);
  void ComboBox6Change(TObject* Sender);
  void ComboBox7Change(TObject* Sender);
  // Focus leaving a hotkey box: what was typed there takes effect now.
  void hotkeyBoxExit(TObject* Sender);
  void hotkeyretrytimerTimer(TObject* Sender);
  // The system took away the mouse hook of a hotkey: said at once, tried
  // again at the next retry.
  void hotkeyLost(TObject* Sender);
  void traytimerTimer(TObject* Sender);
  // The icon's double click and menu: Start and Stop as their hotkeys
  // would, the window brought back, the program closed.
  void trayShowClick(TObject* Sender);
  void trayStartClick(TObject* Sender);
  void trayStopClick(TObject* Sender);
  void trayExitClick(TObject* Sender);
  // The icon's image and tip: what the session does, its run's clicks and rate.
  void showActivity();

  // Shows the seven hotkeys in their boxes.
  void loadhotkeystringlist();
  // Shows the seven hotkeys in their boxes and the capture options.
  void showHotkeys();
  // Registers again what another program held; says what still fails.
  void retryHotkeys();
  // The notice of what is refused, and the retry timer while anything is.
  void showHotkeyNotice();
  // Writes every value; one that cannot be read from its field is left as
  // stored, and the first such error is rethrown after the rest is written
  // (unless quiet, at logoff, when nobody can read a message). Changes
  // nothing the program goes on with: a logoff may still be cancelled.
  void saveSettings(bool quiet);
  // What the exit writes: the session's options, the fields, the hotkeys;
  // the first field that is no number stays out, its error kept here.
  [[nodiscard]] Settings settingsToKeep(std::exception_ptr& unreadable) const;

  // ---- the click session, which holds the program's state
  std::unique_ptr<ClickSession> session;
  std::unique_ptr<HotkeyAssignment> hotkeys;
  // The row the user picked last (the list box's selection), -1 when none.
  int pickedRow = -1;
  // The instructions window, which the start-up creates after this one.
  TForm2* Form2 = nullptr;
  // The settings store, open from FormCreate to FormDestroy.
  std::unique_ptr<SettingsStore> settingsStore;

 private:
  void CreateMenu();
  void CreateSingleClickTab();
  void CreateMultipleClickTab();
  void CreateOptionsTab();
  void CreateNonVisualComponents();
  [[nodiscard]] std::array<TLMDGlobalHotKey*, 5> captureHotkeys() const {
    return {clickhotkey, clickholdhotkey, releasehotkey, rightclickhotkey, doubleclickhotkey};
  }
  void CreateEngine();
  // ---- the session's events, shown
  void SingleRunChanged(bool running) override;
  void ListRunChanged(bool started, bool paused) override;
  void CountChanged(std::int64_t count) override;
  void RowHighlighted(int leaving, int current) override;
  void RowAdded(const std::string& row) override;
  void RowRemoved(int row) override;
  void RowsReplaced(const std::vector<std::string>& rows) override;
  void HotkeysArmed(const HotkeyArming& arming) override;
  void PointModeChanged(bool atMouse) override;
  void PointTrackingChanged(bool tracking, bool pointSet) override;
  void CaptureChanged(bool tracking) override;
  void Inform(const std::string& text) override;
  // The tracked point into a tab's point fields.
  void copyTrackedPoint(TLabel* x, TLabel* y, TEdit* xField, TEdit* yField);
  [[nodiscard]] IntervalFields singleFields() const;
  [[nodiscard]] IntervalFields listFields() const;
  void applySettings(const Settings& values);
  void captureWithOption(TRadioButton* button);
  void hotkeyRowChanged(int row);
  void commitHotkeyRow(int row);
  [[nodiscard]] HotkeyCodes hotkeyCodes() const;
  // The codes as they would be if every box with typed text were left now.
  [[nodiscard]] HotkeyCodes hotkeyCodesToKeep() const;
  void assignHotkey(int row, TShortCut code);
  // The box of a row shows its hotkey: its entry, or its name when the
  // list has none.
  void showHotkeyOf(int row);
  void setCaptureCaption(int row);
  // Moves the focus to capture Start when a user could reach it.
  void focusCaptureStart();
  // Rows whose typed text waits for the focus to leave the box.
  std::array<bool, 7> hotkeyTyped_{};
  // What the Options tab says of hotkeys whose stored combination another
  // hotkey had, until the user assigns them anew.
  std::array<std::string, 7> fallbackNotes_{};
  std::unique_ptr<Ticker> singleTicker_;
  std::unique_ptr<Ticker> listTicker_;
  [[nodiscard]] std::array<TComboBox*, 7> hotkeyBoxes() const {
    return {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7};
  }
  [[nodiscard]] std::array<TLMDGlobalHotKey*, 7> hotkeyComponents() const {
    return {starthotkey, stophotkey, clickhotkey, clickholdhotkey, releasehotkey, rightclickhotkey, doubleclickhotkey};
  }
};
