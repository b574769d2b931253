// Tz3DLabel: a label drawn with a light and a dark copy of its text one
// pixel up-left and down-right, so the text looks raised. Like any label it
// fits itself to its caption (AutoSize), measured in the font the system
// really has; an empty caption keeps the height of one character.
#pragma once

#include "framework/controls.h"

class Tz3DLabel : public TCustomControl {
 public:
  explicit Tz3DLabel(TComponent* owner);

  [[nodiscard]] bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // Lines break at words to fit the label's width; AutoSize then sets
  // only the height.
  void SetWordWrap(bool wordWrap);
  void SetRaised(bool raised);
  void SetUse3D(bool use3D);
  void SetHighlightColor(TColor color);
  void SetShadowColor(TColor color);
  void SetUseDropShadow(bool useDropShadow);
  void SetDropShadowSize(int size);

  void Paint(platform::Canvas& canvas) override;
  void Loaded() override;

 protected:
  void TextChanged() override;
  void FontChanged() override { TextChanged(); }
  void EnabledChanged() override { Invalidate(); }

 private:
  void AdjustBounds();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool raised_ = true;
  bool use3D_ = true;
  TColor highlightColor_ = clBtnHighlight;
  TColor shadowColor_ = clBtnShadow;
  bool useDropShadow_ = false;
  int dropShadowSize_ = 2;
};
