// Windows keeps a button that a program injected down after that program
// has gone: a crash in the middle of a drag would leave the user's mouse
// dragging whatever lies under it. So every injected press and release is
// noted here, and a crash (a fault no one handles, or std::terminate) lets
// go of what is still down before the process ends. The handlers may run
// on any thread, so the state is process-wide and atomic: the one piece of
// global state the platform keeps, beside the one low-level mouse hook.
#pragma once

#include <windows.h>

#include "platform/input.h"
#include "platform/mouse_hook.h"

namespace platform::win32 {

// Carried by every button the program injects, so that its own low-level
// hook knows them from other programs' injected input.
inline constexpr ULONG_PTR kOwnInjectionTag = 0x54415046;
// The program's injections and how many of them its mouse hook has seen.
HookWatch& OwnInjections() noexcept;

// Presses or releases a button with mouse_event and notes it, unless the
// program has crashed: the threads that still run until the process ends
// (the run's ticks among them) press nothing after the release.
void InjectMouse(MouseAction action) noexcept;
// Sends the release of every button the program holds down, and lets
// nothing be pressed again.
void ReleaseInjectedButtons() noexcept;

// Installs the crash handlers for as long as it lives; the ones before
// are called after ours, and put back at the end.
class CrashRelease {
 public:
  CrashRelease() noexcept;
  ~CrashRelease();
  CrashRelease(const CrashRelease&) = delete;
  CrashRelease& operator=(const CrashRelease&) = delete;
};

}  // namespace platform::win32
