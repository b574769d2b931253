// The list run: one entry clicked a tick, top to bottom and round again,
// each entry's delay being the wait before the next click. Its Click the
// List / Stop toggle and its Pause / Resume toggle are independent, as the
// two buttons that show them always were: both work the one ticker.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/click_list.h"
#include "engine/mouse_actions.h"
#include "engine/ticker.h"
#include "platform/input.h"

class ListRun {
 public:
  ListRun(const ClickList& list, MouseActions& mouse, platform::Input& cursor, Ticker& ticker) noexcept
      : list_(list), mouse_(mouse), cursor_(cursor), ticker_(ticker) {}

  // Raised at each tick before its click: the row (from 0) of the entry
  // about to be clicked.
  std::function<void(int row)> onStep;

  [[nodiscard]] bool Started() const noexcept { return started_; }
  [[nodiscard]] bool Paused() const noexcept { return paused_; }
  // Clicking now: the ticker counts.
  [[nodiscard]] bool Running() const { return ticker_.Enabled(); }
  [[nodiscard]] std::int32_t Position() const noexcept { return listPos; }

  // Click the List and Stop. fieldsWait is the interval the fields show,
  // the first wait of a list that is new since the last run.
  void Start(std::uint32_t fieldsWait);
  // Every way a run ends: the ticker stops and a held button goes up.
  void End();
  // Pause and Resume. A paused drag stays a drag: the button stays down.
  void TogglePause(std::uint32_t fieldsWait);
  // The interval fields changed: the ticker waits that from now on.
  void SetFieldsWait(std::uint32_t milliseconds) { ticker_.SetInterval(milliseconds); }
  // One tick: clicks the entry at the position and moves on. False when
  // nothing is left to click, and the run has ended.
  bool Tick();

  // After how many rounds a run ends by itself (0: never). A round ends
  // at each click of the last entry, counted from the run's start.
  [[nodiscard]] std::int32_t Rounds() const noexcept { return rounds_; }
  void SetRounds(std::int32_t rounds) noexcept { rounds_ = rounds; }
  // The last entry of the last round has been clicked: the run is over.
  [[nodiscard]] bool RoundsDone() const noexcept { return rounds_ > 0 && roundsDone_ >= rounds_; }

  // The next click is the first entry's.
  void Rewind() noexcept { listPos = 1; }
  // The next run's first wait comes from the interval fields again.
  void WaitFromFields() noexcept { listWaitsFromFields = true; }
  // Where the next tick clicks; a position past the end goes round.
  void SetPosition(std::int32_t position) noexcept { listPos = position; }

 private:
  void StartTicker(std::uint32_t fieldsWait);

  const ClickList& list_;
  MouseActions& mouse_;
  platform::Input& cursor_;
  Ticker& ticker_;
  std::int32_t listPos = 1;
  bool listWaitsFromFields = false;
  bool started_ = false;
  bool paused_ = false;
  std::int32_t rounds_ = 0;
  std::int32_t roundsDone_ = 0;
};
