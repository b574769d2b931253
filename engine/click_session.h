// One click session: the single-point run, the click list and its run,
// capture and the mouse actions, with their state kept here alone. The
// window turns what the user does into commands and shows what the events
// say. The session knows the rules of a run's life: which hotkeys are to
// be held, when the count is worth showing, and what stops first when the
// program ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/capture.h"
#include "engine/click_list.h"
#include "engine/list_run.h"
#include "engine/mouse_actions.h"
#include "engine/run_watch.h"
#include "engine/single_point.h"
#include "engine/ticker.h"
#include "engine/view_pace.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/process.h"
#include "platform/timers.h"

// Which of the seven hotkeys are to be held now: start, stop, and the
// five capture hotkeys together.
struct HotkeyArming {
  bool start = true;
  bool stop = true;
  bool capture = false;
  friend bool operator==(const HotkeyArming&, const HotkeyArming&) = default;
};

// What changed, for the window to show.
class SessionEvents {
 public:
  virtual void SingleRunChanged(bool running) = 0;
  virtual void ListRunChanged(bool started, bool paused) = 0;
  // The count is worth showing: see ViewPace.
  virtual void CountChanged(std::int64_t count) = 0;
  // The list run's highlight moves, as paced by ViewPace: the row (from
  // 0) of the entry clicked last, and the one highlighted until now, -1
  // when none.
  virtual void RowHighlighted(int leaving, int current) = 0;
  virtual void RowAdded(const std::string& row) = 0;
  virtual void RowRemoved(int row) = 0;
  virtual void RowsReplaced(const std::vector<std::string>& rows) = 0;
  // Raised at every change of a run or of capture, also when the arming
  // stays: a run is when a combination another program held matters most.
  virtual void HotkeysArmed(const HotkeyArming& arming) = 0;
  virtual void PointModeChanged(bool atMouse) = 0;
  virtual void PointTrackingChanged(bool tracking, bool pointSet) = 0;
  virtual void CaptureChanged(bool tracking) = 0;
  // A message for the user: no point to click, a full list, a point on a
  // window whose program runs with higher rights.
  virtual void Inform(const std::string& text) = 0;

 protected:
  ~SessionEvents() = default;
};

// What the session takes of the system.
struct SessionSystem {
  platform::Input& input;
  platform::Process& process;
  platform::Files& files;
  platform::Timers& clock;
};

class ClickSession {
 public:
  // The two tickers wait for the single-point run and the list run.
  ClickSession(const SessionSystem& system, Ticker& singleTicker, Ticker& listTicker, SessionEvents& events);
  ClickSession(const ClickSession&) = delete;
  ClickSession& operator=(const ClickSession&) = delete;

  // ---- the single point
  // START, with the point fields' texts: refused ("No Click Point
  // Specified.") without a point; the texts are read, and one that is no
  // number refuses the run with its error before anything changes, only
  // when the run clicks at the point (at the mouse the last point stays).
  void StartSingle(const std::string& xText, const std::string& yText);
  void StopSingle();
  void SingleTick();
  void SetSingleInterval(std::uint32_t milliseconds);
  void SetClickAtMouse(bool atMouse);
  void SetClickOnOrig(bool on) noexcept { single_.SetClickOnOrig(on); }
  // Double click and Number of Clicks are read at every tick.
  void SetDoubleClick(bool on) noexcept { doubleClick_ = on; }
  void SetClickLimit(std::int32_t limit) noexcept { clickLimit_ = limit; }
  void StartPointTracking();
  void StopPointTracking();
  // The space bar while tracking: the point as the tracking shows it.
  void LockPoint(const std::string& xText, const std::string& yText);

  // ---- the click list and its run
  // Add to List: the entry from the fields' texts, the capture's click
  // kind and the delay; false when nothing was added (a full list says so).
  bool Add(const std::string& xText, const std::string& yText, double delaySeconds, char decimalSeparator);
  // Delete: the row (from 0), when the list has it.
  void Remove(int row);
  void Clear();
  // Throws what the file says, and changes nothing then.
  void Load(const std::string& path, char decimalSeparator);
  void Save(const std::string& path);
  // The entries read again from the rows (a cancelled Load).
  void RereadRows(char decimalSeparator);
  // Click the List and Stop; fieldsWait is the interval the tab's fields
  // show, the first wait of a list new since the last run.
  void ToggleListRun(std::uint32_t fieldsWait);
  void TogglePause(std::uint32_t fieldsWait);
  void ListTick();
  void SetListInterval(std::uint32_t milliseconds);
  // Rounds: the run ends by itself after the last entry of this round (0
  // to kMaxRounds, 0 until stopped; what lies outside is taken as its end).
  static constexpr std::int32_t kMaxRounds = 9999;
  void SetListRounds(std::int32_t rounds) noexcept;
  [[nodiscard]] std::int32_t ListRounds() const noexcept { return listRun_.Rounds(); }

