#include "platform/win32/crash_release.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>

namespace platform::win32 {

namespace {

constexpr unsigned kLeft = 1;
constexpr unsigned kRight = 2;
std::atomic<unsigned> held{0};
std::atomic<bool> crashed{false};
// Taken around an injection and its note, and by the release: a press
// made while the release runs would come after it and stay down.
std::atomic_flag injecting = ATOMIC_FLAG_INIT;

HookWatch ownInjections;

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
std::terminate_handler previousTerminate = nullptr;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  ReleaseInjectedButtons();
  // Then as it would have gone: the system's report, or a filter before ours.
  return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void OnTerminate() {
  ReleaseInjectedButtons();
  if (previousTerminate != nullptr) previousTerminate();
  std::abort();
}

void NoteInjected(MouseAction action) noexcept {
  switch (action) {
    case MouseAction::kLeftDown:
      held.fetch_or(kLeft);
      break;
    case MouseAction::kLeftUp:
      held.fetch_and(~kLeft);
      break;
    case MouseAction::kRightDown:
      held.fetch_or(kRight);
      break;
    case MouseAction::kRightUp:
      held.fetch_and(~kRight);
      break;
  }
}

}  // namespace

HookWatch& OwnInjections() noexcept { return ownInjections; }

void InjectMouse(MouseAction action) noexcept {
  static constexpr DWORD kFlags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTDOWN,
                                     MOUSEEVENTF_RIGHTUP};
  while (injecting.test_and_set(std::memory_order_acquire)) {
  }
  if (!crashed.load()) {
    mouse_event(kFlags[static_cast<std::size_t>(action)], 0, 0, 0, kOwnInjectionTag);
    NoteInjected(action);
    ownInjections.Sent();
  }
  injecting.clear(std::memory_order_release);
}

void ReleaseInjectedButtons() noexcept {
  // An injection under way finishes first; one that crashed midway (the
  // flag never cleared) is waited for no longer than about 100 ms.
  const DWORD began = GetTickCount();
  bool locked = false;
  while (!(locked = !injecting.test_and_set(std::memory_order_acquire)) && GetTickCount() - began < 100) Sleep(0);
  crashed.store(true);
  // Taken once: a second crash handler finds nothing left to release.
  const unsigned down = held.exchange(0);
  if ((down & kLeft) != 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  if ((down & kRight) != 0) mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
  if (locked) injecting.clear(std::memory_order_release);
}

CrashRelease::CrashRelease() noexcept {
  previousFilter = SetUnhandledExceptionFilter(&OnUnhandledException);
  previousTerminate = std::set_terminate(&OnTerminate);
}

CrashRelease::~CrashRelease() {
  SetUnhandledExceptionFilter(previousFilter);
  std::set_terminate(previousTerminate);
}

}  // namespace platform::win32
