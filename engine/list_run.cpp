// The list run: listclicktimer clicks one entry a tick, top to bottom and
// round again, each entry's delay being the wait before the next click.
// The two buttons' captions are independent toggles of the one timer.
#include <cmath>

#include "engine/click_interval.h"
#include "ui/Unit1.h"

namespace {
constexpr const char* kClickTheList = "Click the List";
constexpr const char* kStop = "Stop";
constexpr const char* kPause = "Pause";
constexpr const char* kResume = "Resume";
}  // namespace

void TForm1::mclicklistbtnClick(TObject* /*Sender*/) {
  if (listbox1->Items().Count() == 0) return;
  if (mclicklistbtn->Caption() == kClickTheList) {
    std::vector<platform::Point> points;
    for (std::int32_t k = 1; k < listCount; ++k) {
      const ClickEntry& entry = clickList[static_cast<std::size_t>(k - 1)];
      points.push_back(
          {static_cast<std::int32_t>(std::trunc(entry.x)), static_cast<std::int32_t>(std::trunc(entry.y))});
    }
    sayWhereClicksCannotGo(points);
    startListTimer();
    mclicklistbtn->SetCaption(kStop);
    stopHotkeyFollowsRuns();
  } else {
    endListRun();
  }
}

void TForm1::endListRun() {
  listclicktimer->SetEnabled(false);
  mclicklistbtn->SetCaption(kClickTheList);
  stopHotkeyFollowsRuns();
  releaseHeldButton();
}

void TForm1::stopHotkeyFollowsRuns() {
  // The emergency stop must work whichever run goes; with none going the
  // combination is left to other programs. A paused list run keeps what
  // it had.
  const bool running = Timer1->Enabled() || listclicktimer->Enabled();
  if (running) {
    stophotkey->SetActive(true);
  } else if (mpausebutton->Caption() != kResume) {
    stophotkey->SetActive(false);
  }
  // A run is when a stop hotkey another program held matters most.
  retryHotkeys();
}

void TForm1::restartListWaits() { listWaitsFromFields = true; }

void TForm1::startListTimer() {
  // The timer keeps the wait of the entry it clicked last; a cleared,
  // loaded or newly captured list starts with the interval the fields show.
  if (listWaitsFromFields) {
    listWaitsFromFields = false;
    mtimerintervalchange(nullptr);
  }
  listclicktimer->SetEnabled(true);
}

void TForm1::mpausebuttonClick(TObject* /*Sender*/) {
  if (listbox1->Items().Count() == 0) return;
  // A paused drag stays a drag: the button stays down.
  if (mpausebutton->Caption() == kPause) {
    listclicktimer->SetEnabled(false);
    mpausebutton->SetCaption(kResume);
  } else {
    startListTimer();
    mpausebutton->SetCaption(kPause);
    stopHotkeyFollowsRuns();
  }
}

void TForm1::listclicktimerTimer(TObject* /*Sender*/) {
  // Everything was cleared or deleted while the run went on: nothing is
  // left to click, so the run ends as Stop would end it.
  if (listCount <= 1) {
    endListRun();
    return;
  }
  listbox1->SetMultiSelect(true);
  if (listPos >= listCount) {
    if (listPos - 2 >= 0 && listPos - 2 < listbox1->Items().Count()) listbox1->SetSelected(listPos - 2, false);
    listPos = 1;
  }
  const ClickEntry& entry = clickList[static_cast<std::size_t>(listPos - 1)];
  // The wait for the next tick runs from now, before the click. A timer
  // that already counts this wait has just restarted it by firing; leaving
  // it running spares the time the tick took to arrive, which a restart
  // would add to every wait of a fast list.
  const std::uint32_t wait = EntryWaitMilliseconds(entry.delay);
  if (listclicktimer->Interval() != wait || !listclicktimer->Running()) {
    listclicktimer->SetEnabled(false);
    listclicktimer->SetInterval(wait);
    listclicktimer->SetEnabled(true);
  }
  listbox1->SetSelected(listPos - 1, true);
  if (listPos != 1) listbox1->SetSelected(listPos - 2, false);
  Platform().input().SetCursorPos(static_cast<std::int32_t>(std::trunc(entry.x)),
                                  static_cast<std::int32_t>(std::trunc(entry.y)));
  clickOption(static_cast<int>(std::trunc(entry.option)));
  ++listPos;
  listbox1->SetMultiSelect(false);
}
