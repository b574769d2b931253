#include "platform/win32/waits.h"

#include <algorithm>
#include <exception>

namespace platform::win32 {

bool Waits::Add(HANDLE handle, Waiter& waiter) {
  if (std::find(handles_.begin(), handles_.end(), handle) != handles_.end()) return true;
  if (handles_.size() + 1 >= MAXIMUM_WAIT_OBJECTS) return false;  // the message queue takes the last place
  handles_.push_back(handle);
  waiters_.push_back(&waiter);
  return true;
}

void Waits::Remove(HANDLE handle) noexcept {
  const auto it = std::find(handles_.begin(), handles_.end(), handle);
  if (it == handles_.end()) return;
  waiters_.erase(waiters_.begin() + (it - handles_.begin()));
  handles_.erase(it);
}

void Waits::Serve(std::size_t index) {
  Waiter* waiter = waiters_[index];
  // Not a window procedure, but no exception may end the loop either: it
  // goes where a window's would.
  try {
    waiter->Signalled();
  } catch (...) {
    errors_.Report(std::current_exception());
  }
}

int Waits::NextMessage(MSG& message) {
  for (;;) {
    // With nothing armed the plain wait, as cheap as it ever was.
    if (handles_.empty()) return GetMessageW(&message, nullptr, 0, 0);
    const auto count = static_cast<DWORD>(handles_.size());
    // MWMO_INPUTAVAILABLE: input already in the queue counts too, not only
    // what came since the last look.
    const DWORD result =
        MsgWaitForMultipleObjectsEx(count, handles_.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result < WAIT_OBJECT_0 + count) {
      Serve(result - WAIT_OBJECT_0);
      continue;
    }
    if (result == WAIT_OBJECT_0 + count) {
      // Sent messages are handled inside the peek, which then finds none.
      if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == 0) continue;
      return message.message == WM_QUIT ? 0 : 1;
    }
    // The wait itself failed (a handle gone bad): this once the plain wait.
    return GetMessageW(&message, nullptr, 0, 0);
  }
}

void Waits::ServeSignalled() {
  // Each at most once a call: a timer armed anew for now is the next call's.
  for (std::size_t round = handles_.size(); round > 0; --round) {
    if (handles_.empty()) return;
    const auto count = static_cast<DWORD>(handles_.size());
    const DWORD result = WaitForMultipleObjects(count, handles_.data(), FALSE, 0);
    if (result >= WAIT_OBJECT_0 + count) return;  // none signalled, or the wait failed
    Serve(result - WAIT_OBJECT_0);
  }
}

}  // namespace platform::win32
