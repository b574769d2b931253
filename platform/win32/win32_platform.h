// The real Windows implementation of the platform interfaces. Kept free
// of Windows headers so that the program entry can build it without them.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Input& input() override;
  Timers& timers() override;
  EventLoop& loop() override;
  Dialogs& dialogs() override;
  Locale& locale() override;
  Windows& windows() override;
  Hotkeys& hotkeys() override;
  Keyboard& keyboard() override;
  Process& process() override;
  Registry& registry() override;
  Files& files() override;
  Tray& tray() override;

  struct Services;

 private:
  std::unique_ptr<Services> services_;
};

}  // namespace platform::win32
