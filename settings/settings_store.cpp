// The main window's destruction handler, where the settings are written.
#include "ui/Unit1.h"

void TForm1::FormDestroy(TObject* /*Sender*/) {}
