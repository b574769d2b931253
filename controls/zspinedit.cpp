#include "controls/zspinedit.h"

#include <algorithm>
#include <limits>

#include "framework/forms.h"
#include "framework/sysutils.h"

namespace {
constexpr std::uint16_t kVkUp = 38;
constexpr std::uint16_t kVkDown = 40;
constexpr char kEnter = 13;
constexpr char kBackspace = 8;
constexpr int kFrameWidth = 3;  // the flat frame painted in the border area

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool IsControl(char c) noexcept { return static_cast<unsigned char>(c) < 32; }
}  // namespace

// -------------------------------------------------------------- TzcSpinBtn

TzcSpinBtn::TzcSpinBtn(TComponent* owner) : TCustomControl(owner, "TzcSpinBtn"), repeatTimer_(Make<TTimer>(*this, "")) {
  clickOnRelease_ = false;  // steps come from press, repeat and release
  repeatTimer_->SetEnabled(false);
  repeatTimer_->SetInterval(spinSpeed_);
  repeatTimer_->SetOnTimer([this](TObject*) { RepeatTick(); });
}

void TzcSpinBtn::SetSpinSpeed(std::uint32_t milliseconds) {
  spinSpeed_ = std::clamp<std::uint32_t>(milliseconds, 50, 2500);
  repeatTimer_->SetInterval(spinSpeed_);
}

void TzcSpinBtn::SetWaitRepeat(int periods) { waitRepeat_ = std::clamp(periods, 0, 10); }

TzcSpinBtn::THalf TzcSpinBtn::HalfAt(int x, int y) const noexcept {
  if (!ClientContains(x, y)) return THalf::none;
  return y <= Height() / 2 ? THalf::up : THalf::down;
}

void TzcSpinBtn::MouseDown(platform::MouseButton button, TShiftState /*shift*/, int x, int y) {
  // A double click's second press counts as an ordinary press.
  if (button != platform::MouseButton::kLeft) return;
  const THalf half = HalfAt(x, y);
  if (half == THalf::none) return;
  held_ = half;
  pressed_ = half;
  repeatCount_ = 0;
  repeatTimer_->SetEnabled(true);
  Invalidate();
}

void TzcSpinBtn::MouseMove(TShiftState /*shift*/, int x, int y) {
  if (held_ == THalf::none) return;
  const THalf now = HalfAt(x, y) == held_ ? held_ : THalf::none;
  if (now != pressed_) {
    pressed_ = now;
    Invalidate();
  }
}

void TzcSpinBtn::MouseUp(platform::MouseButton button, TShiftState /*shift*/, int x, int y) {
  if (button != platform::MouseButton::kLeft || held_ == THalf::none) return;
  if (ClientContains(x, y)) Click();
  Finish();
}

void TzcSpinBtn::Finish() {
  repeatTimer_->SetEnabled(false);
  repeatCount_ = 0;
  pressed_ = THalf::none;
  held_ = THalf::none;
  Invalidate();
}

void TzcSpinBtn::MouseCaptureLost() {
  if (held_ != THalf::none) Finish();
}

void TzcSpinBtn::RepeatTick() {
  // A release that went elsewhere ends the hold all the same: the field
  // must not go on stepping with nobody holding the arrow.
  if (held_ != THalf::none && !Platform().input().LeftButtonHeldNow()) {
    Finish();
    return;
  }
  if (!Enabled() || !useRepeat_) return;
  if (repeatCount_ <= waitRepeat_) {
    ++repeatCount_;
    return;
  }
  if (pressed_ != THalf::none && held_ != THalf::none) Click();
}

void TzcSpinBtn::Click() {
  TCustomControl::Click();
  if (pressed_ == THalf::up && OnUpClick) {
    OnUpClick(this);
  } else if (pressed_ == THalf::down && OnDownClick) {
    OnDownClick(this);
  }
}

void TzcSpinBtn::Paint(platform::Canvas& canvas) {
  const int w = Width();
  const int h = Height();
  const int half = h / 2;
  canvas.FillRect({0, 0, w, h}, clBtnFace);
  auto bevel = [&](int top, int bottom, bool sunken) {
    const TColor light = sunken ? clBtnShadow : clBtnHighlight;
    const TColor dark = sunken ? clBtnHighlight : clBtnShadow;
    canvas.Line(0, top, w - 1, top, light);
    canvas.Line(0, top, 0, bottom, light);
    canvas.Line(w - 1, top, w - 1, bottom + 1, dark);
    canvas.Line(0, bottom, w, bottom, dark);
  };
  bevel(0, half, pressed_ == THalf::up);
  bevel(half + 1, h - 1, pressed_ == THalf::down);
  const TColor arrow = Enabled() ? clBtnText : clGrayText;
  const int cx = w / 2;
  // Small triangles, three rows each.
  for (int row = 0; row < 3; ++row) {
    const int upY = half / 2 - 1 + row;
    canvas.Line(cx - row, upY, cx + row + 1, upY, arrow);
    const int downY = half + 1 + (h - half - 1) / 2 + 1 - row;
    canvas.Line(cx - row, downY, cx + row + 1, downY, arrow);
  }
}

// ------------------------------------------------------- TzcCustomSpinEdit

TzcCustomSpinEdit::TzcCustomSpinEdit(TComponent* owner, std::string className)
    : TCustomEdit(owner, std::move(className)), button_(Make<TzcSpinBtn>(*this, "")) {
  button_->SetParent(this);
  button_->SetTabStop(false);
  button_->OnUpClick = [this](TObject*) { StepUp(); };
  button_->OnDownClick = [this](TObject*) { StepDown(); };
}

