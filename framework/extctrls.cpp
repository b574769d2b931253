#include "framework/extctrls.h"

#include <algorithm>

#include "framework/exceptions.h"
#include "framework/forms.h"
#include "framework/precise_timer.h"

// ------------------------------------------------------------------ TPanel

TPanel::TPanel(TComponent* owner) : TWinControl(owner, platform::PeerKind::kPanel, "TPanel") { parentColor_ = false; }

void TPanel::SetBevelOuter(TBevel bevel) {
  bevelOuter_ = bevel;
  Realign();
}

platform::Rect TPanel::AdjustClientRect() const {
  const int border = bevelOuter_ == TBevel::bvNone ? 0 : 1;
  return {border, border, clientWidth_ - 2 * border, clientHeight_ - 2 * border};
}

// -------------------------------------------------------------- TScrollBox

TScrollBox::TScrollBox(TComponent* owner, std::string className)
    : TWinControl(owner, platform::PeerKind::kScrollBox, std::move(className)) {}

void TScrollBox::UpdateClientSize() {
  constexpr int kBorder = 1;  // the sunken line on every side
  clientWidth_ = std::max(0, bounds_.width - 2 * kBorder);
  clientHeight_ = std::max(0, bounds_.height - 2 * kBorder);
}

// ------------------------------------------------------------------ TTimer

namespace {
// The default Windows tick is 15.6 ms; shorter timers need 1 ms resolution.
constexpr std::uint32_t kSystemTickMs = 16;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), handle_(Platform().timers().CreateTimer(*this)) {
  if (!handle_) throw EOutOfResources(messages::kNoTimers);
}

TTimer::~TTimer() {
  if (handle_) handle_->Stop();
  SetRunning(false, false);
}

void TTimer::SetPrecise(bool precise) {
  if (precise == precise_) return;
  handle_->Stop();
  SetRunning(false, false);  // counted again below as what it is now
  precise_ = precise;
  std::unique_ptr<platform::TimerHandle> handle;
  if (precise_) handle = PreciseTimer::Create(Platform().timers(), *this);
  // Where the system has no deadline timer, today's keeps serving.
  if (!handle) handle = Platform().timers().CreateTimer(*this);
  if (!handle) throw EOutOfResources(messages::kNoTimers);
  handle_ = std::move(handle);
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  // A timer the system refused stays enabled without running: enabling it
  // again asks the system again, or a refusal would outlast itself.
  if (enabled == enabled_ && (running_ || !enabled)) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  handle_->Stop();
  if (interval_ == 0 || !enabled_ || !onTimer_) {
    SetRunning(false, false);
    return;
  }
  if (!handle_->Start(interval_)) {
    SetRunning(false, false);
    throw EOutOfResources(messages::kNoTimers);
  }
  SetRunning(true, interval_ < kSystemTickMs);
}

void TTimer::SetRunning(bool running, bool fast) {
  running_ = running;
  if (fast == fast_) return;
  fast_ = fast;
  if (fast_) {
    Application().FastTimerStarted(precise_);
  } else {
    Application().FastTimerStopped(precise_);
  }
}

void TTimer::TimerFired() {
  Guard([&] {
    if (onTimer_) onTimer_(this);
  });
}
