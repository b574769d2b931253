#include "app/lmd_application.h"

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
