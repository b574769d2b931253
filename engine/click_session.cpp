#include "engine/click_session.h"

#include <algorithm>
#include <optional>

#include "engine/list_file.h"
#include "framework/sysutils.h"

ClickSession::ClickSession(const SessionSystem& system, Ticker& singleTicker, Ticker& listTicker, SessionEvents& events)
    : system_(system),
      events_(events),
      singleTicker_(singleTicker),
      listTicker_(listTicker),
      mouse_(system.input),
      single_(mouse_, system.input, singleTicker),
      listRun_(list_, mouse_, system.input, listTicker),
      capture_(list_, listRun_, mouse_, system.input) {
  listRun_.onStep = [this](int row) { rowClicked_ = row; };
}

void ClickSession::ArmHotkeys() {
  // The emergency stop must work whichever run goes; with none going the
  // combination is left to other programs. A paused list run keeps what
  // it had; until the first run stops, the stop hotkey is held as the
  // layout holds it.
  if (single_.Running() || listRun_.Running()) {
    arming_.stop = true;
  } else if (!listRun_.Paused()) {
    arming_.stop = false;
  }
  events_.HotkeysArmed(arming_);
}

void ClickSession::SayWhereClicksCannotGo(const std::vector<platform::Point>& points) {
  if (const auto message = WhereClicksCannotGo(system_.process, points)) events_.Inform(*message);
}

void ClickSession::CountChanged(bool atOnce) {
  // No tick is to come when the run is over.
  const std::uint32_t next = atOnce || !single_.Running() ? 0 : singleTicker_.Interval();
  if (countPace_.Changed(system_.clock.Now(), next)) events_.CountChanged(single_.Count());
}

void ClickSession::FlushCount() {
  if (countPace_.Flush(system_.clock.Now())) events_.CountChanged(single_.Count());
}

void ClickSession::RowClicked() {
  const std::uint32_t next = listRun_.Running() ? listTicker_.Interval() : 0;
  if (rowPace_.Changed(system_.clock.Now(), next)) ShowRow();
}

void ClickSession::FlushRow() {
  if (rowPace_.Flush(system_.clock.Now())) ShowRow();
}

void ClickSession::ShowRow() {
  // A list of one clicks the same row again: it stays as it is.
  if (rowClicked_ == rowShown_) return;
  events_.RowHighlighted(rowShown_, rowClicked_);
  rowShown_ = rowClicked_;
}

void ClickSession::RowsChanged(int removed) {
  // The rows move up as the window's do; -1: all replaced, none highlighted.
  for (int* row : {&rowClicked_, &rowShown_}) {
    if (removed < 0 || *row == removed) {
      *row = -1;
    } else if (*row > removed) {
      --*row;
    }
  }
}

void ClickSession::SetViewVisible(bool visible) {
  countPace_.SetVisible(visible);
  rowPace_.SetVisible(visible);
  FlushCount();
  FlushRow();
}

// ---- the single point

void ClickSession::StartSingle(const std::string& xText, const std::string& yText) {
  if (!single_.PointSet()) {
    events_.Inform("No Click Point Specified.");
    return;
  }
  // Read before anything changes: a bad text leaves the buttons and the
  // stop hotkey as they were. Clicking at the mouse, the fields are hidden
  // and unused, so a text there that is no number cannot stop the run.
  const bool used = !single_.ClickAtMouse();
  const std::optional<std::int32_t> x = used ? StrToInt(xText) : TryStrToInt(xText);
  const std::optional<std::int32_t> y = used ? StrToInt(yText) : TryStrToInt(yText);
  if (used) SayWhereClicksCannotGo({{*x, *y}});
  // The running look first: should the system refuse the timer, STOP is
  // there to undo it.
  events_.SingleRunChanged(true);
  rate_.Begin(system_.clock.Now());
  single_.Start(x, y);
  ArmHotkeys();
  CountChanged(true);  // from 0 again
}

void ClickSession::StopSingle() {
  single_.Stop();
  ArmHotkeys();
  events_.SingleRunChanged(false);
  FlushCount();
}

void ClickSession::SingleTick() {
  const std::int64_t before = single_.Count();
  const bool limitMet = single_.Tick(clickLimit_, doubleClick_);
  if (single_.Count() != before) rate_.Note(system_.clock.Now());
  CountChanged(limitMet);
  if (limitMet) StopSingle();
}

void ClickSession::SetSingleInterval(std::uint32_t milliseconds) { singleTicker_.SetInterval(milliseconds); }

void ClickSession::SetClickAtMouse(bool atMouse) {
  single_.SetClickAtMouse(atMouse);
  events_.PointModeChanged(atMouse);
}

void ClickSession::StartPointTracking() {
  pointTracking_ = true;
  events_.PointTrackingChanged(true, single_.PointSet());
}

void ClickSession::StopPointTracking() {
  pointTracking_ = false;
  events_.PointTrackingChanged(false, single_.PointSet());
}

void ClickSession::LockPoint(const std::string& xText, const std::string& yText) {
  single_.LockPoint();
  const auto x = TryStrToInt(xText);
  const auto y = TryStrToInt(yText);
  if (x && y) SayWhereClicksCannotGo({{*x, *y}});
}

