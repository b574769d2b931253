// Visual controls: cached properties and an optional native peer.
// Every setter updates the object first and then the peer; the peer
// reports user actions through the PeerEvents entry points, each of which
// runs under the default error handler like a dispatched message.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "framework/graphics.h"
#include "platform/peers.h"

class TWinControl;
class TCustomForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The edges of its parent that a control keeps its distance to as the
// parent's size changes: the left and top unless told otherwise; anchored
// to both sides of a direction it stretches, to the far side only it moves.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

// value x multiplier / divisor (divisor above 0), rounded half away from zero.
[[nodiscard]] int ScaleBy(int value, int multiplier, int divisor) noexcept;

class TControl : public TComponent, public platform::PeerEvents {
 public:
  TControl(TComponent* owner, platform::PeerKind kind, std::string className);
  ~TControl() override;

  [[nodiscard]] TWinControl* Parent() const noexcept { return parent_; }
  void SetParent(TWinControl* parent);
  [[nodiscard]] TCustomForm* ParentForm() const noexcept;

  [[nodiscard]] int Left() const noexcept { return bounds_.left; }
  [[nodiscard]] int Top() const noexcept { return bounds_.top; }
  [[nodiscard]] int Width() const noexcept { return bounds_.width; }
  [[nodiscard]] int Height() const noexcept { return bounds_.height; }
  [[nodiscard]] const platform::Rect& BoundsRect() const noexcept { return bounds_; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(bounds_.left, bounds_.top, width, bounds_.height); }
  void SetHeight(int height) { SetBounds(bounds_.left, bounds_.top, bounds_.width, height); }

  [[nodiscard]] TAlign Align() const noexcept { return align_; }
  void SetAlign(TAlign align);

  // The distances kept are those when the anchors are set or the control
  // gets its parent, scaled with the control; only controls without an
  // alignment follow them.
  [[nodiscard]] TAnchors Anchors() const noexcept { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // Caption and Text are one property.
  [[nodiscard]] const std::string& Caption() const noexcept { return text_; }
  void SetCaption(const std::string& text) { SetText(text); }
  [[nodiscard]] const std::string& Text() const noexcept { return text_; }
  void SetText(const std::string& text);

  [[nodiscard]] bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  [[nodiscard]] bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);

  [[nodiscard]] TColor Color() const noexcept { return color_; }
  void SetColor(TColor color);
  [[nodiscard]] bool ParentColor() const noexcept { return parentColor_; }
  void SetParentColor(bool parentColor);

  [[nodiscard]] const TFont& Font() const noexcept { return font_; }
  void SetFont(const TFont& font);

  // The mouse pointer over the control.
  [[nodiscard]] platform::CursorShape Cursor() const noexcept { return cursor_; }
  void SetCursor(platform::CursorShape cursor);

  [[nodiscard]] const std::string& Hint() const noexcept { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  [[nodiscard]] bool ShowHint() const noexcept { return showHint_; }
  void SetShowHint(bool showHint) noexcept { showHint_ = showHint; }

  TNotifyEvent OnClick;
  // Performs a click as the user's would: runs OnClick also when disabled.
  virtual void Click();

  // Scales place, size and font by multiplier / divisor, as for a monitor
  // of another pixels per inch; a form scales the controls it holds.
  virtual void ChangeScale(int multiplier, int divisor);

  void Invalidate();
  [[nodiscard]] platform::WindowPeer* Peer() const noexcept { return peer_.get(); }
  // The peer's capability of a kind (EditPeer, CheckPeer, ...); null
  // without a peer or when the native window has no such part.
  template <class Capability>
  [[nodiscard]] Capability* PeerAs() const noexcept {
    return dynamic_cast<Capability*>(peer_.get());
  }
  [[nodiscard]] const std::string& ClassName() const noexcept { return className_; }
  // Forms and the application window have no parent window.
  [[nodiscard]] virtual bool TopLevel() const noexcept { return false; }

 protected:
  // Builds the native window once the control has a parent (or at once
  // for top-level windows).
  void CreatePeer();
  void DestroyPeer() noexcept;
  virtual void FillPeerParams(platform::PeerParams& params) const;
  // The native window exists: hand it the state it was not made with.
  virtual void PeerCreated() {}
  virtual void TextChanged() {}
  virtual void FontChanged() {}
  virtual void EnabledChanged() {}
  virtual void VisibleChanged() {}
  virtual void ParentColorChanged();
  // After the colour changed, whether set or taken from the parent.
  virtual void ColorChanged() {}
  void ApplyColor(TColor color);

  platform::PeerKind kind_;
  std::string className_;
  std::unique_ptr<platform::WindowPeer> peer_;
  TWinControl* parent_ = nullptr;
  platform::Rect bounds_;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = akLeft | akTop;
  // From the control's right and bottom edges to its parent's client area's.
  int rightDistance_ = 0;
  int bottomDistance_ = 0;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  TFont font_;
  std::string hint_;
  bool showHint_ = false;
  platform::CursorShape cursor_ = platform::CursorShape::kArrow;

  friend class TWinControl;

 private:
  void KeepAnchorDistances() noexcept;
  // The parent's client area is now this size.
  void FollowAnchors(int clientWidth, int clientHeight);
};

class TWinControl : public TControl {
 public:
  using TControl::TControl;
  ~TWinControl() override;