void TzcCustomSpinEdit::FillPeerParams(platform::PeerParams& params) const {
  TCustomEdit::FillPeerParams(params);
  params.edit.frameWidth = kFrameWidth;
  // The arrows' width and a pixel: the narrowest fields keep room for a
  // digit and the caret.
  params.edit.rightMargin = Platform().windows().ScrollBarWidth() + 1;
}

void TzcCustomSpinEdit::SetEditorEnabled(bool enabled) {
  if (enabled == editorEnabled_) return;
  editorEnabled_ = enabled;
  EditableChanged();
}

platform::ClaimedKeys TzcCustomSpinEdit::PeerClaimedKeys(std::uint16_t key) {
  return {.thisKey = key == platform::kVkReturn};
}

void TzcCustomSpinEdit::UpdateClientSize() {
  clientWidth_ = std::max(0, bounds_.width - 2 * kFrameWidth);
  clientHeight_ = std::max(0, bounds_.height - 2 * kFrameWidth);
}

void TzcCustomSpinEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  LayoutButton();
}

void TzcCustomSpinEdit::LayoutButton() {
  const int buttonWidth = Platform().windows().ScrollBarWidth();
  button_->SetBounds(ClientWidth() - buttonWidth, 0, buttonWidth, ClientHeight());
}

bool TzcCustomSpinEdit::AcceptsChar(char /*key*/) const { return true; }

bool TzcCustomSpinEdit::FilterForEditor(char key) const noexcept {
  // With typing off only control characters other than Backspace pass.
  return editorEnabled_ || (IsControl(key) && key != kBackspace);
}

void TzcCustomSpinEdit::Beep() { Platform().input().MessageBeep(0); }

void TzcCustomSpinEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (key == kVkUp) {
    StepUp();
  } else if (key == kVkDown) {
    StepDown();
  }
  TCustomEdit::KeyDown(key, shift);
}

void TzcCustomSpinEdit::KeyPress(char& key) {
  if (key == kEnter || !FilterForEditor(key) || !AcceptsChar(key)) {
    key = 0;
    Beep();
    return;
  }
  TCustomEdit::KeyPress(key);
}

void TzcCustomSpinEdit::DoEnter() {
  // A click places the caret itself; only a focus without one selects all.
  if (!Platform().input().LeftButtonDown()) SelectAll();
}

void TzcCustomSpinEdit::DoExit() { ClampToBounds(); }

// ------------------------------------------------------------- TzcSpinEdit

TzcSpinEdit::TzcSpinEdit(TComponent* owner) : TzcCustomSpinEdit(owner, "TzcSpinEdit") { text_ = "0"; }

std::int32_t TzcSpinEdit::Value() const noexcept { return TryStrToInt(Text()).value_or(minValue_); }

std::int32_t TzcSpinEdit::Bounded(std::int64_t value) const noexcept {
  if (minValue_ != maxValue_) value = std::clamp<std::int64_t>(value, minValue_, maxValue_);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void TzcSpinEdit::SetValue(std::int32_t value) { SetText(IntToStr(Bounded(value))); }

void TzcSpinEdit::StepUp() {
  if (readOnly_) {
    Beep();
    return;
  }
  SetText(IntToStr(Bounded(static_cast<std::int64_t>(Value()) + increment_)));
}

void TzcSpinEdit::StepDown() {
  if (readOnly_) {
    Beep();
    return;
  }
  SetText(IntToStr(Bounded(static_cast<std::int64_t>(Value()) - increment_)));
}

bool TzcSpinEdit::AcceptsChar(char key) const {
  return IsDigit(key) || key == '-' || (IsControl(key) && key != kEnter);
}

void TzcSpinEdit::ClampToBounds() {
  const std::int32_t value = Value();
  if (Bounded(value) != value) SetValue(value);
}

// -------------------------------------------------------- TzcFloatSpinEdit

TzcFloatSpinEdit::TzcFloatSpinEdit(TComponent* owner) : TzcCustomSpinEdit(owner, "TzcFloatSpinEdit") { text_ = "0"; }

double TzcFloatSpinEdit::Value() const {
  return TryStrToFloat(Text(), Platform().locale().DecimalSeparator()).value_or(minValue_);
}

double TzcFloatSpinEdit::Bounded(double value) const noexcept {
  if (minValue_ == maxValue_) return value;
  return std::clamp(value, minValue_, maxValue_);
}

void TzcFloatSpinEdit::SetValue(double value) {
  SetText(FloatToStr(Bounded(value), Platform().locale().DecimalSeparator()));
}

void TzcFloatSpinEdit::StepUp() {
  if (readOnly_) {
    Beep();
    return;
  }
  SetValue(Value() + increment_);
}

void TzcFloatSpinEdit::StepDown() {
  if (readOnly_) {
    Beep();
    return;
  }
  SetValue(Value() - increment_);
}

bool TzcFloatSpinEdit::AcceptsChar(char key) const {
  return IsDigit(key) || key == '-' || key == 'E' || key == 'e' || key == Platform().locale().DecimalSeparator() ||
         (IsControl(key) && key != kEnter);
}

void TzcFloatSpinEdit::ClampToBounds() {
  const double value = Value();
  if (Bounded(value) != value) SetValue(value);
}
