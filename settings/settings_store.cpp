// The main window's destruction handler, where the settings are written.
#include "ui/Unit1.h"

void TForm1::FormDestroy(TObject* /*Sender*/) {
  // Never leave the user's left button down behind the program.
  releaseHeldButton();
}
