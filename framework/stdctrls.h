// Standard controls: push buttons, check boxes, radio buttons, edits,
// labels and group boxes.
#pragma once

#include "framework/controls.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  [[nodiscard]] bool Default() const noexcept { return default_; }
  void SetDefault(bool value) noexcept { default_ = value; }
  void PeerClicked() override;

 private:
  bool default_ = false;
};

// Setting the state from code raises OnClick when it changes, as a user's
// click does.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  [[nodiscard]] bool Checked() const noexcept { return checked_; }
  void SetChecked(bool checked);
  void Toggle() { SetChecked(!checked_); }
  void PeerClicked() override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override { params.checked = checked_; }

 private:
  bool checked_ = false;
};

// Checking a radio button unchecks its siblings and raises OnClick;
// unchecking raises nothing.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);
  [[nodiscard]] bool Checked() const noexcept { return checked_; }
  void SetChecked(bool checked);
  void PeerClicked() override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override { params.checked = checked_; }

 private:
  bool checked_ = false;
};

class TCustomEdit : public TWinControl {
 public:
  TCustomEdit(TComponent* owner, std::string className);
  TNotifyEvent OnChange;
  [[nodiscard]] bool ReadOnly() const noexcept { return readOnly_; }
  void SetReadOnly(bool readOnly) noexcept { readOnly_ = readOnly; }
  void SelectAll();
  void PeerTextEdited(const std::string& text) override;
  bool PeerEditCommandAllowed() override { return !readOnly_; }

 protected:
  void TextChanged() override;
  virtual void Change();
  bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner, "TEdit") {}
};

// With AutoSize (the default) a change of the caption resizes the label
// to its text, so a label laid out empty still shows what is put in it.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);
  [[nodiscard]] bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool autoSize) noexcept { autoSize_ = autoSize; }
  // Fits the label to its caption in the font the system really has.
  void Loaded() override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void TextChanged() override;

 private:
  void AdjustBounds();
  bool autoSize_ = true;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
};
