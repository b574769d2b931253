// Standard controls: push buttons, check boxes, radio buttons, edits,
// labels and group boxes.
#pragma once

#include <string>
#include <vector>

#include "framework/controls.h"

// A push button. Enter clicks it while it has the focus, or while it is
// the form's Default button; Esc clicks the Cancel button. A click sets
// the form's ModalResult to the button's, when that is not 0.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  [[nodiscard]] bool Default() const noexcept { return default_; }
  void SetDefault(bool value) noexcept { default_ = value; }
  [[nodiscard]] bool Cancel() const noexcept { return cancel_; }
  void SetCancel(bool value) noexcept { cancel_ = value; }
  [[nodiscard]] int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }
  void Click() override;
  [[nodiscard]] bool ClicksOnDialogKey(platform::DialogKey key, bool focused) const noexcept override;
  void PeerClicked() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
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

// An edit field. While it is not Editable, the native control refuses
// every key, paste, cut and menu command that would change the text, and
// a change that reaches the framework anyway is put back: only the
// program writes the text then.
class TCustomEdit : public TWinControl {
 public:
  TCustomEdit(TComponent* owner, std::string className);
  TNotifyEvent OnChange;
  [[nodiscard]] bool ReadOnly() const noexcept { return readOnly_; }
  void SetReadOnly(bool readOnly);
  [[nodiscard]] virtual bool Editable() const noexcept { return !readOnly_; }
  void SelectAll();
  void PeerTextEdited(const std::string& text) override;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
  void TextChanged() override;
  virtual void Change();
  // Tells the native control what Editable now says.
  void EditableChanged();
  bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner, "TEdit") {}
};

// A multi-line edit whose lines wrap at its width, with a vertical scroll
// bar; Enter stays the form's.
class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner) : TCustomEdit(owner, "TMemo") {}
  // The lines, joined by CR LF as the native edit shows them.
  void SetLines(const std::vector<std::string>& lines);
  [[nodiscard]] std::vector<std::string> Lines() const;

 protected:
  void FillPeerParams(platform::PeerParams& params) const override;
};

// With AutoSize (the default) a change of the caption resizes the label
// to its text, so a label laid out empty still shows what is put in it.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner);
  [[nodiscard]] bool AutoSize() const noexcept { return autoSize_; }
  void SetAutoSize(bool autoSize) noexcept { autoSize_ = autoSize; }
  // Lines break at words to fit the label's width; AutoSize then sets
  // only the height.
  [[nodiscard]] bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // Fits the label to its caption now (as the loaded step does).
  void AdjustBounds();
  // Fits the label to its caption in the font the system really has.
  void Loaded() override;

 protected:
  void TextChanged() override;
  void FontChanged() override { TextChanged(); }
  void FillPeerParams(platform::PeerParams& params) const override { params.wordWrap = wordWrap_; }

 private:
  bool autoSize_ = true;
  bool wordWrap_ = false;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner, std::string className = "TGroupBox");
};

// A group frame whose radio buttons, if any, are placed over it as
// siblings; it holds no items of its own.
class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* owner) : TGroupBox(owner, "TRadioGroup") {}
};
