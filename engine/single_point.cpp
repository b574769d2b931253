#include "engine/single_point.h"

void SinglePointRun::Start(std::optional<std::int32_t> x, std::optional<std::int32_t> y) {
  clickX = x.value_or(clickX);
  clickY = y.value_or(clickY);
  // The interval is whatever the fields last gave the ticker.
  ticker_.SetEnabled(true);
  count_ = 0;
}

void SinglePointRun::mclick(bool doubleClick) {
  mouse_.singleclick();
  if (doubleClick) mouse_.singleclick();
}

bool SinglePointRun::Tick(std::int32_t limit, bool doubleClick) {
  if (clickAtMouse) {
    mclick(doubleClick);
  } else {
    const platform::Point original = cursor_.GetCursorPos();
    cursor_.SetCursorPos(clickX, clickY);
    mclick(doubleClick);
    cursor_.SetCursorPos(original.x, original.y);
    if (clickOnOrig) mclick(doubleClick);
  }
  ++count_;
  return limit > 0 && count_ == limit;
}
