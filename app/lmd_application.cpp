#include "app/lmd_application.h"

#include "framework/exceptions.h"
#include "framework/forms.h"

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

TLMDApplication::TLMDApplication(TComponent* owner)
    : TComponent(owner), mutexName_(FileNameOf(Platform().process().ModuleFileName())) {
  platform::MutexResult created = Platform().process().CreateNamedMutex(mutexName_);
  // Without a handle this copy runs as the first, whatever the error said.
  previousInstance_ = created.handle != nullptr && created.lastError == platform::kErrorAlreadyExists;
  mutex_ = std::move(created.handle);
}

void TLMDOneInstance::Loaded() {
  TComponent::Loaded();
  if (!enabled_) return;
  const auto* process = dynamic_cast<const TLMDApplication*>(Application().FindComponent(TLMDApplication::kName));
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
