// When what a run changes is worth showing: at most about thirty times a
// second, never more than one frame behind the run, at once when the run
// stops, and not at all while nobody can see the window. A run at 10 ms
// would otherwise repaint a hundred times a second, more than a screen or
// an eye can show, and repainting was most of what a click cost.
#pragma once

#include <cstdint>

class ViewPace {
 public:
  static constexpr std::uint64_t kFrameMs = 33;

  // A tick changed what the view shows; the next tick comes nextWaitMs
  // from now (0: none comes). True when it is to be shown now: when waiting
  // for the next tick would leave the view more than a frame behind.
  bool Changed(std::uint64_t now, std::uint32_t nextWaitMs) noexcept {
    pending_ = true;
    if (nextWaitMs != 0 && now - shownAt_ + nextWaitMs <= kFrameMs) return false;
    return Flush(now);
  }
  // The run stopped, paused or ended, or the view showed again: true when
  // a change waits to be shown and can be.
  bool Flush(std::uint64_t now) noexcept {
    if (!pending_ || !visible_) return false;
    pending_ = false;
    shownAt_ = now;
    return true;
  }
  // Minimised or hidden, nothing is shown; what changed meanwhile waits.
  void SetVisible(bool visible) noexcept { visible_ = visible; }
  [[nodiscard]] bool Pending() const noexcept { return pending_; }

 private:
  std::uint64_t shownAt_ = 0;
  bool pending_ = false;
  bool visible_ = true;
};
