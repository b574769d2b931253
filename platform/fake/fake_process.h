// What one copy of the program sees of the others on the fake desktop:
// named mutexes shared by every copy, and top-level windows found by class
// and title and activated the way another program would.
#pragma once

#include <map>
#include <string>

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

  std::string ModuleFileName() override { return moduleFileName_; }
  MutexResult CreateNamedMutex(const std::string& name) override;
  WindowRef FindTopLevelWindow(const std::string& className, const std::string& title) override;
  bool IsIconic(WindowRef window) override;
  void ShowWindowRestore(WindowRef window) override;
  void BringWindowToTop(WindowRef window) override;

 private:
  class FakeMutexHandle;
  FakeClock& clock_;
  FakeDesktop& desktop_;
  std::string moduleFileName_ = "C:\\Program Files\\Tapfinch\\tapfinch.exe";
  bool failMutex_ = false;
  std::map<std::string, int> mutexes_;
};

}  // namespace platform::fake
