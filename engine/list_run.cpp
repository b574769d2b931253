#include "engine/list_run.h"

#include "engine/click_interval.h"

void ListRun::StartTicker(std::uint32_t fieldsWait) {
  // The ticker keeps the wait of the entry it clicked last; a cleared,
  // loaded or newly captured list starts with the interval the fields show.
  if (listWaitsFromFields) {
    listWaitsFromFields = false;
    ticker_.SetInterval(fieldsWait);
  }
  ticker_.SetEnabled(true);
}

void ListRun::Start(std::uint32_t fieldsWait) {
  if (list_.Count() == 0) return;
  roundsDone_ = 0;
  StartTicker(fieldsWait);
  started_ = true;
}

void ListRun::End() {
  ticker_.SetEnabled(false);
  started_ = false;
  roundsDone_ = 0;
  mouse_.releaseHeldButton();
}

void ListRun::TogglePause(std::uint32_t fieldsWait) {
  if (list_.Count() == 0) return;
  if (!paused_) {
    ticker_.SetEnabled(false);
    paused_ = true;
  } else {
    StartTicker(fieldsWait);
    paused_ = false;
  }
}

bool ListRun::Tick() {
  // Everything was cleared or deleted while the run went on: nothing is
  // left to click, so the run ends as Stop would end it.
  if (list_.Count() == 0) {
    End();
    return false;
  }
  if (listPos > list_.Count()) listPos = 1;
  const ClickEntry& entry = list_.At(listPos);
  // The wait for the next tick runs from now, before the click. A ticker
  // that already counts this wait has just restarted it by firing; leaving
  // it running spares the time the tick took to arrive, which a restart
  // would add to every wait of a fast list.
  const std::uint32_t wait = EntryWaitMilliseconds(entry.delay);
  if (ticker_.Interval() != wait || !ticker_.Running()) {
    ticker_.SetEnabled(false);
    ticker_.SetInterval(wait);
    ticker_.SetEnabled(true);
  }
  if (onStep) onStep(listPos - 1);
  cursor_.SetCursorPos(entry.x, entry.y);
  mouse_.clickOption(entry.option);
  if (listPos == list_.Count()) ++roundsDone_;
  ++listPos;
  return true;
}
