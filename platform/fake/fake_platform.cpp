#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cctype>

namespace platform::fake {

namespace {

bool SameAscii(const std::string& a, const std::string& b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Windows clamps SetTimer intervals to USER_TIMER_MINIMUM..USER_TIMER_MAXIMUM.
constexpr std::uint32_t kTimerMinimum = 10;
constexpr std::uint32_t kTimerMaximum = 0x7FFFFFFF;

constexpr std::uint32_t kModifierMask = kModAlt | kModControl | kModShift | 0x0008u;

// A small fixed keyboard layout for the keys outside the fixed name table.
struct LayoutKey {
  std::uint32_t virtualKey;
  std::uint32_t scanCode;
  const char* name;
};
constexpr LayoutKey kLayout[] = {
    {0x10, 0x2A, "Shift"},     {0x11, 0x1D, "Ctrl"},  {0x12, 0x38, "Alt"},      {0x13, 0x61, "Pause"},
    {0x14, 0x3A, "Caps Lock"}, {0x6A, 0x37, "Num *"}, {0x6B, 0x4E, "Num +"},    {0x6D, 0x4A, "Num -"},
    {0x6E, 0x53, "Num Del"},   {0x6F, 0x62, "Num /"}, {0x90, 0x45, "Num Lock"}, {0x91, 0x46, "Scroll Lock"},
    {0xBA, 0x27, ";"},         {0xBB, 0x0D, "="},     {0xBC, 0x33, ","},        {0xBD, 0x0C, "-"},
    {0xBE, 0x34, "."},         {0xBF, 0x35, "/"},     {0xC0, 0x29, "`"},        {0xDB, 0x1A, "["},
    {0xDC, 0x2B, "\\"},        {0xDD, 0x1B, "]"},     {0xDE, 0x28, "'"},
};

}  // namespace

// --------------------------------------------------------------- FakePeer

FakePeer::FakePeer(FakePlatform& desktop, const PeerParams& params, PeerEvents& events)
    : desktop_(desktop),
      events_(events),
      kind_(params.kind),
      className_(params.className),
      parent_(static_cast<FakePeer*>(params.parent)),
      text_(params.text),
      bounds_(params.bounds),
      visible_(params.visible),
      enabled_(params.enabled),
      checked_(params.checked),
      color_(params.color),
      font_(params.font) {
  desktop_.peers_.push_back(this);
}

FakePeer::~FakePeer() { desktop_.peerDestroyed(this); }

void FakePeer::SetFocus() { desktop_.focus(this); }

void FakePeer::SetTab(int index, const std::string& caption) {
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (at >= tabs_.size()) tabs_.resize(at + 1);
  tabs_[at] = caption;
}

void FakePeer::Show(ShowMode mode) {
  switch (mode) {
    case ShowMode::kHide:
      visible_ = false;
      if (desktop_.activeForm_ == this) desktop_.activate(nullptr);
      break;
    case ShowMode::kShowCentered:
      shownCentered_ = true;
      [[fallthrough]];
    case ShowMode::kShowNormal:
      visible_ = true;
      iconic_ = false;
      zOrder_ = ++desktop_.zCounter_;
      if (kind_ == PeerKind::kForm) desktop_.activate(this);
      break;
    case ShowMode::kMinimize:
      iconic_ = true;
      break;
    case ShowMode::kRestore:
      iconic_ = false;
      break;
  }
}

void FakePeer::ExternalRestore() {
  iconic_ = false;
  events_.PeerRestored();
}

void FakePeer::ExternalBringToTop() {
  zOrder_ = ++desktop_.zCounter_;
  events_.PeerRaised();
}

// ------------------------------------------------------------ timer handle

class FakePlatform::FakeTimer final : public TimerHandle {
 public:
  FakeTimer(FakePlatform& desktop, TimerSink& sink) : desktop_(desktop), sink_(sink) { desktop_.timers_.insert(this); }
  ~FakeTimer() override { desktop_.timers_.erase(this); }

  bool Start(std::uint32_t milliseconds) override {
    if (desktop_.refuseTimers_) return false;
    ++desktop_.timerStarts_;
    running_ = true;
    interval_ = std::clamp(milliseconds, kTimerMinimum, kTimerMaximum);
    due_ = desktop_.now_ + interval_;
    order_ = ++desktop_.sequence_;
    return true;
  }
  void Stop() override { running_ = false; }

  FakePlatform& desktop_;
  TimerSink& sink_;
  bool running_ = false;
  std::uint32_t interval_ = 0;
  std::uint64_t due_ = 0;
  std::uint64_t order_ = 0;
};

// --------------------------------------------------------- hotkey receiver

class FakePlatform::FakeReceiver final : public HotkeyReceiver {
 public:
  FakeReceiver(FakePlatform& desktop, HotkeySink& sink) : desktop_(desktop), sink_(sink) {
    desktop_.receivers_.insert(this);
  }
  ~FakeReceiver() override {
    // A destroyed window loses its hotkeys.
    auto& list = desktop_.registrations_;
    list.erase(std::remove_if(list.begin(), list.end(), [this](const Registration& r) { return r.receiver == this; }),
               list.end());
    desktop_.receivers_.erase(this);
  }

