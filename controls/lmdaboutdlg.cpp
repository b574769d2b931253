#include "controls/lmdaboutdlg.h"

#include <algorithm>
#include <memory>

#include "controls/z3dlabel.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"

namespace {

bool Blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string ProcessorName(std::uint32_t type) {
  switch (type) {
    case 386:
      return "Intel 386";
    case 486:
      return "Intel 486";
    case 586:
      return "Intel Pentium";
    case 2000:
    case 3000:
    case 4000:
      return "Mips R" + std::to_string(type);
    case 21064:
      return "Alpha 21064";
    default:
      return std::to_string(type);
  }
}

// The picture: the application's icon in a black frame with a grey drop
// shadow, laid out on a (2 x 32 + 8)-pixel square and stretched to the box.
class TAboutPicture final : public TCustomControl {
 public:
  explicit TAboutPicture(TComponent* owner) : TCustomControl(owner, "TImage") {}
  void Paint(platform::Canvas& canvas) override {
    constexpr int kSide = 2 * 32 + 8;
    auto scale = [&](int v, int size) { return v * size / kSide; };
    auto rect = [&](int l, int t, int r, int b) {
      return platform::Rect{scale(l, Width()), scale(t, Height()), scale(r, Width()) - scale(l, Width()),
                            scale(b, Height()) - scale(t, Height())};
    };
    canvas.FillRect({0, 0, Width(), Height()}, clBtnFace);
    canvas.FillRect(rect(6, kSide - 6, kSide, kSide), clGray);
    canvas.FillRect(rect(kSide - 6, 6, kSide, kSide), clGray);
    canvas.DrawProgramIcon(rect(1, 1, kSide - 6, kSide - 6), platform::ProgramIcon::kApplication);
    canvas.FrameRect(rect(0, 0, kSide - 5, kSide - 5), clBlack);
  }
};

// A sunken line two pixels high along the top of what follows.
class TEdgeLine final : public TCustomControl {
 public:
  explicit TEdgeLine(TComponent* owner) : TCustomControl(owner, "TBevel") {}
  void Paint(platform::Canvas& canvas) override {
    canvas.Line(0, 0, Width(), 0, clBtnShadow);
    canvas.Line(0, 1, Width(), 1, clBtnHighlight);
  }
};

}  // namespace

// --------------------------------------------------------------- TLinkLabel

TLinkLabel::TLinkLabel(TComponent* owner) : TCustomControl(owner, "TLMDSimpleLabel") {
  TFont font = Font();
  font.underline = true;
  font.color = clBlue;
  font_ = font;
  cursor_ = platform::CursorShape::kHand;
}

void TLinkLabel::FontChanged() {
  if (!Loading()) SetHeight(Platform().windows().MeasureText(Caption().empty() ? " " : Caption(), Font()).height);
}

void TLinkLabel::EnabledChanged() {
  SetCursor(Enabled() ? platform::CursorShape::kHand : platform::CursorShape::kArrow);
  Invalidate();
}

void TLinkLabel::Paint(platform::Canvas& canvas) {
  canvas.FillRect({0, 0, Width(), Height()}, Color());
  const TColor ink = !Enabled() ? clGrayText : visited_ ? clPurple : clBlue;
  canvas.DrawString(Caption(), {0, 0, Width(), Height()}, Font(), ink, platform::kTextLeft | platform::kTextNoPrefix);
}

void TLinkLabel::MouseDown(platform::MouseButton button, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  if (button != platform::MouseButton::kLeft || !Enabled()) return;
  visited_ = true;  // and it stays so
  Invalidate();
}

void TLinkLabel::Click() {
  if (!Enabled()) return;
  TCustomControl::Click();
  const std::string target = Caption().find('@') != std::string::npos ? "mailto:" + Caption() : Caption();
  // No handler for it: the link is switched off for the rest of the showing.
  if (Platform().process().ShellOpen(target) <= 32) SetEnabled(false);
}

// ------------------------------------------------------------- TLMDAboutDlg

std::string TLMDAboutDlg::SystemCaptions(const platform::SystemFacts& facts) {
  return facts.ntFamily ? "Available Memory:\rPlatform, CPU:" : "Available Memory:\rSystem Resources:";
}

std::string TLMDAboutDlg::SystemValues(const platform::SystemFacts& facts) {
  const auto kilobytes = static_cast<std::uint32_t>(facts.totalPhysicalMemory / 1024);
  if (facts.ntFamily) {
    return std::to_string(kilobytes) + " KB\r" + std::to_string(facts.processorCount) + "x " +
           ProcessorName(facts.processorType) + " or compatible";
  }
  return std::to_string(kilobytes) + " KB\r" + std::to_string(facts.freeResourcesPercent) + "% free";
}

