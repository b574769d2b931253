// TLMDOneInstance, placed on the main window, is the single-instance
// check: in its loaded step it asks the component that created the
// instance mutex at process start whether a copy ran before, and if so it
// activates that copy and ends this one.
#pragma once

#include <string>

#include "framework/classes.h"

// What the check needs of the process start: the start-up registers a
// component of this kind under kName with the application object.
class PreviousInstanceFlag {
 public:
  static constexpr const char* kName = "LMDApplication";
  [[nodiscard]] virtual bool PreviousInstance() const noexcept = 0;

 protected:
  PreviousInstanceFlag() = default;
  PreviousInstanceFlag(const PreviousInstanceFlag&) = default;
  PreviousInstanceFlag& operator=(const PreviousInstanceFlag&) = default;
  ~PreviousInstanceFlag() = default;
};

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
