#include "controls/z3dlabel.h"

Tz3DLabel::Tz3DLabel(TComponent* owner) : TCustomControl(owner, "Tz3DLabel") {}

void Tz3DLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  AdjustBounds();
}

void Tz3DLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void Tz3DLabel::SetRaised(bool raised) {
  raised_ = raised;
  Invalidate();
}

void Tz3DLabel::SetUse3D(bool use3D) {
  use3D_ = use3D;
  Invalidate();
}

void Tz3DLabel::SetHighlightColor(TColor color) {
  highlightColor_ = color;
  Invalidate();
}

void Tz3DLabel::SetShadowColor(TColor color) {
  shadowColor_ = color;
  Invalidate();
}

void Tz3DLabel::SetUseDropShadow(bool useDropShadow) {
  useDropShadow_ = useDropShadow;
  Invalidate();
}

void Tz3DLabel::SetDropShadowSize(int size) {
  dropShadowSize_ = size;
  Invalidate();
}

void Tz3DLabel::Loaded() {
  TCustomControl::Loaded();
  AdjustBounds();
}

void Tz3DLabel::TextChanged() {
  if (!Loading()) AdjustBounds();
  Invalidate();
}

void Tz3DLabel::AdjustBounds() {
  if (!autoSize_ || align_ != TAlign::alNone) return;
  // An empty caption is measured as a blank, so the label keeps a height.
  const std::string text = Caption().empty() ? " " : Caption();
  if (wordWrap_) {
    // The width stays; the dark copy needs a pixel more at the bottom.
    SetBounds(Left(), Top(), Width(), Platform().windows().MeasureWrapped(text, Font(), Width() - 1).height + 1);
    return;
  }
  const platform::Size extent = Platform().windows().MeasureText(text, Font());
  // One pixel more each way for the dark copy down and to the right.
  SetBounds(Left(), Top(), extent.width + 1, extent.height + 1);
}

void Tz3DLabel::Paint(platform::Canvas& canvas) {
  canvas.FillRect({0, 0, Width(), Height()}, Color());
  const std::uint32_t format =
      platform::kTextLeft | platform::kTextNoPrefix | (wordWrap_ ? std::uint32_t{platform::kTextWordBreak} : 0u);
  const platform::Rect place{0, 0, Width(), Height()};
  auto offset = [&](int dx, int dy) {
    return platform::Rect{place.left + dx, place.top + dy, place.width, place.height};
  };
  if (useDropShadow_) {
    if (use3D_) canvas.DrawString(Caption(), offset(dropShadowSize_, dropShadowSize_), Font(), shadowColor_, format);
  } else if (use3D_) {
    canvas.DrawString(Caption(), offset(-1, -1), Font(), raised_ ? highlightColor_ : shadowColor_, format);
    canvas.DrawString(Caption(), offset(1, 1), Font(), raised_ ? shadowColor_ : highlightColor_, format);
  }
  canvas.DrawString(Caption(), place, Font(), Enabled() ? Font().color : clGrayText, format);
}
