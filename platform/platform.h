// Everything the program needs of the operating system, one narrow
// interface per concern. The framework reaches it through the application
// object; the concrete platform is chosen at link time (win32 or fake).
#pragma once

#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/peers.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/timers.h"
#include "platform/tray.h"

namespace platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Input& input() = 0;
  virtual Timers& timers() = 0;
  virtual EventLoop& loop() = 0;
  virtual Dialogs& dialogs() = 0;
  virtual Locale& locale() = 0;
  virtual Windows& windows() = 0;
  virtual Hotkeys& hotkeys() = 0;
  virtual Keyboard& keyboard() = 0;
  virtual Process& process() = 0;
  virtual Registry& registry() = 0;
  virtual Files& files() = 0;
  virtual Tray& tray() = 0;
};

}  // namespace platform
