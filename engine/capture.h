// Capture: while it tracks, the cursor's place is shown and the five
// capture hotkeys each add an entry of their click kind at the tracked
// point. The click kind new entries get is the current option.
#pragma once

#include <cstdint>

#include "engine/list_run.h"
#include "engine/mouse_actions.h"
#include "platform/input.h"

class Capture {
 public:
  Capture(const ClickList& list, ListRun& run, MouseActions& mouse, platform::Input& cursor) noexcept
      : list_(list), run_(run), mouse_(mouse), cursor_(cursor) {}

  [[nodiscard]] bool Tracking() const noexcept { return tracking_; }
  void Start();
  // A list captured anew is run from its top, first waiting the fields' interval.
  void Stop();
  [[nodiscard]] platform::Point Track() { return cursor_.GetCursorPos(); }

  // The click kind new entries get: 1 Click, 2 Click-Hold, 3 Release,
  // 4 Right Click, 5 Double Click.
  [[nodiscard]] std::int32_t Option() const noexcept { return currentOption; }
  void SetOption(std::int32_t option) noexcept { currentOption = option; }

 private:
  std::int32_t currentOption = 1;
  const ClickList& list_;
  ListRun& run_;
  MouseActions& mouse_;
  platform::Input& cursor_;
  bool tracking_ = false;
};
