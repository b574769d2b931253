// The main window's creation and destruction handlers.
#include "ui/Unit1.h"

void TForm1::FormCreate(TObject* /*Sender*/) {
  // The layout is 319 high; the window opens shorter.
  SetHeight(265);
}

void TForm1::FormDestroy(TObject* /*Sender*/) {}
