#include "platform/fake/fake_windows.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_services.h"

namespace platform::fake {

FakeTopLevel::FakeTopLevel(FakeDesktop& desktop, const PeerParams& params, PeerEvents& events, bool form)
    : FakeWindow(desktop, params, events), form_(form) {}

void FakeTopLevel::Show(ShowMode mode) {
  switch (mode) {
    case ShowMode::kHide:
      SetVisible(false);
      if (desktop_.activeForm() == this) desktop_.activate(nullptr);
      break;
    case ShowMode::kShowCentered:
      shownCentered_ = true;
      [[fallthrough]];
    case ShowMode::kShowNormal:
      SetVisible(true);
      iconic_ = false;
      zOrder_ = desktop_.raise();
      if (form_) desktop_.activate(this);
      break;
    case ShowMode::kMinimize:
      iconic_ = true;
      break;
    case ShowMode::kRestore:
      iconic_ = false;
      break;
  }
}

void FakeTopLevel::RunModal(const std::function<bool()>& done) {
  ++modalRuns_;
  desktop_.clock().runPending();
  if (!done()) desktop_.runModalScript(*this);
  // Nobody answered: the user closes it.
  if (!done()) desktop_.deliver([&] { events_.PeerCloseRequested(); });
}

void FakeTopLevel::sessionQuery() {
  desktop_.deliver([&] { events_.PeerSessionEnding(false); });
}

void FakeTopLevel::sessionEnded(bool ending) {
  // Told that it goes on, a window hears nothing it acts on.
  if (ending) desktop_.deliver([&] { events_.PeerSessionEnding(true); });
}

void FakeTopLevel::close() {
  desktop_.deliver([&] { events_.PeerCloseRequested(); });
}

void FakeDesktop::endSession(bool cancelled) {
  for (FakeTopLevel* window : topLevelWindows()) window->sessionQuery();
  for (FakeTopLevel* window : topLevelWindows()) window->sessionEnded(!cancelled);
}

void FakeTopLevel::externalRestore() {
  iconic_ = false;
  events_.PeerRestored();
}

void FakeTopLevel::externalBringToTop() {
  zOrder_ = desktop_.raise();
  events_.PeerRaised();
}

int FakeTopLevel::Dpi() { return dpi_ != 0 ? dpi_ : desktop_.dpi(); }

void FakeTopLevel::moveToMonitor(int dpi, const Rect& suggested) {
  dpi_ = dpi;
  desktop_.deliver([&] { events_.PeerDpiChanged(dpi, suggested); });
}

}  // namespace platform::fake