bool TLMDAboutDlg::Execute() {
  TApplication& application = Application();
  auto* box = Make<TForm>(application, "", "TLMDAboutForm");
  // Whatever happens, the box goes with this call.
  const std::unique_ptr<TComponent> owned = application.RemoveComponent(box);
  box->FinishLoading();  // built by code: labels fit their texts at once
  // A dialog: a fixed frame with the close button alone.
  box->SetBorder(platform::FormBorder::kDialog);
  box->SetBounds(0, 0, 440, 300);
  const int clientWidth = box->ClientWidth();

  auto* ok = Make<TButton>(*box, "OK");
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetCancel(true);
  ok->SetBounds(0, 0, 75, 25);
  ok->SetParent(box);
  auto* custom = Make<TButton>(*box, "Custom");
  custom->SetVisible(false);
  custom->SetBounds(0, 0, 75, 25);
  custom->SetParent(box);

  auto* picture = Make<TAboutPicture>(*box, "Picture");
  picture->SetBounds(15, 7, 105, 105);
  picture->SetParent(box);

  const int x = picture->Left() + picture->Width() + 8;
  const int width = clientWidth - x - 6;
  int y = 24;
  auto place = [&](TControl& label, const std::string& text, int gap) {
    if (text.empty()) return;
    label.SetBounds(x, y, width, label.Height());
    label.SetCaption(text);
    if (auto* wrapping = dynamic_cast<TLabel*>(&label)) wrapping->AdjustBounds();
    if (gap != 0) y += label.Height() + gap;
  };
  auto label = [&](const char* name, bool bold) {
    auto* l = Make<TLabel>(*box, name);
    l->SetWordWrap(true);
    if (bold) {
      TFont font = l->Font();
      font.bold = true;
      l->SetFont(font);
    }
    l->SetParent(box);
    return l;
  };

  auto* name = Make<Tz3DLabel>(*box, "Name");
  TFont nameFont;
  nameFont.name = "Arial";
  nameFont.bold = true;
  nameFont.height = AppNameSize * 96 / 72;
  name->SetFont(nameFont);
  name->SetRaised(false);
  name->SetWordWrap(true);
  name->SetParent(box);
  place(*name, Blank(Appname) ? application.Title() : Appname, 10);
  y = std::max(y, picture->Top() + picture->Height());

  place(*label("Version", true), Version, 4);
  if (Blank(Description)) {
    y += 24;
  } else {
    place(*label("Description", false), Description, 24);
  }
  place(*label("Copyright", false), Copyright, 1);
  auto* link = Make<TLinkLabel>(*box, "Link");
  link->SetParent(box);
  if (Blank(Jump)) {
    link->SetVisible(false);
    y += 6;
  } else {
    const platform::Size extent = Platform().windows().MeasureText(Jump, link->Font());
    link->SetBounds(x, y, width, extent.height);
    link->SetCaption(Jump);
    y += link->Height() + 6;
  }

  auto* edge = Make<TEdgeLine>(*box, "Edge");
  edge->SetBounds(x, y, width, 2);
  edge->SetParent(box);
  y += 9;

  const platform::SystemFacts facts = Platform().process().SystemInformation();
  auto* captions = Make<TLabel>(*box, "SystemCaptions");
  captions->SetParent(box);
  captions->SetBounds(x, y, 0, 0);
  captions->SetCaption(SystemCaptions(facts));
  captions->AdjustBounds();
  captions->SetWidth(std::min(captions->Width(), 150));
  auto* values = Make<TLabel>(*box, "SystemValues");
  values->SetParent(box);
  values->SetBounds(x + captions->Width(), y, 0, 0);
  values->SetCaption(SystemValues(facts));
  values->AdjustBounds();
  values->SetWidth(std::min(values->Width(), 150));
  y += std::max(captions->Height(), values->Height()) + 24;

  ok->SetBounds(clientWidth - 6 - ok->Width(), y, ok->Width(), ok->Height());
  custom->SetBounds(ok->Left() - 6 - custom->Width(), y, custom->Width(), custom->Height());
  box->SetClientSize(clientWidth, ok->Top() + ok->Height() + 6);
  box->SetCaption(CaptionTitle.empty() ? "Info " + application.Title() + "..." : CaptionTitle);

  // Laid out at 96 pixels per inch; placed at the monitor's scale.
  box->ScaleToMonitor();
  // Centred on the screen, kept on it.
  const platform::Size screen = Platform().windows().ScreenSize();
  int left = (screen.width - box->Width()) / 2;
  int top = (screen.height - box->Height()) / 2;
  if (top + box->Height() > screen.height) top = screen.height - box->Height();
  if (left + box->Width() > screen.width) left = screen.width - box->Width();
  box->SetBounds(std::max(left, 0), std::max(top, 0), box->Width(), box->Height());
  box->SetActiveControl(ok);
  box->ShowModal();
  return true;
}
