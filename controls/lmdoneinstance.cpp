#include "controls/lmdoneinstance.h"

#include "framework/exceptions.h"
#include "framework/forms.h"

void TLMDOneInstance::Loaded() {
  TComponent::Loaded();
  if (!enabled_) return;
  const auto* process =
      dynamic_cast<const PreviousInstanceFlag*>(Application().FindComponent(PreviousInstanceFlag::kName));
  if (process == nullptr || !process->PreviousInstance()) return;
  switch (mode_) {
    case TLMDOneInstanceMode::oiActivateOnly:
      ActivatePrevious();
      break;
    case TLMDOneInstanceMode::oiDefaultMessage:
      Application().MessageBox("\"" + Application().Title() + "\" was already started...", Application().Title(),
                               platform::kMbOk | platform::kMbIconInformation);
      ActivatePrevious();
      break;
    case TLMDOneInstanceMode::oiCustom:
      if (OnCustom) {
        OnCustom(this);
      } else {
        ActivatePrevious();
      }
      break;
  }
  Application().Terminate();
  throw ProcessExit{0};
}

void TLMDOneInstance::ActivatePrevious() {
  const std::string title = Application().Title();
  // Emptied first, so that the search cannot find this copy.
  Application().SetWindowText("");
  auto& process = Platform().process();
  const platform::WindowRef previous = process.FindTopLevelWindow("TApplication", title);
  if (previous == 0) return;
  if (process.IsIconic(previous)) {
    process.ShowWindowRestore(previous);
  } else {
    process.BringWindowToTop(previous);
  }
}
