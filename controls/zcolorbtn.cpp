#include "controls/zcolorbtn.h"

#include "framework/forms.h"

using platform::kVkReturn;
using platform::kVkSpace;

// -------------------------------------------------------------- TzColorBtn

TzColorBtn::TzColorBtn(TComponent* owner) : TCustomControl(owner, "TzColorBtn") {
  tabStop_ = true;
  bounds_ = {0, 0, 89, 33};
}

void TzColorBtn::SetDefaultLook(TDefaultLook look) {
  defaultLook_ = look;
  Invalidate();
}

void TzColorBtn::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TzColorBtn::SetShowFocus(bool showFocus) {
  showFocus_ = showFocus;
  Invalidate();
}

void TzColorBtn::SetDefault(bool value) {
  default_ = value;
  Invalidate();
}

void TzColorBtn::SetHighLightColor(TColor color) {
  highLightColor_ = color;
  Invalidate();
}

void TzColorBtn::SetShadowColor(TColor color) {
  shadowColor_ = color;
  Invalidate();
}

void TzColorBtn::Click() {
  hot_ = false;
  pressed_ = false;
  held_ = false;
  Invalidate();
  TCustomForm::ButtonClicked(*this, modalResult_);
  TCustomControl::Click();
}

platform::ClaimedKeys TzColorBtn::PeerClaimedKeys(std::uint16_t key) {
  // A button to the dialog manager, which then clicks it for the
  // accelerator character of its caption.
  return {.thisKey = key == kVkReturn, .asButton = true};
}

void TzColorBtn::PeerClicked() {
  Guard([&] {
    if (Enabled()) Click();
  });
}

bool TzColorBtn::ClicksOnDialogKey(platform::DialogKey key, bool /*focused*/) const noexcept {
  // Focused, it takes Enter as its own key; as a dialog key only Default counts.
  return key == platform::DialogKey::kOk ? default_ : cancel_;
}

void TzColorBtn::MouseDown(platform::MouseButton button, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  if (button != platform::MouseButton::kLeft || !Enabled()) return;
  if (!pressed_) {
    if (CanFocus()) SetFocus();
    pressed_ = true;
    Invalidate();
  }
  held_ = true;
}

void TzColorBtn::MouseMove(TShiftState /*shift*/, int x, int y) {
  const bool inside = ClientContains(x, y);
  if (flat_ && inside != hot_ && Enabled()) {
    hot_ = inside;
    Invalidate();
  }
  if (held_ && inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TzColorBtn::MouseLeave() {
  if (hot_) {
    hot_ = false;
    Invalidate();
  }
}

void TzColorBtn::MouseUp(platform::MouseButton button, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  if (button != platform::MouseButton::kLeft || !held_) return;
  pressed_ = false;
  held_ = false;
  Invalidate();
}

void TzColorBtn::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (key == kVkSpace && !pressed_) {
    pressed_ = true;
    Invalidate();
  } else if (key == kVkReturn) {
    Click();
  }
  TCustomControl::KeyDown(key, shift);
}

void TzColorBtn::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (key == kVkSpace && pressed_ && !held_) {
    pressed_ = false;
    Click();
  }
  TCustomControl::KeyUp(key, shift);
}

void TzColorBtn::Paint(platform::Canvas& canvas) {
  const int right = Width() - 1;
  const int bottom = Height() - 1;
  const bool marked = Focused() || default_;
  const int inset = defaultLook_ == TDefaultLook::dlFrame && marked ? 1 : 0;
  const bool down = pressed_;

  canvas.FillRect({0, 0, Width(), Height()}, Color());

  if (!flat_ || (hot_ && Enabled()) || held_ || pressed_) {
    const int l = inset;
    const int t = inset;
    const int r = right - inset;
    const int b = bottom - inset;
    canvas.Line(l, t, r, t, shadowColor_);              // outer top
    canvas.Line(l, t, l, b, shadowColor_);              // outer left
    canvas.Line(r - 1, t + 1, r - 1, b, shadowColor_);  // inner right
    canvas.Line(l + 1, b - 1, r, b - 1, shadowColor_);  // inner bottom
    const TColor innerTopLeft = down ? clBlack : highLightColor_;
    canvas.Line(l + 1, t + 1, r - 1, t + 1, innerTopLeft);
    canvas.Line(l + 1, t + 1, l + 1, b - 1, innerTopLeft);
    const TColor outerBottomRight = down ? highLightColor_ : clBlack;
    canvas.Line(r, t, r, b + 1, outerBottomRight);
    canvas.Line(l, b, r + 1, b, outerBottomRight);
  }
  if (inset == 1) canvas.FrameRect({0, 0, Width(), Height()}, clBlack);

  platform::Rect text{5, 5, right - 4 - 5, bottom - 4 - 5};
  if (down && Enabled()) {
    text.left += 1;
    text.top += 1;
  }
  TFont font = Font();
  if (defaultLook_ == TDefaultLook::dlBold) font.bold = marked;
  const std::uint32_t format = platform::kTextCenter | platform::kTextVCenter | platform::kTextSingleLine;
  if (Enabled()) {
    canvas.DrawString(Caption(), text, font, font.color, format);
  } else {
    // Engraved: a white copy one pixel down and right under grey text.
    canvas.DrawString(Caption(), {text.left + 1, text.top + 1, text.width, text.height}, font, clWhite, format);
    canvas.DrawString(Caption(), text, font, clGray, format);
  }
  if (Focused() && Enabled() && showFocus_) {
    const int edge = 3 + inset;
    canvas.DrawFocusRect({edge, edge, Width() - 2 * edge, Height() - 2 * edge});
  }
}
