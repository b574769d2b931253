// TLMDGlobalHotKey binds one shortcut code as a system-wide hotkey: while
// it is Active and holds a non-zero code, pressing the combination anywhere
// raises OnKeyDown on the GUI thread. Each component has its own hidden
// receiver window and identifier. A refused registration is silent, but
// the component knows it and tries again on Retry. A press that comes
// while its own OnKeyDown still runs (a message box it opened) is dropped,
// and a held combination notifies once. A mouse button (middle, back,
// forward) is held through the platform's low-level mouse hook; when the
// system takes the hook away, the component counts as refused and says so
// through OnLost.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/classes.h"
#include "hotkeys/shortcut.h"
#include "platform/hotkeys.h"

class TLMDGlobalHotKey : public TComponent, private platform::HotkeySink {
 public:
  explicit TLMDGlobalHotKey(TComponent* owner);
  ~TLMDGlobalHotKey() override;

  [[nodiscard]] bool Active() const noexcept { return active_; }
  void SetActive(bool active);
  [[nodiscard]] TShortCut HotKey() const noexcept { return hotKey_; }
  void SetHotKey(TShortCut code);
  // Called with the component's current key and modifiers; a key written
  // back is ignored.
  TKeyEvent OnKeyDown;

  [[nodiscard]] std::uint16_t Identifier() const noexcept { return identifier_; }
  // Active with a combination that the system refused (another program
  // holds it): it raises nothing until a Retry succeeds.
  [[nodiscard]] bool Refused() const noexcept { return active_ && hotKey_ != 0 && !registered_; }
  // Registers a refused combination again; true when it now works.
  bool Retry();
  // Acts as a press of the combination: OnKeyDown, unless the handler of
  // an earlier press still runs (another way in to the same command, such
  // as a menu entry, shares the guard).
  void Press() { HotkeyPressed(); }
  // The hook holding the component's mouse button was lost; it is Refused
  // until a Retry installs it again.
  TNotifyEvent OnLost;

 private:
  void HotkeyPressed() override;
  void HotkeyLost() override;
  void Register(TShortCut code);

  std::unique_ptr<platform::GlobalAtom> atom_;  // the identifier's atom, held for the component's life
  std::uint16_t identifier_;
  std::unique_ptr<platform::HotkeyReceiver> window_;
  TShortCut hotKey_ = 0;
  bool active_ = true;
  bool registered_ = false;
  bool pressing_ = false;  // OnKeyDown is running
};
