#include "framework/controls.h"

#include <algorithm>

#include "framework/exceptions.h"
#include "framework/forms.h"

int ScaleBy(int value, int multiplier, int divisor) noexcept {
  if (divisor <= 0) return value;
  const long long product = static_cast<long long>(value) * multiplier;
  const long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner, platform::PeerKind kind, std::string className)
    : TComponent(owner), kind_(kind), className_(std::move(className)) {}

TControl::~TControl() {
  DestroyPeer();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) {
    parent_->RemoveControl(this);
    DestroyPeer();
  }
  parent_ = parent;
  if (parent_ == nullptr) return;
  parent_->InsertControl(this);
  KeepAnchorDistances();
  ParentColorChanged();
  CreatePeer();
  parent_->Realign();
}

TCustomForm* TControl::ParentForm() const noexcept {
  const TControl* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const platform::Rect bounds{left, top, width, height};
  if (bounds == bounds_) return;
  bounds_ = bounds;
  if (peer_) peer_->SetBounds(bounds_);
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  KeepAnchorDistances();
}

void TControl::KeepAnchorDistances() noexcept {
  if (parent_ == nullptr) return;
  rightDistance_ = parent_->ClientWidth() - bounds_.right();
  bottomDistance_ = parent_->ClientHeight() - bounds_.bottom();
}

void TControl::FollowAnchors(int clientWidth, int clientHeight) {
  if (align_ != TAlign::alNone || (anchors_ & (akRight | akBottom)) == 0) return;
  platform::Rect b = bounds_;
  const auto follow = [](int& start, int& length, int far, bool fromStart, bool toEnd) {
    if (!toEnd) return;
    if (fromStart) {
      length = std::max(0, far - start);
    } else {
      start = far - length;
    }
  };
  follow(b.left, b.width, clientWidth - rightDistance_, (anchors_ & akLeft) != 0, (anchors_ & akRight) != 0);
  follow(b.top, b.height, clientHeight - bottomDistance_, (anchors_ & akTop) != 0, (anchors_ & akBottom) != 0);
  SetBounds(b.left, b.top, b.width, b.height);
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (peer_) peer_->SetText(text_);
  TextChanged();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (peer_ && !TopLevel()) peer_->SetVisible(visible_);
  VisibleChanged();
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (peer_) peer_->SetEnabled(enabled_);
  EnabledChanged();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  ApplyColor(color);
}

void TControl::ApplyColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  if (peer_) peer_->SetColor(color_);
  ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (parentColor_ && parent_ != nullptr) ApplyColor(parent_->color_);
}

void TControl::SetFont(const TFont& font) {
  if (font == font_) return;
  font_ = font;
  if (peer_) peer_->SetFont(font_);
  FontChanged();
}

void TControl::ChangeScale(int multiplier, int divisor) {
  const auto scale = [&](int value) { return ScaleBy(value, multiplier, divisor); };
  // A top-level window keeps its place on the screen and grows from there.
  if (TopLevel()) {
    SetBounds(Left(), Top(), scale(Width()), scale(Height()));
  } else {
    SetBounds(scale(Left()), scale(Top()), scale(Width()), scale(Height()));
  }
  rightDistance_ = scale(rightDistance_);
  bottomDistance_ = scale(bottomDistance_);
  TFont font = font_;
  font.height = scale(font.height);
  SetFont(font);
}

void TControl::SetCursor(platform::CursorShape cursor) {
  cursor_ = cursor;
  if (peer_) peer_->SetCursor(cursor_);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (peer_) peer_->Invalidate();
}

void TControl::FillPeerParams(platform::PeerParams& /*params*/) const {}

void TControl::CreatePeer() {
  const bool topLevel = TopLevel();
  platform::PeerParams params;
  params.kind = kind_;
  params.className = className_;
  params.parent = parent_ != nullptr ? parent_->Peer() : nullptr;
  if (!topLevel && params.parent == nullptr) return;  // no window until the parent has one
  for (const TWinControl* above = parent_; above != nullptr; above = above->parent_) {
    if (above->DefersChildren()) return;  // made when that container shows
  }
  params.text = text_;
  params.bounds = bounds_;
  params.visible = visible_;
  params.enabled = enabled_;
  params.color = color_;
  params.font = font_;
  params.cursor = cursor_;
  if (const auto* container = dynamic_cast<const TWinControl*>(this)) params.tabStop = container->TabStop();
  FillPeerParams(params);
  peer_ = Platform().windows().CreatePeer(params, *this);
  if (!peer_) throw EOutOfResources(messages::kCreateWindow);
  PeerCreated();
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (TControl* child : container->controls_) {
      if (!child->peer_) child->CreatePeer();
    }
  }
}

void TControl::DestroyPeer() noexcept {
  if (auto* container = dynamic_cast<TWinControl*>(this)) {
    for (TControl* child : container->controls_) child->DestroyPeer();
  }
  peer_.reset();
}

// ------------------------------------------------------------- TWinControl

void TWinControl::CreateChildPeers() {
  if (!peer_) return;
  for (TControl* child : controls_) {
    if (!child->peer_) child->CreatePeer();
  }
}

TWinControl::~TWinControl() {
  // Children owned elsewhere lose their windows with ours.
  for (TControl* child : controls_) {
    child->DestroyPeer();
    child->parent_ = nullptr;
  }
  controls_.clear();
}

void TWinControl::InsertControl(TControl* control) { controls_.push_back(control); }