  // ---- capture
  void StartCapture();
  void StopCapture();
  void SetCaptureOption(std::int32_t option) noexcept { capture_.SetOption(option); }

  // ---- every run
  // The stop hotkey: stops whatever runs; a paused list stays paused.
  void StopHotkey();
  // Before the program may show a box or wait at its end: no hotkey held,
  // every run and the capture stopped, a held button up.
  void Shutdown();

  // ---- what the window shows
  // Minimised or hidden, the count and the highlight wait; shown again,
  // they show the true state at once.
  void SetViewVisible(bool visible);
  [[nodiscard]] bool SingleRunning() const { return single_.Running(); }
  [[nodiscard]] std::int64_t Count() const noexcept { return single_.Count(); }
  [[nodiscard]] bool ClickAtMouse() const noexcept { return single_.ClickAtMouse(); }
  [[nodiscard]] bool PointSet() const noexcept { return single_.PointSet(); }
  [[nodiscard]] bool ClickOnOrig() const noexcept { return single_.ClickOnOrig(); }
  [[nodiscard]] bool DoubleClick() const noexcept { return doubleClick_; }
  [[nodiscard]] std::int32_t ClickLimit() const noexcept { return clickLimit_; }
  [[nodiscard]] platform::Point ClickPoint() const noexcept { return single_.ClickPoint(); }
  [[nodiscard]] bool PointTracking() const noexcept { return pointTracking_; }
  [[nodiscard]] const std::vector<std::string>& Rows() const noexcept { return list_.Rows(); }
  [[nodiscard]] const ClickList& List() const noexcept { return list_; }
  [[nodiscard]] bool ListStarted() const noexcept { return listRun_.Started(); }
  [[nodiscard]] bool ListPaused() const noexcept { return listRun_.Paused(); }
  [[nodiscard]] bool ListRunning() const { return listRun_.Running(); }
  [[nodiscard]] std::int32_t ListPosition() const noexcept { return listRun_.Position(); }
  [[nodiscard]] bool Capturing() const noexcept { return capture_.Tracking(); }
  [[nodiscard]] std::int32_t CaptureOption() const noexcept { return capture_.Option(); }
  [[nodiscard]] const HotkeyArming& Arming() const noexcept { return arming_; }
  [[nodiscard]] bool ButtonHeld() const noexcept { return mouse_.buttonHeld(); }
  [[nodiscard]] platform::Point Cursor() { return system_.input.GetCursorPos(); }
  // What the notification area shows: a run before capture, the single
  // point before the list (only one runs at a time).
  [[nodiscard]] Activity CurrentActivity() const;
  // The clicks of the run going, or of the last one, and the rate reached.
  [[nodiscard]] std::int64_t RunClicks() const noexcept { return rate_.Count(); }
  [[nodiscard]] double RunRate() { return rate_.PerSecond(system_.clock.Now()); }

 private:
  void ArmHotkeys();
  void EndListRun();
  // A tick changed the count or the row clicked: shown as ViewPace says
  // (atOnce: now), or when flushed.
  void CountChanged(bool atOnce);
  void FlushCount();
  void RowClicked();
  void FlushRow();
  void ShowRow();
  // The window's rows changed: the row removed, -1 when all were replaced.
  void RowsChanged(int removed);
  void SayWhereClicksCannotGo(const std::vector<platform::Point>& points);

  SessionSystem system_;
  SessionEvents& events_;
  Ticker& singleTicker_;
  Ticker& listTicker_;
  MouseActions mouse_;
  SinglePointRun single_;
  ClickList list_;
  ListRun listRun_;
  Capture capture_;
  HotkeyArming arming_;
  bool doubleClick_ = false;
  std::int32_t clickLimit_ = 0;
  bool pointTracking_ = false;
  ViewPace countPace_;
  ViewPace rowPace_;
  // The row of the entry clicked last, and the one the window highlights.
  int rowClicked_ = -1;
  int rowShown_ = -1;
  ClickRate rate_;
};
