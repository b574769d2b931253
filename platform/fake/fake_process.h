// What one copy of the program sees of the others on the fake desktop:
// named mutexes shared by every copy, and top-level windows found by class
// and title and activated the way another program would.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"

namespace platform::fake {

class FakeClock;
class FakeDesktop;

class FakeProcess final : public Process {
 public:
  FakeProcess(FakeClock& clock, FakeDesktop& desktop) : clock_(clock), desktop_(desktop) {}

  void setModuleFileName(std::string path) { moduleFileName_ = std::move(path); }
  void failMutexCreation(bool fail) noexcept { failMutex_ = fail; }
  [[nodiscard]] bool mutexExists(const std::string& name) const { return mutexes_.count(name) != 0; }
  void setSystemFacts(const SystemFacts& facts) noexcept { facts_ = facts; }
  // The result ShellOpen answers (above 32: done), and what it was asked to open.
  void setShellResult(std::intptr_t result) noexcept { shellResult_ = result; }
  [[nodiscard]] const std::vector<std::string>& opened() const noexcept { return opened_; }
  // Another program's top-level window, on top of those placed before it,
  // and whether that program runs with higher rights than the ones this
  // program has (setElevated: this program runs as administrator too).
  void placeWindow(const Rect& area, std::string title, bool elevated);
  void setElevated(bool elevated) noexcept { elevated_ = elevated; }
  std::optional<std::string> HigherRightsWindowAt(Point at) override;

  std::string ModuleFileName() override { return moduleFileName_; }
  MutexResult CreateNamedMutex(const std::string& name) override;
  WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) override;
  bool IsIconic(WindowRef window) override;
  void ShowWindowRestore(WindowRef window) override;
  void BringWindowToTop(WindowRef window) override;
  SystemFacts SystemInformation() override { return facts_; }
  std::intptr_t ShellOpen(const std::string& target) override {
    opened_.push_back(target);
    return shellResult_;
  }

 private:
  class FakeMutexHandle;
  FakeClock& clock_;
  FakeDesktop& desktop_;
  std::string moduleFileName_ = "C:\\Program Files\\Tapfinch\\tapfinch.exe";
  bool failMutex_ = false;
  std::map<std::string, int> mutexes_;
  SystemFacts facts_{3ull * 1024 * 1024 * 1024, 2, 586, true, 0};
  std::intptr_t shellResult_ = 42;
  std::vector<std::string> opened_;
  struct Placed {
    Rect area;
    std::string title;
    bool elevated = false;
  };
  std::vector<Placed> placed_;
  bool elevated_ = false;
};

}  // namespace platform::fake