  bool Register(std::uint16_t id, std::uint32_t modifiers, std::uint32_t key) override {
    ++desktop_.registerCalls_;
    Drop(id);  // registering again under the same identifier replaces
    auto& list = desktop_.registrations_;
    const bool held = std::any_of(list.begin(), list.end(), [&](const Registration& r) {
      return r.key == key && (r.modifiers & kModifierMask) == (modifiers & kModifierMask);
    });
    if (held) return false;
    list.push_back({this, id, modifiers, key});
    return true;
  }

  void Unregister(std::uint16_t id) override {
    ++desktop_.unregisterCalls_;
    Drop(id);
  }

  void Drop(std::uint16_t id) {
    auto& list = desktop_.registrations_;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Registration& r) { return r.receiver == this && r.id == id; }),
               list.end());
  }

  FakePlatform& desktop_;
  HotkeySink& sink_;
};

// ------------------------------------------------------------ mutex handle

class FakePlatform::FakeMutexHandle final : public KernelHandle {
 public:
  FakeMutexHandle(FakePlatform& desktop, std::string name) : desktop_(desktop), name_(std::move(name)) {}
  ~FakeMutexHandle() override {
    auto it = desktop_.mutexes_.find(name_);
    if (it != desktop_.mutexes_.end() && --it->second == 0) desktop_.mutexes_.erase(it);
  }

 private:
  FakePlatform& desktop_;
  std::string name_;
};

// ------------------------------------------------------------ FakePlatform

FakePlatform::FakePlatform() = default;
FakePlatform::~FakePlatform() = default;

void FakePlatform::advance(std::uint64_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  runPending();
  for (;;) {
    FakeTimer* next = nullptr;
    for (FakeTimer* timer : timers_) {
      if (!timer->running_ || timer->due_ > target) continue;
      if (next == nullptr || timer->due_ < next->due_ || (timer->due_ == next->due_ && timer->order_ < next->order_)) {
        next = timer;
      }
    }
    if (next == nullptr) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    next->order_ = ++sequence_;
    next->sink_.TimerFired();
    runPending();
  }
  now_ = target;
  runPending();
}

void FakePlatform::runPending() {
  while (!queue_.empty()) {
    auto message = std::move(queue_.front());
    queue_.pop_front();
    message();
  }
}

void FakePlatform::post(std::function<void()> message) { queue_.push_back(std::move(message)); }

int FakePlatform::runningTimers() const noexcept {
  return static_cast<int>(
      std::count_if(timers_.begin(), timers_.end(), [](const FakeTimer* t) { return t->running_; }));
}

void FakePlatform::MouseEvent(std::uint32_t flags) { mouseEvents_.push_back({flags, cursor_, now_}); }

void FakePlatform::SetCursorPos(std::int32_t x, std::int32_t y) {
  cursor_ = {x, y};
  ++cursorMoves_;
}

void FakePlatform::MessageBeep(std::uint32_t /*type*/) { ++beeps_; }

std::unique_ptr<TimerHandle> FakePlatform::CreateTimer(TimerSink& sink) {
  return std::make_unique<FakeTimer>(*this, sink);
}

void FakePlatform::SetHighResolution(bool on) {
  ++highResolutionCalls_;
  highResolutionDepth_ += on ? 1 : -1;
}

int FakePlatform::ShowMessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
  boxes_.push_back({text, caption, flags, now_});
  return kIdOk;
}

bool FakePlatform::SameTextIgnoringCase(const std::string& a, const std::string& b) { return SameAscii(a, b); }

std::unique_ptr<WindowPeer> FakePlatform::CreatePeer(const PeerParams& params, PeerEvents& events) {
  return std::make_unique<FakePeer>(*this, params, events);
}

Size FakePlatform::FormFrameSize(bool withMenu) { return {8, withMenu ? 46 : 27}; }

Size FakePlatform::MeasureText(const std::string& text, const FontSpec& /*font*/) {
  // A fixed 6 x 13 cell per character, line by line.
  int lines = 1;
  int widest = 0;
  int current = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r') {
      ++lines;
      current = 0;
      continue;
    }
    current += 6;
    widest = std::max(widest, current);
  }
  return {widest, 13 * lines};
}

std::unique_ptr<HotkeyReceiver> FakePlatform::CreateReceiver(HotkeySink& sink) {
  return std::make_unique<FakeReceiver>(*this, sink);
}

std::uint16_t FakePlatform::AddGlobalAtom(const std::string& text) {
  auto [it, inserted] = atoms_.try_emplace(text, std::make_pair(std::uint16_t{0}, 0));
  if (inserted) it->second.first = nextAtom_++;
  ++it->second.second;
  return it->second.first;
}

