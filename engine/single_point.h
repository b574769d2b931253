// The single-point run: one place (or wherever the mouse is) clicked at
// the interval until stopped or until the set number of clicks.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/mouse_actions.h"
#include "engine/ticker.h"
#include "platform/input.h"

class SinglePointRun {
 public:
  SinglePointRun(MouseActions& mouse, platform::Input& cursor, Ticker& ticker) noexcept
      : mouse_(mouse), cursor_(cursor), ticker_(ticker) {}

  [[nodiscard]] bool Running() const { return ticker_.Enabled(); }
  [[nodiscard]] std::int64_t Count() const noexcept { return count_; }

  // Starts counting from nothing; the first click comes one interval from
  // now. A coordinate not given keeps the last one (clicking at the mouse,
  // the fields are hidden and may hold anything).
  void Start(std::optional<std::int32_t> x, std::optional<std::int32_t> y);
  void Stop() { ticker_.SetEnabled(false); }
  // One tick's clicks. True when this click met the limit, read afresh at
  // every tick and met only by equality; 0 is no limit.
  bool Tick(std::int32_t limit, bool doubleClick);

  // At the mouse or at the point; leaving the mouse forgets a locked point.
  void SetClickAtMouse(bool atMouse) noexcept {
    clickAtMouse = atMouse;
    pointSet = atMouse;
  }
  [[nodiscard]] bool ClickAtMouse() const noexcept { return clickAtMouse; }
  void LockPoint() noexcept { pointSet = true; }
  // A point counts as set: always at the mouse, at a point once locked.
  [[nodiscard]] bool PointSet() const noexcept { return pointSet; }
  // After each click at the point, a click where the cursor was.
  void SetClickOnOrig(bool on) noexcept { clickOnOrig = on; }
  [[nodiscard]] bool ClickOnOrig() const noexcept { return clickOnOrig; }
  // Where the run clicks, as its start read it.
  [[nodiscard]] platform::Point ClickPoint() const noexcept { return {clickX, clickY}; }
  [[nodiscard]] platform::Point Cursor() { return cursor_.GetCursorPos(); }

 private:
  bool pointSet = true;
  bool clickAtMouse = true;
  bool clickOnOrig = false;
  std::int32_t clickX = 0;
  std::int32_t clickY = 0;

  // The run's click: Double click is read afresh every time.
  void mclick(bool doubleClick);

  MouseActions& mouse_;
  platform::Input& cursor_;
  Ticker& ticker_;
  std::int64_t count_ = 0;
};
