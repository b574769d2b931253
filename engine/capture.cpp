#include "engine/capture.h"

void Capture::Start() {
  // The mouse is the user's while capturing: a button a run left down goes up.
  mouse_.releaseHeldButton();
  tracking_ = true;
}

void Capture::Stop() {
  mouse_.releaseHeldButton();
  tracking_ = false;
  if (list_.Count() > 0) run_.Rewind();
  run_.WaitFromFields();
}