void FakePlatform::DeleteGlobalAtom(std::uint16_t atom) {
  for (auto it = atoms_.begin(); it != atoms_.end(); ++it) {
    if (it->second.first == atom) {
      if (--it->second.second == 0) atoms_.erase(it);
      return;
    }
  }
}

std::vector<FakePlatform::Registration> FakePlatform::registrations() const { return registrations_; }

bool FakePlatform::holdExternally(std::uint32_t modifiers, std::uint32_t key) {
  const bool held = std::any_of(registrations_.begin(), registrations_.end(), [&](const Registration& r) {
    return r.key == key && (r.modifiers & kModifierMask) == (modifiers & kModifierMask);
  });
  if (held) return false;
  registrations_.push_back({nullptr, 0, modifiers, key});
  return true;
}

bool FakePlatform::pressHotKey(std::uint32_t modifiers, std::uint32_t key) {
  for (const Registration& r : registrations_) {
    if (r.key != key || (r.modifiers & kModifierMask) != (modifiers & kModifierMask)) continue;
    if (r.receiver == nullptr) return true;
    const void* receiver = r.receiver;
    post([this, receiver] {
      for (FakeReceiver* live : receivers_) {
        if (live == receiver) {
          live->sink_.HotkeyPressed();
          return;
        }
      }
    });
    return true;
  }
  return false;
}

std::uint32_t FakePlatform::ScanCodeOf(std::uint32_t virtualKey) {
  for (const LayoutKey& key : kLayout) {
    if (key.virtualKey == virtualKey) return key.scanCode;
  }
  return 0;
}

std::string FakePlatform::KeyNameText(std::int32_t lParam) {
  const auto scanCode = static_cast<std::uint32_t>(lParam >> 16) & 0x1FFu;
  for (const LayoutKey& key : kLayout) {
    if (key.scanCode == scanCode) return key.name;
  }
  return {};
}

MutexResult FakePlatform::CreateNamedMutex(const std::string& name) {
  if (failMutex_) return {nullptr, 5};  // ERROR_ACCESS_DENIED
  const bool existed = mutexes_[name]++ > 0;
  return {std::make_unique<FakeMutexHandle>(*this, name), existed ? kErrorAlreadyExists : 0u};
}

std::vector<FakePeer*> FakePlatform::topLevelWindows() const {
  std::vector<FakePeer*> windows;
  for (FakePeer* peer : peers_) {
    if (peer->parent() == nullptr) windows.push_back(peer);
  }
  return windows;
}

FakePeer* FakePlatform::findTopLevel(const std::string& className, const std::string& text) const {
  for (FakePeer* peer : peers_) {
    if (peer->parent() == nullptr && SameAscii(peer->className(), className) && SameAscii(peer->text(), text)) {
      return peer;
    }
  }
  return nullptr;
}

WindowRef FakePlatform::FindTopLevelWindow(const std::string& className, const std::string& title) {
  return reinterpret_cast<WindowRef>(findTopLevel(className, title));
}

FakePeer* FakePlatform::liveWindow(WindowRef window) const {
  for (FakePeer* peer : peers_) {
    if (reinterpret_cast<WindowRef>(peer) == window) return peer;
  }
  return nullptr;
}

bool FakePlatform::IsIconic(WindowRef window) {
  const FakePeer* peer = liveWindow(window);
  return peer != nullptr && peer->iconic();
}

void FakePlatform::ShowWindowRestore(WindowRef window) {
  if (liveWindow(window) == nullptr) return;
  post([this, window] {
    if (FakePeer* live = liveWindow(window)) live->ExternalRestore();
  });
}

void FakePlatform::BringWindowToTop(WindowRef window) {
  if (liveWindow(window) == nullptr) return;
  post([this, window] {
    if (FakePeer* live = liveWindow(window)) live->ExternalBringToTop();
  });
}

void FakePlatform::peerDestroyed(FakePeer* peer) noexcept {
  peers_.erase(std::remove(peers_.begin(), peers_.end(), peer), peers_.end());
  if (focused_ == peer) focused_ = nullptr;
  if (activeForm_ == peer) activeForm_ = nullptr;
}

void FakePlatform::focus(FakePeer* peer) {
  if (focused_ == peer) return;
  FakePeer* previous = focused_;
  focused_ = peer;
  if (previous != nullptr) previous->events().PeerFocusChanged(false);
  if (peer != nullptr) peer->events().PeerFocusChanged(true);
}

void FakePlatform::activate(FakePeer* form) {
  if (activeForm_ == form) return;
  FakePeer* previous = activeForm_;
  activeForm_ = form;
  if (previous != nullptr) {
    // The focused control of a form that loses activation loses the focus.
    for (FakePeer* p = focused_; p != nullptr; p = p->parent()) {
      if (p == previous) {
        focus(nullptr);
        break;
      }
    }
    previous->events().PeerFocusChanged(false);
  }
  if (form != nullptr) form->events().PeerFocusChanged(true);
}

}  // namespace platform::fake
