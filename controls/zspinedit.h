// Spin edits: a one-line field with a two-arrow button at its right end.
// The value lives only in the text; reading a text that is not a number
// gives MinValue; equal bounds mean no bounds. OnChange fires on every
// change of the text, whatever its cause.
#pragma once

#include <cstdint>

#include "framework/extctrls.h"
#include "framework/stdctrls.h"

class TzcSpinBtn : public TCustomControl {
 public:
  explicit TzcSpinBtn(TComponent* owner);

  [[nodiscard]] std::uint32_t SpinSpeed() const noexcept { return spinSpeed_; }
  void SetSpinSpeed(std::uint32_t milliseconds);  // 50 to 2500
  [[nodiscard]] int WaitRepeat() const noexcept { return waitRepeat_; }
  void SetWaitRepeat(int periods);  // 0 to 10
  void SetUseRepeat(bool useRepeat) noexcept { useRepeat_ = useRepeat; }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;
  void Click() override;
  void Paint(platform::Canvas& canvas) override;

  enum class THalf { none, up, down };
  [[nodiscard]] THalf PressedHalf() const noexcept { return pressed_; }

 protected:
  void MouseDown(platform::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(platform::MouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseCaptureLost() override;

 private:
  [[nodiscard]] THalf HalfAt(int x, int y) const noexcept;
  void RepeatTick();
  void Finish();

  TTimer* repeatTimer_;
  std::uint32_t spinSpeed_ = 250;
  int waitRepeat_ = 2;
  bool useRepeat_ = true;
  THalf pressed_ = THalf::none;
  THalf held_ = THalf::none;  // the half the press went down on
  int repeatCount_ = 0;
};

class TzcCustomSpinEdit : public TCustomEdit {
 public:
  TzcCustomSpinEdit(TComponent* owner, std::string className);

  [[nodiscard]] bool EditorEnabled() const noexcept { return editorEnabled_; }
  void SetEditorEnabled(bool enabled);
  // Typing, pasting and cutting need the editor on and the field writable.
  [[nodiscard]] bool Editable() const noexcept override { return editorEnabled_ && !readOnly_; }
  [[nodiscard]] TzcSpinBtn& SpinButton() const noexcept { return *button_; }

  virtual void StepUp() {}
  virtual void StepDown() {}
  [[nodiscard]] virtual bool AcceptsChar(char key) const;

  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  // Enter goes to the field (which refuses it with a beep), not to the form.
  platform::ClaimedKeys PeerClaimedKeys(std::uint16_t key) override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void UpdateClientSize() override;
  void DoExit() override;
  void DoEnter() override;
  // Writes Value back when the bounds would change it.
  virtual void ClampToBounds() {}
  void Beep();
  [[nodiscard]] bool FilterForEditor(char key) const noexcept;

 private:
  void LayoutButton();
  TzcSpinBtn* button_;
  bool editorEnabled_ = true;
};

class TzcSpinEdit : public TzcCustomSpinEdit {
 public:
  explicit TzcSpinEdit(TComponent* owner);

  [[nodiscard]] std::int32_t Value() const noexcept;
  void SetValue(std::int32_t value);
  [[nodiscard]] std::int32_t MinValue() const noexcept { return minValue_; }
  void SetMinValue(std::int32_t value) noexcept { minValue_ = value; }
  [[nodiscard]] std::int32_t MaxValue() const noexcept { return maxValue_; }
  void SetMaxValue(std::int32_t value) noexcept { maxValue_ = value; }
  [[nodiscard]] std::int32_t Increment() const noexcept { return increment_; }
  void SetIncrement(std::int32_t value) noexcept { increment_ = value; }

  void StepUp() override;
  void StepDown() override;
  [[nodiscard]] bool AcceptsChar(char key) const override;

 protected:
  void ClampToBounds() override;

 private:
  [[nodiscard]] std::int32_t Bounded(std::int64_t value) const noexcept;
  std::int32_t minValue_ = 0;
  std::int32_t maxValue_ = 0;
  std::int32_t increment_ = 1;
};

class TzcFloatSpinEdit : public TzcCustomSpinEdit {
 public:
  explicit TzcFloatSpinEdit(TComponent* owner);

  [[nodiscard]] double Value() const;
  void SetValue(double value);
  [[nodiscard]] double MinValue() const noexcept { return minValue_; }
  void SetMinValue(double value) noexcept { minValue_ = value; }
  [[nodiscard]] double MaxValue() const noexcept { return maxValue_; }
  void SetMaxValue(double value) noexcept { maxValue_ = value; }
  [[nodiscard]] double Increment() const noexcept { return increment_; }
  void SetIncrement(double value) noexcept { increment_ = value; }

  void StepUp() override;
  void StepDown() override;
  [[nodiscard]] bool AcceptsChar(char key) const override;

 protected:
  void ClampToBounds() override;

 private:
  [[nodiscard]] double Bounded(double value) const noexcept;
  double minValue_ = 0;
  double maxValue_ = 0;
  double increment_ = 1;
};
