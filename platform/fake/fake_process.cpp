#include "platform/fake/fake_process.h"

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_windows.h"

namespace platform::fake {

class FakeProcess::FakeMutexHandle final : public KernelHandle {
 public:
  FakeMutexHandle(FakeProcess& process, std::string name) : process_(process), name_(std::move(name)) {}
  ~FakeMutexHandle() override {
    auto it = process_.mutexes_.find(name_);
    if (it != process_.mutexes_.end() && --it->second == 0) process_.mutexes_.erase(it);
  }
  FakeMutexHandle(const FakeMutexHandle&) = delete;
  FakeMutexHandle& operator=(const FakeMutexHandle&) = delete;

 private:
  FakeProcess& process_;
  std::string name_;
};

MutexResult FakeProcess::CreateNamedMutex(const std::string& name) {
  if (failMutex_) return {nullptr, 5};  // ERROR_ACCESS_DENIED
  const bool existed = mutexes_[name]++ > 0;
  return {std::make_unique<FakeMutexHandle>(*this, name), existed ? kErrorAlreadyExists : 0u};
}

WindowRef FakeProcess::FindTopLevelWindow(const std::string& className, const std::string& title) {
  return reinterpret_cast<WindowRef>(desktop_.findTopLevel(className, title));
}

bool FakeProcess::IsIconic(WindowRef window) {
  const FakeTopLevel* live = desktop_.liveTopLevel(window);
  return live != nullptr && live->iconic();
}

void FakeProcess::ShowWindowRestore(WindowRef window) {
  if (desktop_.liveTopLevel(window) == nullptr) return;
  clock_.post([this, window] {
    if (FakeTopLevel* live = desktop_.liveTopLevel(window)) live->externalRestore();
  });
}

void FakeProcess::BringWindowToTop(WindowRef window) {
  if (desktop_.liveTopLevel(window) == nullptr) return;
  clock_.post([this, window] {
    if (FakeTopLevel* live = desktop_.liveTopLevel(window)) live->externalBringToTop();
  });
}

void FakeProcess::placeWindow(const Rect& area, std::string title, bool elevated) {
  placed_.push_back({area, std::move(title), elevated});
}

std::optional<std::string> FakeProcess::HigherRightsWindowAt(Point at) {
  for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
    const Rect& a = it->area;
    if (at.x < a.left || at.y < a.top || at.x >= a.left + a.width || at.y >= a.top + a.height) continue;
    if (it->elevated && !elevated_) return it->title;
    return std::nullopt;  // the topmost window there is the one clicked
  }
  return std::nullopt;
}

}  // namespace platform::fake
