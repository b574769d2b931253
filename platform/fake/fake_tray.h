// The notification area of the fake desktop: the icons programs have added,
// with their image, tip and menu. A double click, a pick from the menu and
// a restart of the shell come through the event loop, as their messages do.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/tray.h"

namespace platform::fake {

class FakeClock;

class FakeTray final : public Tray {
 public:
  explicit FakeTray(FakeClock& clock) : clock_(clock) {}
  ~FakeTray() override;
  FakeTray(const FakeTray&) = delete;
  FakeTray& operator=(const FakeTray&) = delete;

  struct Shown {
    TrayImage image = TrayImage::kIdle;
    std::string tip;
    std::vector<std::string> menu;
  };
  // The icons in the area now, in the order added.
  [[nodiscard]] std::vector<Shown> icons() const;
  // Adds and changes (NIM_ADD, NIM_MODIFY) made so far.
  [[nodiscard]] int updates() const noexcept { return updates_; }
  // The user double-clicks the first icon, or picks an entry of its menu
  // by caption; false when there is no icon or no such entry.
  bool doubleClick();
  bool pick(const std::string& caption);
  // Explorer ends and starts again: every icon is gone, and every program
  // is told (TaskbarCreated goes to every top-level window).
  void restartShell();
  // Adding is refused while set (a shell that is not up yet).
  void refuse(bool refuse) noexcept { refuse_ = refuse; }

  std::unique_ptr<TrayIcon> CreateIcon(TrayIconSink& sink) override;

 private:
  class Icon;
  [[nodiscard]] Icon* firstShown() const;
  // Calls the icon's sink through the event loop, if the icon still lives.
  void deliver(Icon* icon, std::function<void(TrayIconSink&)> what);
  FakeClock& clock_;
  std::vector<Icon*> icons_;  // every icon object, shown or not
  int updates_ = 0;
  bool refuse_ = false;
};

}  // namespace platform::fake
