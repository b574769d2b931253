// The program's icon in the notification area: one image of five, a tip,
// and a menu shown at a right click. The shell forgets every icon when
// Explorer restarts and then tells each program (TaskbarCreated), which
// adds its icon again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class TrayImage : std::uint8_t { kIdle, kSingle, kList, kPaused, kCapturing };

class TrayIconSink {
 public:
  virtual void TrayDoubleClicked() = 0;
  // A menu entry picked, by its position in the last SetMenu.
  virtual void TrayMenuPicked(std::size_t item) = 0;
  // The shell came back without the icon: Show adds it again.
  virtual void TrayShellRestarted() = 0;

 protected:
  ~TrayIconSink() = default;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;  // removes the icon
  // Adds the icon, or changes it when added; the tip is cut to what the
  // shell shows (127 characters). False when the shell refused it.
  virtual bool Show(TrayImage image, const std::string& tip) = 0;
  virtual void Hide() = 0;
  virtual void SetMenu(const std::vector<std::string>& captions) = 0;
};

class Tray {
 public:
  virtual ~Tray() = default;
  virtual std::unique_ptr<TrayIcon> CreateIcon(TrayIconSink& sink) = 0;
};

}  // namespace platform
