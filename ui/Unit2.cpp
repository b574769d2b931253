#include "ui/Unit2.h"

#include <string>

#include "ui/Unit1.h"

TForm2::TForm2(TComponent* owner) : TForm(owner, "TForm2") {
  SetCaption(std::string("Instructions - Tapfinch by Brenmoor - ") + kMakerWebAddress);
  SetPosition(TPosition::poScreenCenter);
  SetBounds(0, 0, 450, 460);
}
