#include "framework/stdctrls.h"

#include <algorithm>

#include "framework/forms.h"

using platform::PeerKind;

// ----------------------------------------------------------------- TButton

TButton::TButton(TComponent* owner) : TWinControl(owner, PeerKind::kButton, "TButton") { tabStop_ = true; }

void TButton::Click() {
  TCustomForm::ButtonClicked(*this, modalResult_);
  TWinControl::Click();
}

bool TButton::ClicksOnDialogKey(platform::DialogKey key, bool focused) const noexcept {
  return key == platform::DialogKey::kOk ? focused || default_ : cancel_;
}

void TButton::PeerClicked() {
  Guard([&] { Click(); });
}

// --------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner, PeerKind::kCheckBox, "TCheckBox") { tabStop_ = true; }

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (auto* check = PeerAs<platform::CheckPeer>()) check->SetChecked(checked_);
  Click();
}

void TCheckBox::PeerClicked() {
  Guard([&] { Toggle(); });
}

// ------------------------------------------------------------ TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner, PeerKind::kRadioButton, "TRadioButton") {
  tabStop_ = true;
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (auto* check = PeerAs<platform::CheckPeer>()) check->SetChecked(checked_);
  if (!checked_) return;
  if (parent_ != nullptr) {
    for (TControl* sibling : parent_->Controls()) {
      if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio != nullptr && radio != this) {
        radio->SetChecked(false);
      }
    }
  }
  Click();
}

void TRadioButton::PeerClicked() {
  Guard([&] { SetChecked(true); });
}

// ------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner, std::string className)
    : TWinControl(owner, PeerKind::kEdit, std::move(className)) {
  tabStop_ = true;
  parentColor_ = false;
  color_ = clWindow;
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  EditableChanged();
}

void TCustomEdit::EditableChanged() {
  if (auto* edit = PeerAs<platform::EditPeer>()) edit->SetReadOnly(!Editable());
}

void TCustomEdit::FillPeerParams(platform::PeerParams& params) const { params.edit.readOnly = !Editable(); }

void TCustomEdit::TextChanged() { Change(); }

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::SelectAll() {
  if (auto* edit = PeerAs<platform::EditPeer>()) edit->SetSelection(0, -1);
}

void TCustomEdit::PeerTextEdited(const std::string& text) {
  Guard([&] {
    if (text == text_) return;
    if (!Editable()) {
      // Whatever path the native control took, the text is the program's.
      if (peer_) peer_->SetText(text_);
      return;
    }
    text_ = text;  // the native control already shows it
    TextChanged();
  });
}

// ------------------------------------------------------------------- TMemo

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text_.find("\r\n", start);
    lines.push_back(text_.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

void TMemo::FillPeerParams(platform::PeerParams& params) const {
  TCustomEdit::FillPeerParams(params);
  params.edit.multiLine = true;
  params.edit.wordWrap = true;
  params.edit.verticalScrollBar = true;
}

// ------------------------------------------------------------------ TLabel

TLabel::TLabel(TComponent* owner) : TControl(owner, PeerKind::kLabel, "TLabel") {}

void TLabel::Loaded() {
  TControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  if (!Loading()) AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  if (!Loading()) AdjustBounds();
}

void TLabel::AdjustBounds() {
  // Aligned labels take their size from the alignment.
  if (!autoSize_ || align_ != TAlign::alNone) return;
  if (wordWrap_) {
    const platform::Size wrapped = Platform().windows().MeasureWrapped(text_.empty() ? " " : text_, font_, Width());
    SetBounds(Left(), Top(), Width(), wrapped.height);
    return;
  }
  constexpr int kEmptyWidth = 3;  // what an empty label measures
  // An empty caption keeps the height of one line.
  const platform::Size extent = Platform().windows().MeasureText(text_.empty() ? " " : text_, font_);
  SetBounds(Left(), Top(), text_.empty() ? kEmptyWidth : extent.width, extent.height);
}

// --------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* owner, std::string className)
    : TWinControl(owner, PeerKind::kGroupBox, std::move(className)) {}
