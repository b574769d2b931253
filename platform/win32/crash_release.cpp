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

}  // namespace

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

void ReleaseInjectedButtons() noexcept {
  // Taken once: a second crash handler finds nothing left to release.
  const unsigned down = held.exchange(0);
  if ((down & kLeft) != 0) mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  if ((down & kRight) != 0) mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
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
