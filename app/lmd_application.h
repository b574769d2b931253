// The process side of the single-instance check. TLMDApplication is
// created once per process, before any window, and creates a mutex named
// after the program's file name; whether it already existed is the
// previous-instance flag, on which the main window's TLMDOneInstance acts.
#pragma once

#include <memory>
#include <string>

#include "controls/lmdoneinstance.h"
#include "framework/classes.h"
#include "platform/process.h"

class TLMDApplication : public TComponent, public PreviousInstanceFlag {
 public:
  explicit TLMDApplication(TComponent* owner);
  [[nodiscard]] bool PreviousInstance() const noexcept override { return previousInstance_; }
  [[nodiscard]] const std::string& MutexName() const noexcept { return mutexName_; }

  // The name under which the application object registers with its owner.
  static constexpr const char* kName = PreviousInstanceFlag::kName;

 private:
  std::string mutexName_;
  std::unique_ptr<platform::KernelHandle> mutex_;  // open until the process ends
  bool previousInstance_ = false;
};

// The last component of a path: "C:\Tools\tapfinch.exe" gives "tapfinch.exe".
std::string FileNameOf(const std::string& path);
