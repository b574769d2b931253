// The single-instance check. TLMDApplication is created once per process,
// before any window, and creates a mutex named after the program's file
// name; whether it already existed is the previous-instance flag.
// TLMDOneInstance, placed on the main window, acts on that flag in its
// loaded step: it activates the first copy and ends this one.
#pragma once

#include <memory>
#include <string>

#include "framework/classes.h"
#include "platform/process.h"

class TLMDApplication : public TComponent {
 public:
  explicit TLMDApplication(TComponent* owner);
  [[nodiscard]] bool PreviousInstance() const noexcept { return previousInstance_; }
  [[nodiscard]] const std::string& MutexName() const noexcept { return mutexName_; }

  // The name under which the application object registers with its owner.
  static constexpr const char* kName = "LMDApplication";

 private:
  std::string mutexName_;
  std::unique_ptr<platform::KernelHandle> mutex_;  // open until the process ends
  bool previousInstance_ = false;
};

// The last component of a path: "C:\Tools\tapfinch.exe" gives "tapfinch.exe".
std::string FileNameOf(const std::string& path);

class TLMDOneInstance : public TComponent {
 public:
  enum class TLMDOneInstanceMode { oiActivateOnly, oiDefaultMessage, oiCustom };

  explicit TLMDOneInstance(TComponent* owner) : TComponent(owner) {}

  [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled) noexcept { enabled_ = enabled; }
  [[nodiscard]] TLMDOneInstanceMode Mode() const noexcept { return mode_; }
  void SetMode(TLMDOneInstanceMode mode) noexcept { mode_ = mode; }
  TNotifyEvent OnCustom;

  // The check. In a second instance it ends start-up by throwing
  // ProcessExit, which unwinds through the normal clean-up.
  void Loaded() override;

 private:
  void ActivatePrevious();
  bool enabled_ = true;
  TLMDOneInstanceMode mode_ = TLMDOneInstanceMode::oiActivateOnly;
};
