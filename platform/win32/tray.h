// The notification-area icon on Windows (Shell_NotifyIconW), its images
// drawn at the size the shell shows.
#pragma once

#include <memory>

#include "platform/tray.h"
#include "platform/win32/error_route.h"
#include "platform/win32/window_classes.h"

namespace platform::win32 {

std::unique_ptr<Tray> CreateTray(WindowClasses& classes, const ErrorRoute& errors);

}  // namespace platform::win32
