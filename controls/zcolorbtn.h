// TzColorBtn, a push button that paints its whole face in a settable
// colour (the run state shows as red or button face), and Tz3DLabel, a
// label drawn with offset light and dark copies so the text looks raised.
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
  void SetHighLightColor(TColor color);
  void SetShadowColor(TColor color);

  // Clears the pressed look, then raises OnClick (also when disabled).
  void Click() override;
  void Paint(platform::Canvas& canvas) override;

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
  TColor highLightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  bool pressed_ = false;
  bool held_ = false;
  bool hot_ = false;
};

class Tz3DLabel : public TCustomControl {
 public:
  explicit Tz3DLabel(TComponent* owner);

  void SetRaised(bool raised);
  void SetUse3D(bool use3D);
  void SetHighlightColor(TColor color);
  void SetShadowColor(TColor color);
  void SetUseDropShadow(bool useDropShadow);
  void SetDropShadowSize(int size);

  void Paint(platform::Canvas& canvas) override;

 protected:
  void TextChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }

 private:
  bool raised_ = true;
  bool use3D_ = true;
  TColor highlightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  bool useDropShadow_ = false;
  int dropShadowSize_ = 2;
};
