#include "ui/Unit2.h"

#include <string>

#include "ui/Unit1.h"
#include "ui/instructions_text.h"

TForm2::TForm2(TComponent* owner) : TForm(owner, "TForm2") {
  SetCaption(std::string("Instructions - Tapfinch by Brenmoor - ") + kMakerWebAddress);
  SetPosition(TPosition::poScreenCenter);
  SetBounds(0, 0, 450, 460);
  SetResizable(false);

  Panel1 = Make<TPanel>(*this, "Panel1");
  Panel1->SetAlign(TAlign::alClient);
  Panel1->SetParent(this);

  // Docked to the panel's bottom, leaving an empty band above it.
  PageControl1 = Make<TPageControl>(*this, "PageControl1");
  PageControl1->SetBounds(1, 32, 440, 400);
  PageControl1->SetAlign(TAlign::alBottom);
  PageControl1->SetParent(Panel1);

  auto sheet = [&](const char* name, const char* caption) {
    auto* page = Make<TTabSheet>(*this, name);
    page->SetCaption(caption);
    page->SetPageControl(PageControl1);
    return page;
  };
  auto memo = [&](const char* name, TTabSheet* page) {
    auto* text = Make<TMemo>(*this, name);
    text->SetReadOnly(true);
    text->SetBounds(0, 0, 432, 372);
    text->SetAlign(TAlign::alClient);
    text->SetParent(page);
    return text;
  };
  TabSheet1 = sheet("TabSheet1", "Single Click");
  Memo1 = memo("Memo1", TabSheet1);
  TabSheet2 = sheet("TabSheet2", "Multiple Click Points");
  Memo2 = memo("Memo2", TabSheet2);
  Memo2->SetLines(MultipleClickInstructions());
  PageControl1->SetActivePage(TabSheet2);
}
