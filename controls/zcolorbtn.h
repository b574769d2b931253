// TzColorBtn, a push button that paints its whole face in a settable
// colour (the run state shows as red or button face). Tab and Shift+Tab
// leave it like any button; Space and Enter press it.
#pragma once

#include "framework/controls.h"

class TzColorBtn : public TCustomControl {
 public:
  explicit TzColorBtn(TComponent* owner);

  enum class TDefaultLook { dlBold, dlFrame, dlNone };
  [[nodiscard]] TDefaultLook DefaultLook() const noexcept { return defaultLook_; }
  void SetDefaultLook(TDefaultLook look);
  [[nodiscard]] bool Flat() const noexcept { return flat_; }
  void SetFlat(bool flat);
  [[nodiscard]] bool ShowFocus() const noexcept { return showFocus_; }
  void SetShowFocus(bool showFocus);
  [[nodiscard]] bool Default() const noexcept { return default_; }
  void SetDefault(bool value);
  [[nodiscard]] bool Cancel() const noexcept { return cancel_; }
  void SetCancel(bool value) noexcept { cancel_ = value; }
  [[nodiscard]] int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }
  void SetHighLightColor(TColor color);
  void SetShadowColor(TColor color);

  // Clears the pressed look, sets the form's ModalResult, then raises
  // OnClick (also when disabled).
  void Click() override;
  void Paint(platform::Canvas& canvas) override;
  // Enter is the button's own key while it has the focus; Tab, Esc and
  // the arrows stay the dialog manager's.
  platform::ClaimedKeys PeerClaimedKeys(std::uint16_t key) override;
  // The accelerator key of the caption.
  void PeerClicked() override;
  [[nodiscard]] bool ClicksOnDialogKey(platform::DialogKey key, bool focused) const noexcept override;

  [[nodiscard]] bool Pressed() const noexcept { return pressed_; }

 protected:
  void MouseDown(platform::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(platform::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void EnabledChanged() override { Invalidate(); }
  void TextChanged() override { Invalidate(); }

 private:
  TDefaultLook defaultLook_ = TDefaultLook::dlBold;
  bool flat_ = false;
  bool showFocus_ = true;
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  TColor highLightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  bool pressed_ = false;
  bool held_ = false;
  bool hot_ = false;
};