// ---- the click list and its run

bool ClickSession::Add(const std::string& xText, const std::string& yText, double delaySeconds, char separator) {
  if (list_.Full()) {
    events_.Inform(kFullListMessage);
    return false;
  }
  // A text that is not a number stops here, with nothing stored.
  const ClickEntry entry{StrToInt(xText), StrToInt(yText), capture_.Option(), delaySeconds};
  list_.Add(entry, RowText(xText, yText, entry.option, entry.delay, separator), separator);
  events_.RowAdded(list_.Rows().back());
  SayWhereClicksCannotGo({{entry.x, entry.y}});
  return true;
}

void ClickSession::Remove(int row) {
  // The run position stays as it is.
  if (row < 0 || row >= list_.Count()) return;
  list_.Remove(row);
  RowsChanged(row);
  events_.RowRemoved(row);
}

void ClickSession::Clear() {
  list_.Clear();
  listRun_.Rewind();
  listRun_.WaitFromFields();
  RowsChanged(-1);
  events_.RowsReplaced(list_.Rows());
}

void ClickSession::Load(const std::string& path, char separator) {
  // A load that fails leaves the list exactly as it was, rows and entries.
  list_ = ReadListFile(system_.files, path, separator);
  listRun_.WaitFromFields();
  RowsChanged(-1);
  events_.RowsReplaced(list_.Rows());
}

void ClickSession::Save(const std::string& path) { SaveListFile(system_.files, path, list_.Rows()); }

void ClickSession::RereadRows(char separator) { list_ = ClickList::FromRows(list_.Rows(), separator); }

void ClickSession::ToggleListRun(std::uint32_t fieldsWait) {
  if (list_.Count() == 0) return;
  if (listRun_.Started()) {
    EndListRun();
    return;
  }
  SayWhereClicksCannotGo(list_.Points());
  rate_.Begin(system_.clock.Now());
  listRun_.Start(fieldsWait);
  events_.ListRunChanged(listRun_.Started(), listRun_.Paused());
  ArmHotkeys();
}

void ClickSession::EndListRun() {
  listRun_.End();
  FlushRow();
  events_.ListRunChanged(listRun_.Started(), listRun_.Paused());
  ArmHotkeys();
}

void ClickSession::TogglePause(std::uint32_t fieldsWait) {
  if (list_.Count() == 0) return;
  listRun_.TogglePause(fieldsWait);
  if (listRun_.Paused()) FlushRow();
  events_.ListRunChanged(listRun_.Started(), listRun_.Paused());
  if (!listRun_.Paused()) ArmHotkeys();
}

void ClickSession::ListTick() {
  if (listRun_.Tick()) {
    rate_.Note(system_.clock.Now());
    RowClicked();
    // The last round's last entry: it ends as Stop ends it, a held button let go.
    if (listRun_.RoundsDone()) EndListRun();
    return;
  }
  // Emptied while it ran: it ended.
  FlushRow();
  events_.ListRunChanged(listRun_.Started(), listRun_.Paused());
  ArmHotkeys();
}

Activity ClickSession::CurrentActivity() const {
  if (single_.Running()) return Activity::kClickingPoint;
  if (listRun_.Started()) return listRun_.Paused() ? Activity::kPaused : Activity::kClickingList;
  return capture_.Tracking() ? Activity::kCapturing : Activity::kIdle;
}

void ClickSession::SetListInterval(std::uint32_t milliseconds) { listRun_.SetFieldsWait(milliseconds); }

void ClickSession::SetListRounds(std::int32_t rounds) noexcept {
  listRun_.SetRounds(std::clamp(rounds, 0, kMaxRounds));
}

// ---- capture

void ClickSession::StartCapture() {
  capture_.Start();
  arming_.capture = true;
  events_.CaptureChanged(true);
  events_.HotkeysArmed(arming_);
}

void ClickSession::StopCapture() {
  capture_.Stop();
  arming_.capture = false;
  events_.CaptureChanged(false);
  events_.HotkeysArmed(arming_);
}

// ---- every run

void ClickSession::StopHotkey() {
  if (single_.Running()) StopSingle();
  // A paused list run is left paused.
  if (listRun_.Running()) EndListRun();
}

void ClickSession::Shutdown() {
  // Nothing may click behind a box at exit, and Windows keeps an injected
  // press down after its process has gone.
  arming_ = {false, false, false};
  events_.HotkeysArmed(arming_);
  const bool singleRan = single_.Running();
  single_.Stop();
  listRun_.End();
  const bool capturing = capture_.Tracking();
  if (capturing) capture_.Stop();
  const bool tracking = pointTracking_;
  pointTracking_ = false;
  mouse_.releaseHeldButton();
  // A box may show next: the window says what is true.
  if (singleRan) events_.SingleRunChanged(false);
  events_.ListRunChanged(listRun_.Started(), listRun_.Paused());
  FlushCount();
  FlushRow();
  if (capturing) events_.CaptureChanged(false);
  if (tracking) events_.PointTrackingChanged(false, single_.PointSet());
}
