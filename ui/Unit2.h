// The instructions window, created hidden at start-up after the main window.
#pragma once

#include "framework/forms.h"

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
};
