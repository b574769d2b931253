// The instructions window: fixed at 450 x 460, two tabs of read-only,
// wrapping text, created hidden at start-up and shown by Help >
// Instructions beside the main window.
#pragma once

#include "framework/comctrls.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/stdctrls.h"

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);

  TPanel* Panel1;
  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TMemo* Memo1;
  TTabSheet* TabSheet2;
  TMemo* Memo2;
};
