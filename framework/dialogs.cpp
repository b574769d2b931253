#include "framework/dialogs.h"

bool TOpenDialog::Execute() {
  platform::FileDialogSpec spec;
  spec.save = Saving();
  spec.title = title_;
  spec.fileName = fileName_;
  spec.defaultExt = defaultExt_;
  spec.filter = filter_;
  spec.options = options_;
  const auto chosen = Platform().dialogs().ShowFileDialog(spec);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}