  [[nodiscard]] const std::vector<TControl*>& Controls() const noexcept { return controls_; }

  [[nodiscard]] bool TabStop() const noexcept { return tabStop_; }
  void SetTabStop(bool tabStop) noexcept { tabStop_ = tabStop; }

  // Visible and enabled along the whole chain of parents up to the form.
  [[nodiscard]] virtual bool CanFocus() const noexcept;
  // Throws EInvalidOperation when the control cannot take the focus.
  void SetFocus();
  [[nodiscard]] bool Focused() const noexcept { return focused_; }

  [[nodiscard]] int ClientWidth() const noexcept { return clientWidth_; }
  [[nodiscard]] int ClientHeight() const noexcept { return clientHeight_; }
  // Lays the aligned children out again.
  void Realign();

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Entry points for keys typed while the control has the focus.
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Whether Enter (kOk) or Esc (kCancel) that no control claimed clicks
  // this control; focused tells whether it has the focus.
  [[nodiscard]] virtual bool ClicksOnDialogKey(platform::DialogKey /*key*/, bool /*focused*/) const noexcept {
    return false;
  }

  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int multiplier, int divisor) override;

  // PeerEvents
  void PeerKeyDown(std::uint16_t& key, platform::ShiftBits shift) override;
  void PeerKeyUp(std::uint16_t& key, platform::ShiftBits shift) override;
  void PeerKeyPress(char& ch) override;
  void PeerFocusChanged(bool focused) override;
  void PeerResized(int clientWidth, int clientHeight) override;

 protected:
  virtual platform::Rect AdjustClientRect() const;
  virtual void DoEnter() {}
  virtual void DoExit() {}
  virtual void UpdateClientSize();
  void ColorChanged() override;
  // Whether the children wait for their windows until this container
  // shows (a page of a page control that is not the active one): the
  // start-up then makes only the windows the user sees.
  [[nodiscard]] virtual bool DefersChildren() const noexcept { return false; }
  // Gives every child that has none its window, and theirs in turn.
  void CreateChildPeers();

  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  bool focused_ = false;
  int clientWidth_ = 0;
  int clientHeight_ = 0;

 private:
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control) noexcept;
  friend class TControl;
};

// A windowed control that paints itself through a Canvas and handles the
// mouse itself. A left press followed by a release inside the control
// performs a click, unless the press was the second of a double click.
class TCustomControl : public TWinControl {
 public:
  TCustomControl(TComponent* owner, std::string className);

  virtual void Paint(platform::Canvas& canvas);
  TNotifyEvent OnPaint;

  // PeerEvents
  void PeerPaint(platform::Canvas& canvas) override;
  void PeerMouseDown(platform::MouseButton button, int x, int y, platform::ShiftBits shift) override;
  void PeerMouseUp(platform::MouseButton button, int x, int y, platform::ShiftBits shift) override;
  void PeerMouseMove(int x, int y, platform::ShiftBits shift) override;
  void PeerMouseLeave() override;
  void PeerCaptureLost() override;

 protected:
  virtual void MouseDown(platform::MouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(platform::MouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseLeave() {}
  // The press's capture went elsewhere: no release will come.
  virtual void MouseCaptureLost() {}
  [[nodiscard]] bool ClientContains(int x, int y) const noexcept;
  // False for controls that make their own clicks from the mouse.
  bool clickOnRelease_ = true;

 private:
  bool clickPending_ = false;
};
