// The system registry behind the settings store: keys opened or created
// with RegCreateKeyExW and closed with their owners, values passed through
// as the type and bytes Windows keeps, with no rule of the program's own;
// only the string types' UTF-16 becomes the program's UTF-8 and back.
#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
};

}  // namespace platform::win32
