#include "framework/dialogs.h"

bool TOpenDialog::Execute() {
  platform::FileDialogRequest request;
  request.save = Saving();
  request.title = title_;
  request.fileName = fileName_;
  request.defaultExt = defaultExt_;
  request.filter = filter_;
  request.options = options_;
  const auto chosen = Platform().dialogs().ShowFileDialog(request);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}