void TWinControl::RemoveControl(TControl* control) noexcept {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (TCustomForm* form = ParentForm(); form != nullptr && form->ActiveControl() == control) {
    form->NoteFocused(nullptr);
  }
}

bool TWinControl::CanFocus() const noexcept {
  const TCustomForm* form = ParentForm();
  if (form == nullptr) return false;
  for (const TControl* control = this; control != form; control = control->Parent()) {
    if (control == nullptr || !control->Visible() || !control->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  TCustomForm* form = ParentForm();
  if (form == nullptr) throw EInvalidOperation(messages::kCannotFocus);
  form->SetActiveControl(this);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  UpdateClientSize();
  Realign();
}

void TWinControl::ChangeScale(int multiplier, int divisor) {
  // The children first, so that the realignment after our own new size
  // finds them at theirs.
  for (TControl* child : controls_) child->ChangeScale(multiplier, divisor);
  TControl::ChangeScale(multiplier, divisor);
  Realign();
}

void TWinControl::UpdateClientSize() {
  clientWidth_ = bounds_.width;
  clientHeight_ = bounds_.height;
}

platform::Rect TWinControl::AdjustClientRect() const { return {0, 0, clientWidth_, clientHeight_}; }

void TWinControl::Realign() {
  platform::Rect area = AdjustClientRect();
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* child : controls_) {
      if (child->align_ != pass) continue;
      const int w = child->Width();
      const int h = child->Height();
      switch (pass) {
        case TAlign::alTop:
          child->SetBounds(area.left, area.top, area.width, h);
          area.top += h;
          area.height -= h;
          break;
        case TAlign::alBottom:
          child->SetBounds(area.left, area.bottom() - h, area.width, h);
          area.height -= h;
          break;
        case TAlign::alLeft:
          child->SetBounds(area.left, area.top, w, area.height);
          area.left += w;
          area.width -= w;
          break;
        case TAlign::alRight:
          child->SetBounds(area.right() - w, area.top, w, area.height);
          area.width -= w;
          break;
        case TAlign::alClient:
          child->SetBounds(area.left, area.top, area.width, area.height);
          break;
        case TAlign::alNone:
          break;
      }
    }
  }
  for (TControl* child : controls_) child->FollowAnchors(clientWidth_, clientHeight_);
}

void TWinControl::ColorChanged() {
  for (TControl* child : controls_) child->ParentColorChanged();
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::PeerKeyDown(std::uint16_t& key, platform::ShiftBits shift) {
  Guard([&] { KeyDown(key, TShiftState(shift)); });
}

void TWinControl::PeerKeyUp(std::uint16_t& key, platform::ShiftBits shift) {
  Guard([&] { KeyUp(key, TShiftState(shift)); });
}

void TWinControl::PeerKeyPress(char& ch) {
  Guard([&] { KeyPress(ch); });
}

void TWinControl::PeerFocusChanged(bool focused) {
  if (focused == focused_) return;
  focused_ = focused;
  Invalidate();
  Guard([&] {
    if (focused) {
      if (TCustomForm* form = ParentForm(); form != nullptr && form != this) form->NoteFocused(this);
      DoEnter();
      if (OnEnter) OnEnter(this);
    } else {
      DoExit();
      if (OnExit) OnExit(this);
    }
  });
}

void TWinControl::PeerResized(int clientWidth, int clientHeight) {
  if (clientWidth == clientWidth_ && clientHeight == clientHeight_) return;
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  Realign();
}

// ---------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* owner, std::string className)
    : TWinControl(owner, platform::PeerKind::kCustom, std::move(className)) {}

void TCustomControl::Paint(platform::Canvas& canvas) { canvas.FillRect({0, 0, Width(), Height()}, Color()); }

void TCustomControl::PeerPaint(platform::Canvas& canvas) {
  Guard([&] {
    Paint(canvas);
    if (OnPaint) OnPaint(this);
  });
}

bool TCustomControl::ClientContains(int x, int y) const noexcept {
  return x >= 0 && y >= 0 && x < Width() && y < Height();
}

void TCustomControl::PeerMouseDown(platform::MouseButton button, int x, int y, platform::ShiftBits shift) {
  Guard([&] {
    // The second press of a double click is no click.
    if (button == platform::MouseButton::kLeft) clickPending_ = clickOnRelease_ && (shift & platform::kDouble) == 0;
    MouseDown(button, TShiftState(shift), x, y);
  });
}

void TCustomControl::PeerMouseUp(platform::MouseButton button, int x, int y, platform::ShiftBits shift) {
  Guard([&] {
    bool click = false;
    if (button == platform::MouseButton::kLeft && clickPending_) {
      clickPending_ = false;
      click = ClientContains(x, y);
    }
    if (click) Click();
    MouseUp(button, TShiftState(shift), x, y);
  });
}

void TCustomControl::PeerMouseMove(int x, int y, platform::ShiftBits shift) {
  Guard([&] { MouseMove(TShiftState(shift), x, y); });
}

void TCustomControl::PeerMouseLeave() {
  Guard([&] { MouseLeave(); });
}

void TCustomControl::PeerCaptureLost() {
  Guard([&] { MouseCaptureLost(); });
}

void TCustomControl::MouseDown(platform::MouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
void TCustomControl::MouseUp(platform::MouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
void TCustomControl::MouseMove(TShiftState /*shift*/, int /*x*/, int /*y*/) {}
